// The program's entry, for both modes and both systems.

#include <exception>
#include <optional>

#include "engine/format/LocaleFormats.h"
#include "entry/Batch.h"
#include "platform/CommandLine.h"
#include "settings/StartupSettings.h"
#include "settings/Translations.h"
#include "ui/Frontend.h"

int main(int argc, char** argv) {
  tFrontend& frontend = Frontend();
  try {
    LoadLocaleFormats();
    LoadTranslations();
    const tReaderOptions readers{LoadVideoTimesAreLocal(SettingsStore)};
    const std::vector<std::string> arguments = platform::ProgramArguments(argc, argv);
    const std::optional<std::string> window = WindowRequest(arguments);
    const int code = arguments.empty() || window
                         ? frontend.RunInteractive(readers, window.value_or(""))
                         : RunBatch(arguments, frontend, readers, LoadCompanions(SettingsStore));
    CloseSettings();
    return code;
  } catch (const std::exception& failure) {
    // The last-chance handler: whatever the run did not handle ends the program.
    frontend.ReportFailure(failure.what());
  } catch (...) {
    frontend.ReportFailure("Unknown failure");
  }
  CloseSettings();
  return 1;
}
