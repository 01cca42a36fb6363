#include "platform/Registry.h"

#include <vector>

#include "platform/win32/WinApi.h"
#include "platform/win32/WinText.h"

namespace platform {

namespace {

using win32::Narrow;
using win32::Widen;

class WinRegistryKey : public RegistryKey {
 public:
  explicit WinRegistryKey(HKEY key) : key_(key) {}
  ~WinRegistryKey() override { RegCloseKey(key_); }

  bool Query(const std::string& name, RegistryValue& value) override {
    const std::wstring wideName = Widen(name);
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key_, wideName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
      return false;
    std::vector<BYTE> data(size + sizeof(wchar_t));
    DWORD read = size;
    if (RegQueryValueExW(key_, wideName.c_str(), nullptr, &type, data.data(), &read) != ERROR_SUCCESS)
      return false;
    value = RegistryValue();
    if (type == REG_SZ || type == REG_EXPAND_SZ) {
      value.type = type == REG_SZ ? RegistryValueType::String : RegistryValueType::ExpandString;
      const auto* text = reinterpret_cast<const wchar_t*>(data.data());
      std::wstring wide(text, read / sizeof(wchar_t));
      wide = wide.substr(0, wide.find(L'\0'));
      value.text = Narrow(wide);
    } else if (type == REG_DWORD && read == sizeof(DWORD)) {
      value.type = RegistryValueType::Number;
      value.number = *reinterpret_cast<const DWORD*>(data.data());
    }
    return true;
  }

  bool WriteString(const std::string& name, const std::string& text) override {
    const std::wstring wide = Widen(text);
    const DWORD bytes = static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(key_, Widen(name).c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(wide.c_str()), bytes) == ERROR_SUCCESS;
  }

  bool WriteNumber(const std::string& name, uint32_t number) override {
    const DWORD value = number;
    return RegSetValueExW(key_, Widen(name).c_str(), 0, REG_DWORD,
                          reinterpret_cast<const BYTE*>(&value), sizeof value) == ERROR_SUCCESS;
  }

  bool Delete(const std::string& name) override {
    return RegDeleteValueW(key_, Widen(name).c_str()) == ERROR_SUCCESS;
  }

 private:
  HKEY key_;
};

}  // namespace

std::unique_ptr<RegistryKey> RegistryKey::OpenCurrentUser(const std::string& path) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, Widen(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
    return nullptr;
  return std::make_unique<WinRegistryKey>(key);
}

}  // namespace platform
