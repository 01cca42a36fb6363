#include "engine/pass/Run.h"

void tRun::Report(const tRunEvent& event) {
  ++Result.Counts[static_cast<size_t>(event.Kind)];
  if (Events != nullptr) Events->Report(event);
}
