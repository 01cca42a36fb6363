#include "platform/UserFolders.h"

#include <cstdlib>

namespace platform {

namespace {

std::string WithSlash(std::string folder) {
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder + "/";
}

}  // namespace

std::string JournalFolder() {
  if (const char* dir = std::getenv("STAMPEL_JOURNAL_DIR"); dir && *dir) return WithSlash(dir);
  if (const char* xdg = std::getenv("XDG_STATE_HOME"); xdg && *xdg)
    return WithSlash(std::string(xdg) + "/stampel/journal");
  const char* home = std::getenv("HOME");
  return std::string(home && *home ? home : ".") + "/.local/state/stampel/journal/";
}

}  // namespace platform
