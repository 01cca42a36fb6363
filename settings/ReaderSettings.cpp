#include "settings/ReaderSettings.h"

#include "settings/ValueNames.h"

bool LoadVideoTimesAreLocal(tSettingsStore& store) {
  if (!store.IsOpen()) return false;
  try {
    return store.ReadBoolValue(values::kVideoTimesAreLocal);
  } catch (const ERegistryException&) {
    return false;
  }
}
