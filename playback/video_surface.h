#pragma once
// What the playback controller asks of the video window. The window paints the
// picture, then the subtitle layer, then the message layer, in one paint.
// Interface thread only.
namespace playback {

class VideoSurface {
 public:
  virtual ~VideoSurface() = default;
  // The message layer (Osd) changed: repaint it.
  virtual void repaintOsd() = 0;
  // Repaint everything: picture, subtitle layer, message layer.
  virtual void repaintVideo() = 0;
  // The subtitle lines changed (laid out or cleared): repaint that layer.
  virtual void repaintSubtitles() = 0;
  // Shows the window, or brings it to the front when it shows already.
  virtual void showSurface() = 0;
  // Leaves full screen and hides the window.
  virtual void hideSurface() = 0;
  virtual bool surfaceShowing() const = 0;
  virtual bool fullScreen() const = 0;
  // Gives the window's client area the native picture size (the movie's
  // own size), keeping its centre.
  virtual void resizeToPicture(int widthPx, int heightPx) = 0;
  // Window size in pixels (its windowed size when full screen).
  virtual void windowSize(int& widthPx, int& heightPx) const = 0;
};

}  // namespace playback
