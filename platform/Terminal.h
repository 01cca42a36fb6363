#pragma once

#include <string>

// The terminal a command-line program writes to (POSIX build).
namespace platform {

enum class Stream { Output, Error };

// True when the stream goes to a terminal (not to a file or a pipe).
bool IsTerminal(Stream stream);

// True when text on the stream may carry colour: it goes to a terminal that is not a
// dumb one, and NO_COLOR is not set.
bool ColourWanted(Stream stream);

// The width of the stream's terminal in characters, or 0 when it is unknown.
int TerminalWidth(Stream stream);

// Writes the text at once, unbuffered (so that it can share a terminal with stdio).
void WriteNow(Stream stream, const std::string& text);

// From now on a closed output (a pipe whose reader has gone) makes writes fail instead of
// ending the program.
void SurviveClosedOutput();

}  // namespace platform
