#pragma once

#include <string>
#include <string_view>

#include "platform/DateTime.h"

namespace platform {
class FileSystem;
}

// The moment the JSON that Google Takeout writes beside a photo says it was taken:
// photoTakenTime.timestamp, seconds since 1970 in UTC (written as a string, or as a
// number), as this computer's local time at that moment. 0 when the key is missing, is
// "0" or no whole number, or the text is no JSON object. creationTime is the upload's
// time and is never used.
TDateTime TakeoutPhotoTaken(std::string_view json);

// The same from the JSON file; its first 256 KiB are read (Takeout writes a few). Lets
// EFOpenError and EReadError through: a JSON that cannot be read is a read error, not a
// missing date.
TDateTime TakeoutPhotoTaken(platform::FileSystem& files, const std::string& path);
