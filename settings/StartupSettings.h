#pragma once

#include "settings/SettingsStore.h"

// The values read once at start-up that shape every run of the process. Each falls back
// to its default when the value is absent, of another type or the key is not open.

// VideoTimesAreLocal: the movie header times of video files hold the camera's local time
// instead of UTC, as some cameras write them. Default false (the file format's rule).
bool LoadVideoTimesAreLocal(tSettingsStore& store);

// Companions: the files that belong together (sidecars, RAW+JPEG pairs, Live Photo
// halves) move together. A number, 0 turning it off. Default true.
bool LoadCompanions(tSettingsStore& store);
