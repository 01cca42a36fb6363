#include "settings/StartupSettings.h"

#include "settings/ValueNames.h"

namespace {

bool LoadFlag(tSettingsStore& store, const char* name, bool fallback) {
  if (!store.IsOpen()) return fallback;
  try {
    return store.ReadBoolValue(name);
  } catch (const ERegistryException&) {
    return fallback;
  }
}

}  // namespace

bool LoadVideoTimesAreLocal(tSettingsStore& store) {
  return LoadFlag(store, values::kVideoTimesAreLocal, false);
}

bool LoadCompanions(tSettingsStore& store) { return LoadFlag(store, values::kCompanions, true); }
