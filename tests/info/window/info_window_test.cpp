// The information window offscreen on media made for the test: one clip per
// container, probed on the worker thread, laid out and closed by its keys.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QTimer>

#include <unistd.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "info/window/info_window.h"

namespace info {
namespace {

namespace fs = std::filesystem;

class Clips {
 public:
  static const Clips& get() {
    static Clips clips;
    return clips;
  }
  fs::path path(const std::string& name) const { return dir_ / name; }
  std::string failures;

 private:
  Clips() {
    dir_ = fs::temp_directory_path() / ("tarvelino-infowin-" + std::to_string(::getpid()));
    fs::create_directories(dir_);
    const std::string video =
        "videotestsrc num-buffers=50 ! video/x-raw,width=320,height=240,framerate=25/1 ! "
        "videoconvert";
    const std::string audio = "audiotestsrc num-buffers=86 ! audioconvert";
    make("clip.mp4", video +
                         " ! video/x-raw,format=I420 ! x264enc ! h264parse ! mp4mux name=m"
                         " ! filesink location=OUT " +
                         audio + " ! avenc_aac ! aacparse ! m.");
    make("clip.mkv", video + " ! vp8enc deadline=1 ! matroskamux name=m ! filesink location=OUT " +
                         audio + " ! vorbisenc ! m.");
    make("clip.avi", video + " ! avenc_mpeg4 ! avimux name=m ! filesink location=OUT " + audio +
                         " ! audio/x-raw,format=S16LE,rate=44100,channels=2 ! m.");
    make("clip.mov", video + " ! jpegenc ! qtmux ! filesink location=OUT");
    std::ofstream(dir_ / "text.avi") << "not a movie\n";
  }
  ~Clips() {
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }
  void make(const std::string& name, std::string pipeline) {
    const std::string out = (dir_ / name).string();
    pipeline.replace(pipeline.find("OUT"), 3, "'" + out + "'");
    if (std::system(("gst-launch-1.0 -q -e " + pipeline + " >/dev/null 2>&1").c_str()) != 0 ||
        !fs::exists(out))
      failures += name + " ";
  }
  fs::path dir_;
};

TEST(InfoWindowTest, ShowsEachContainersStreamsAndClosesByItsKeys) {
  const Clips& clips = Clips::get();
  ASSERT_EQ(clips.failures, "");
  struct Row {
    const char* file;
    const char* videoStreams;
    const char* audioStreams;
    const char* channels;
  } rows[] = {{"clip.mp4", "1", "1", "Mono"},
              {"clip.mkv", "1", "1", "Mono"},
              {"clip.avi", "1", "1", "Stereo"},
              {"clip.mov", "1", "0", ""}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.file);
    std::optional<MediaInfo> media = probeWithTimeLimit(clips.path(row.file).string());
    ASSERT_TRUE(media.has_value());
    TfrmInfo window(movieInfoValues(*media), texts::builtInTexts());
    EXPECT_GE(window.width(), 430);
    EXPECT_EQ(window.values()[1].toStdString(), row.videoStreams);
    EXPECT_EQ(window.values()[8].toStdString(), row.audioStreams);
    EXPECT_EQ(window.values()[4].toStdString(), "320 x 240");
    EXPECT_EQ(window.values()[5].toStdString(), "25");
    EXPECT_EQ(window.values()[12].toStdString(), row.channels);
    EXPECT_FALSE(window.values()[0].isEmpty());
    EXPECT_GE(window.valueWidth(), 153);
    EXPECT_LE(window.valueWidth(), 201);
    EXPECT_EQ(window.valueLeft() + window.valueWidth(), 425);
    if (const char* dir = std::getenv("TARVELINO_SCREENSHOTS"))
      window.grab().save(QString(dir) + "/info-" + row.file + ".png");
  }
  for (int key : {Qt::Key_Return, Qt::Key_Escape}) {
    std::optional<MediaInfo> media = probeWithTimeLimit(clips.path("clip.mp4").string());
    ASSERT_TRUE(media);
    TfrmInfo window(movieInfoValues(*media), texts::builtInTexts());
    bool closed = false;
    QObject::connect(&window, &TfrmInfo::closed, [&] { closed = true; });
    window.show();
    QTest::keyClick(&window, Qt::Key(key));
    EXPECT_TRUE(closed);
  }
}

TEST(InfoWindowTest, OpensOnlyForAnOpenExistingMovieAndReportsFailures) {
  const Clips& clips = Clips::get();
  ASSERT_EQ(clips.failures, "");
  std::string message;
  MovieInfoRequest q;
  q.movieOpen = true;
  q.showMessage = [&](const std::string& m) { message = m; };
  struct Row {
    const char* name;
    std::string path;
    bool opening, open;
    std::string message;
  } rows[] = {
      {"while opening", clips.path("clip.mp4").string(), true, true, ""},
      {"no movie", clips.path("clip.mp4").string(), false, false, ""},
      {"file gone", clips.path("gone.mp4").string(), false, true, ""},
      {"not a movie", clips.path("text.avi").string(), false, true,
       "Error while reading video info from \"" + clips.path("text.avi").string() + "\"!"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    message.clear();
    q.path = row.path;
    q.openingBusy = row.opening;
    q.movieOpen = row.open;
    EXPECT_FALSE(ShowMovieInfo(q, texts::builtInTexts()));
    EXPECT_EQ(message, row.message);
    EXPECT_FALSE(movieInfoOpen());
  }
  // A real movie shows the window modally; Escape closes it.
  q.path = clips.path("clip.avi").string();
  q.openingBusy = false;
  q.movieOpen = true;
  QTimer::singleShot(300, [] {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* info = qobject_cast<TfrmInfo*>(w)) {
        EXPECT_TRUE(movieInfoOpen());
        QTest::keyClick(info, Qt::Key_Escape);
      }
  });
  EXPECT_TRUE(ShowMovieInfo(q, texts::builtInTexts()));
  EXPECT_FALSE(movieInfoOpen());
}

}  // namespace
}  // namespace info
