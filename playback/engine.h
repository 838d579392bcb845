#pragma once
// The media engine as the player sees it: load a movie, run, pause, stop, seek,
// set the volume, read the picture size and length, list the running elements,
// and hand over the newest decoded picture. Plain C++: no toolkit or GStreamer
// types, so the playback controller is tested against a fake.
//
// Times are in 100-nanosecond units ("units") unless a name says otherwise.
// Every call is made on the interface thread unless its comment says otherwise.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace playback {

// One hundred-nanosecond unit per tick; 10000 units make a millisecond.
inline constexpr int64_t kUnitsPerMs = 10000;

// What the engine holds and which calls mean something in each state.
//   Inactive: nothing loaded (after construction or setActive(false)). Only
//             setActive(true) and the read-only calls (which answer 0/false).
//   Empty:    active, no movie (after setActive(true) or emptyGraph()).
//             renderFile() is the next legal step.
//   Loaded:   renderFile() succeeded; the movie is prerolled and stopped at
//             its first picture. run(), pause(), stop(), seeks, reads.
//   Playing, Paused: after run() / pause(). stop() returns to Loaded at 0.
// A failed renderFile() leaves the engine Inactive.
enum class EngineState { Inactive, Empty, Loaded, Playing, Paused };

enum class SeekMode {
  Accurate,  // lands on the exact target (steps, jumps, resume)
  KeyUnit,   // nearest key frame, fast (dragging the seek bar)
};

// Event codes passed to EngineListener::onEngineEvent, numbered like the
// graph's event notification so "1" is stream complete.
enum class EngineEventCode : int {
  StreamComplete = 1,  // the movie played to its end
  UnableToRender = 2,  // the movie could not be built or decoding failed
  ErrorAbort = 3,      // an error while playing (file vanished, decoder died)
};

struct EngineEvent {
  EngineEventCode code = EngineEventCode::StreamComplete;
  // Generation of the movie the event belongs to (see Engine::generation()).
  // Listeners drop events whose generation is not the current one.
  uint64_t generation = 0;
  std::string detail;  // engine's own description, for diagnostics only
};

// Receives engine events on the interface thread, from Engine::pollEvents()
// or from inside renderFile(). Must not call renderFile() or setActive() from
// inside the callback: it may only record what happened (a flag) for later.
class EngineListener {
 public:
  virtual ~EngineListener() = default;
  virtual void onEngineEvent(const EngineEvent& event) = 0;
  // Asked before the engine adds a decoding element named elementName;
  // false refuses it. Engines that cannot refuse only ask for information.
  virtual bool onSelectedFilter(const std::string& elementName) {
    (void)elementName;
    return true;
  }
};

// One element of the running pipeline, for the "Filters" menu.
struct FilterInfo {
  std::string name;            // unique name within the pipeline, at most 128 characters
  std::string description;     // human-readable kind of element
  bool isSource = false;       // reads the file: never listed in the menu
  bool hasProperties = false;  // has properties a user may change
};

// A 32-bit picture buffer to fill: bytes B, G, R, X per pixel (the native
// layout of a 0xFFRRGGBB word on a little-endian machine). The picture is
// scaled to widthPx x heightPx; only the part of it inside the clip rectangle
// (picture pixels; a size < 0 reaches the picture's edge) is written, so a
// repaint of a band converts only that band. An odd clip left or top edge is
// moved one pixel out (chroma is shared by pixel pairs).
struct FrameTarget {
  uint8_t* pixels = nullptr;  // top-left pixel of the whole picture
  int strideBytes = 0;
  int widthPx = 0;
  int heightPx = 0;
  int clipLeft = 0;
  int clipTop = 0;
  int clipWidth = -1;
  int clipHeight = -1;
};

// Colour controls in the units of the settings (brightness 0..10000 with 750
// neutral, contrast and saturation 0..20000 with 10000 neutral, hue -180..180
// degrees with 0 neutral). Out-of-range values are clamped by the engine.
struct ColorControl {
  int brightness = 750;
  int contrast = 10000;
  int hue = 0;
  int saturation = 10000;
  bool operator==(const ColorControl&) const = default;
};

// The colour controls as the colour-balance filter ("videobalance") takes
// them: brightness -1..1 added to the luma, contrast 0..2, saturation 0..2,
// hue -1..1. Brightness is kept in hundredths of a percent of the luma range
// with 7.5 % (750) as the neutral black level, so the filter gets
// (brightness - 750) / 10000: -0.075 at 0, +0.925 at 10000, each slider step
// the same 0.1 %. Contrast and saturation 10000 -> 1, hue +-180 degrees ->
// +-1. The neutral settings give the filter's neutral values, which leave the
// picture untouched. Values out of range are clamped first. Pure.
struct VideoBalance {
  double brightness = 0, contrast = 1, saturation = 1, hue = 0;
  bool operator==(const VideoBalance&) const = default;
};
VideoBalance videoBalanceFor(const ColorControl& color);

class Engine {
 public:
  virtual ~Engine() = default;

  // The listener receives every event; nullptr detaches. Not owned.
  virtual void setListener(EngineListener* listener) = 0;

  // True while a movie is loaded or loadable (state other than Inactive).
  virtual bool active() const = 0;
  // true: creates an empty pipeline (state Empty). false: stops and releases
  // everything (state Inactive); pending events of the old movie are dropped.
  virtual void setActive(bool on) = 0;
  // Drops the loaded movie but keeps the player's own elements (audio tap,
  // picture sink, colour balance) for the next renderFile(). State Empty.
  virtual void emptyGraph() = 0;
  virtual EngineState state() const = 0;

  // Loads path (a local file path, UTF-8) and waits, at most timeLimitMs, for
  // the first picture; the wait pump (setWaitPump) runs every ~20 ms meanwhile.
  // 0 is success (state Loaded, a new generation); anything else is failure
  // and leaves the engine Inactive. Re-applies the last volume on success.
  virtual int renderFile(const std::string& path, int timeLimitMs = 15000) = 0;
  // Called repeatedly while renderFile() waits, so the interface keeps
  // painting. Must not re-enter the engine.
  virtual void setWaitPump(std::function<void()> pump) = 0;
  // Increases by one with every renderFile(); events carry it.
  virtual uint64_t generation() const = 0;

  virtual bool run() = 0;
  virtual bool pause() = 0;
  // Stops playing and goes back to the start, keeping the movie loaded.
  virtual bool stop() = 0;

  // v in [0, 10000] (clamped): level = round(ln(v + 1) * 1085.73) - 10000
  // hundredths of a decibel, 10000 full level, 0 silence. Kept for the next movie.
  virtual void putVolume(int v) = 0;
  virtual int volume() const = 0;  // last value given to putVolume

  // Length, play position and stop position in units; 0 when unknown.
  virtual int64_t duration() const = 0;
  virtual int64_t currentPosition() const = 0;
  virtual int64_t stopPosition() const = 0;
  // Seeks to an absolute position (clamped to [0, duration]); the stop
  // position is untouched. Failures are silent (the movie stays where it is).
  virtual void setPosition(int64_t position, SeekMode mode = SeekMode::Accurate) = 0;

  // Native picture size in pixels; 0 x 0 when the movie has no usable video.
  virtual void videoSize(int& widthPx, int& heightPx) const = 0;
  // Frames per second of the loaded video stream, 0 when unknown.
  virtual double frameRate() const = 0;

  // Elements of the running pipeline, in pipeline order.
  virtual std::vector<FilterInfo> filters() const = 0;

  virtual void setColorControl(const ColorControl& color) = 0;

  // Delivers the events that arrived since the last call to the listener.
  // The 20 ms update calls it first thing in every tick.
  virtual void pollEvents() = 0;

  // Called on a streaming thread whenever a new picture is ready; it may only
  // schedule a repaint (e.g. a queued call to the window).
  virtual void setFrameCallback(std::function<void()> onFrame) = 0;
  // Counts decoded pictures received; changes when a new picture is ready.
  // Any thread.
  virtual uint64_t frameSerial() const = 0;
  // Converts the newest picture, scaled to the whole target (inside the
  // target's clip rectangle only). False when there is no picture (the target is left
  // untouched). Converting the same picture at the same size again reuses
  // the scaled planes, so repainting a band costs only its pixels. Interface thread.
  virtual bool drawNewestFrame(const FrameTarget& target) = 0;
  // Copies the newest picture at its decoded size (the stream's stored width
  // and height, not widened for non-square pixels) into bgrx as rows of
  // 4-byte B, G, R, X pixels without padding. False when there is no picture.
  // Interface thread.
  virtual bool copyNewestFrame(std::vector<uint8_t>& bgrx, int& widthPx, int& heightPx) {
    (void)bgrx;
    (void)widthPx;
    (void)heightPx;
    return false;
  }
};

// Turns a volume v in [0, 10000] into a level in hundredths of a decibel
// (0 = full level, -10000 = silence). Pure.
int volumeLevelCdb(int v);

}  // namespace playback
