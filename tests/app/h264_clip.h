#pragma once
// An H.264/AAC clip at 20 frames a second made with the media framework's own
// tools, for the tests that start the whole program.
#include <QProcess>
#include <QString>

namespace app {

// Writes folder + "/clip.mp4" from videotestsrc's pattern; audioBuffers of
// audiotestsrc (1024 samples each at 44.1 kHz) run beside it. Empty on failure.
inline QString makeH264Clip(const QString& folder, const QString& pattern, int width, int height,
                            int frames, int audioBuffers) {
  const QString clip = folder + "/clip.mp4";
  const QString size =
      QString("video/x-raw,width=%1,height=%2,framerate=20/1").arg(width).arg(height);
  QProcess make;
  make.start("gst-launch-1.0", {"-q",
                                "-e",
                                "videotestsrc",
                                "pattern=" + pattern,
                                "num-buffers=" + QString::number(frames),
                                "!",
                                size,
                                "!",
                                "videoconvert",
                                "!",
                                "video/x-raw,format=I420",
                                "!",
                                "x264enc",
                                "!",
                                "mp4mux",
                                "name=mux",
                                "!",
                                "filesink",
                                "location=" + clip,
                                "audiotestsrc",
                                "num-buffers=" + QString::number(audioBuffers),
                                "!",
                                "audioconvert",
                                "!",
                                "avenc_aac",
                                "!",
                                "mux."});
  if (!make.waitForFinished(120000) || make.exitCode() != 0) return {};
  return clip;
}

}  // namespace app
