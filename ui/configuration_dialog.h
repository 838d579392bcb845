#pragma once
// TfrmConfig: the skinned configuration dialog. It works on a copy of the
// settings (config::Controls) held in its controls; "Apply" writes them back
// and asks the player to act on them, "Default" fills the controls with the
// defaults, "Close", the close button and Esc drop what is pending. The rules
// are config:: (ui/configuration_model.h); what the dialog cannot do itself
// (associations, priority, languages, the player's reaction) comes through
// ConfigurationServices. Interface thread only.
#include <QPointer>
#include <QRect>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "settings/settings.h"
#include "texts/interface_texts.h"
#include "ui/configuration_model.h"
#include "ui/skin_window.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QStackedWidget;
class QTabWidget;
class QTreeWidget;

namespace ui {

class ColorSwatch;
class HotKeyEdit;
class PageButton;
class TVirtualButton;

struct ConfigurationServices {
  std::string programFolder;  // the language files are in its "lang/"
  int screenWidth = 1024;     // primary screen, pixels
  double dpi = 96;            // the screen's pixels per inch
  // False where no global key grabs exist (not X11): the boss key is disabled.
  bool globalHotKeys = false;
  // Labels of the "Change resolution" menu, in menu order.
  std::vector<std::string> displayModeLabels;
  // Whether an extension (lower case) is associated with the player and the
  // shell commands are present.
  std::function<bool(const std::string& extension)> associated;
  // "Delete extension": gives an associated extension back at once.
  std::function<void(const std::string& extension)> removeAssociation;
  // Apply's file types: associates the marked extensions, removes the others,
  // sets ExtensionList, FileAssociation and RegisterExtensionsOnLoad.
  std::function<void(const std::vector<std::string>& extensions, const std::vector<bool>& marks,
                     bool registerOnLoad)>
      applyFileTypes;
  // The priority level in force (0 high .. 3 below normal), read back from
  // the process, and the request for another one.
  std::function<int()> priorityLevel;
  std::function<void(int level)> setPriorityLevel;
  // Loads a language by its list name; false leaves the current one.
  std::function<bool(const std::string& name)> loadLanguage;
  // The settings were written back: the player acts on them and saves them.
  // before holds the settings as they were.
  std::function<void(const settings::Settings& before)> applied;
  // A pending change of the subtitle look leaves movie mode.
  std::function<void()> uncheckMovieMode;
  // The "Subtitle" page was selected: remembered subtitle settings of the
  // open movie become the user's own.
  std::function<void()> subtitlePageSelected;
  // Opens the profiles editor; empty: the button shows disabled.
  std::function<void(QWidget* owner)> openProfilesEditor;
  // Folder tests (existence; existence and write permission).
  std::function<bool(const std::string&)> folderExists;
  std::function<bool(const std::string&)> writableFolder;
  std::string desktopFolder;
  // Asks for a folder / a colour / a font; tests answer without a dialog.
  std::function<std::string(QWidget* owner, const std::string& start)> chooseFolder;
  std::function<bool(QWidget* owner, int& bgr)> chooseColor;
  // The monitor the video window fills in full screen (the dialog is centred
  // on it); an empty rectangle when it is not in full screen.
  std::function<QRect()> fullScreenMonitor;
};

class TfrmConfig : public SkinWindow {
  Q_OBJECT
 public:
  TfrmConfig(settings::Settings& settings, ConfigurationServices services,
             QWidget* parent = nullptr);
  ~TfrmConfig() override;

  // The controls as they stand, and filling them.
  config::Controls controls() const;
  void setControls(const config::Controls& c);
  bool applyEnabled() const;
  int page() const;
  void selectPage(int page);

  void BtnApplyClick();
  void BtnDefaultClick();
  // Change detection: "Apply" enabled exactly while something is pending.
  void OptionsChangeCheck();

  // The controls by their names, for the window's own code and for tests.
  QTreeWidget* tree() const { return tree_; }
  QListWidget* CBGeneral = nullptr;
  QLineEdit* EPlaylistFontSize = nullptr;
  QComboBox* CBFullModeSwitch = nullptr;
  QComboBox* CBPriority = nullptr;
  PageButton* BtnProfiles = nullptr;
  QCheckBox* cbBossKey = nullptr;
  HotKeyEdit* hkHide = nullptr;
  HotKeyEdit* hkShow = nullptr;
  QLabel* LBossKeyHint = nullptr;
  QListWidget* CBAssocFile = nullptr;
  QLineEdit* EExtensionName = nullptr;
  PageButton* BtnSelectAll = nullptr;
  PageButton* BtnSelectNone = nullptr;
  PageButton* BtnAddExtension = nullptr;
  PageButton* BtnDeleteExtension = nullptr;
  QCheckBox* CBRegExtension = nullptr;
  QListWidget* CBSubtitle1 = nullptr;
  QLineEdit* EMaxVZone = nullptr;
  QLineEdit* EMaxHZone = nullptr;
  PageButton* BtnSubtitleFont = nullptr;
  QLineEdit* ESubtitleSize = nullptr;
  QLabel* PaintSample = nullptr;
  QListWidget* CBSubtitle2 = nullptr;
  QLineEdit* EAverageDisplayTime = nullptr;
  PageButton* BtnSubtitleDirectory = nullptr;
  QLineEdit* EDirSub = nullptr;
  QCheckBox* CBSearchHereFirst = nullptr;
  QListWidget* CBVideo = nullptr;
  QLineEdit* ESecJump = nullptr;
  QLineEdit* ESecFastJump = nullptr;
  QLineEdit* EOsdSize = nullptr;
  ColorSwatch* TPOsdColor = nullptr;
  QComboBox* cbChooseFormat = nullptr;
  QLineEdit* EPathSaveCapture = nullptr;
  PageButton* BtnBrowseCapture = nullptr;
  QListWidget* LanguageList = nullptr;
  QLabel* LTranslator = nullptr;

  QRect fullScreenMonitor() const {
    return services_.fullScreenMonitor ? services_.fullScreenMonitor() : QRect();
  }
  // Opens the font dialog on the dialog font (tests replace it).
  std::function<bool(QWidget* owner, config::SubtitleFont& font, int& points)> chooseFont;

 signals:
  void closed();

 protected:
  void widgetClicked(SkinWidget* widget) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Labels;
  void buildFace();
  void drawTitle();
  void buildPages();
  QWidget* buildGeneralPage();
  QWidget* buildFileTypesPage();
  QWidget* buildSubtitlePage();
  QWidget* buildVideoPage();
  QWidget* buildLanguagePage();
  void fillLanguageList();
  void applyTexts();
  void layOutEdits(bool afterLanguageChange);
  void connectChangeDetection();
  void checkListClicked(QListWidget* list, int row);
  void leaveEdit(QLineEdit* edit);
  void bossKeyToggled();
  void languageSelected();
  void paintSample();
  void addExtension();
  void deleteExtension();
  void subtitleFontClick();
  void subtitleDirectoryClick();
  void captureFolderClick();
  void osdColorClick();
  void setMarks(bool on);
  config::LiveState liveState() const;
  std::vector<bool> marksInEffect(const std::vector<std::string>& extensions) const;
  config::Field fieldOf(const QLineEdit* edit, int& settingValue) const;

  settings::Settings& settings_;
  ConfigurationServices services_;
  const texts::InterfaceTexts& t_;
  std::unique_ptr<Labels> labels_;
  std::unique_ptr<TVirtualButton> close_, apply_, default_, closeText_;
  QWidget* panel_ = nullptr;
  QTreeWidget* tree_ = nullptr;
  QStackedWidget* pages_ = nullptr;
  QTabWidget* generalTabs_ = nullptr;
  QTabWidget* subtitleTabs_ = nullptr;
  std::vector<std::string> languageNames_;  // real file names, by row
  config::SubtitleFont font_;               // the dialog font
  std::vector<bool> liveMarks_;             // associations in effect, by ExtensionList
  int priorityLevel_ = 2;                   // the level in force
  int bulk_ = 0;                            // change detection suspended while > 0
  bool inRule_ = false;                     // a check-list rule is changing marks
  bool built_ = false;
};

// Shows the dialog modally, centred between the screen's centre and the main
// window's; returns when it closed.
void ShowConfigurationDialog(settings::Settings& settings, ConfigurationServices services,
                             QWidget* mainWindow,
                             const std::function<void(TfrmConfig&)>& prepare = {});

}  // namespace ui
