#include "engine/Disk.h"

#include <vector>

#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "platform/Path.h"

namespace {

[[noreturn]] void Fail(const char* operation, int code) {
  throw EInOutError(std::string(operation) + "() - I/O Error " + std::to_string(code), code);
}

}  // namespace

void CopyFileExt(const std::string& source, const std::string& target, bool replace) {
  if (const int code = platform::CopyFileSafely(source, target, replace)) Fail("CopyFileExt", code);
}

void MoveFileExt(const std::string& source, const std::string& target, bool replace) {
  // Replacing happens in the same step as the move, so a failed move keeps the old target.
  if (const int code = platform::MoveFileSafely(source, target, replace)) Fail("MoveFileExt", code);
}

namespace {

// True when the folder lists the file under exactly this spelling.
bool StoredAs(const std::string& path) {
  const std::vector<std::string> names = platform::ListFiles(path);
  return names.size() == 1 && names[0] == platform::ExtractFileName(path);
}

}  // namespace

void RenameLetterCase(const std::string& source, const std::string& target,
                      const std::function<void(const std::string&)>& beforeDetour) {
  // Some systems report success for a rename in place but keep the old spelling (Wine).
  int code = platform::MoveFileSafely(source, target, false);
  if (code == 0 && StoredAs(target)) return;
  // Two steps: away to a free temporary name in the same folder, then to the new spelling.
  const std::string folder = platform::ExtractFilePath(source);
  std::string temporary;
  for (int n = 0; temporary.empty() || platform::FileExists(temporary); ++n)
    temporary = folder + "~stampel-rename-" + std::to_string(n) + ".tmp";
  if (beforeDetour) beforeDetour(temporary);
  code = platform::MoveFileSafely(source, temporary, false);
  if (code != 0) Fail("MoveFileExt", code);
  code = platform::MoveFileSafely(temporary, target, false);
  if (code == 0) return;
  platform::MoveFileSafely(temporary, source, false);
  Fail("MoveFileExt", code);
}

std::string MakeValidFileName(const std::string& text) {
  std::string result = text;
  for (char& c : result) {
    const auto code = static_cast<unsigned char>(c);
    if (code < 32 || c == '*' || c == '/' || c == ':' || c == '<' || c == '>' || c == '?' ||
        c == '\\' || c == '|')
      c = '_';
  }
  return result;
}

std::string ExtractFileBase(const std::string& path) {
  const std::string name = platform::ExtractFileName(path);
  return name.substr(0, name.find('.'));
}
