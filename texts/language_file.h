#pragma once
// Language files: "lang/" + name + ".lng" beside the program. A language file is
// line-oriented text holding exactly 266 text lines (empty lines and lines that
// begin with "//" are skipped wherever they stand) in this order: Titles (15),
// Hints (32), Messages (67), Labels (44), Options (12), Buttons (15), Pages (4),
// Menus (72), Misc[1]..Misc[4] and last the key-definitions text Misc[0].
// "\n" in a line becomes CR LF (a lone CR in Options, which separates list
// items), then "\t" becomes a TAB. UTF-8 (an optional byte-order mark is
// skipped); each line that is not valid UTF-8 is read as Windows-1252 on its
// own, so one stray byte cannot garble the accented texts of the other lines.
// Everything here runs on the user-interface thread.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "texts/interface_texts.h"

namespace texts {

// Longest line read from a language file, in bytes; the rest of a longer line is
// dropped. Far above what any entry keeps, so only hostile files are affected.
inline constexpr std::size_t kMaxLanguageLineBytes = 64 * 1024;

enum class LanguageParseStatus {
  Ok,
  TooFewLines,       // the file ended before the key-definitions line
  OptionsItemCount,  // an Options entry with another number of items than built in
  SurplusLine,       // a text line after the key-definitions line
};

// Incremental reader of a language file's bytes. Feed the file in chunks of
// any size, then call finish(). Memory stays bounded: at most 266 lines of at
// most kMaxLanguageLineBytes are kept.
class LanguageFileParser {
 public:
  void feed(std::string_view bytes);
  // Completes the parse. On Ok, `out` holds the new table; otherwise `out` is
  // untouched. failedLine() then tells the 1-based file line that failed
  // (0 when the file was too short).
  LanguageParseStatus finish(InterfaceTexts& out);
  std::size_t failedLine() const { return failed_line_; }

 private:
  void endLine();

  struct TextLine {
    std::string bytes;
    std::size_t line_number;
  };
  std::vector<TextLine> text_lines_;
  std::string pending_;
  std::size_t line_number_ = 0;
  std::size_t failed_line_ = 0;
  bool at_start_ = true;
  bool pending_capped_ = false;
  bool surplus_ = false;
};

// Parses a whole language file held in memory.
LanguageParseStatus parseLanguageText(std::string_view content, InterfaceTexts& out,
                                      std::size_t* failedLine = nullptr);

// Turns one language file line into its text: "\n" becomes CR LF (a lone CR when
// inOptions), then "\t" a TAB, every occurrence, case-sensitively.
std::string convertLanguageLine(std::string_view line, bool inOptions);

// Result of a load: ok, and the message to show in the message window (empty
// when nothing is to be shown).
struct LanguageLoadResult {
  bool ok = false;
  std::string message;
};

// Reads a language file into the current table. On success the table is
// replaced and ApplyTexts runs. A missing file or one that cannot be read leaves
// the table unchanged and reports it unless silent. A damaged file (too few text
// lines, an Options entry with another item count, a text line after the
// key-definitions line) restores the built-in table without applying it and is
// always reported: "Error while loading\r\n" + the quoted file name + "!".
LanguageLoadResult LoadLanguageFile(const std::string& path, bool silent);

// The language file of a language name under programFolder ("/"-terminated or
// not): programFolder + "lang/" + name + ".lng". When that file does not exist
// but one whose name differs only in ASCII case does, that one is returned. No
// value for a name that is empty, contains "/", "\", ".." or a NUL character, or
// is the built-in language's name: such a name never leaves the language folder.
std::optional<std::string> languageFilePath(const std::string& programFolder,
                                            const std::string& name);

// Loads the language of that name as LoadLanguageFile does; "English (built in)"
// restores and applies the built-in table. An invalid name fails like a missing file.
LanguageLoadResult LoadLanguage(const std::string& programFolder, const std::string& name,
                                bool silent);

// The language list of the configuration dialog: "English (built in)" and the
// name of every "*.lng" file in programFolder + "lang/" without its extension,
// as the file is really named (so loading it by this name works on a
// case-sensitive file system); sorted without regard to ASCII case. Names that
// languageFilePath would refuse, and empty names, are left out.
std::vector<std::string> listLanguages(const std::string& programFolder);

// A language name as the language list shows it: the first character upper-cased
// (ASCII letters only). Keep the name from listLanguages for loading and for
// LastUsedLanguage; this form is for display.
std::string shownLanguageName(const std::string& name);

// The language choice at start-up. When lastUsedLanguage is not exactly
// "English (built in)", loads that language silently; on failure
// lastUsedLanguage becomes "English (built in)", on success a
// fullscreenModeSwitch of exactly "No change" becomes the loaded Options[6].
LanguageLoadResult loadStartupLanguage(const std::string& programFolder,
                                       std::string& lastUsedLanguage,
                                       std::string& fullscreenModeSwitch);

// The translator credit shown for a language in the configuration dialog: from
// the first "Translated by: " up to the next line end, at most 50 characters with
// that prefix. Empty for the built-in language, a missing or unreadable file, a
// file shorter than 16 bytes, no such text, no line end after it, or the text
// "Translated by: ...". Only the first 102400 bytes of the file are looked at.
std::string translatorCredit(const std::string& programFolder, const std::string& name);

}  // namespace texts
