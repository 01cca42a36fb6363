#include "platform/Messages.h"

namespace platform {

// The POSIX build has no windows whose messages could wait.
void ProcessMessages() {}

}  // namespace platform
