#include "platform/UserFolders.h"

#include <vector>

#include "platform/win32/WinApi.h"
#include "platform/win32/WinText.h"

namespace platform {

namespace {

std::string Variable(const wchar_t* name) {
  const DWORD length = GetEnvironmentVariableW(name, nullptr, 0);
  if (length == 0) return std::string();
  std::vector<wchar_t> buffer(length + 1);
  if (GetEnvironmentVariableW(name, buffer.data(), length + 1) == 0) return std::string();
  return win32::Narrow(buffer.data());
}

std::string WithBackslash(std::string folder) {
  while (folder.size() > 3 && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
  return folder.back() == '\\' ? folder : folder + "\\";
}

}  // namespace

std::string JournalFolder() {
  if (const std::string dir = Variable(L"STAMPEL_JOURNAL_DIR"); !dir.empty())
    return WithBackslash(dir);
  std::string local = Variable(L"LOCALAPPDATA");
  if (local.empty()) local = Variable(L"USERPROFILE") + "\\AppData\\Local";
  return WithBackslash(local) + "Stampel\\journal\\";
}

}  // namespace platform
