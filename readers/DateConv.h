#pragma once

#include <stdexcept>
#include <string>

#include "platform/DateTime.h"

// A text that is no month name, no number or no valid date: caught inside Parse.
class EConvertError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Turns the date texts that media files carry into a TDateTime: the Exif form
// "YYYY:MM:DD HH:MM:SS", RIFF's "Www Mmm DD HH:MM:SS YYYY", and two shorter forms.
// A text that holds no readable date gives 0; nothing is ever raised to the caller.
class tDateConv {
 public:
  tDateConv() { tDateConv::Create(); }
  explicit tDateConv(const std::string& text) { tDateConv::Create(text); }
  explicit tDateConv(TDateTime value) { tDateConv::Create(value); }
  virtual ~tDateConv() = default;

  // Three-letter English month abbreviation, any letter case, to 1..12.
  // Throws EConvertError("Invalid Month string") for anything else.
  virtual int MonthFromName(const std::string& name);
  // Converts Text into DateTime (0 when no layout fits).
  virtual void Parse();
  // (Re)initialisers; the ones with an argument run Create() through the virtual table.
  virtual void Create();
  virtual void Create(const std::string& text);
  virtual void Create(TDateTime value);
  virtual void SetText(const std::string& text);

  std::string Text;
  TDateTime DateTime = 0;
};
