#include "ui/RunSetup.h"

#include "engine/format/LocaleFormats.h"
#include "platform/FileSystem.h"
#include "settings/Translations.h"

namespace ui {

tRun MakeRun(const tRunOptions& options, const tReaderOptions& readers, int32_t& counter,
             tCancelToken& cancel, tRunEvents& events) {
  tRun run;
  run.Options = options;
  run.Naming.Locale = LocaleFormats;
  run.Naming.ModelTranslations = ModelTranslations;
  run.Naming.LandscapeWord = LandscapeWord;
  run.Naming.PortraitWord = PortraitWord;
  run.Readers = readers;
  run.Counter = &counter;
  run.Cancel = &cancel;
  run.Files = &platform::RealFileSystem();
  run.Events = &events;
  return run;
}

}  // namespace ui
