#pragma once
// Equalizer presets and their file "Presets.EQ": one preset per line, the
// name, "=", then eleven decimal slider values separated by "," (the
// pre-amplification value first, then bands 0..9), each line ended by CR LF.
// Plain C++; interface thread only.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace audio {

inline constexpr const char* kPresetFileName = "Presets.EQ";
// A presets file larger than this is not a file the player wrote: it is left
// alone (read as unreadable, never rewritten).
inline constexpr std::size_t kMaxPresetFileBytes = 1 << 20;

// Slider values -100..100: index 0 pre-amplification, 1..10 bands 0..9.
using PresetValues = std::array<int8_t, 11>;

struct EqPreset {
  std::string name;  // never empty, never holds "=", CR or LF
  PresetValues values{};
  bool operator==(const EqPreset&) const = default;
};

// Parses the text of a presets file. A line counts only when it has "=" at
// its second character or later; the name is the text before the first "=".
// The rest, with a "," appended, is scanned: "-" and digits collect into a
// token, any other character ends it; a token is converted with default 0,
// clamped to -100..100 and stored as the next value; at most eleven values,
// missing ones stay 0. LF and CR LF line ends are both accepted.
std::vector<EqPreset> parsePresets(std::string_view text);

// The file text of the presets, in order, each line ended by CR LF.
std::string formatPresets(const std::vector<EqPreset>& presets);

// A name as typed or pasted made fit for the file: CR, LF, tabs and other
// control characters become blanks, "=" is dropped (it would end the name),
// and blanks at both ends are trimmed. May return an empty name.
std::string cleanPresetName(std::string_view typed);

// The presets as the preset dialog edits them. The list is read from the file
// when the dialog opens; every change is also kept as an edit, and writing
// applies the edits to the file as it is at that moment, so two players that
// edit presets at the same time keep each other's changes.
class PresetStore {
 public:
  enum class ReadResult { Read, Missing, Failed };

  explicit PresetStore(std::string path) : path_(std::move(path)) {}

  // Reads the file. Missing: an empty list. Failed (unreadable, too large):
  // an empty list, and write() will leave the file alone.
  ReadResult read();
  const std::vector<EqPreset>& presets() const { return presets_; }

  // Replaces the values of the first preset named exactly name (compared
  // case-sensitively), else appends a new preset at the end. The name is
  // cleaned first; an empty name saves nothing. Returns the list position of
  // the saved preset, or -1.
  int save(std::string_view name, const PresetValues& values);
  // Removes the preset at list position index; false when out of range.
  bool remove(std::size_t index);

  // True when the list was changed since read().
  bool changed() const { return !edits_.empty(); }
  // Writes the file when the list changed and the last read did not fail:
  // re-reads the file, applies this store's edits to it and replaces it
  // atomically (the folder is created when missing). Returns true when
  // nothing needed writing or the write succeeded; false on a failure, which
  // leaves the old file unchanged. The edits are spent after a success.
  bool write();

 private:
  struct Edit {
    bool remove;
    EqPreset preset;
  };
  static void apply(std::vector<EqPreset>& list, const Edit& edit);

  std::string path_;
  std::vector<EqPreset> presets_;
  std::vector<Edit> edits_;
  bool readFailed_ = false;
};

// Reads a whole file of at most limit bytes. Returns Missing when it does
// not exist and Failed when it cannot be read or is larger than limit.
PresetStore::ReadResult readSmallFile(const std::string& path, std::size_t limit, std::string& out);

}  // namespace audio
