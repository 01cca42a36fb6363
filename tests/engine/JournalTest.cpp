#include <gtest/gtest.h>

#include <algorithm>

#include "engine/Runs.h"
#include "engine/journal/Journal.h"
#include "engine/journal/JournalText.h"
#include "platform/CommandLine.h"
#include "platform/FileOperations.h"
#include "platform/FileTimes.h"
#include "platform/Path.h"
#include "tests/engine/TortureTrees.h"
#include "tests/support/Photos.h"
#include "tests/support/SettingsSandbox.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestRun.h"

using test::ReadBytes;
using test::WriteBytes;

TEST(JournalText, EveryByteOfAPathSurvivesAndTheLineStaysOneLine) {
  std::string all;
  for (int c = 1; c < 256; ++c) all += static_cast<char>(c);
  const std::string escaped = journal_text::Escape(all);
  EXPECT_EQ(std::string::npos, escaped.find_first_of("\t\n\r"));
  EXPECT_EQ(all, journal_text::Unescape(escaped));
  EXPECT_EQ("100%25 %09x%0Ay", journal_text::Escape("100% \tx\ny"));
  EXPECT_EQ("a%zz%4", journal_text::Unescape("a%zz%4")) << "what is no escape stays as it is";
}

TEST(JournalText, TimesGoThereAndBackToTheNanosecond) {
  struct Case {
    int64_t ns;
    const char* text;
  };
  const Case cases[] = {{0, "1970-01-01T00:00:00.000000000Z"},
                        {1083827289123456789, "2004-05-06T07:08:09.123456789Z"},
                        {-1, "1969-12-31T23:59:59.999999999Z"},
                        {-2208988800LL * 1000000000, "1900-01-01T00:00:00.000000000Z"}};
  for (const Case& c : cases) {
    EXPECT_EQ(c.text, journal_text::TimeText(c.ns));
    int64_t back = 0;
    EXPECT_TRUE(journal_text::ParseTime(c.text, back)) << c.text;
    EXPECT_EQ(c.ns, back) << c.text;
  }
  int64_t ignored;
  for (const char* bad :
       {"", "2004-05-06", "2004-13-06T07:08:09.000000000Z", "2004-05-06T07:08:09Z"})
    EXPECT_FALSE(journal_text::ParseTime(bad, ignored)) << bad;
}

TEST(JournalText, RecordsAndMarksAreReadBackAndACutLastLineIsLeftOut) {
  tJournalRecord move;
  move.Number = 1;
  move.From = "C:\\a b\\IMG.JPG";
  move.To = "C:\\a b\\2004\tx.JPG";
  move.Facts = {1234, 1083827289000000000, 1083827280000000000};
  move.Stamped = true;
  move.BeforeStamp = {1234, 5, platform::kNoTime};
  move.Replaced = true;
  tJournalRecord folder;
  folder.Number = 2;
  folder.Kind = tJournalKind::MakeFolder;
  folder.From = "/x/sorted";
  const std::string text = journal_text::Header(0, "/old.txt") + journal_text::RecordLine(move) +
                           journal_text::ViaLine(1, "/tmp/v") + journal_text::DoneLine(1) +
                           journal_text::RecordLine(folder) + journal_text::FailedLine(2, 17) +
                           "garbage line\n" + "3\tmove\tfrom=/a\tto=/b";  // cut short
  tJournalContents contents;
  ASSERT_TRUE(journal_text::Parse(text, contents));
  EXPECT_EQ("/old.txt", contents.Undoes);
  ASSERT_EQ(2u, contents.Records.size());
  const tJournalRecord& a = contents.Records[0];
  EXPECT_EQ(move.From, a.From);
  EXPECT_EQ(move.To, a.To);
  EXPECT_EQ("/tmp/v", a.Via);
  EXPECT_EQ(1234, a.Facts.size);
  EXPECT_EQ(move.Facts.modified, a.Facts.modified);
  EXPECT_EQ(move.Facts.created, a.Facts.created);
  EXPECT_TRUE(a.Stamped);
  EXPECT_EQ(5, a.BeforeStamp.modified);
  EXPECT_EQ(platform::kNoTime, a.BeforeStamp.created);
  EXPECT_TRUE(a.Replaced);
  EXPECT_EQ(tJournalState::Done, a.State);
  EXPECT_EQ(tJournalKind::MakeFolder, contents.Records[1].Kind);
  EXPECT_EQ(tJournalState::Failed, contents.Records[1].State);
  EXPECT_EQ(17, contents.Records[1].Failure);
  EXPECT_EQ(1u, contents.UnreadableLines.size());
  EXPECT_FALSE(journal_text::Parse("some other file\n", contents));
  // A journal whose header was cut short by a kill holds nothing.
  EXPECT_TRUE(journal_text::Parse("Stampel jou", contents));
  EXPECT_TRUE(contents.Records.empty());
  EXPECT_TRUE(journal_text::Parse("", contents));
}

namespace {

class Journals : public ::testing::Test {
 protected:
  test::TempDir dir;
  test::SettingsSandbox settings;
  test::TestRun run;
};

}  // namespace

TEST_F(Journals, OnlyTheLatestFiftyAreKept) {
  const std::string folder = settings.JournalFolder() + platform::PathSeparator();
  ASSERT_TRUE(platform::ForceDirectories(folder));
  for (int i = 0; i < 55; ++i) {
    char name[64];
    std::snprintf(name, sizeof name, "20000101T0000%02d.000Z-000000.txt", i);
    WriteBytes(folder + name, "Stampel journal 1\n");
  }
  WriteBytes(folder + "notes.txt", "not a journal");
  WriteBytes(dir / "a.jpg", test::Photo({"2004:05:06 07:08:09"}));
  ASSERT_EQ(1, run.RunRename({dir / "a.jpg"}).Transferred);
  const std::vector<std::string> journals = ListJournals(platform::RealFileSystem(), folder);
  ASSERT_EQ(kJournalsKept, journals.size());
  EXPECT_EQ(folder + "20000101T000006.000Z-000000.txt", journals.front());
  EXPECT_EQ(run.LastRunJournal(), journals.back());
  // A journal that a run killed at its start left holds nothing: the run before is the last.
  WriteBytes(folder + "29990101T000000.000Z-000000.txt", "");
  EXPECT_EQ(journals.back(), run.LastRunJournal());
  EXPECT_TRUE(test::Exists(folder + "notes.txt"));
}

// Two runs in one millisecond, or a clock put back: the last run's journal is still the
// last name, so that /U takes back the run just made.
TEST_F(Journals, TheLastRunIsTheLastNameWhateverTheClockSays) {
  const std::string folder = settings.JournalFolder() + platform::PathSeparator();
  ASSERT_TRUE(platform::ForceDirectories(folder));
  const std::string future = folder + "22001231T235959.998Z-ffffff.txt";
  WriteBytes(future, "Stampel journal 1\n");
  for (const char* name : {"a.jpg", "b.jpg"}) {
    WriteBytes(dir / name, test::Photo({"2004:05:06 07:08:09"}));
    ASSERT_EQ(1, run.RunRename({dir / name}).Transferred);
    const std::string last = run.LastRunJournal();
    EXPECT_GT(last, future);
    const tJournalContents contents = ReadJournal(platform::RealFileSystem(), last);
    ASSERT_FALSE(contents.Records.empty());
    EXPECT_EQ(platform::AbsolutePath(dir / name), contents.Records.back().From);
  }
}

TEST_F(Journals, NamesWithAnyCharacterComeBack) {
  std::vector<std::string> names = {"100% sure.jpg", "caf\xC3\xA9 \xE2\x82\xAC.jpg", "a  b.jpg"};
  if (platform::SlashStartsPaths())
    names.push_back("tab\tand\nline.jpg");  // POSIX names may hold them
  for (size_t i = 0; i < names.size(); ++i)
    WriteBytes(dir / names[i], test::Photo({"2004:05:06 07:08:09", "", "", 0, 0, names[i]}));
  const auto before = test::Snapshot(dir.Path());
  run.options.UseCounter = true;
  ASSERT_EQ(static_cast<int32_t>(names.size()), run.RunRename({dir / "*.jpg"}).Transferred);
  ASSERT_NE(before, test::Snapshot(dir.Path()));
  const std::string journal = run.LastRunJournal();
  const std::string text = ReadBytes(journal);
  EXPECT_NE(std::string::npos, text.find("100%25 sure.jpg"));
  EXPECT_EQ(static_cast<int32_t>(names.size()), run.UndoRun(journal).Undone);
  EXPECT_EQ(before, test::Snapshot(dir.Path()));
}

// A journal as a killed run leaves it: records without their "done".
TEST_F(Journals, AKilledRunIsUndoneWhereverTheKillFell) {
  auto facts = [](const std::string& path) {
    platform::FileFacts f;
    EXPECT_TRUE(platform::ReadFileFacts(path, f)) << path;
    return f;
  };
  auto record = [](tJournalKind kind, const std::string& from, const std::string& to,
                   const platform::FileFacts& f) {
    tJournalRecord r;
    r.Kind = kind;
    r.From = from;
    r.To = to;
    r.Facts = f;
    return r;
  };
  for (const char* name : {"never.jpg", "moved.jpg", "twice.jpg", "copied.jpg", "detour.jpg"})
    WriteBytes(dir / name, std::string("bytes of ") + name);
  const auto before = test::Snapshot(dir.Path());
  std::string path;
  {
    tJournal journal(platform::RealFileSystem(), settings.JournalFolder());
    // Killed before the move began.
    journal.Begin(record(tJournalKind::Move, dir / "never.jpg", dir / "never2.jpg",
                         facts(dir / "never.jpg")));
    // Killed after the move, before its mark.
    journal.Begin(record(tJournalKind::Move, dir / "moved.jpg", dir / "moved2.jpg",
                         facts(dir / "moved.jpg")));
    platform::MoveFileSafely(dir / "moved.jpg", dir / "moved2.jpg", false);
    // A move to another file system killed after its copy was in place.
    journal.Begin(record(tJournalKind::Move, dir / "twice.jpg", dir / "twice2.jpg",
                         facts(dir / "twice.jpg")));
    platform::CopyFileSafely(dir / "twice.jpg", dir / "twice2.jpg", false);
    // A copy killed before it was in place.
    journal.Begin(record(tJournalKind::Copy, dir / "copied.jpg", dir / "copied2.jpg",
                         facts(dir / "copied.jpg")));
    // A letter-case rename killed on its way through a temporary name.
    const int64_t detour = journal.Begin(record(tJournalKind::Move, dir / "detour.jpg",
                                                dir / "DETOUR.jpg", facts(dir / "detour.jpg")));
    journal.Via(detour, dir / "~tmp.jpg");
    platform::MoveFileSafely(dir / "detour.jpg", dir / "~tmp.jpg", false);
    path = journal.Path();
  }
  EXPECT_EQ(5, JournalFileCount(platform::RealFileSystem(), path));
  const tUndoResult result = run.UndoRun(path);
  EXPECT_EQ(0, result.Refused);
  EXPECT_EQ(3, result.Undone);  // moved back, the extra copy removed, the detour back
  EXPECT_EQ(before, test::Snapshot(dir.Path()));
}

// The journal takes a file's size and time from the reader's look, unless the stamp changed
// the times since: then it asks again, or the undo would take the file for an edited one.
TEST_F(Journals, ARecordHoldsTheFactsOfTheFileAsItIsMoved) {
  for (bool stamp : {false, true}) {
    SCOPED_TRACE(stamp ? "stamped" : "not stamped");
    WriteBytes(dir / "a.jpg", test::Photo({"2004:05:06 07:08:09"}));
    // A time every system keeps exactly (Windows counts in steps of 100 ns).
    ASSERT_TRUE(platform::SetExactFileTimes(dir / "a.jpg", 1000000000123456700, platform::kNoTime));
    run.options.Format = stamp ? "yyyy_" : "yyyy-";
    run.options.SetFileStamp = stamp;
    ASSERT_EQ(1, run.RunRename({dir / "a.jpg"}).Transferred);
    const std::string moved = dir / (stamp ? "2004_a.jpg" : "2004-a.jpg");
    platform::FileFacts now;
    ASSERT_TRUE(platform::ReadFileFacts(moved, now));
    const tJournalContents contents = ReadJournal(platform::RealFileSystem(), run.LastRunJournal());
    const auto move =
        std::find_if(contents.Records.begin(), contents.Records.end(),
                     [](const tJournalRecord& r) { return r.Kind == tJournalKind::Move; });
    ASSERT_NE(contents.Records.end(), move);
    EXPECT_EQ(now.size, move->Facts.size);
    EXPECT_EQ(now.modified, move->Facts.modified);
    EXPECT_EQ(stamp, now.modified != 1000000000123456700);
    platform::RemoveFile(moved);
  }
}
