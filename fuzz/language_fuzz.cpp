// Language files: read whole and in pieces of varying size, which must agree.
#include <cstdio>

#include "texts/language_file.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Choices choices(data, size);
  const std::size_t piece = 1 + choices.byte();
  const std::string_view bytes = choices.rest();

  texts::InterfaceTexts whole = texts::builtInTexts();
  std::size_t wholeLine = 0;
  const texts::LanguageParseStatus status = texts::parseLanguageText(bytes, whole, &wholeLine);

  texts::InterfaceTexts pieces = texts::builtInTexts();
  texts::LanguageFileParser parser;
  for (std::size_t at = 0; at < bytes.size(); at += piece) parser.feed(bytes.substr(at, piece));
  FUZZ_CHECK(parser.finish(pieces) == status);
  if (status != texts::LanguageParseStatus::Ok) FUZZ_CHECK(parser.failedLine() == wholeLine);
  return 0;
}
