#include "engine/Progress.h"
#include "engine/RunState.h"

bool KeepRunning = true;
int32_t FileCounter = 0;

namespace {
tProgressSink* progressWindow = nullptr;
}  // namespace

tProgressSink* ProgressWindow() { return progressWindow; }

void SetProgressWindow(tProgressSink* window) { progressWindow = window; }
