#pragma once

#include "settings/SettingsStore.h"

// The value VideoTimesAreLocal: the movie header times of video files hold the camera's
// local time instead of UTC, as some cameras write them. False (the file format's rule)
// when the value is absent, of another type or the key is not open.
bool LoadVideoTimesAreLocal(tSettingsStore& store);
