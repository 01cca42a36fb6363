#include "tests/fuzz/ReaderChecks.h"

#include "tests/fuzz/FuzzFile.h"

namespace fuzz {

namespace {

ReaderValues ReadAll(tBaseFile& reader) {
  ReaderValues values;
  values.portrait = reader.IsPortrait();
  values.size = reader.GetImageSize();
  values.model = reader.GetModel();
  values.original = reader.GetDateTimeOriginal();
  values.dateTime = reader.GetDateTime();
  return values;
}

bool Trimmed(const std::string& text) {
  return text.empty() || (static_cast<unsigned char>(text.front()) > 32 &&
                          static_cast<unsigned char>(text.back()) > 32);
}

}  // namespace

ReaderValues CheckReader(tBaseFile& reader, size_t maxModel) {
  const ReaderValues first = ReadAll(reader);
  Require(first.portrait == (first.size.Width < first.size.Height), "portrait is width < height");
  Require(Trimmed(first.model), "model trimmed");
  Require(first.model.size() <= maxModel, "model length");
  Require(first.dateTime == first.dateTime && first.original == first.original,
          "dates are numbers");
  // In another order, from wherever the stream was left: the same values.
  reader.Stream->Seek(reader.Stream->Position() ^ 0x5A5A);
  ReaderValues second;
  second.dateTime = reader.GetDateTime();
  second.model = reader.GetModel();
  second.size = reader.GetImageSize();
  second.original = reader.GetDateTimeOriginal();
  second.portrait = reader.IsPortrait();
  Require(first == second, "values do not depend on the order of the calls");
  return first;
}

}  // namespace fuzz
