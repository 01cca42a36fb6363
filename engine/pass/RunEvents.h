#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// What a run tells its frontend, as it happens: one event per file (a transfer that fails
// after it was announced is a second one), per undo step and per problem. The texts a
// user reads are made from these in one place (ui/RunLines.h).
enum class tRunEventKind : uint8_t {
  // The rename pass.
  Transferring,      // Path is about to be moved or copied to Target
  NothingToRename,   // Path's new name is its old one
  NoMetadata,        // Path holds no date the readers can use
  CouldNotRename,    // the move or copy of Path just announced failed (Code)
  CouldNotRead,      // Path could not be read (Detail: the system's message); it keeps its name
  CouldNotStamp,     // Path's times could not be set (Code); it keeps its name
  Kept,              // Path, a companion of more than one file, stays where it is
  TakenBack,         // Path went back to Target (a copy, without Target: it was removed): a
                     // file of its group could not move
  CouldNotTakeBack,  // Path could not go back to Target (Code): its group is split
  // The undo.
  MovedBack,        // Path was moved back to Target
  CopyRemoved,      // Path, a copy the run made, was removed
  LeftCopyRemoved,  // Path, a copy of Target that an interrupted move had left, was removed
  TimesPutBack,     // Path's times are what they were before the run
  CopiedAgain,      // Path was copied to Target again (the undo of an undo that removed it)
  NotUndone,        // Path stays as it is (Reason, Other)
  CannotComeBack,   // the file that Path held before the run was replaced
  ReplacedByLater,  // Path was moved to Target, where a later file of the run replaced it
  UnreadableLine,   // line Number of the journal is no record
  // The frontend: the user asked to stop.
  Stopped,
};
inline constexpr size_t kRunEventKinds = static_cast<size_t>(tRunEventKind::Stopped) + 1;

// Where a file's date came from: the file itself, or, for a file that holds none, as /E
// and /M allow.
enum class tDateSource : uint8_t { Embedded, FileName, TakeoutJson, FileTime };

// Why an undo step was not taken.
enum class tUndoRefusal : uint8_t {
  None,
  ChangedSince,   // the file changed after the run
  NoLongerThere,  // the file is gone
  NameTaken,      // Other, the old name, is taken
  CouldNotRemoveCopy,
  CouldNotMoveBack,
  SourceGone,         // the copy's source Other is gone
  DiffersFromSource,  // the copy differs from its source Other
  CouldNotCopyAgain,
  CouldNotPutTimesBack,
};

// One event. The texts are the caller's and live only as long as the call that hands the
// event over: a sink that keeps them copies them.
struct tRunEvent {
  tRunEventKind Kind = tRunEventKind::Transferring;
  int32_t Number = 0;       // the file's place in its folder's list, the undo step's, a line's
  std::string_view Path;    // the file the event is about
  std::string_view Target;  // where it goes or went
  std::string_view Other;   // a third path a refusal names
  std::string_view Detail;  // the system's message
  tUndoRefusal Reason = tUndoRefusal::None;
  int Code = 0;                                // the system's error code
  tDateSource Source = tDateSource::Embedded;  // of the date that named the file
};

// True for the events of files that were not done as asked (a user looks at these).
bool IsProblem(tRunEventKind kind);

// Where a run's events go: the progress window on Windows, the terminal on Linux, a test.
class tRunEvents {
 public:
  virtual ~tRunEvents() = default;
  // One file's event.
  virtual void Report(const tRunEvent& event) = 0;
  // A folder's pass (or an undo) has ended.
  virtual void PassEnded() {}
  // The run begins and has ended one path pattern.
  virtual void PatternStarting(const std::string& /*pattern*/) {}
  virtual void PatternDone(const std::string& /*pattern*/) {}
  // The run is between two files: a frontend on the run's own thread lets its window
  // messages run here, so that the windows stay painted and Stop is heard.
  virtual void Breathe() {}
};

// What a run came to.
struct tRunResult {
  std::array<int32_t, kRunEventKinds> Counts{};  // events by kind
  int32_t Transferred = 0;                       // files moved or copied
  bool Stopped = false;                          // the user stopped it before its end
  std::string Failure;                           // what ended it, or empty

  int32_t Count(tRunEventKind kind) const { return Counts[static_cast<size_t>(kind)]; }
  // Files that were not done as asked: could not be renamed, read, stamped or undone.
  int32_t Problems() const;
};
