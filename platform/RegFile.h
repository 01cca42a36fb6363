#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/Registry.h"

namespace platform {

// The values of one registry key as a REGEDIT4 text, the form the POSIX build keeps its
// settings in:
//
//   REGEDIT4
//
//   [HKEY_CURRENT_USER\Software\Stampel]
//   "LastPath"="*.jpg"
//   "LastFormatSelection"=dword:00000000
//
// Strings escape "\" and the double quote with a backslash; other value types are kept as
// regedit writes them (hex(2): for expandable strings, hex: for the rest).
class RegFile {
 public:
  struct Entry {
    std::string name;
    RegistryValue value;
    std::string raw;  // Other: the text after "=" as read, written back unchanged
  };

  // Parses the text of a file written for the key at keyPath (such as
  // "HKEY_CURRENT_USER\Software\Stampel"). False, keeping no entries, when the text holds
  // anything else: another key, a malformed line, an unknown header.
  bool Parse(const std::string& text, const std::string& keyPath);
  std::string Serialize(const std::string& keyPath) const;

  const Entry* Find(const std::string& name) const;
  void Set(const std::string& name, const RegistryValue& value);
  bool Remove(const std::string& name);
  const std::vector<Entry>& Entries() const { return entries_; }

 private:
  std::vector<Entry> entries_;
};

}  // namespace platform
