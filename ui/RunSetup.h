#pragma once

#include <cstdint>

#include "engine/pass/Run.h"

namespace ui {

// A run as a frontend starts it: with these options, on the real file system, with the
// naming settings of now (the locale's formats, the model translations and orientation
// words of the settings) and the reader options read at start-up. The counter, the cancel
// token and the events are the frontend's and must outlive the run.
tRun MakeRun(const tRunOptions& options, const tReaderOptions& readers, int32_t& counter,
             tCancelToken& cancel, tRunEvents& events);

}  // namespace ui
