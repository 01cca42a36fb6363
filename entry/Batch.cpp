#include "entry/Batch.h"

#include <stdexcept>

#include "engine/Runs.h"
#include "engine/pass/ClockShift.h"
#include "entry/Params.h"
#include "platform/AsciiCase.h"
#include "platform/CommandLine.h"
#include "platform/FileSystem.h"
#include "platform/Number.h"
#include "ui/Frontend.h"
#include "ui/RunSetup.h"

namespace {

bool StartsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

bool IsVersionWord(const std::string& upper) {
  return upper == "/VERSION" || upper == "-VERSION" || upper == "--VERSION";
}

// Where "--" ends the switches, "--help" is a help word too, as command-line tools there
// are used to.
bool IsHelpWord(const std::string& upper) {
  for (const char* word : {"/?", "-?", "/H", "-H"})
    if (upper == word) return true;
  return IsVersionWord(upper) || (platform::SlashStartsPaths() && upper == "--HELP");
}

// Where "/" begins absolute paths, /tmp/x/*.jpg is a path and not the switch /T.
bool LooksLikePath(const std::string& upper) {
  return platform::SlashStartsPaths() && upper.find('/', 1) != std::string::npos &&
         !StartsWith(upper, "/F:") && !StartsWith(upper, "/U:") && !StartsWith(upper, "/Z:");
}

}  // namespace

std::optional<std::string> WindowRequest(const std::vector<std::string>& arguments) {
  std::optional<std::string> folder;
  for (const std::string& argument : arguments) {
    if (argument == "--" && platform::SlashStartsPaths()) break;
    const std::string upper = platform::AsciiUpper(argument);
    if (upper == "/W") folder = std::string();
    if (StartsWith(upper, "/W:")) folder = argument.substr(3);
  }
  return folder;
}

tBatchCommand ReadSwitches(const std::vector<std::string>& arguments, tFrontend& frontend) {
  tBatchCommand command;
  tRunOptions& options = command.Options;
  tParams params;
  bool switchesEnded = false;
  const int32_t count = static_cast<int32_t>(arguments.size());
  for (int32_t i = 1; i <= count; ++i) {
    const std::string& argument = arguments[i - 1];
    const std::string upper = platform::AsciiUpper(argument);
    if (switchesEnded || LooksLikePath(upper)) continue;
    if (platform::SlashStartsPaths() && argument == "--") {
      switchesEnded = true;  // every later argument is a path
      params.Add(i);
    } else if (StartsWith(upper, "/F:")) {
      options.Format = argument.substr(3);
      params.Add(i);
    } else if (StartsWith(upper, "/O")) {
      options.OriginalFirst = true;
      params.Add(i);
    } else if (StartsWith(upper, "/T")) {
      options.SetFileStamp = true;
      params.Add(i);
    } else if (StartsWith(upper, "/D")) {
      options.DropOldName = true;
      params.Add(i);
    } else if (StartsWith(upper, "/N")) {
      options.UseCounter = true;
      if (!platform::TryStrToInt(argument.substr(2), options.CounterWidth))
        options.CounterWidth = 3;
      params.Add(i);
    } else if (StartsWith(upper, "/Y")) {
      options.Overwrite = true;
      params.Add(i);
    } else if (StartsWith(upper, "/C")) {
      options.CopyFiles = true;
      params.Add(i);
    } else if (StartsWith(upper, "/R")) {
      options.Recurse = true;
      params.Add(i);
    } else if (StartsWith(upper, "/S")) {
      frontend.ShowBatchProgress();
      params.Add(i);
    } else if (upper == "/L") {
      // The newer switches count only as written: /usr is a folder, not an undo.
      command.ListOnly = true;
      params.Add(i);
    } else if (upper == "/E") {
      options.DatesFromElsewhere = true;
      params.Add(i);
    } else if (upper == "/M") {
      options.FileTimeLastResort = true;
      params.Add(i);
    } else if (StartsWith(upper, "/Z:")) {
      std::string reason;
      if (!ParseClockShift(argument.substr(3), options.ClockShift, reason))
        command.Refusal = "/Z: " + reason;
      params.Add(i);
    } else if (upper == "/U" || StartsWith(upper, "/U:")) {
      command.Undo = true;
      command.UndoJournal = StartsWith(upper, "/U:") ? argument.substr(3) : std::string();
      params.Add(i);
    } else if (IsHelpWord(upper)) {
      command.Help = true;
      command.Version = IsVersionWord(upper);
      return command;
    }
  }
  for (int32_t j = 1; j <= count; ++j)
    if (!params.Contains(j)) command.Paths.push_back(arguments[j - 1]);
  return command;
}

int RunBatch(const std::vector<std::string>& arguments, tFrontend& frontend,
             const tReaderOptions& readers, bool companions) {
  tBatchCommand command = ReadSwitches(arguments, frontend);
  command.Options.Companions = companions;
  if (command.Help) {
    if (command.Version)
      frontend.ShowVersion();
    else
      frontend.ShowUsage();
    return 0;
  }
  if (!command.Refusal.empty())
    throw std::runtime_error(command.Refusal + "; nothing was changed.");
  if (command.Undo) {
    // Nothing is changed when the command line asks for more than one thing.
    if (command.ListOnly)
      throw std::runtime_error("/L and /U cannot be used together; nothing was changed.");
    if (!command.Paths.empty())
      throw std::runtime_error(
          "/U takes back a whole run and no path pattern; nothing was changed.");
  }
  // One batch is one run: its counter starts at 0 and runs on across the patterns.
  int32_t counter = 0;
  tRun run = ui::MakeRun(command.Options, readers, counter, frontend.BatchCancel(),
                         frontend.BatchEvents(command.Options));
  if (command.Undo) {
    platform::FileSystem& files = *run.Files;
    const std::string journal = command.UndoJournal.empty()
                                    ? LastRunJournal(files)
                                    : FindRunJournal(files, command.UndoJournal);
    if (journal.empty()) throw std::runtime_error("There is no run to undo: no journal was found.");
    frontend.ShowBatchProgress();
    UndoRun(run, journal);
    if (run.Result.Failure.empty()) frontend.WaitForProgressClose();
    return frontend.BatchDone(run.Result);
  }
  if (command.ListOnly) {
    frontend.ShowBatchProgress();
    PreviewRename(run, command.Paths);
    if (run.Result.Failure.empty()) frontend.WaitForProgressClose();
    return frontend.BatchDone(run.Result);
  }
  RunRename(run, command.Paths);
  return frontend.BatchDone(run.Result);
}
