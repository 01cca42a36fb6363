#include "engine/pass/RenameDirectory.h"

#include "engine/pass/DirectoryPass.h"

int32_t RenameDirectory(tRun& run, const std::string& pathPattern) {
  directory_pass::PassState state;
  return directory_pass::DirectoryPass(run, pathPattern, state).Run();
}
