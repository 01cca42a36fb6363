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

void SurviveClosedOutput() { std::signal(SIGPIPE, SIG_IGN); }

}  // namespace platform
