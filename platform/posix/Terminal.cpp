#include "platform/Terminal.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>

namespace platform {

namespace {

int Descriptor(Stream stream) { return stream == Stream::Output ? STDOUT_FILENO : STDERR_FILENO; }

// What the Ctrl+C handler writes; a fixed buffer, since a signal handler may not allocate.
char farewell[64];
volatile std::sig_atomic_t farewellLength = 0;

extern "C" void SayFarewell(int signal) {
  if (farewellLength > 0) {
    ssize_t ignored = write(STDERR_FILENO, farewell, static_cast<size_t>(farewellLength));
    (void)ignored;
  }
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

}  // namespace

bool IsTerminal(Stream stream) { return isatty(Descriptor(stream)) == 1; }

bool ColourWanted(Stream stream) {
  if (std::getenv("NO_COLOR") != nullptr || !IsTerminal(stream)) return false;
  const char* term = std::getenv("TERM");
  return term != nullptr && *term != '\0' && std::strcmp(term, "dumb") != 0;
}

int TerminalWidth(Stream stream) {
  winsize size{};
  if (ioctl(Descriptor(stream), TIOCGWINSZ, &size) != 0) return 0;
  return size.ws_col;
}

void WriteNow(Stream stream, const std::string& text) {
  const int fd = Descriptor(stream);
  size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = write(fd, text.data() + done, text.size() - done);
    if (n > 0)
      done += static_cast<size_t>(n);
    else if (n < 0 && errno != EINTR)
      return;  // a closed terminal: nothing more to say there
  }
}

void SetInterruptFarewell(const std::string& text) {
  struct sigaction current {};
  if (sigaction(SIGINT, nullptr, &current) != 0) return;
  if (current.sa_handler != SIG_DFL && current.sa_handler != SayFarewell) return;
  farewellLength = 0;
  const size_t length = text.size() < sizeof farewell ? text.size() : sizeof farewell;
  std::memcpy(farewell, text.data(), length);
  farewellLength = static_cast<std::sig_atomic_t>(length);
  if (current.sa_handler == SIG_DFL && length > 0) std::signal(SIGINT, SayFarewell);
}

}  // namespace platform
