#pragma once
// Laying out a subtitle entry for the picture: which lines show (split at
// explicit breaks, wrapped at blanks, or shrunk to fit) and at which font
// scale. Text is measured by a caller-given function, so the layout runs with
// real fonts in the window and with a fixed-width metric in tests.
// Pure functions; safe from any thread.
#include <functional>
#include <string>
#include <vector>

namespace subtitles {

// Width in pixels of one line of UTF-8 text in the subtitle font at `sizePt`
// points (sizePt >= 1).
using MeasureText = std::function<int(const std::string& line, int sizePt)>;

struct LayoutOptions {
  bool AutoSplitLine = true;
  bool WrapAllText = false;
  bool AutoResizeFont = false;
  int HorizontalDisplayArea = 99;  // % of the reference width
  int SubtitleSize = 100;          // %
};

struct SubtitleLayout {
  std::vector<std::string> DisplayLines;
  float FontScale = 1.0f;  // 0 < FontScale <= 1
};

// Subtitle font size in points for a reference width: round(width x
// SubtitleSize x 0.02625 x fontScale / dpi), halves to even. Never below 1
// point, so later divisions by it and font requests stay valid.
int subtitleFontSize(int widthPx, int subtitleSize, double dpi, double fontScale = 1.0);

// Lays out the entry's lines for a screen `screenWidthPx` wide at `dpi`
// pixels per inch. Wrap mode (AutoSplitLine or WrapAllText) wraps to
// HorizontalDisplayArea % of the width at blanks; shrink mode
// (AutoResizeFont alone) keeps the lines and lowers FontScale until the
// widest fits; plain mode keeps the lines. Every line is trimmed of blanks
// and control characters at both ends.
SubtitleLayout LayOutSubtitle(const std::vector<std::string>& lines, const LayoutOptions& options,
                              int screenWidthPx, double dpi, const MeasureText& measure);

// Puts a line break ("\n") before every dash that opens a new speaker's
// sentence: a "-" after ".", "!" or "?" (blanks between are removed) and
// followed, after blanks, by an uppercase letter. Text of 2 characters or
// fewer is returned unchanged.
std::u32string breakDialogueDashes(std::u32string text);

// Word-wraps `text` to `widthPx` at `sizePt`: breaks at blanks and at "\n",
// never at a blank right after a "-" or right before "?", "!" or ":"; a word
// that alone is wider than the width is split inside, at least one character
// per line, so any width (also 0) ends. Blanks at a break are dropped.
std::vector<std::u32string> wrapText(const std::u32string& text, int widthPx, int sizePt,
                                     const MeasureText& measure);

// True for letters that have a distinct lowercase form (Latin, Greek,
// Cyrillic, Armenian, Georgian, Roman numerals, circled and full-width Latin).
bool isUppercaseLetter(char32_t c);

}  // namespace subtitles
