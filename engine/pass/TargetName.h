#pragma once

#include <cstdint>
#include <functional>
#include <string>

// The rules of the new file name.

// Blanks the characters a name cannot hold: the double quote, * , / < > ? | and ":" except
// in the 2nd position (a drive letter). The backslash stays: it makes subfolders.
std::string CleanTargetName(const std::string& stem);

// The counter's decimal text, zero-padded to at least width digits.
std::string CounterText(int32_t value, int32_t width);

// The old-name part: the name part of the path up to its first ".".
std::string ExtractFileBase(const std::string& path);

// Directory + stem + old name part + counter + old extension. The directory is the pass's
// prefix, or nothing when the stem holds a path of its own (a backslash or a colon).
std::string ComposeTarget(const std::string& prefix, const std::string& stem,
                          const std::string& source, const std::string& counter, bool dropOldName);

// The variant of a target that the free-name choice tries with this suffix (one of
// kVariantSuffixes): name.ext_1.ext; the target itself for suffix 0.
inline constexpr char kVariantSuffixes[] = "123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ!@";
std::string VariantTarget(const std::string& target, char suffix);

// A companion's new name: its owner's new name and the tail (IMG_1.CR2.xmp, IMG_1.JPG.json)
// or, for a base-name companion, the leader's new name without its extension and the tail
// (IMG_1.xmp, C0001M01.XML).
std::string CompanionTarget(bool baseName, const std::string& ownerTarget,
                            const std::string& leaderTarget, const std::string& tail);

// The first free variant name_1.ext ... name_Z.ext, name_!.ext, name_@.ext of an existing
// target (the whole name, extension included, comes before the suffix), exists telling
// whether a plain file holds a name. When all 37 exist, the last one.
std::string UniqueFileName(const std::string& target,
                           const std::function<bool(const std::string&)>& exists);
