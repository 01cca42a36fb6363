#include "ui/RunLines.h"

#include "platform/Errors.h"
#include "platform/Messages.h"
#include "ui/ProgressTexts.h"

namespace ui {

namespace {

std::string Prefix(const tRunEvent& event) {
  return "Stampel " + std::to_string(event.Number) + ": " + std::string(event.Path) + " -> ";
}

std::string RefusalText(const tRunEvent& event) {
  const std::string other(event.Other);
  switch (event.Reason) {
    case tUndoRefusal::ChangedSince:
      return "changed since the run";
    case tUndoRefusal::NoLongerThere:
      return "no longer there";
    case tUndoRefusal::NameTaken:
      return other + " is taken";
    case tUndoRefusal::CouldNotRemoveCopy:
      return "couldn't remove this copy";
    case tUndoRefusal::CouldNotMoveBack:
      return "couldn't move this file back";
    case tUndoRefusal::SourceGone:
      return "its source " + other + " is gone";
    case tUndoRefusal::DiffersFromSource:
      return "it differs from its source " + other;
    case tUndoRefusal::CouldNotCopyAgain:
      return "couldn't copy this file again";
    case tUndoRefusal::CouldNotPutTimesBack:
      return "couldn't put its times back";
    case tUndoRefusal::None:
      break;
  }
  return "not possible";
}

// A failure while writing a line must not stop the run.
template <typename Write>
void Guarded(Write write) {
  try {
    write();
  } catch (const EInOutError&) {
  }
}

// What a file's line adds when its date came from elsewhere than the file itself.
const char* SourceText(tDateSource source) {
  switch (source) {
    case tDateSource::FileName:
      return " (date from the file name)";
    case tDateSource::TakeoutJson:
      return " (date from the Takeout JSON)";
    case tDateSource::FileTime:
      return " (date from the file time)";
    case tDateSource::Embedded:
      break;
  }
  return "";
}

}  // namespace

std::string RunLineText(const tRunEvent& event) {
  const std::string target(event.Target);
  switch (event.Kind) {
    case tRunEventKind::Transferring:
      return Prefix(event) + target + SourceText(event.Source);
    case tRunEventKind::MovedBack:
    case tRunEventKind::CopiedAgain:
      return Prefix(event) + target;
    case tRunEventKind::NothingToRename:
      return Prefix(event) + "nothing to rename" + SourceText(event.Source);
    case tRunEventKind::NoMetadata:
      return Prefix(event) + "no Exif information available";
    case tRunEventKind::CouldNotRename:
      return Prefix(event) + "couldn't rename this file";
    case tRunEventKind::CouldNotRead:
      return Prefix(event) + "couldn't read this file";
    case tRunEventKind::CouldNotStamp:
      return Prefix(event) + "couldn't set this file's times";
    case tRunEventKind::Kept:
      return Prefix(event) + "kept: belongs to more than one file";
    case tRunEventKind::TakenBack:
      // A copy goes; a moved file goes back to its old name.
      if (target.empty())
        return Prefix(event) + "copy removed: its group could not be copied whole";
      return Prefix(event) + "taken back to " + target + ": its group could not move whole";
    case tRunEventKind::CouldNotTakeBack:
      return Prefix(event) + "couldn't take this file back to " + target + ": its group is split";
    case tRunEventKind::CopyRemoved:
      return Prefix(event) + "copy removed";
    case tRunEventKind::LeftCopyRemoved:
      return Prefix(event) + "removed: a copy of " + target + " that the run had left";
    case tRunEventKind::TimesPutBack:
      return Prefix(event) + "times put back";
    case tRunEventKind::NotUndone:
      return Prefix(event) + "not undone: " + RefusalText(event);
    case tRunEventKind::CannotComeBack:
      return Prefix(event) +
             "the file this name held before the run was replaced and cannot come back";
    case tRunEventKind::ReplacedByLater:
      return Prefix(event) + "replaced at " + target +
             " by a later file of the run: it cannot come back";
    case tRunEventKind::UnreadableLine:
      return "Stampel: line " + std::to_string(event.Number) + " of the journal cannot be read";
    case tRunEventKind::Stopped:
      return kStoppedLine;
  }
  return Prefix(event);
}

bool IsAlertLine(tRunEventKind kind) { return LineIncrement(kind) == 0; }

int32_t LineIncrement(tRunEventKind kind) {
  switch (kind) {
    case tRunEventKind::Transferring:
    case tRunEventKind::MovedBack:
    case tRunEventKind::CopyRemoved:
    case tRunEventKind::LeftCopyRemoved:
    case tRunEventKind::TimesPutBack:
    case tRunEventKind::CopiedAgain:
      return 1;
    default:
      return 0;
  }
}

void tProgressLines::Report(const tRunEvent& event) {
  if (sink_ == nullptr) return;
  const std::string text = RunLineText(event);
  const int32_t increment = LineIncrement(event.Kind);
  Guarded([&] {
    if (increment > 0)
      sink_->AddLine(text, increment);
    else
      sink_->AddAlertLine(text, 0);
  });
}

void tProgressLines::PassEnded() {
  if (sink_ != nullptr) Guarded([&] { sink_->ClearStatus(); });
}

void tProgressLines::Breathe() { platform::ProcessMessages(); }

}  // namespace ui
