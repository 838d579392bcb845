#pragma once
// The on-screen message over the picture: its text, when it was shown and how
// long it lives, and the clock text beside it. Plain data with the rules of
// ShowOsd; the video window paints it, the 20 ms update ends it.
// Times are milliseconds of a monotonic clock. Interface thread only.
#include <cstdint>
#include <string>
#include <string_view>

namespace playback {

// How long a message of `characters` characters stays: 61.69 ms per character
// plus 802.3 ms (7.14e-7 and 9.286e-6 of a day).
double osdDurationMs(size_t characters);

// Number of characters (not bytes) of a UTF-8 text: every byte that does not
// continue a sequence counts one.
size_t utf8Length(std::string_view text);

class Osd {
 public:
  // ShowOsd: with the message display on, the text becomes the message,
  // starting now; with it off any message is dropped and nothing is shown.
  // Returns true when the message layer must be repainted.
  bool show(const std::string& text, bool osdDisplay, int64_t nowMs);
  // Replaces the text of a live message without restarting its life (the
  // running position). True when the text changed.
  bool replaceText(const std::string& text);
  // Caps the remaining life so the message ends at most maxMs after its start.
  void limitDuration(double maxMs);
  // True once a shown message's time is up (now - start >= duration).
  bool expired(int64_t nowMs) const;
  void clear();

  const std::string& message() const { return message_; }  // OsdMessage
  bool empty() const { return message_.empty(); }
  int64_t startMs() const { return startMs_; }
  double durationMs() const { return durationMs_; }

  // OsdClock: "hh:nn" while the clock is shown, else empty. True when changed.
  bool setClock(const std::string& text);
  const std::string& clock() const { return clock_; }

  // ShownOsdText: the text last painted, kept by the painter.
  std::string shownText;

 private:
  std::string message_;
  std::string clock_;
  int64_t startMs_ = 0;
  double durationMs_ = 0;
};

}  // namespace playback
