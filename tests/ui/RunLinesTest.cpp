#include <gtest/gtest.h>

#include "ui/RunLines.h"

namespace {

using K = tRunEventKind;
using R = tUndoRefusal;

tRunEvent Event(K kind, std::string_view path = "/p/a.jpg", std::string_view target = {},
                R reason = R::None, std::string_view other = {}) {
  tRunEvent event;
  event.Kind = kind;
  event.Number = 7;
  event.Path = path;
  event.Target = target;
  event.Reason = reason;
  event.Other = other;
  return event;
}

tRunEvent From(tRunEvent event, tDateSource source) {
  event.Source = source;
  return event;
}

// The lines users (and their scripts) read, byte for byte, with what each adds to the
// progress window's count; all but transfers and undo steps are alert lines.
TEST(RunLines, EveryEventHasItsLine) {
  struct Case {
    tRunEvent event;
    const char* text;
    int32_t increment;
  };
  const Case cases[] = {
      {Event(K::Transferring, "/p/a.jpg", "/p/2004_a.jpg"), "Stampel 7: /p/a.jpg -> /p/2004_a.jpg",
       1},
      {Event(K::NothingToRename), "Stampel 7: /p/a.jpg -> nothing to rename", 0},
      {From(Event(K::Transferring, "/p/a.jpg", "/p/2004_a.jpg"), tDateSource::FileName),
       "Stampel 7: /p/a.jpg -> /p/2004_a.jpg (date from the file name)", 1},
      {From(Event(K::Transferring, "/p/a.jpg", "/p/2004_a.jpg"), tDateSource::TakeoutJson),
       "Stampel 7: /p/a.jpg -> /p/2004_a.jpg (date from the Takeout JSON)", 1},
      {From(Event(K::NothingToRename), tDateSource::FileTime),
       "Stampel 7: /p/a.jpg -> nothing to rename (date from the file time)", 0},
      {Event(K::NoMetadata), "Stampel 7: /p/a.jpg -> no Exif information available", 0},
      {Event(K::CouldNotRename), "Stampel 7: /p/a.jpg -> couldn't rename this file", 0},
      {Event(K::CouldNotRead), "Stampel 7: /p/a.jpg -> couldn't read this file", 0},
      {Event(K::CouldNotStamp), "Stampel 7: /p/a.jpg -> couldn't set this file's times", 0},
      {Event(K::Kept, "/p/a.xmp"), "Stampel 7: /p/a.xmp -> kept: belongs to more than one file", 0},
      {Event(K::TakenBack, "/p/2004_a.jpg", "/p/a.jpg"),
       "Stampel 7: /p/2004_a.jpg -> taken back to /p/a.jpg: its group could not move whole", 0},
      {Event(K::TakenBack, "/q/a.jpg"),
       "Stampel 7: /q/a.jpg -> copy removed: its group could not be copied whole", 0},
      {Event(K::CouldNotTakeBack, "/p/2004_a.jpg", "/p/a.jpg"),
       "Stampel 7: /p/2004_a.jpg -> couldn't take this file back to /p/a.jpg: its group is split",
       0},
      {Event(K::MovedBack, "/p/2004_a.jpg", "/p/a.jpg"), "Stampel 7: /p/2004_a.jpg -> /p/a.jpg", 1},
      {Event(K::CopyRemoved), "Stampel 7: /p/a.jpg -> copy removed", 1},
      {Event(K::LeftCopyRemoved, "/q/a.jpg", "/p/a.jpg"),
       "Stampel 7: /q/a.jpg -> removed: a copy of /p/a.jpg that the run had left", 1},
      {Event(K::TimesPutBack), "Stampel 7: /p/a.jpg -> times put back", 1},
      {Event(K::CopiedAgain, "/p/a.jpg", "/q/a.jpg"), "Stampel 7: /p/a.jpg -> /q/a.jpg", 1},
      {Event(K::NotUndone, "/p/a.jpg", {}, R::ChangedSince),
       "Stampel 7: /p/a.jpg -> not undone: changed since the run", 0},
      {Event(K::NotUndone, "/p/a.jpg", {}, R::NoLongerThere),
       "Stampel 7: /p/a.jpg -> not undone: no longer there", 0},
      {Event(K::NotUndone, "/q/a.jpg", {}, R::NameTaken, "/p/a.jpg"),
       "Stampel 7: /q/a.jpg -> not undone: /p/a.jpg is taken", 0},
      {Event(K::NotUndone, "/p/a.jpg", {}, R::CouldNotRemoveCopy),
       "Stampel 7: /p/a.jpg -> not undone: couldn't remove this copy", 0},
      {Event(K::NotUndone, "/p/a.jpg", {}, R::CouldNotMoveBack),
       "Stampel 7: /p/a.jpg -> not undone: couldn't move this file back", 0},
      {Event(K::NotUndone, "/q/a.jpg", {}, R::SourceGone, "/p/a.jpg"),
       "Stampel 7: /q/a.jpg -> not undone: its source /p/a.jpg is gone", 0},
      {Event(K::NotUndone, "/q/a.jpg", {}, R::DiffersFromSource, "/p/a.jpg"),
       "Stampel 7: /q/a.jpg -> not undone: it differs from its source /p/a.jpg", 0},
      {Event(K::NotUndone, "/p/a.jpg", {}, R::CouldNotCopyAgain),
       "Stampel 7: /p/a.jpg -> not undone: couldn't copy this file again", 0},
      {Event(K::NotUndone, "/p/a.jpg", {}, R::CouldNotPutTimesBack),
       "Stampel 7: /p/a.jpg -> not undone: couldn't put its times back", 0},
      {Event(K::CannotComeBack),
       "Stampel 7: /p/a.jpg -> the file this name held before the run was replaced and cannot "
       "come back",
       0},
      {Event(K::ReplacedByLater, "/p/a.jpg", "/p/x.jpg"),
       "Stampel 7: /p/a.jpg -> replaced at /p/x.jpg by a later file of the run: it cannot come "
       "back",
       0},
      {Event(K::UnreadableLine), "Stampel: line 7 of the journal cannot be read", 0},
      {Event(K::Stopped), "Stopped...", 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.text, ui::RunLineText(c.event));
    EXPECT_EQ(c.increment, ui::LineIncrement(c.event.Kind)) << c.text;
    EXPECT_EQ(c.increment == 0, ui::IsAlertLine(c.event.Kind)) << c.text;
  }
}

}  // namespace
