#include "platform/AppendFile.h"

#include "platform/win32/WinApi.h"
#include "platform/win32/WinText.h"

namespace platform {

namespace {

HANDLE Native(intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

}  // namespace

AppendFile::~AppendFile() { Close(); }

int AppendFile::CreateNew(const std::string& path) {
  Close();
  // Readers may look at the journal while the run writes it.
  HANDLE file = CreateFileW(win32::Widen(path).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                            CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return static_cast<int>(GetLastError());
  handle_ = reinterpret_cast<intptr_t>(file);
  return 0;
}

int AppendFile::Append(const std::string& text) {
  if (handle_ == -1) return ERROR_INVALID_HANDLE;
  for (size_t done = 0; done < text.size();) {
    const DWORD chunk =
        static_cast<DWORD>(text.size() - done > 1u << 30 ? 1u << 30 : text.size() - done);
    DWORD written = 0;
    if (!WriteFile(Native(handle_), text.data() + done, chunk, &written, nullptr))
      return static_cast<int>(GetLastError());
    if (written == 0) return ERROR_WRITE_FAULT;
    done += written;
  }
  return 0;
}

int AppendFile::Close() {
  if (handle_ == -1) return 0;
  const int error = FlushFileBuffers(Native(handle_)) ? 0 : static_cast<int>(GetLastError());
  CloseHandle(Native(handle_));
  handle_ = -1;
  return error;
}

}  // namespace platform
