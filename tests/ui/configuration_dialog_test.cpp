// The configuration dialog offscreen: each control is filled from its
// setting and written back by Apply, the fields' input rules (typed and
// pasted), Enter and Esc, "Default", the language list, the priority read
// back, and the boss key where no global keys exist.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>

#include "ui/configuration_dialog.h"
#include "ui/configuration_widgets.h"

namespace ui {
namespace {

void check(QListWidget* list, int row, bool on) {
  list->item(row)->setCheckState(on ? Qt::Checked : Qt::Unchecked);
}

void type(QLineEdit* edit, const QString& text) {
  edit->setFocus();
  edit->selectAll();
  edit->insert(text);  // what a paste does
  emit edit->editingFinished();
}

class ConfigurationDialogTest : public testing::Test {
 protected:
  std::unique_ptr<TfrmConfig> make() {
    auto d = std::make_unique<TfrmConfig>(settings_, services_);
    d->show();
    return d;
  }
  settings::Settings settings_;
  ConfigurationServices services_;
};

// Each row sets a setting to another value than its default, checks that the
// dialog opens with nothing pending (so the control shows the setting), edits
// the control back to the default and applies: the setting follows.
TEST_F(ConfigurationDialogTest, EachControlIsFilledFromItsSettingAndWrittenBackByApply) {
  using Set = std::function<void(settings::Settings&)>;
  using Edit = std::function<void(TfrmConfig&)>;
  using Check = std::function<bool(const settings::Settings&)>;
  const struct {
    const char* name;
    Set set;
    Edit edit;
    Check applied;
  } rows[] = {
      {"auto play", [](auto& s) { s.AutoPlayOnLoad = false; },
       [](TfrmConfig& d) { check(d.CBGeneral, 0, true); },
       [](auto& s) { return s.AutoPlayOnLoad; }},
      {"load entire folder", [](auto& s) { s.LoadEntireFolder = true; },
       [](TfrmConfig& d) { check(d.CBGeneral, 9, false); },
       [](auto& s) { return !s.LoadEntireFolder; }},
      {"playlist font size", [](auto& s) { s.PlaylistFontSize = 14; },
       [](TfrmConfig& d) { type(d.EPlaylistFontSize, "10"); },
       [](auto& s) { return s.PlaylistFontSize == 10; }},
      {"capture format", [](auto& s) { s.CaptureType = 2; },
       [](TfrmConfig& d) { d.cbChooseFormat->setCurrentIndex(0); },
       [](auto& s) { return s.CaptureType == 0; }},
      {"register on start", [](auto& s) { s.RegisterExtensionsOnLoad = true; },
       [](TfrmConfig& d) { d.CBRegExtension->setChecked(false); },
       [](auto& s) { return !s.RegisterExtensionsOnLoad; }},
      {"outline", [](auto& s) { s.UseOutlineFont = false, s.SubtitleShadowEffect = false; },
       [](TfrmConfig& d) { check(d.CBSubtitle1, 2, true); },  // the shadow brings the outline
       [](auto& s) { return s.UseOutlineFont && s.SubtitleShadowEffect; }},
      {"vertical zone", [](auto& s) { s.AverageVerticalDisplayZone = 30; },
       [](TfrmConfig& d) { type(d.EMaxVZone, "99"); },
       [](auto& s) { return s.AverageVerticalDisplayZone == 50; }},
      {"horizontal area", [](auto& s) { s.HorizontalDisplayArea = 50; },
       [](TfrmConfig& d) { type(d.EMaxHZone, "99"); },
       [](auto& s) { return s.HorizontalDisplayArea == 99; }},
      {"subtitle size", [](auto& s) { s.SubtitleSize = 150; },
       [](TfrmConfig& d) { type(d.ESubtitleSize, "120"); },
       [](auto& s) { return s.SubtitleSize == 120; }},
      {"auto load", [](auto& s) { s.AutoLoadSubtitle = false; },
       [](TfrmConfig& d) { check(d.CBSubtitle2, 0, true); },
       [](auto& s) { return s.AutoLoadSubtitle; }},
      {"display time", [](auto& s) { s.AverageDisplayTime = 3000; },
       [](TfrmConfig& d) { type(d.EAverageDisplayTime, "500"); },
       [](auto& s) { return s.AverageDisplayTime == 1000; }},
      {"search here first", [](auto& s) { s.SearchHereFirst = true; },
       [](TfrmConfig& d) { d.CBSearchHereFirst->setChecked(false); },
       [](auto& s) { return !s.SearchHereFirst; }},
      {"OSD display", [](auto& s) { s.OSDDisplay = false; },
       [](TfrmConfig& d) { check(d.CBVideo, 6, true); }, [](auto& s) { return s.OSDDisplay; }},
      {"jump", [](auto& s) { s.SecondesToJump = 5; }, [](TfrmConfig& d) { type(d.ESecJump, "0"); },
       [](auto& s) { return s.SecondesToJump == 1; }},
      {"fast jump", [](auto& s) { s.SecondesToFastJump = 90; },
       [](TfrmConfig& d) { type(d.ESecFastJump, "120"); },
       [](auto& s) { return s.SecondesToFastJump == 120; }},
      {"OSD size", [](auto& s) { s.OsdSize = 200; }, [](TfrmConfig& d) { type(d.EOsdSize, "100"); },
       [](auto& s) { return s.OsdSize == 100; }},
      {"OSD colour", [](auto& s) { s.OsdColor = 255; },
       [](TfrmConfig& d) {
         d.TPOsdColor->setColor(0xFF0000);
         d.OptionsChangeCheck();
       },
       [](auto& s) { return s.OsdColor == 0xFF0000; }},
      {"capture folder", [](auto& s) { s.CaptureFolder = "/tmp"; },
       [](TfrmConfig& d) { type(d.EPathSaveCapture, "desktop"); },
       [](auto& s) { return s.CaptureFolder == "Desktop"; }},
      {"hide key", [](auto& s) { s.BossKey = true, s.BossKeyHide = "F9"; },
       [](TfrmConfig& d) {
         d.hkHide->setShortcut("Shift+F8");
         d.OptionsChangeCheck();
       },
       [](auto& s) { return s.BossKeyHide == "Shift+F8"; }},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    settings_ = settings::Settings{};
    r.set(settings_);
    auto d = make();
    EXPECT_FALSE(d->applyEnabled());
    r.edit(*d);
    EXPECT_TRUE(d->applyEnabled());
    d->BtnApplyClick();
    EXPECT_FALSE(d->applyEnabled());
    EXPECT_TRUE(r.applied(settings_));
  }
}

TEST_F(ConfigurationDialogTest, FieldsTakeOnlyWhatTheirSettingsCanHoldTypedOrPasted) {
  auto d = make();
  d->ESecJump->clear();
  QTest::keyClicks(d->ESecJump, "a1-b2c3");
  EXPECT_EQ(d->ESecJump->text(), "12");
  d->ESubtitleSize->selectAll();
  d->ESubtitleSize->insert("1\r\n2 5x");
  EXPECT_EQ(d->ESubtitleSize->text(), "125");
  d->EExtensionName->insert("*.m;k\nv");
  EXPECT_EQ(d->EExtensionName->text(), "mkv");
  d->EExtensionName->clear();
  QTest::keyClicks(d->EExtensionName, "o/g<m>");
  EXPECT_EQ(d->EExtensionName->text(), "ogm");
  d->EExtensionName->insert(" abcdefghijklmnopqrstuvwxyz");
  EXPECT_EQ(d->EExtensionName->text().size(), config::kMaxExtensionChars);
  // An emptied field gets its setting back when left.
  d->EOsdSize->clear();
  emit d->EOsdSize->editingFinished();
  EXPECT_EQ(d->EOsdSize->text(), QString::number(settings_.OsdSize));
}

TEST_F(ConfigurationDialogTest, AChangeMadeAndUndoneLeavesNothingToApply) {
  auto d = make();
  check(d->CBVideo, 0, true);
  EXPECT_TRUE(d->applyEnabled());
  check(d->CBVideo, 0, false);
  EXPECT_FALSE(d->applyEnabled());
  d->ESecJump->setText("21");
  EXPECT_TRUE(d->applyEnabled());
  d->ESecJump->setText("20");
  EXPECT_FALSE(d->applyEnabled());
}

TEST_F(ConfigurationDialogTest, EnterAppliesWhatIsPendingAndClosesEscOnlyCloses) {
  {
    auto d = make();
    QSignalSpy closed(d.get(), &TfrmConfig::closed);
    QTest::keyClick(d->tree(), Qt::Key_Return);  // nothing pending: closes only
    EXPECT_EQ(closed.count(), 1);
  }
  {
    auto d = make();
    d->ESecJump->setText("7");
    QSignalSpy closed(d.get(), &TfrmConfig::closed);
    QTest::keyClick(d->ESecJump, Qt::Key_Escape);
    EXPECT_EQ(closed.count(), 1);
    EXPECT_EQ(settings_.SecondesToJump, 20);
  }
  {
    auto d = make();
    d->ESecJump->setText("7");
    QTest::keyClick(d->ESecJump, Qt::Key_Return);
    EXPECT_EQ(settings_.SecondesToJump, 7);
  }
}

TEST_F(ConfigurationDialogTest, DefaultResetsTheOptionsButNotTheExtensionsOrFolder) {
  settings_.OsdColor = 255;
  settings_.SecondesToJump = 3;
  settings_.SubtitleDirectory = "/srv/subs";
  settings_.ExtensionList = {"avi", "ogm"};
  auto d = make();
  d->BtnDefaultClick();
  EXPECT_EQ(d->TPOsdColor->color(), 65280);
  EXPECT_EQ(d->ESecJump->text(), "20");
  EXPECT_EQ(d->EDirSub->text(), "/srv/subs");
  EXPECT_EQ(d->CBAssocFile->count(), 2);
  EXPECT_TRUE(d->applyEnabled());
}

TEST_F(ConfigurationDialogTest, ExtensionListAddsOnceAndDeletingGivesTheTypeBack) {
  settings_.ExtensionList = {"avi", "mkv"};
  std::vector<std::string> removed;
  services_.associated = [](const std::string& e) { return e == "mkv"; };
  services_.removeAssociation = [&](const std::string& e) { removed.push_back(e); };
  auto d = make();
  EXPECT_EQ(d->CBAssocFile->item(1)->checkState(), Qt::Checked);
  d->EExtensionName->setText("mkv");
  d->BtnAddExtension->clicked();
  EXPECT_EQ(d->CBAssocFile->count(), 2);
  EXPECT_FALSE(d->applyEnabled());
  d->CBAssocFile->setCurrentRow(1);
  d->BtnDeleteExtension->clicked();
  EXPECT_EQ(removed, std::vector<std::string>{"mkv"});  // at once, before any Apply
  EXPECT_EQ(d->CBAssocFile->count(), 1);
  EXPECT_EQ(d->CBAssocFile->currentRow(), 0);
  EXPECT_TRUE(d->applyEnabled());
}

TEST_F(ConfigurationDialogTest, PriorityShowsTheLevelInForceAfterApply) {
  int inForce = 2;
  std::vector<int> asked;
  services_.priorityLevel = [&] { return inForce; };
  // Raising is refused without privileges; lowering works.
  services_.setPriorityLevel = [&](int level) {
    asked.push_back(level);
    if (level >= inForce) inForce = level;
  };
  auto d = make();
  EXPECT_EQ(d->CBPriority->currentIndex(), 2);
  d->CBPriority->setCurrentIndex(0);
  d->BtnApplyClick();
  EXPECT_EQ(asked, std::vector<int>{0});
  EXPECT_EQ(d->CBPriority->currentIndex(), 2);
  EXPECT_EQ(settings_.CpuPriority, 2);
  EXPECT_FALSE(d->applyEnabled());
  d->CBPriority->setCurrentIndex(3);
  d->BtnApplyClick();
  EXPECT_EQ(d->CBPriority->currentIndex(), 3);
  EXPECT_EQ(settings_.CpuPriority, 1);
}

TEST_F(ConfigurationDialogTest, LanguageListShowsACapitalButLoadsTheFileName) {
  const std::string folder = testing::TempDir() + "config-lang/";
  std::filesystem::create_directories(folder + "lang");
  std::ofstream(folder + "lang/deutsch.lng") << "// Translated by: Hans\r\n";
  services_.programFolder = folder;
  std::vector<std::string> loaded;
  services_.loadLanguage = [&](const std::string& name) {
    loaded.push_back(name);
    return true;
  };
  auto d = make();
  ASSERT_EQ(d->LanguageList->count(), 2);
  EXPECT_EQ(d->LanguageList->item(0)->text(), "Deutsch");
  EXPECT_EQ(d->LanguageList->currentRow(), 1);  // English (built in)
  d->LanguageList->setCurrentRow(0);
  EXPECT_EQ(d->LTranslator->text(), "Translated by: Hans");
  EXPECT_TRUE(d->applyEnabled());
  d->BtnApplyClick();
  EXPECT_EQ(loaded, std::vector<std::string>{"deutsch"});
  EXPECT_EQ(settings_.LastUsedLanguage, "deutsch");
  std::filesystem::remove_all(folder);
}

TEST_F(ConfigurationDialogTest, BossKeyFieldsFollowTheBoxAndNeedGlobalKeys) {
  settings_.BossKey = true;
  services_.globalHotKeys = true;
  {
    auto d = make();
    EXPECT_TRUE(d->hkHide->isEnabled());
    d->cbBossKey->setChecked(false);
    EXPECT_FALSE(d->hkShow->isEnabled());
    d->hkHide->setFocus();
    d->cbBossKey->setChecked(true);
    QTest::keyClick(d->hkHide, Qt::Key_Delete, Qt::KeypadModifier);
    EXPECT_EQ(d->hkHide->shortcut(), "Num Del");
    QTest::keyClick(d->hkHide, Qt::Key_H, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(d->hkHide->shortcut(), "Ctrl+Alt+H");
    QSignalSpy closed(d.get(), &TfrmConfig::closed);
    QTest::keyClick(d->hkHide, Qt::Key_Escape);  // a key of the field, not "close"
    EXPECT_EQ(closed.count(), 0);
    EXPECT_EQ(d->hkHide->shortcut(), "Esc");
  }
  services_.globalHotKeys = false;
  auto d = make();
  EXPECT_FALSE(d->cbBossKey->isEnabled());
  EXPECT_FALSE(d->hkHide->isEnabled());
  EXPECT_FALSE(d->LBossKeyHint->isHidden());
  EXPECT_FALSE(d->LBossKeyHint->text().isEmpty());
}

TEST_F(ConfigurationDialogTest, ProfilesEditorButtonNeedsItsHook) {
  EXPECT_FALSE(make()->BtnProfiles->buttonEnabled());
  int opened = 0;
  services_.openProfilesEditor = [&](QWidget*) { ++opened; };
  auto d = make();
  EXPECT_TRUE(d->BtnProfiles->buttonEnabled());
  d->BtnProfiles->clicked();
  EXPECT_EQ(opened, 1);
}

TEST_F(ConfigurationDialogTest, SubtitleFontDialogOpensOnTheFieldSizeNeverZero) {
  services_.screenWidth = 1024;
  auto d = make();
  int askedPoints = -1;
  d->chooseFont = [&](QWidget*, config::SubtitleFont& font, int& points) {
    askedPoints = points;
    font.name = "Tahoma";
    points = 56;
    return true;
  };
  d->ESubtitleSize->clear();  // empty: the setting's size is used
  d->BtnSubtitleFont->clicked();
  EXPECT_EQ(askedPoints, 28);
  EXPECT_EQ(d->ESubtitleSize->text(), "200");
  EXPECT_TRUE(d->applyEnabled());
  d->BtnApplyClick();
  EXPECT_EQ(settings_.SubtitleFontName, "Tahoma");
  EXPECT_EQ(settings_.SubtitleSize, 200);
}

}  // namespace
}  // namespace ui
