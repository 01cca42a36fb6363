#include "engine/pass/RunEvents.h"

bool IsProblem(tRunEventKind kind) {
  switch (kind) {
    case tRunEventKind::CouldNotRename:
    case tRunEventKind::CouldNotRead:
    case tRunEventKind::CouldNotStamp:
    case tRunEventKind::CouldNotTakeBack:
    case tRunEventKind::NotUndone:
    case tRunEventKind::CannotComeBack:
    case tRunEventKind::ReplacedByLater:
    case tRunEventKind::UnreadableLine:
      return true;
    default:
      return false;
  }
}

int32_t tRunResult::Problems() const {
  int32_t problems = 0;
  for (size_t kind = 0; kind < kRunEventKinds; ++kind)
    if (IsProblem(static_cast<tRunEventKind>(kind))) problems += Counts[kind];
  return problems;
}
