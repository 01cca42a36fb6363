#pragma once

// Identifiers shared by the resource script and the code. The resource compilers read
// this file too, so it holds nothing but #define lines.

// The program's icon; the lowest icon id, so Explorer shows it for the .exe.
#define IDI_STAMPEL 1
