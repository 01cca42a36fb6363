// Prints what the readers find in each file named on the command line, one line per file:
//   path, kind, DateTime, DateTimeOriginal, Model, Width, Height, portrait
// separated by tabs; dates as YYYY:MM:DD HH:MM:SS (with --milliseconds first:
// YYYY:MM:DD HH:MM:SS.mmm) or "-" for 0. A file the readers refuse
// gets its exception's class in the kind column. tools/check-samples.sh compares the
// lines with what other tools read.
#include <cstdio>
#include <exception>
#include <string>

#include "platform/Errors.h"
#include "readers/OpenReader.h"

namespace {

const char* KindName(tFileKind kind) {
  switch (kind) {
    case fkJPEG:
      return "fkJPEG";
    case fkAVI:
      return "fkAVI";
    case fkWAVE:
      return "fkWAVE";
    case fkRAW0:
      return "fkRAW0";
    case fkRAW1:
      return "fkRAW1";
    case fkHEIF:
      return "fkHEIF";
    case fkCR3:
      return "fkCR3";
    case fkMP4:
      return "fkMP4";
    case fkPNG:
      return "fkPNG";
    case fkWEBP:
      return "fkWEBP";
    case fkUnknown:
      break;
  }
  return "fkUnknown";
}

bool withMilliseconds = false;

std::string DateText(TDateTime value) {
  if (value == 0) return "-";
  const platform::CalendarTime t = platform::DecodeDateTime(value);
  char text[40];
  std::snprintf(text, sizeof text, "%04d:%02d:%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour,
                t.minute, t.second);
  std::string result = text;
  if (withMilliseconds) {
    std::snprintf(text, sizeof text, ".%03d", t.millisecond);
    result += text;
  }
  return result;
}

// Tabs, line breaks and backslashes would break the columns.
std::string Escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\\') {
      out += "\\\\";
    } else if (static_cast<unsigned char>(c) < 32) {
      char code[8];
      std::snprintf(code, sizeof code, "\\x%02x", static_cast<unsigned char>(c));
      out += code;
    } else {
      out += c;
    }
  }
  return out;
}

void Probe(const std::string& path) {
  std::string line = Escaped(path) + "\t";
  try {
    const std::unique_ptr<tBaseFile> reader = OpenReader(path);
    if (!reader) {
      line += "fkUnknown";
    } else {
      const tImageSize size = reader->GetImageSize();
      line += std::string(KindName(reader->FileKind)) + "\t" + DateText(reader->GetDateTime()) +
              "\t" + DateText(reader->GetDateTimeOriginal()) + "\t" + Escaped(reader->GetModel()) +
              "\t" + std::to_string(size.Width) + "\t" + std::to_string(size.Height) + "\t" +
              (reader->IsPortrait() ? "portrait" : "landscape");
    }
  } catch (const EExifException&) {
    line += "EExifException";
  } catch (const EFOpenError& e) {
    line += std::string("EFOpenError\t") + Escaped(e.what());
  }
  std::printf("%s\n", line.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  int first = 1;
  if (argc > 1 && std::string(argv[1]) == "--milliseconds") {
    withMilliseconds = true;
    first = 2;
  }
  if (argc <= first) {
    std::fprintf(stderr, "usage: %s [--milliseconds] FILE...\n", argv[0]);
    return 2;
  }
  for (int i = first; i < argc; ++i) Probe(argv[i]);
  return 0;
}
