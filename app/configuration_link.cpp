#include "app/configuration_link.h"

#include <sys/resource.h>
#include <unistd.h>

#include <QGuiApplication>
#include <QScreen>

#include <cerrno>
#include <filesystem>

#include "app/shell/registration_moments.h"
#include "playback/player_state.h"
#include "texts/interface_texts.h"
#include "texts/language_file.h"
#include "ui/configuration_model.h"

namespace app {

namespace {

bool isFolder(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_directory(path, ec);
}

}  // namespace

ConfigurationLink::ConfigurationLink(ui::MainWindowPlayback& adapter, playback::Player& player,
                                     settings::Settings& settings, const settings::Folders& folders,
                                     QPointer<QWidget> mainWindow, ConfigurationEnvironment env)
    : adapter_(adapter),
      player_(player),
      settings_(settings),
      folders_(folders),
      mainWindow_(mainWindow),
      env_(std::move(env)) {
  if (!env_.readNice)
    env_.readNice = [] {
      errno = 0;
      const int nice = getpriority(PRIO_PROCESS, 0);
      return errno == 0 ? nice : 0;
    };
  if (!env_.writeNice)
    env_.writeNice = [](int nice) { return setpriority(PRIO_PROCESS, 0, nice) == 0; };
  ui::MainWindowHooks& h = adapter_.hooks();
  h.configuration = [this] { open(); };
  auto previousMenu = h.menuCommand;
  h.menuCommand = [this, previousMenu](ui::MenuCommand command) {
    if (command == ui::MenuCommand::Configuration)
      open();
    else if (previousMenu)
      previousMenu(command);
  };
}

ConfigurationLink::~ConfigurationLink() = default;

shell::ShellRegistration& ConfigurationLink::registration() {
  if (!registration_) {
    shell::ShellContext context = env_.shellContext ? env_.shellContext() : shell::ShellContext{};
    context.extensionList = settings_.ExtensionList;
    registration_ = std::make_unique<shell::ShellRegistration>(std::move(context));
  }
  return *registration_;
}

int ConfigurationLink::priorityLevel() const {
  return config::priorityLevelFromNice(env_.readNice());
}

ui::ConfigurationServices ConfigurationLink::services() {
  ui::ConfigurationServices s;
  s.programFolder = folders_.ProgramFolder;
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    s.screenWidth = screen->geometry().width();
    s.dpi = screen->logicalDotsPerInch();
  }
  s.globalHotKeys = env_.globalHotKeys;
  if (env_.displayModeLabels) s.displayModeLabels = env_.displayModeLabels();
  // Read anew each time: after Apply the shell commands may have come or gone.
  s.associated = [this](const std::string& extension) {
    return registration().ShellVerbsPresent() && registration().GetRegExt(extension);
  };
  s.removeAssociation = [this](const std::string& extension) {
    shell::ShellRegistration& r = registration();
    if (r.GetRegExt(extension)) {
      r.RemRegExt(extension);
      r.NotifyAssociationsChanged();
    }
  };
  s.applyFileTypes = [this](const std::vector<std::string>& extensions,
                            const std::vector<bool>& marks, bool registerOnLoad) {
    shell::ShellRegistration& r = registration();
    r.setExtensionList(extensions);
    shell::ApplyAssociations(r, settings_, extensions, marks, registerOnLoad);
  };
  s.priorityLevel = [this] { return priorityLevel(); };
  s.setPriorityLevel = [this](int level) { env_.writeNice(config::niceForLevel(level)); };
  s.loadLanguage = [this](const std::string& name) {
    const texts::LanguageLoadResult result =
        texts::LoadLanguage(folders_.ProgramFolder, name, false);
    if (!result.message.empty() && env_.showMessage) env_.showMessage(result.message, false);
    return result.ok;
  };
  s.applied = [this](const settings::Settings& before) { applied(before); };
  s.uncheckMovieMode = [this] {
    player_.live().MovieMode = false;
    if (env_.uncheckMovieMode) env_.uncheckMovieMode();
  };
  // The open movie's remembered subtitle look becomes the user's own.
  s.subtitlePageSelected = [this] { player_.overrides().subtitle.reset(); };
  s.openProfilesEditor = openProfilesEditor;
  s.folderExists = isFolder;
  s.writableFolder = [](const std::string& path) {
    return isFolder(path) && access(path.c_str(), W_OK | X_OK) == 0;
  };
  s.desktopFolder = env_.desktopFolder;
  s.fullScreenMonitor = env_.fullScreenMonitor;
  return s;
}

void ConfigurationLink::open() {
  if (open_ || player_.state().OpeningBusy) return;
  open_ = true;
  registration_.reset();  // the associations as they are now
  if (env_.bossKeyDialog) env_.bossKeyDialog(true);
  ui::ShowConfigurationDialog(settings_, services(), mainWindow_, prepareDialog);
  // The shortcuts as the settings now name them; a refused one stays in the
  // settings but is not in effect.
  if (env_.bossKeyDialog) env_.bossKeyDialog(false);
  registration_.reset();
  open_ = false;
}

void ConfigurationLink::applied(const settings::Settings& before) {
  subtitles::SubtitleStore& store = player_.subtitles();
  if (before.AverageDisplayTime != settings_.AverageDisplayTime && store.SubtitleLoaded())
    store.RecomputeDisplayTimes(settings_.AverageDisplayTime);
  if (env_.repaintSubtitles) env_.repaintSubtitles();
  if (before.PlaylistFontSize != settings_.PlaylistFontSize && env_.applyPlaylistFont)
    env_.applyPlaylistFont();
  // The open movie's settings are saved at the next tick.
  if (player_.controller().movieOpen()) player_.state().SettingsChangeScore = 10000;
  const bool saved = env_.saveConfiguration ? env_.saveConfiguration() : true;
  const texts::InterfaceTexts& t = texts::currentTexts();
  if (!saved && !settings_.DontShowWritingError && env_.showMessage)
    settings_.DontShowWritingError = env_.showMessage(t.Messages[65], true);
  if (registration_)
    shell::ReportRegistryFailure(*registration_, settings_, [this, &t] {
      return env_.showMessage ? env_.showMessage(t.Messages[66], true) : false;
    });
}

}  // namespace app
