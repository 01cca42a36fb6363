#include "settings/SettingsStore.h"

#include "platform/Registry.h"

using platform::RegistryValue;
using platform::RegistryValueType;

tSettingsStore::tSettingsStore() = default;
tSettingsStore::~tSettingsStore() = default;

bool tSettingsStore::Open(const std::string& keyPath) {
  key_ = platform::RegistryKey::OpenCurrentUser(keyPath);
  return key_ != nullptr;
}

void tSettingsStore::Close() { key_.reset(); }

bool tSettingsStore::IsOpen() const { return key_ != nullptr; }

std::string tSettingsStore::ReadStringValue(const std::string& name) {
  RegistryValue value;
  if (!key_ || !key_->Query(name, value)) return std::string();
  if (value.type == RegistryValueType::String || value.type == RegistryValueType::ExpandString)
    return value.text;
  throw ERegistryException("Invalid data type for '" + name + "'");
}

int32_t tSettingsStore::ReadIntegerValue(const std::string& name) {
  RegistryValue value;
  if (!key_ || !key_->Query(name, value) || value.type != RegistryValueType::Number)
    throw ERegistryException("Invalid data type for '" + name + "'");
  return static_cast<int32_t>(value.number);
}

bool tSettingsStore::ReadBoolValue(const std::string& name) { return ReadIntegerValue(name) != 0; }

void tSettingsStore::WriteStringValue(const std::string& name, const std::string& text) {
  if (!key_ || !key_->WriteString(name, text))
    throw ERegistryException("Failed to set data for '" + name + "'");
}

void tSettingsStore::WriteIntegerValue(const std::string& name, int32_t value) {
  if (!key_ || !key_->WriteNumber(name, static_cast<uint32_t>(value)))
    throw ERegistryException("Failed to set data for '" + name + "'");
}

void tSettingsStore::WriteBoolValue(const std::string& name, bool value) {
  WriteIntegerValue(name, value ? 1 : 0);
}

bool tSettingsStore::DeleteValue(const std::string& name) { return key_ && key_->Delete(name); }
