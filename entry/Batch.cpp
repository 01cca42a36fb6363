#include "entry/Batch.h"

#include <stdexcept>

#include "engine/Runs.h"
#include "entry/Params.h"
#include "platform/AsciiCase.h"
#include "platform/CommandLine.h"
#include "platform/Number.h"
#include "ui/Frontend.h"

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
         !StartsWith(upper, "/F:") && !StartsWith(upper, "/U:");
}

}  // namespace

tBatchCommand ReadSwitches(const std::vector<std::string>& arguments, tFrontend& frontend) {
  tBatchCommand command;
  tRunOptions& options = command.options;
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
      if (!platform::TryStrToInt(argument.substr(2), options.CounterWidth)) options.CounterWidth = 3;
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
    } else if (StartsWith(upper, "/L")) {
      command.listOnly = true;
      params.Add(i);
    } else if (StartsWith(upper, "/U")) {
      command.undo = true;
      command.undoJournal = StartsWith(upper, "/U:") ? argument.substr(3) : std::string();
      params.Add(i);
    } else if (IsHelpWord(upper)) {
      command.help = true;
      command.version = IsVersionWord(upper);
      return command;
    }
  }
  for (int32_t j = 1; j <= count; ++j)
    if (!params.Contains(j)) command.paths.push_back(arguments[j - 1]);
  return command;
}

int RunBatch(const std::vector<std::string>& arguments, tFrontend& frontend) {
  const tBatchCommand command = ReadSwitches(arguments, frontend);
  if (command.help) {
    if (command.version)
      frontend.ShowVersion();
    else
      frontend.ShowUsage();
    return 0;
  }
  if (command.undo) {
    // Nothing is changed when the command line asks for more than one thing.
    if (command.listOnly)
      throw std::runtime_error("/L and /U cannot be used together; nothing was changed.");
    if (!command.paths.empty())
      throw std::runtime_error(
          "/U takes back a whole run and no path pattern; nothing was changed.");
    const std::string journal =
        command.undoJournal.empty() ? LastRunJournal() : FindRunJournal(command.undoJournal);
    if (journal.empty()) throw std::runtime_error("There is no run to undo: no journal was found.");
    frontend.ShowBatchProgress();
    UndoRun(journal);
    frontend.WaitForProgressClose();
    return 0;
  }
  const tRunOptions& options = command.options;
  tPatternHooks hooks;
  hooks.starting = [&](const std::string& path) { frontend.PatternStarting(options, path); };
  hooks.done = [&](const std::string& path) { frontend.PatternDone(options, path); };
  if (command.listOnly) {
    frontend.ShowBatchProgress();
    PreviewRename(command.options, command.paths, hooks);
    frontend.BatchDone();
    frontend.WaitForProgressClose();
    return 0;
  }
  RunRename(command.options, command.paths, hooks);
  frontend.BatchDone();
  return 0;
}
