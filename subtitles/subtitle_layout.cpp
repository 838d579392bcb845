#include "subtitles/subtitle_layout.h"

#include <algorithm>
#include <cmath>

#include "subtitles/subtitle_text.h"

namespace subtitles {

namespace {

bool isBlank(char32_t c) {
  return c == U' ' || c == U'\t';
}

// Trims blanks and control characters (code 32 and below) at both ends.
std::u32string trimmed(const std::u32string& s) {
  size_t b = 0, e = s.size();
  while (b < e && s[b] <= 32) ++b;
  while (e > b && s[e - 1] <= 32) --e;
  return s.substr(b, e - b);
}

// Blanks at a line's end take no room, as in a plain-text edit control.
int measureU32(const MeasureText& measure, std::u32string text, int sizePt) {
  while (!text.empty() && isBlank(text.back())) text.pop_back();
  return text.empty() ? 0 : measure(toUtf8(text), sizePt);
}

// A blank run [from, to) may end a line unless it follows a "-" or precedes
// "?", "!" or ":" (a dash never ends a line, those marks never start one).
bool breakableBlanks(const std::u32string& text, size_t from, size_t to) {
  if (from > 0 && text[from - 1] == U'-') return false;
  if (to < text.size() && (text[to] == U'?' || text[to] == U'!' || text[to] == U':')) return false;
  return true;
}

// Splits a paragraph into units: each unit is a word with the breakable
// blanks before it (the first has none). Unbreakable blanks stay inside words.
std::vector<std::u32string> units(const std::u32string& para) {
  std::vector<std::u32string> out;
  std::u32string current;
  size_t i = 0;
  while (i < para.size()) {
    if (!isBlank(para[i])) {
      current += para[i++];
      continue;
    }
    size_t j = i;
    while (j < para.size() && isBlank(para[j])) ++j;
    if (!current.empty() && j < para.size() && breakableBlanks(para, i, j)) {
      out.push_back(current);
      current.clear();
    }
    current.append(para, i, j - i);
    i = j;
  }
  if (!current.empty()) out.push_back(current);
  return out;
}

void wrapParagraph(const std::u32string& para, int widthPx, int sizePt, const MeasureText& measure,
                   std::vector<std::u32string>& out) {
  std::u32string line;
  for (const std::u32string& unit : units(para)) {
    if (!line.empty() && measureU32(measure, line + unit, sizePt) <= widthPx) {
      line += unit;
      continue;
    }
    if (!line.empty()) out.push_back(line);
    // The unit starts a new line without its leading blanks.
    size_t start = 0;
    while (start < unit.size() && isBlank(unit[start])) ++start;
    line = unit.substr(start);
    // A word wider than the whole width is cut at the last character that
    // fits; at least one character goes on each line.
    while (line.size() > 1 && measureU32(measure, line, sizePt) > widthPx) {
      size_t keep = 1;
      while (keep + 1 < line.size() &&
             measureU32(measure, line.substr(0, keep + 1), sizePt) <= widthPx)
        ++keep;
      out.push_back(line.substr(0, keep));
      line.erase(0, keep);
    }
  }
  out.push_back(line);
}

}  // namespace

bool isUppercaseLetter(char32_t c) {
  if (c >= U'A' && c <= U'Z') return true;
  if (c >= 0xC0 && c <= 0xDE) return c != 0xD7;
  if (c >= 0x100 && c <= 0x17F) {
    // Latin Extended-A pairs upper/lower as even/odd, with an odd/even run
    // from 0x139 to 0x148 and from 0x179 to 0x17E; 0x131, 0x138 and 0x149
    // have no case partner of this kind; 0x178 (Y with diaeresis) is upper.
    if (c == 0x130 || c == 0x178) return true;
    if (c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F) return false;
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return c % 2 == 1;
    return c % 2 == 0;
  }
  if (c >= 0x391 && c <= 0x3AB) return c != 0x3A2;  // Greek
  if (c == 0x386 || (c >= 0x388 && c <= 0x38F && c != 0x38B && c != 0x38D)) return true;
  if (c >= 0x400 && c <= 0x42F) return true;  // Cyrillic
  if (c >= 0x460 && c <= 0x4FF) {
    // Extended Cyrillic pairs even/odd, except 0x482..0x489 (signs) and the
    // odd/even run 0x4C1..0x4CE; 0x4C0 pairs with 0x4CF.
    if (c >= 0x482 && c <= 0x489) return false;
    if (c == 0x4C0) return true;
    if (c >= 0x4C1 && c <= 0x4CE) return c % 2 == 1;
    if (c == 0x4CF) return false;
    return c % 2 == 0;
  }
  if (c >= 0x531 && c <= 0x556) return true;    // Armenian
  if (c >= 0x10A0 && c <= 0x10C5) return true;  // Georgian
  if (c >= 0x1E00 && c <= 0x1EFF) return c % 2 == 0 && (c < 0x1E96 || c > 0x1E9F);
  if (c >= 0x2160 && c <= 0x216F) return true;  // Roman numerals
  if (c >= 0x24B6 && c <= 0x24CF) return true;  // circled Latin
  if (c >= 0xFF21 && c <= 0xFF3A) return true;  // full-width Latin
  return false;
}

int subtitleFontSize(int widthPx, int subtitleSize, double dpi, double fontScale) {
  if (dpi <= 0) dpi = 96;
  const double points = std::nearbyint(fontScale * 0.02625 * subtitleSize * widthPx / dpi);
  return int(std::clamp(points, 1.0, 10000.0));
}

std::u32string breakDialogueDashes(std::u32string text) {
  if (text.size() <= 2) return text;
  for (size_t g = 1; g < text.size(); ++g) {
    if (text[g] != U'-' || g + 1 >= text.size()) continue;
    size_t next = g + 1;
    while (next < text.size() && isBlank(text[next])) ++next;
    // A dash followed only by blanks opens nothing.
    if (next >= text.size() || !isUppercaseLetter(text[next])) continue;
    size_t before = g;
    while (before > 0 && isBlank(text[before - 1])) --before;
    if (before == 0) continue;
    const char32_t mark = text[before - 1];
    if (mark != U'.' && mark != U'!' && mark != U'?') continue;
    text.erase(before, g - before);
    text.insert(text.begin() + before, U'\n');
    g = before + 1;  // the dash, moved; the loop steps past it
  }
  return text;
}

std::vector<std::u32string> wrapText(const std::u32string& text, int widthPx, int sizePt,
                                     const MeasureText& measure) {
  std::vector<std::u32string> out;
  size_t from = 0;
  while (true) {
    const size_t end = text.find(U'\n', from);
    std::u32string para = text.substr(from, end == std::u32string::npos ? end : end - from);
    if (!para.empty() && para.back() == U'\r') para.pop_back();
    wrapParagraph(para, widthPx, sizePt, measure, out);
    if (end == std::u32string::npos) break;
    from = end + 1;
  }
  return out;
}

SubtitleLayout LayOutSubtitle(const std::vector<std::string>& lines, const LayoutOptions& options,
                              int screenWidthPx, double dpi, const MeasureText& measure) {
  SubtitleLayout layout;
  if (lines.empty()) return layout;
  const int area = int(std::nearbyint(screenWidthPx * options.HorizontalDisplayArea * 0.01));
  const int base = subtitleFontSize(screenWidthPx, options.SubtitleSize, dpi);
  std::vector<std::u32string> out;

  if (options.AutoSplitLine || options.WrapAllText) {
    // Existing breaks are kept with AutoSplitLine; WrapAllText alone re-wraps
    // the whole text as one paragraph.
    const char32_t* joint = options.AutoSplitLine ? U"\n" : U" ";
    std::u32string text;
    for (size_t i = 0; i < lines.size(); ++i) {
      if (i > 0) text += joint;
      text += fromUtf8(lines[i]);
    }
    if (options.WrapAllText) text = breakDialogueDashes(std::move(text));
    out = wrapText(text, area, base, measure);
  } else {
    for (const std::string& line : lines) out.push_back(fromUtf8(line));
    if (options.AutoResizeFont && !out.empty()) {
      size_t widest = 0;
      int widestPx = -1;
      for (size_t i = 0; i < out.size(); ++i) {
        const int w = measureU32(measure, out[i], base);
        if (w > widestPx) widestPx = w, widest = i;
      }
      if (area < widestPx) {
        const int n = std::min(base, int(std::ceil(double(area) * base / double(widestPx))) + 1);
        // Down to size 2 at the least; with no size above 1 to try, size 1.
        int final = std::max(1, n);
        if (n > 1) {
          final = 2;
          for (int size = n; size >= 2; --size)
            if (measureU32(measure, out[widest], size) <= area) {
              final = size;
              break;
            }
        }
        layout.FontScale = std::min(float(final) / float(base), 1.0f);
      }
    }
  }

  for (const std::u32string& line : out) layout.DisplayLines.push_back(toUtf8(trimmed(line)));
  return layout;
}

}  // namespace subtitles
