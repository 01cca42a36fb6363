#include "tests/support/TestRun.h"

#include "engine/Runs.h"
#include "engine/format/LocaleFormats.h"
#include "engine/pass/RenameDirectory.h"
#include "settings/Translations.h"
#include "ui/RunLines.h"

namespace test {

void RecordingSink::Report(const tRunEvent& event) {
  lines.push_back({ui::RunLineText(event), ui::IsAlertLine(event.Kind),
                   ui::LineIncrement(event.Kind), event.Kind});
  if (onLine) onLine(lines.back().text);
}

std::vector<std::string> RecordingSink::Texts() const {
  std::vector<std::string> texts;
  for (const Line& line : lines) texts.push_back(line.text);
  return texts;
}

TestRun::TestRun(platform::FileSystem& files) : options(run_.Options) {
  run_.Counter = &counter;
  run_.Cancel = &cancel;
  run_.Files = &files;
  run_.Events = &sink;
}

tRun& TestRun::Run() {
  run_.Naming.Locale = LocaleFormats;
  run_.Naming.ModelTranslations = ModelTranslations;
  run_.Naming.LandscapeWord = LandscapeWord;
  run_.Naming.PortraitWord = PortraitWord;
  return run_;
}

int32_t TestRun::Rename(const std::string& pattern) {
  cancel.BeginPattern();
  return RenameDirectory(Run(), pattern);
}

}  // namespace test

namespace test {

const tRunResult& TestRun::RunRename(const std::vector<std::string>& patterns) {
  run_.Result = tRunResult();
  return ::RunRename(Run(), patterns);
}

const tRunResult& TestRun::PreviewRename(const std::vector<std::string>& patterns) {
  run_.Result = tRunResult();
  return ::PreviewRename(Run(), patterns);
}

tUndoResult TestRun::UndoRun(const std::string& journal) {
  run_.Result = tRunResult();
  return ::UndoRun(Run(), journal);
}

std::string TestRun::LastRunJournal() { return ::LastRunJournal(*run_.Files); }

}  // namespace test
