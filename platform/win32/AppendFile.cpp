#include "platform/AppendFile.h"

#include "platform/win32/WinApi.h"
#include "platform/win32/WinText.h"

namespace platform {

namespace {

HANDLE Native(intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

}  // namespace

AppendFile::~AppendFile() { Close(); }

bool AppendFile::CreateNew(const std::string& path) {
  Close();
  // Readers may look at the journal while the run writes it.
  HANDLE file = CreateFileW(win32::Widen(path).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                            CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  handle_ = reinterpret_cast<intptr_t>(file);
  return true;
}

bool AppendFile::Append(const std::string& text) {
  if (handle_ == -1) {
    SetLastError(ERROR_INVALID_HANDLE);
    return false;
  }
  for (size_t done = 0; done < text.size();) {
    const DWORD chunk =
        static_cast<DWORD>(text.size() - done > 1u << 30 ? 1u << 30 : text.size() - done);
    DWORD written = 0;
    if (!WriteFile(Native(handle_), text.data() + done, chunk, &written, nullptr) || written == 0)
      return false;
    done += written;
  }
  return true;
}

bool AppendFile::Close() {
  if (handle_ == -1) return true;
  const bool flushed = FlushFileBuffers(Native(handle_)) != 0;
  CloseHandle(Native(handle_));
  handle_ = -1;
  return flushed;
}

}  // namespace platform
