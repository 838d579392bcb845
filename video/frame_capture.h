#pragma once
// Frame capture files: their names ("Capture" + a counter of at least four
// digits + the format's extension), the folder they go to, and writing one
// without ever overwriting or following a link. Plain C++; writeCapture and
// runCapture may run on any thread.
#include <functional>
#include <string>
#include <string_view>

#include "video/capture_image.h"

namespace video {

// The counter is raised before every name tried; names are not tried past it.
inline constexpr int kCaptureCounterLimit = 99999999;

// "bmp", "jpg" or "png" for CaptureType 0, 1, 2 (others count as JPEG).
CaptureFormat captureFormat(int CaptureType);
const char* captureExtension(CaptureFormat format);
// "Capture" + counter padded with "0" to at least 4 digits + "." + extension.
std::string captureFileName(int counter, CaptureFormat format);

struct CaptureFolderChoice {
  std::string folder;     // ends in "/"; empty when no usable folder was found
  bool fellBack = false;  // not the folder CaptureFolder names
};

// CaptureFolder "Desktop" means desktopFolder; anything else is a folder path.
// When that folder does not exist the movie's own folder is used, and when
// that does not exist either the home folder. Never the process's current
// folder: with none of them usable the folder is empty and the capture fails.
CaptureFolderChoice chooseCaptureFolder(const std::string& CaptureFolder,
                                        const std::string& desktopFolder,
                                        const std::string& moviePath, const std::string& homeFolder,
                                        const std::function<bool(const std::string&)>& isFolder);

struct CaptureWrite {
  bool ok = false;
  std::string path;  // the file written
  int counter = 0;   // CaptureCounter after the names tried
};

// Writes bytes under the first free name folder + captureFileName(n), n from
// counter + 1 up. The bytes go to a new temporary file in the folder first
// (created exclusively, flushed, closed, each result checked) and are then
// renamed to the name without replacing anything there: an existing file or
// link makes the next number be tried. Nothing is overwritten; names are not
// tried past kCaptureCounterLimit. On any failure the temporary file is
// removed and ok is false; counter then holds the last number tried.
CaptureWrite writeCapture(const std::string& folder, int counter, CaptureFormat format,
                          std::string_view bytes);

struct CaptureJob {
  CapturePicture picture;
  CaptureFormat format = CaptureFormat::Jpeg;
  std::string folder;  // from chooseCaptureFolder
  int counter = 0;     // CaptureCounter before this capture
};

// Encodes the picture and writes it (the part that runs off the interface
// thread). A job without a folder or a picture fails.
CaptureWrite runCapture(const CaptureJob& job);

}  // namespace video
