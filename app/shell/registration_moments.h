#pragma once
// The moments at which the player registers itself: every ordinary start, the
// "/install" and "/uninstall" starts, the first-run question and the file-type
// half of the configuration dialog's Apply. Plain C++; the questions and
// messages are hooks so that the windows stay outside. Interface thread only.
#include <functional>
#include <string>
#include <vector>

#include "settings/settings.h"
#include "app/shell/shell_registration.h"

namespace shell {

// Every ordinary start: extensions marked in FileAssociation when
// RegisterExtensionsOnLoad is on, the playlist extension always, then the
// shell commands (written while some mark is "1", else removed), and the
// notice when anything changed. A mark whose association failed for want of
// a writable file stays "1": a passing failure never drops the user's choice.
void RegisterAtStart(ShellRegistration& registration, settings::Settings& settings);

// "/uninstall": every associated extension and "mpl" given back, the shell
// commands removed, then the program's files that nothing needs any more.
void UninstallAssociations(ShellRegistration& registration, const settings::Settings& settings);

// "/install": the program's entry, MIME package and icon (no default changes).
void InstallProgram(ShellRegistration& registration);

struct FirstRunHooks {
  // The question "Should I associate <name> with all supported extensions?";
  // true for Yes.
  std::function<bool(const std::string& question)> ask;
  // The registry failure message with its check box; returns the box state.
  std::function<bool()> showRegistryError;
};

// The first run: FirstRun goes off; with no extension associated yet the user
// is asked, and on Yes every extension and "mpl" are associated.
void FirstRunAssociation(ShellRegistration& registration, settings::Settings& settings,
                         const std::string& question, const FirstRunHooks& hooks);

// The file-type half of Apply in the configuration dialog. extensions are the
// dialog's list (any case), checked its marks. Returns the marks afterwards
// (associated and shell commands present); sets changed when FileAssociation
// changed. RegistryFailed is left for the caller to report after saving.
std::vector<bool> ApplyAssociations(ShellRegistration& registration, settings::Settings& settings,
                                    const std::vector<std::string>& extensions,
                                    const std::vector<bool>& checked, bool registerOnLoad,
                                    bool* changed = nullptr);

// The end of Apply and of the first run: when a write failed, clears the flag
// and, unless DontShowRegistryError is set, shows the message; its check box
// state is stored in DontShowRegistryError.
void ReportRegistryFailure(ShellRegistration& registration, settings::Settings& settings,
                           const std::function<bool()>& showRegistryError);

}  // namespace shell
