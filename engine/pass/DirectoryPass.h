#pragma once

// The rename pass of one folder, as RenameDirectory runs it: shared by its files (the
// pass itself, the groups of files that belong together, the dates of files that hold
// none). Nothing outside engine/pass includes it.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/group/CompanionNames.h"
#include "engine/group/FolderGroups.h"
#include "engine/pass/MovePlanner.h"
#include "engine/pass/Run.h"
#include "engine/pass/RunEvents.h"
#include "platform/FileSystem.h"
#include "platform/Path.h"
#include "readers/BaseFile.h"

class tReadAhead;

namespace directory_pass {

// The folder part of a pattern, ending in a separator, or empty for the working folder.
std::string DirectoryPrefix(const std::string& pattern);

// A file that moves with the leader of its group (the leader itself comes first).
struct GroupMember {
  int32_t number = 0;
  std::string source;
  std::string target;
  platform::FileFacts facts;
  TDateTime moment = 0;  // a photo's or clip's own date; 0 for a companion
  tDateSource from = tDateSource::Embedded;
  bool companion = false;  // a sidecar, edit file, thumbnail and the like
  size_t owner = 0;        // a companion: the member whose new name it follows
  tTie tie = tTie::FullName;
  std::string tail;  // what its new name keeps after the owner's new name or base
};

// What the pass found out about one file before it changes anything.
struct PreparedFile {
  enum class Outcome { Rename, NoMetadata, Unreadable, Skipped, Kept };
  Outcome outcome = Outcome::Rename;
  int32_t number = 0;
  std::string source;
  std::string target;    // the composed target; the source itself when there is no date
  TDateTime moment = 0;  // the chosen date-time
  tDateSource from = tDateSource::Embedded;  // where it came from
  std::string detail;                        // an unreadable file's message
  int32_t counterBefore = 0;                 // the counter before the file took its number
  platform::FileFacts facts;                 // as the reader found the file
  std::vector<GroupMember> group;            // the files of its group, this one first; empty alone
};

// A file read for its date, its reader kept open for the name.
struct LookedFile {
  PreparedFile file;
  std::unique_ptr<tBaseFile> reader;
  int rank = 0;
  std::string stem;  // once composed: what its date and keywords make
};

// What the folders of one pattern share: the folder last made or found.
struct PassState {
  std::string knownFolder;
};

// One folder's pass: its files, then, with Recurse, a pass of each subfolder.
class DirectoryPass {
 public:
  DirectoryPass(tRun& run, const std::string& pattern, PassState& state)
      : run_(run),
        files_(*run.Files),
        pattern_(platform::NativePath(pattern)),
        prefix_(DirectoryPrefix(pattern_)),
        state_(state) {}

  int32_t Run();

 private:
  // Looks at the files at positionAt(0 .. count-1) of the list, then changes them, a
  // batch at a time.
  template <typename PositionAt>
  void Work(size_t count, PositionAt positionAt, tReadAhead* readAhead);

  void Breathe();

  void Report(tRunEventKind kind, int32_t number, std::string_view path,
              std::string_view target = {}, int code = 0, std::string_view detail = {},
              tDateSource from = tDateSource::Embedded);

  void Report(tRunEventKind kind, const PreparedFile& file, std::string_view target = {},
              int code = 0);

  // Reads the file and composes its target. Changes nothing on disk.
  PreparedFile Prepare(int32_t number, const std::string& source);

  // Opens the file and reads its date; its reader stays open for its name.
  LookedFile Look(int32_t number, const std::string& source);

  // --- dates for files that hold none ---------------------------------------------

  bool ElsewhereAsked() const;

  // A file of a known kind whose reader found no metadata (a JPEG without Exif, a PNG
  // screenshot): dated from elsewhere as asked, or it holds no date as before.
  void LookBare(LookedFile& looked, tFileKind kind);

  // The date of a file that holds none, in the order the options ask for it: its Takeout
  // JSON and its name (/E), its modification time (/M); 0 when none has one. The JSON
  // found but unreadable is a read error (EReadError): no later source stands in for it.
  TDateTime Elsewhere(PreparedFile& file);

  // The date moved by the run's clock shift (no date stays no date).
  TDateTime Shifted(TDateTime moment) const;

  // The names of the folder's files: the grouping's when it has them, else listed once.
  const tFolderNames& FolderNames();

  static void Fail(LookedFile& looked, PreparedFile::Outcome outcome, std::string detail);

  // The target of a file looked at: the stem its date and keywords make, the counter's
  // next number and its old name. A file without a date keeps its name (it is reported
  // as nothing to rename): a name made of the counter and extension alone would tell the
  // user nothing.
  void Compose(LookedFile& looked);

  std::string Stem(tBaseFile& reader, TDateTime moment);

  std::string TargetFor(const std::string& stem, const std::string& source);

  // --- files that belong together ---------------------------------------------------

  std::string IdentifierOf(uint32_t file);

  int32_t NumberOf(uint32_t file) const;

  // The groups of the base of the file at this position, each led by its first file,
  // then the kept companions and the files of the base without a date.
  void PrepareGroups(size_t position, std::vector<PreparedFile>& batch);

  template <typename LookAt>
  void AddGroup(const tGroupPlan& plan, LookAt& lookAt, std::vector<PreparedFile>& batch);

  // --- the changes ----------------------------------------------------------------

  // The intents of the batch's plain moves go to the journal before any of them is made.
  void Plan(const std::vector<PreparedFile>& batch);

  void Execute(const std::vector<PreparedFile>& batch);

  void Change(const PreparedFile& file);

  // Moves, copies or respells the file; 0 or the system's code.
  int Transfer(const std::string& source, const std::string& target, bool replace,
               bool letterCaseOnly);

  // The members of a group move one after the other, the leader first, under the first
  // variant of their names that is free for all of them. When one cannot move, the ones
  // moved before it go back: a group is never left split.
  void ChangeGroup(const PreparedFile& file);

  // The targets of the group under the first variant free for every moving member (all
  // of them taken: the last one); with /Y the targets themselves.
  std::vector<std::string> FreeTargets(const std::vector<GroupMember>& group,
                                       const std::vector<size_t>& moving);

  // The members moved (or copied) so far go back where they were, the last first.
  void TakeBack(const std::vector<GroupMember>& group, const std::vector<size_t>& moved,
                const std::vector<std::string>& targets);

  // The /T stamp: both file times become the moment, unless both already are. A file
  // that cannot be opened for writing (a read-only one) is left alone. False, with its
  // event, when the times could not be written: the file then keeps its name.
  bool Stamp(int32_t number, const std::string& source, TDateTime moment);

  // A folder that cannot be made shows as a failed move or copy.
  void MakeFolder(const std::string& folder);

  // The common case of a bulk rename: a move to a name nobody holds. The move itself
  // refuses an existing target, so asking first would only look the name up twice; the
  // line follows the move at once. False, with nothing done, when the name is held (or
  // the case needs the full treatment): the collision rules then take over.
  bool TryPlainMove(const PreparedFile& file);

  std::string FreeName(const std::string& target);

  tRun& run_;
  platform::FileSystem& files_;
  const std::string pattern_;
  const std::string prefix_;
  PassState& state_;
  std::vector<std::string> names_;
  std::unique_ptr<tFolderGroups> groups_;
  std::unique_ptr<tFolderNames> folderNames_;  // listed for a file's Takeout JSON
  TDateTime latest_ = 0;                       // the latest date a file name may hold
  std::vector<tPlannedMove> moves_;
  std::string counter_;
  int32_t count_ = 0;
};

}  // namespace directory_pass
