#pragma once

#include <string>

#include "engine/format/LocaleFormats.h"
#include "platform/DateTime.h"

// Writes the date-time through a format of the timestamp format language (yyyy, mm, dd, hh,
// nn, ss, zzz, month and day names, AM/PM forms, the locale's patterns, quoted text...),
// with the process-wide LocaleFormats. Never fails; the result holds at most 256 bytes, what
// does not fit is dropped. An empty format is read as "c".
std::string FormatTimestamp(const std::string& format, TDateTime value);

// The same with the given settings instead of the process-wide ones.
std::string FormatTimestamp(const std::string& format, TDateTime value,
                            const tLocaleFormats& locale);
