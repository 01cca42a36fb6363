#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>

namespace platform {
class RegistryKey;
}

// A registry value that could not be read as the wanted type, or could not be written.
class ERegistryException : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The key HKEY_CURRENT_USER\Software\Stampel, which holds everything the program remembers.
class tSettingsStore {
 public:
  tSettingsStore();
  ~tSettingsStore();

  // Opens the key, creating it when absent; false when that is not possible.
  bool Open(const std::string& keyPath);
  void Close();
  // True while the key is open; readers and writers test it first.
  bool IsOpen() const;

  // "" for an absent or empty value; the text of a string value (up to its first NUL);
  // ERegistryException for a value of another type.
  std::string ReadStringValue(const std::string& name);
  // ERegistryException when absent, unreadable or not a 32-bit number.
  int32_t ReadIntegerValue(const std::string& name);
  bool ReadBoolValue(const std::string& name);

  // Create or replace; ERegistryException naming the value when not open or on failure.
  void WriteStringValue(const std::string& name, const std::string& text);
  void WriteIntegerValue(const std::string& name, int32_t value);
  void WriteBoolValue(const std::string& name, bool value);

  // False when the value was not there (or the key is not open).
  bool DeleteValue(const std::string& name);

 private:
  std::unique_ptr<platform::RegistryKey> key_;
};
