#include "platform/Messages.h"

#include <csignal>

namespace platform {

namespace {

volatile std::sig_atomic_t interruptRequested = 0;
std::function<void()> interruptHandler;

extern "C" void NoteInterrupt(int) {
  interruptRequested = 1;
  std::signal(SIGINT, SIG_DFL);  // a second Ctrl+C ends the program
}

}  // namespace

void OnInterrupt(std::function<void()> handler) {
  interruptHandler = std::move(handler);
  interruptRequested = 0;
  std::signal(SIGINT, NoteInterrupt);
}

// There are no windows here; the only message is the user's interrupt.
void ProcessMessages() {
  if (interruptRequested && interruptHandler) {
    interruptRequested = 0;
    interruptHandler();
  }
}

}  // namespace platform
