// The key table and the special-key table: every row, in the windows that
// pass keys on, under Busy, OpeningBusy, full screen and the focus states.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "playback/jump_time.h"
#include "playback/key_table.h"
#include "playback/time_text.h"

namespace playback {
namespace {

using C = KeyCommand;
using K = Key;
using W = KeyWindow;

// States named after what they set.
KeyState idle() {
  KeyState s;
  s.MovieOpen = true;
  s.PlayDown = true;
  s.StopEnabled = true;
  s.VideoShowing = true;
  s.MainFocused = true;
  return s;
}
KeyState busy() {
  KeyState s = idle();
  s.Busy = true;
  return s;
}
KeyState opening() {
  KeyState s = idle();
  s.OpeningBusy = true;
  return s;
}
KeyState noMovie() {
  KeyState s;
  s.VideoShowing = true;
  s.MainFocused = true;
  return s;
}
KeyState paused() {
  KeyState s = idle();
  s.PlayDown = false;
  s.PauseDown = true;
  return s;
}
KeyState fullScreen(bool mainRaised) {
  KeyState s = idle();
  s.FullScreen = true;
  s.MainRaised = mainRaised;
  s.MainFocused = false;
  s.VideoFocused = true;
  return s;
}
KeyState videoFocused() {
  KeyState s = idle();
  s.MainFocused = false;
  s.VideoFocused = true;
  return s;
}
KeyState noFocus() {
  KeyState s = idle();
  s.MainFocused = false;
  return s;
}
KeyState videoHidden() {
  KeyState s = idle();
  s.VideoShowing = false;
  return s;
}
KeyState playlistFocused() {
  KeyState s = idle();
  s.PlaylistListFocused = true;
  return s;
}

struct Row {
  const char* name;
  W window;
  KeyPress press;
  KeyState state;
  std::optional<KeyAction> expected;
};

constexpr unsigned kNone = kNoModifier;
constexpr std::nullopt_t kNothing = std::nullopt;

KeyAction a(C command, int value = 0) {
  return {command, value};
}

void check(const Row& row) {
  SCOPED_TRACE(row.name);
  const std::optional<KeyAction> got = routeKey(row.window, row.press, row.state);
  ASSERT_EQ(got.has_value(), row.expected.has_value());
  if (got) {
    EXPECT_EQ(int(got->command), int(row.expected->command));
    EXPECT_EQ(got->value, row.expected->value);
  }
}

TEST(KeyTableTest, MovesAndSubtitleTimesWithTheirBusyRules) {
  const Row rows[] = {
      {"Ctrl+Backspace", W::Main, {K::Backspace, kCtrl}, idle(), a(C::FastRewind)},
      {"Ctrl+,", W::Main, {K::Comma, kCtrl}, idle(), a(C::FastRewind)},
      {"Ctrl+, busy", W::Main, {K::Comma, kCtrl}, busy(), kNothing},
      {"Ctrl+, opening", W::Main, {K::Comma, kCtrl}, opening(), kNothing},
      {"Backspace", W::Video, {K::Backspace, kNone}, idle(), a(C::Rewind)},
      {",", W::Main, {K::Comma, kNone}, idle(), a(C::Rewind)},
      {", busy", W::Main, {K::Comma, kNone}, busy(), kNothing},
      {", opening", W::Main, {K::Comma, kNone}, opening(), kNothing},
      {"Alt+Backspace busy", W::Main, {K::Backspace, kAlt}, busy(), a(C::SubtitleTime, -500)},
      {"Alt+, busy", W::Main, {K::Comma, kAlt}, busy(), a(C::SubtitleTime, -500)},
      {"Ctrl+.", W::Main, {K::Period, kCtrl}, idle(), a(C::FastForward)},
      {"Ctrl+. busy", W::Main, {K::Period, kCtrl}, busy(), kNothing},
      {".", W::Main, {K::Period, kNone}, idle(), a(C::Forward)},
      {". opening", W::Main, {K::Period, kNone}, opening(), kNothing},
      {"Alt+. busy", W::Main, {K::Period, kAlt}, busy(), a(C::SubtitleTime, 500)},
      {"[", W::Main, {K::BracketLeft, kNone}, idle(), a(C::SubtitleTime, -500)},
      {"]", W::Main, {K::BracketRight, kNone}, idle(), a(C::SubtitleTime, 500)},
      {"Shift+,", W::Main, {K::Comma, kShift}, idle(), kNothing},
      {"End", W::Main, {K::End, kNone}, idle(), a(C::GoToEnd)},
      {"End busy", W::Main, {K::End, kNone}, busy(), kNothing},
      {"End opening", W::Main, {K::End, kNone}, opening(), kNothing},
      {"End playlist list", W::PlaylistList, {K::End, kNone}, playlistFocused(), kNothing},
      {"Home", W::Video, {K::Home, kNone}, idle(), a(C::GoToStart)},
      {"Home playlist list", W::PlaylistList, {K::Home, kNone}, playlistFocused(), kNothing},
      {"Home playlist window", W::Playlist, {K::Home, kNone}, idle(), a(C::GoToStart)},
  };
  for (const Row& row : rows) check(row);
}

TEST(KeyTableTest, TransportKeysFollowTheButtons) {
  const Row rows[] = {
      {"Space playing", W::Main, {K::Space, kNone}, idle(), a(C::Pause)},
      {"Space paused", W::Main, {K::Space, kNone}, paused(), a(C::Play)},
      {"Space no movie", W::Main, {K::Space, kNone}, noMovie(), a(C::Play)},
      {"Space opening", W::Main, {K::Space, kNone}, opening(), kNothing},
      {"Space busy", W::Main, {K::Space, kNone}, busy(), a(C::Pause)},
      {"C playing", W::Main, {K::C, kNone}, idle(), a(C::Pause)},
      {"C paused", W::Main, {K::C, kNone}, paused(), kNothing},
      {"C opening", W::Main, {K::C, kNone}, opening(), kNothing},
      {"X paused", W::Main, {K::X, kNone}, paused(), a(C::Play)},
      {"X playing", W::Main, {K::X, kNone}, idle(), kNothing},
      {"X no movie", W::Main, {K::X, kNone}, noMovie(), a(C::Play)},
      {"X busy",
       W::Main,
       {K::X, kNone},
       [] {
         auto s = paused();
         s.Busy = true;
         return s;
       }(),
       kNothing},
      {"X opening",
       W::Main,
       {K::X, kNone},
       [] {
         auto s = noMovie();
         s.OpeningBusy = true;
         return s;
       }(),
       kNothing},
      {"V", W::Main, {K::V, kNone}, idle(), a(C::Stop)},
      {"V stop disabled", W::Main, {K::V, kNone}, noMovie(), kNothing},
      {"V busy", W::Main, {K::V, kNone}, busy(), kNothing},
      {"V opening", W::Main, {K::V, kNone}, opening(), kNothing},
      {"B", W::Main, {K::B, kNone}, idle(), a(C::NextMovie)},
      {"B busy", W::Main, {K::B, kNone}, busy(), kNothing},
      {"B opening", W::Main, {K::B, kNone}, opening(), kNothing},
      {"Z", W::Main, {K::Z, kNone}, idle(), a(C::PreviousMovie)},
      {"Z opening", W::Main, {K::Z, kNone}, opening(), kNothing},
      {"Ctrl+F4", W::Main, {K::F4, kCtrl}, idle(), a(C::CloseMovie)},
      {"Ctrl+F4 busy", W::Main, {K::F4, kCtrl}, busy(), kNothing},
      {"Ctrl+F4 opening", W::Main, {K::F4, kCtrl}, opening(), kNothing},
      {"R", W::Main, {K::R, kNone}, idle(), a(C::RepeatCycle)},
      {"Alt+M", W::Main, {K::M, kAlt}, idle(), a(C::Mute)},
      {"/", W::Main, {K::Slash, kNone}, idle(), a(C::TimesFrames)},
      {"Q", W::Main, {K::Q, kNone}, idle(), a(C::QuickInfo)},
      {"Ctrl+T", W::Main, {K::T, kCtrl}, idle(), a(C::PowerOffAfterPlay)},
      {"Alt+X", W::Main, {K::X, kAlt}, busy(), a(C::ClosePlayer)},
      {"Alt+X video", W::Video, {K::X, kAlt}, opening(), a(C::ClosePlayer)},
      {"Alt+F4 full-screen video", W::Video, {K::F4, kAlt}, fullScreen(false), a(C::ClosePlayer)},
      {"Alt+F4 windowed video", W::Video, {K::F4, kAlt}, idle(), kNothing},
      {"Alt+F4 main window", W::Main, {K::F4, kAlt}, fullScreen(false), kNothing},
  };
  for (const Row& row : rows) check(row);
}

TEST(KeyTableTest, PictureAndWindowSizeKeys) {
  const Row rows[] = {
      {"Alt+Enter", W::Main, {K::Enter, kAlt}, idle(), a(C::FullScreen)},
      {"Enter", W::Main, {K::Enter, kNone}, idle(), a(C::ZoomCycle)},
      {"Enter in a playlist list", W::PlaylistList, {K::Enter, kNone}, idle(), kNothing},
      {"Alt+Enter in the playlist", W::Playlist, {K::Enter, kAlt}, idle(), kNothing},
      {"F", W::Video, {K::F, kNone}, idle(), a(C::FullScreen)},
      {"0 with Ctrl", W::Main, {K::D0, kCtrl}, busy(), a(C::WindowSize, 100)},
      {"Num 0 with Shift", W::Main, {K::Num0, kShift}, idle(), a(C::WindowSize, 100)},
      {"1", W::Main, {K::D1, kNone}, idle(), a(C::WindowSize, 50)},
      {"2", W::Main, {K::D2, kNone}, idle(), a(C::WindowSize, 100)},
      {"3", W::Main, {K::D3, kNone}, idle(), a(C::WindowSize, 200)},
      {"3 busy", W::Main, {K::D3, kNone}, busy(), kNothing},
      {"4", W::Main, {K::D4, kNone}, idle(), kNothing},
      {"Num 1", W::Main, {K::Num1, kNone}, idle(), kNothing},
      {"Ctrl+1", W::Main, {K::D1, kCtrl}, idle(), a(C::AspectRatio, 1)},
      {"Ctrl+5", W::Main, {K::D5, kCtrl}, idle(), a(C::AspectRatio, 5)},
      {"Ctrl+5 busy", W::Main, {K::D5, kCtrl}, busy(), kNothing},
      {"Ctrl+6", W::Main, {K::D6, kCtrl}, idle(), kNothing},
      {"Shift+8", W::Main, {K::D8, kShift}, idle(), a(C::AutomaticPanScan)},
      {"Shift+8 busy", W::Main, {K::D8, kShift}, busy(), kNothing},
      {"Num *", W::Main, {K::NumMultiply, kNone}, busy(), a(C::AutomaticPanScan)},
      {"Num +", W::Main, {K::NumPlus, kNone}, idle(), a(C::PanIn)},
      {"Shift+=", W::Main, {K::Equal, kShift}, idle(), a(C::PanIn)},
      {"=", W::Main, {K::Equal, kNone}, idle(), kNothing},
      {"Num -", W::Main, {K::NumMinus, kNone}, idle(), a(C::PanOut)},
      {"-", W::Main, {K::Minus, kNone}, idle(), a(C::PanOut)},
      {"A", W::Main, {K::A, kNone}, idle(), a(C::CustomAspectRatio)},
      {"P", W::Main, {K::P, kNone}, idle(), a(C::CustomPanScan)},
      {"M", W::Main, {K::M, kNone}, idle(), a(C::MovieMode)},
      {"Shift+G", W::Main, {K::G, kShift}, idle(), a(C::MovePictureLeft)},
      {"Shift+G no movie", W::Main, {K::G, kShift}, noMovie(), kNothing},
      {"Shift+J", W::Main, {K::J, kShift}, idle(), a(C::MovePictureRight)},
      {"Shift+Y", W::Main, {K::Y, kShift}, idle(), a(C::MovePictureUp)},
      {"Shift+N", W::Main, {K::N, kShift}, idle(), a(C::MovePictureDown)},
      {"Shift+H", W::Main, {K::H, kShift}, idle(), a(C::CenterPicture)},
      {"Shift+F12", W::Main, {K::F12, kShift}, idle(), a(C::CenterPicture)},
      {"Num 2", W::Main, {K::Num2, kNone}, idle(), a(C::MovePictureDown)},
      {"Num 4", W::Main, {K::Num4, kNone}, idle(), a(C::MovePictureLeft)},
      {"Num 5", W::Main, {K::Num5, kNone}, idle(), a(C::CenterPicture)},
      {"Num 6", W::Main, {K::Num6, kNone}, idle(), a(C::MovePictureRight)},
      {"Num 8", W::Main, {K::Num8, kNone}, idle(), a(C::MovePictureUp)},
      {"Num 8 no movie", W::Main, {K::Num8, kNone}, noMovie(), kNothing},
      {"Alt+C", W::Main, {K::C, kAlt}, idle(), a(C::CaptureFrame)},
      {"Ctrl+C", W::Main, {K::C, kCtrl}, idle(), a(C::ColorControl)},
      {"T", W::Main, {K::T, kNone}, idle(), a(C::AlwaysOnTop)},
  };
  for (const Row& row : rows) check(row);
}

TEST(KeyTableTest, WindowsDialogsAndBookmarks) {
  const Row rows[] = {
      {"Alt+1", W::Main, {K::D1, kAlt}, idle(), a(C::ActivateBookmark, 1)},
      {"Alt+9", W::Main, {K::D9, kAlt}, idle(), a(C::ActivateBookmark, 9)},
      {"Alt+9 busy", W::Main, {K::D9, kAlt}, busy(), kNothing},
      {"Alt+0", W::Main, {K::D0, kAlt}, idle(), a(C::WindowSize, 100)},
      {"Alt+I", W::Main, {K::I, kAlt}, idle(), a(C::AddBookmark)},
      {"Shift+C", W::Main, {K::C, kShift}, idle(), a(C::ClearBookmarks)},
      {"I", W::Main, {K::I, kNone}, idle(), a(C::Clock)},
      {"E", W::Main, {K::E, kNone}, idle(), a(C::Equalizer)},
      {"Alt+G", W::Main, {K::G, kAlt}, idle(), a(C::Equalizer)},
      {"Alt+E", W::Main, {K::E, kAlt}, idle(), a(C::Playlist)},
      {"Alt+P", W::Main, {K::P, kAlt}, idle(), a(C::ActivatePlaylist)},
      {"F10", W::Main, {K::F10, kNone}, idle(), a(C::Playlist)},
      {"Shift+Ctrl+F10", W::Video, {K::F10, kShift | kCtrl}, idle(), a(C::Playlist)},
      {"Ctrl+F", W::Main, {K::F, kCtrl}, idle(), a(C::SubtitleFont)},
      {"Ctrl+J", W::Main, {K::J, kCtrl}, idle(), a(C::JumpToTime)},
      {"Ctrl+L", W::Main, {K::L, kCtrl}, idle(), a(C::LoadSubtitle)},
      {"Ctrl+M", W::Main, {K::M, kCtrl}, idle(), a(C::Minimize)},
      {"Ctrl+O", W::Main, {K::O, kCtrl}, opening(), a(C::OpenMovie)},
      {"Ctrl+P", W::Main, {K::P, kCtrl}, idle(), a(C::Configuration)},
      {"S", W::Main, {K::S, kNone}, idle(), a(C::SubtitlesOnOff)},
      {"F1", W::Main, {K::F1, kNone}, idle(), a(C::KeyDefinitions)},
      {"Ctrl+F1", W::Main, {K::F1, kCtrl}, idle(), a(C::About)},
      {"F6", W::Main, {K::F6, kNone}, idle(), a(C::MovieInfo)},
      {"context-menu key", W::Main, {K::ContextMenu, kNone}, idle(), a(C::ContextMenu)},
      {"context-menu key in video", W::Video, {K::ContextMenu, kNone}, idle(), kNothing},
      {"Ctrl+Alt+O", W::Main, {K::O, kCtrl | kAlt}, idle(), kNothing},
      {"K", W::Main, {K::K, kNone}, idle(), kNothing},
  };
  for (const Row& row : rows) check(row);
}

TEST(KeyTableTest, FocusKeysBetweenMainAndVideo) {
  const Row rows[] = {
      {"H full screen", W::Video, {K::H, kNone}, fullScreen(false), a(C::RaiseMainWindow)},
      {"H full screen raised", W::Video, {K::H, kNone}, fullScreen(true), a(C::ActivateMainWindow)},
      {"H video focused", W::Video, {K::H, kNone}, videoFocused(), a(C::FocusMainWindow)},
      {"F12 main focused", W::Main, {K::F12, kNone}, idle(), a(C::FocusVideoWindow)},
      {"H no focus", W::Main, {K::H, kNone}, noFocus(), kNothing},
      {"H video hidden", W::Main, {K::H, kNone}, videoHidden(), a(C::FocusMainWindow)},
      {"Esc full screen", W::Video, {K::Escape, kNone}, fullScreen(false), a(C::RaiseMainWindow)},
      {"Esc full screen raised",
       W::Main,
       {K::Escape, kNone},
       fullScreen(true),
       a(C::LeaveFullScreen)},
      {"Esc windowed", W::Main, {K::Escape, kNone}, idle(), a(C::FocusVideoWindow)},
      {"Esc video hidden", W::Main, {K::Escape, kNone}, videoHidden(), kNothing},
      {"Esc equalizer", W::Equalizer, {K::Escape, kNone}, fullScreen(true), a(C::LeaveFullScreen)},
      {"Esc playlist", W::Playlist, {K::Escape, kNone}, fullScreen(true), kNothing},
      {"Shift+Esc", W::Main, {K::Escape, kShift}, fullScreen(true), kNothing},
  };
  for (const Row& row : rows) check(row);
}

TEST(KeyTableTest, ArrowKeysGoThroughTheSpecialTable) {
  const Row rows[] = {
      {"Ctrl+Left", W::Main, {K::Left, kCtrl}, idle(), a(C::FastRewind)},
      {"Ctrl+Left busy", W::Main, {K::Left, kCtrl}, busy(), kNothing},
      {"Left", W::Video, {K::Left, kNone}, idle(), a(C::Rewind)},
      {"Left opening", W::Video, {K::Left, kNone}, opening(), kNothing},
      {"Alt+Left", W::Main, {K::Left, kAlt}, busy(), a(C::SubtitleTime, -500)},
      {"Shift+Alt+Left", W::Main, {K::Left, kShift | kAlt}, idle(), a(C::SubtitleTime, -10000)},
      {"Shift+Alt+Left colour",
       W::ColorControl,
       {K::Left, kShift | kAlt},
       idle(),
       a(C::SubtitleTime, -10000)},
      {"Shift+Alt+Left playlist", W::Playlist, {K::Left, kShift | kAlt}, idle(), kNothing},
      {"Ctrl+Shift+Left", W::Main, {K::Left, kCtrl | kShift}, idle(), kNothing},
      {"Ctrl+Right", W::Main, {K::Right, kCtrl}, idle(), a(C::FastForward)},
      {"Right", W::Main, {K::Right, kNone}, idle(), a(C::Forward)},
      {"Alt+Right", W::Main, {K::Right, kAlt}, idle(), a(C::SubtitleTime, 500)},
      {"Shift+Alt+Right", W::Video, {K::Right, kShift | kAlt}, idle(), a(C::SubtitleTime, 10000)},
      {"Up", W::Main, {K::Up, kNone}, busy(), a(C::VolumeUp)},
      {"Ctrl+Up", W::Main, {K::Up, kCtrl}, idle(), a(C::SubtitleSizeUp)},
      {"Shift+Up", W::Main, {K::Up, kShift}, idle(), a(C::SubtitleUp)},
      {"Alt+Up", W::ColorControl, {K::Up, kAlt}, idle(), a(C::PreAmplificationUp)},
      {"Down", W::Video, {K::Down, kNone}, idle(), a(C::VolumeDown)},
      {"Ctrl+Down", W::Main, {K::Down, kCtrl}, idle(), a(C::SubtitleSizeDown)},
      {"Shift+Down", W::Main, {K::Down, kShift}, idle(), a(C::SubtitleDown)},
      {"Alt+Down", W::Equalizer, {K::Down, kAlt}, idle(), a(C::PreAmplificationDown)},
      {"Up in a playlist list", W::PlaylistList, {K::Up, kNone}, idle(), kNothing},
  };
  for (const Row& row : rows) check(row);
}

TEST(JumpTimeTest, FieldTakesDigitsAndColons) {
  for (char c : std::string("0123456789:")) EXPECT_TRUE(jumpCharacterAccepted(c)) << c;
  for (char c : std::string("a -.;/ \n")) EXPECT_FALSE(jumpCharacterAccepted(c)) << c;
}

}  // namespace
}  // namespace playback

namespace playback {
namespace {

TEST(JumpTimeTest, DialogPlacement) {
  JumpPlacement base;
  base.width = 260;
  base.height = 100;
  base.Monitor = {0, 0, 1280, 1024};
  base.WorkArea = {0, 0, 1280, 1000};
  base.VideoWindow = {100, 100, 500, 400};
  base.ScreenCentreX = 640;
  const struct {
    const char* name;
    JumpPlacement p;
    std::pair<int, int> corner;
  } rows[] = {
      // Centre x: (640 + 300) / 2 = 470; just below the video window.
      {"single desktop", base, {340, 400}},
      {"several monitors",
       [&] {
         auto p = base;
         p.MultiMonitorDesktop = true;
         return p;
       }(),
       {170, 400}},
      {"full screen",
       [&] {
         auto p = base;
         p.FullScreen = true;
         return p;
       }(),
       {510, 462}},
      {"video at the bottom",
       [&] {
         auto p = base;
         p.VideoWindow = {100, 600, 500, 980};
         return p;
       }(),
       {340, 900}},
      {"video at the left edge",
       [&] {
         auto p = base;
         p.MultiMonitorDesktop = true;
         p.VideoWindow = {-200, 0, 0, 300};
         return p;
       }(),
       {0, 300}},
  };
  for (const auto& row : rows) EXPECT_EQ(placeJumpDialog(row.p), row.corner) << row.name;
}

}  // namespace
}  // namespace playback
