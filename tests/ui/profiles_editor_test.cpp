// The profiles editor against a temporary remembered-settings file,
// offscreen: what closing writes, or leaves alone, after each way of deleting.
#include "ui/profiles_editor.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "texts/interface_texts.h"
#include "ui/virtual_button.h"

namespace ui {
namespace {

namespace fs = std::filesystem;

class ProfilesEditorTest : public testing::Test {
 protected:
  ProfilesEditorTest() {
    texts::LoadBuiltInTexts(false);
    char pattern[] = "/tmp/tarvelino-editor-XXXXXX";
    if (mkdtemp(pattern)) folder_ = pattern;
  }
  ~ProfilesEditorTest() override {
    std::error_code ec;
    fs::remove_all(folder_, ec);
  }
  std::string file() const { return (folder_ / "Tarvelino.rs").string(); }
  void write(const std::string& text) { std::ofstream(file(), std::ios::binary) << text; }
  std::string read() const {
    std::ifstream in(file(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  moviememory::LoadResult load() { return store_.load(file(), moviememory::MovieRecord{}); }
  // Opens the modal editor and runs steps on it once it shows.
  ProfilesEditorResult run(const std::function<void(TfrmProfilesEditor&)>& steps,
                           const std::string& openMovie = "") {
    QTimer::singleShot(0, [&] {
      for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* editor = qobject_cast<TfrmProfilesEditor*>(w); editor && editor->isVisible()) {
          steps(*editor);
          return;
        }
      ADD_FAILURE() << "no editor showed";
    });
    return openProfilesEditor(nullptr, store_, file(), openMovie);
  }
  static void click(TfrmProfilesEditor& editor, TVirtualButton* button) {
    const QPoint at = button->rect().center();
    QTest::mouseMove(&editor, at);
    QTest::mousePress(&editor, Qt::LeftButton, {}, at);
    QTest::mouseRelease(&editor, Qt::LeftButton, {}, at);
  }

  fs::path folder_;
  moviememory::MovieMemory store_;
};

constexpr const char* kThree =
    "[c.avi]\r\nLastAccessed=0\r\n[movie.avi]\r\nLastAccessed=0\r\n[Movie.avi]\r\nLastAccessed="
    "0\r\n";

TEST_F(ProfilesEditorTest, DeleteKeyRemovesTheSelectedRecordAndClosingWritesTheFile) {
  write(kThree);
  ASSERT_EQ(load(), moviememory::LoadResult::Loaded);
  const ProfilesEditorResult result = run([](TfrmProfilesEditor& editor) {
    QListWidget* list = editor.list();
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->currentRow(), 0);  // the first row is selected at opening
    list->setCurrentRow(2, QItemSelectionModel::ClearAndSelect);  // "Movie.avi"
    QTest::keyClick(list, Qt::Key_Delete);
    EXPECT_EQ(list->count(), 2);
    EXPECT_EQ(list->currentRow(), 1);
    QTest::keyClick(list, Qt::Key_Escape);
  });
  EXPECT_TRUE(result.changed);
  EXPECT_EQ(read().find("[Movie.avi]"), std::string::npos);
  EXPECT_NE(read().find("[movie.avi]"), std::string::npos);  // the other movie's record stays
  EXPECT_NE(read().find("[c.avi]"), std::string::npos);
}

TEST_F(ProfilesEditorTest, DeleteAllAndCloseDeletesTheFile) {
  write(kThree);
  ASSERT_EQ(load(), moviememory::LoadResult::Loaded);
  const ProfilesEditorResult result = run(
      [](TfrmProfilesEditor& editor) {
        click(editor, editor.deleteAllButton());
        EXPECT_EQ(editor.list()->count(), 0);
        click(editor, editor.closeButton());
      },
      "/films/C.AVI");
  EXPECT_TRUE(result.openMovieRecordGone);
  EXPECT_FALSE(fs::exists(file()));
}

// A file the store could not take (too big, unreadable) is never deleted or
// replaced by closing the editor, whatever the user clicked.
TEST_F(ProfilesEditorTest, ClosingAfterAFailedLoadLeavesTheFileAlone) {
  struct Case {
    const char* name;
    std::function<void(const std::string& file)> make;
    moviememory::LoadResult result;
  };
  const Case cases[] = {
      {"too big",
       [](const std::string& file) {
         std::ofstream(file, std::ios::binary)
             << "[a.avi]\r\n" + std::string(moviememory::kMaxFileBytes, 'x');
       },
       moviememory::LoadResult::Refused},
      {"a folder", [](const std::string& file) { fs::create_directories(file); },
       moviememory::LoadResult::Unreadable},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::error_code ec;
    fs::remove_all(file(), ec);
    c.make(file());
    ASSERT_EQ(load(), c.result);
    const bool folder = fs::is_directory(file());
    const auto size = folder ? 0 : fs::file_size(file());
    const ProfilesEditorResult result = run([](TfrmProfilesEditor& editor) {
      EXPECT_EQ(editor.list()->count(), 0);
      click(editor, editor.deleteAllButton());
      click(editor, editor.deleteButton());
      QTest::keyClick(editor.list(), Qt::Key_Escape);
    });
    EXPECT_FALSE(result.changed);
    ASSERT_TRUE(fs::exists(file()));
    EXPECT_EQ(fs::is_directory(file()), folder);
    if (!folder) {
      EXPECT_EQ(fs::file_size(file()), size);
    }
  }
}

TEST_F(ProfilesEditorTest, ButtonsShareTheWidestWidthAndAreSpreadEvenly) {
  write(kThree);
  load();
  run([](TfrmProfilesEditor& editor) {
    const int W = editor.width();
    const int w = editor.deleteAllButton()->rect().width();
    EXPECT_EQ(W, 494);
    EXPECT_EQ(editor.deleteButton()->rect().width(), w);
    EXPECT_EQ(editor.closeButton()->rect().width(), w);
    const int b = static_cast<int>(std::lrint((W - 3.0 * w) / 4.0));
    EXPECT_EQ(editor.deleteButton()->rect().left(), b);
    EXPECT_EQ(editor.deleteAllButton()->rect().left(), (W - w) / 2);
    EXPECT_EQ(editor.closeButton()->rect().left(), W - b - w);
    EXPECT_EQ(editor.deleteButton()->rect().top(), 341);
    // Ctrl+A selects every row; closing without a deletion writes nothing.
    QTest::keyClick(editor.list(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(editor.list()->selectedItems().size(), 3);
    editor.close();
  });
  EXPECT_EQ(read(), kThree);  // not rewritten
}

}  // namespace
}  // namespace ui
