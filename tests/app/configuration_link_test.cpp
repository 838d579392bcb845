// The configuration dialog wired to a real player with fakes for the system:
// when it opens, what Apply does at once (associations, priority, subtitle
// durations, saving and its failure message) and the boss key's hot keys.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTimer>
#include <QTreeWidget>

#include <memory>
#include <string>
#include <vector>

#include "app/boss_key.h"
#include "app/configuration_link.h"
#include "subtitles/subtitle_entry.h"
#include "tests/app/player_link_fixture.h"
#include "ui/configuration_dialog.h"
#include "ui/configuration_widgets.h"

namespace app {
namespace {

class ConfigurationLinkTest : public PlayerLinkTest {
 protected:
  ConfigurationLinkTest() {
    startPlayer();
    folders_.ProgramFolder = folder_.string() + "/";
    ConfigurationEnvironment env;
    env.shellContext = [this] { return shellContext(); };
    env.readNice = [this] { return nice_; };
    // Without privileges the nice value only goes up.
    env.writeNice = [this](int nice) {
      asked_.push_back(nice);
      if (nice < nice_) return false;
      nice_ = nice;
      return true;
    };
    env.bossKeyDialog = [this](bool open) { bossKey_.push_back(open); };
    env.saveConfiguration = [this] {
      ++saves_;
      return saveWorks_;
    };
    env.showMessage = [this](const std::string& text, bool) {
      messages_.push_back(text);
      return true;  // "Do not show this message in the future" ticked
    };
    link_ = std::make_unique<ConfigurationLink>(*adapter_, *player_, settings_, folders_, nullptr,
                                                std::move(env));
  }
  ~ConfigurationLinkTest() override { link_.reset(); }

  shell::ShellContext shellContext() const {
    shell::ShellContext c;
    c.ProgramName = "Tarvelino";
    c.executablePath = folder_.string() + "/bin/tarvelino";
    c.storeFile = folder_.string() + "/Tarvelino.reg";
    c.xdg.configHome = folder_.string() + "/config";
    c.xdg.dataHome = folder_.string() + "/data";
    c.runTool = [](const std::vector<std::string>&) { return true; };
    return c;
  }
  // Opens the dialog; `act` runs in it, then it closes.
  void openWith(std::function<void(ui::TfrmConfig&)> act) {
    link_->prepareDialog = [act](ui::TfrmConfig& d) {
      QTimer::singleShot(0, &d, [&d, act] {
        act(d);
        d.close();
      });
    };
    adapter_->menuCommand(ui::MenuCommand::Configuration);
  }

  settings::Folders folders_;
  std::unique_ptr<ConfigurationLink> link_;
  int nice_ = 0;
  std::vector<int> asked_;
  std::vector<bool> bossKey_;
  std::vector<std::string> messages_;
  int saves_ = 0;
  bool saveWorks_ = true;
};

TEST_F(ConfigurationLinkTest, OpensFromTheButtonAndTheMenuButNotWhileAMovieOpens) {
  int opened = 0;
  link_->prepareDialog = [&](ui::TfrmConfig& d) {
    ++opened;
    EXPECT_TRUE(link_->isOpen());
    QTimer::singleShot(0, &d, [&d] { d.close(); });
  };
  adapter_->menuCommand(ui::MenuCommand::Configuration);
  adapter_->configuration();
  EXPECT_EQ(opened, 2);
  // The hot keys are let go while the dialog is open and taken again after.
  EXPECT_EQ(bossKey_, (std::vector<bool>{true, false, true, false}));
  player_->state().OpeningBusy = true;
  adapter_->configuration();
  EXPECT_EQ(opened, 2);
  player_->state().OpeningBusy = false;
  EXPECT_FALSE(link_->isOpen());
}

TEST_F(ConfigurationLinkTest, ApplyAssociatesMarkedExtensionsAndSaves) {
  settings_.ExtensionList = {"avi", "mkv"};
  settings_.FileAssociation = "00";
  openWith([](ui::TfrmConfig& d) {
    d.CBAssocFile->item(1)->setCheckState(Qt::Checked);
    d.BtnApplyClick();
    // The mark shows the association in effect.
    EXPECT_EQ(d.CBAssocFile->item(1)->checkState(), Qt::Checked);
  });
  EXPECT_EQ(settings_.FileAssociation, "01");
  shell::ShellRegistration after(shellContext());
  EXPECT_TRUE(after.GetRegExt("mkv"));
  EXPECT_FALSE(after.GetRegExt("avi"));
  EXPECT_EQ(saves_, 1);
  EXPECT_TRUE(messages_.empty());
  // Deleting the associated extension gives the type back at once, even
  // when the dialog then closes without Apply.
  openWith([](ui::TfrmConfig& d) {
    d.CBAssocFile->setCurrentRow(1);
    emit d.BtnDeleteExtension->clicked();
  });
  EXPECT_FALSE(shell::ShellRegistration(shellContext()).GetRegExt("mkv"));
  EXPECT_EQ(settings_.ExtensionList, (std::vector<std::string>{"avi", "mkv"}));
}

TEST_F(ConfigurationLinkTest, PriorityShownIsTheOneInForce) {
  openWith([](ui::TfrmConfig& d) {
    d.CBPriority->setCurrentIndex(0);  // High: refused without privileges
    d.BtnApplyClick();
    EXPECT_EQ(d.CBPriority->currentIndex(), 2);
    d.CBPriority->setCurrentIndex(3);  // Below normal: allowed
    d.BtnApplyClick();
    EXPECT_EQ(d.CBPriority->currentIndex(), 3);
  });
  EXPECT_EQ(asked_, (std::vector<int>{-10, 10}));
  EXPECT_EQ(settings_.CpuPriority, 1);
  // Lowering is one-way: the next dialog opens on what is in force.
  openWith([](ui::TfrmConfig& d) {
    EXPECT_EQ(d.CBPriority->currentIndex(), 3);
    d.CBPriority->setCurrentIndex(2);
    d.BtnApplyClick();
    EXPECT_EQ(d.CBPriority->currentIndex(), 3);
  });
}

TEST_F(ConfigurationLinkTest, NewDisplayTimeRecomputesTheLoadedSubtitle) {
  subtitles::SubtitleEntry a, b;
  a.StartMs = 0;
  a.EndMs = 900;
  a.Lines = {"0123456789", "abcde"};  // 16 characters with the line break
  b.StartMs = 1000;
  b.EndMs = 4000;
  b.Lines = {"0123456789"};
  player_->subtitles().assign({a, b}, subtitles::SubtitleType::SubRip);
  openWith([](ui::TfrmConfig& d) {
    d.EAverageDisplayTime->setText("4000");
    d.BtnApplyClick();
  });
  const auto& e = player_->subtitles().entries();
  ASSERT_EQ(e.size(), 2u);
  EXPECT_EQ(e[0].DisplayMs, std::min<int64_t>(subtitles::DisplayTime(16, 4000), 1000));
  EXPECT_EQ(e[1].DisplayMs, subtitles::DisplayTime(10, 4000));
  EXPECT_EQ(settings_.AverageDisplayTime, 4000);
}

TEST_F(ConfigurationLinkTest, AFailedSaveIsReportedUntilTheUserSaysNoMore) {
  saveWorks_ = false;
  for (int i = 0; i < 2; ++i)
    openWith([](ui::TfrmConfig& d) {
      d.ESecJump->setText(d.ESecJump->text() == "5" ? "6" : "5");
      d.BtnApplyClick();
    });
  EXPECT_EQ(saves_, 2);
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0], texts::builtInTexts().Messages[65]);
  EXPECT_TRUE(settings_.DontShowWritingError);
}

TEST_F(ConfigurationLinkTest, SubtitlePageMakesTheRememberedLookTheUsersOwn) {
  player_->overrides().subtitle = moviememory::TemporaryOverrides::Subtitle{};
  openWith([](ui::TfrmConfig& d) { d.selectPage(2); });
  EXPECT_FALSE(player_->overrides().subtitle.has_value());
}

// The shortcut the user chose in the dialog survives a refused grab.
TEST(BossKeyShortcutTest, ARefusedGrabKeepsTheShortcutAndOnlyNoKeyEmptiesIt) {
  const struct {
    const char* text;
    bool grabbed;
    const char* kept;
  } rows[] = {
      {"Ctrl+Alt+S", true, "Ctrl+Alt+S"},
      {"Ctrl+Alt+S", false, "Ctrl+Alt+S"},
      {"alt+ctrl+h", false, "Ctrl+Alt+H"},
      {"Num Del", false, "Num Del"},
      {"Ctrl+", true, ""},
      {"", true, ""},
      {"Nonsense", false, ""},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.text);
    int tries = 0;
    EXPECT_EQ(grabShortcut(r.text, [&](const Shortcut&) { return ++tries, r.grabbed; }), r.kept);
    EXPECT_EQ(tries, std::string(r.kept).empty() ? 0 : 1);
  }
}

}  // namespace
}  // namespace app
