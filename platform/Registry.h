#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace platform {

enum class RegistryValueType { String, ExpandString, Number, Other };

struct RegistryValue {
  RegistryValueType type = RegistryValueType::Other;
  std::string text;     // String and ExpandString: the text up to its first NUL
  uint32_t number = 0;  // Number: the 32-bit value
};

// A key under HKEY_CURRENT_USER, opened with full access. On Windows the registry itself;
// on POSIX a REGEDIT4 text file (see RegistryFile.cpp).
class RegistryKey {
 public:
  // Opens the key, creating it when absent; nullptr when that is not possible.
  static std::unique_ptr<RegistryKey> OpenCurrentUser(const std::string& path);

  virtual ~RegistryKey() = default;
  // False when the value is absent or cannot be queried.
  virtual bool Query(const std::string& name, RegistryValue& value) = 0;
  // Create or replace a string (REG_SZ) or 32-bit number (REG_DWORD) value; false on failure.
  virtual bool WriteString(const std::string& name, const std::string& text) = 0;
  virtual bool WriteNumber(const std::string& name, uint32_t number) = 0;
  // Removes a value; false when it was not there or could not be removed.
  virtual bool Delete(const std::string& name) = 0;
};

}  // namespace platform
