#include "app/shell/registration_moments.h"

#include <algorithm>

namespace shell {

namespace {

bool anyMark(const std::string& marks) {
  return marks.find('1') != std::string::npos;
}

void rebuildShellVerbs(ShellRegistration& r, const settings::Settings& s) {
  // The same end state as removing the commands and writing them again, but
  // files that stay the same are not touched.
  if (anyMark(s.FileAssociation))
    r.WriteShellVerbs();
  else
    r.DeleteShellVerbs();
}

}  // namespace

void RegisterAtStart(ShellRegistration& r, settings::Settings& s) {
  s.FileAssociation = s.FileAssociation.substr(0, s.ExtensionList.size());
  s.FileAssociation.resize(s.ExtensionList.size(), '0');
  if (s.RegisterExtensionsOnLoad) {
    for (size_t i = 0; i < s.ExtensionList.size(); ++i) {
      if (s.FileAssociation[i] != '1' || r.GetRegExt(s.ExtensionList[i])) continue;
      const bool failedBefore = r.RegistryFailed;
      r.RegistryFailed = false;
      const bool ok = r.SetRegExt(s.ExtensionList[i]);
      if (!ok && !r.RegistryFailed) s.FileAssociation[i] = '0';
      r.RegistryFailed = r.RegistryFailed || failedBefore;
    }
  }
  if (!r.GetRegExt("mpl")) r.SetRegExt("mpl");
  rebuildShellVerbs(r, s);
  r.NotifyAssociationsChanged();
}

void UninstallAssociations(ShellRegistration& r, const settings::Settings& s) {
  for (const std::string& e : s.ExtensionList)
    if (r.GetRegExt(e)) r.RemRegExt(e);
  if (r.GetRegExt("mpl")) r.RemRegExt("mpl");
  r.DeleteShellVerbs();
  r.RemoveProgramFiles();
  r.NotifyAssociationsChanged();
}

void InstallProgram(ShellRegistration& r) {
  r.Install();
  r.NotifyAssociationsChanged();
}

void FirstRunAssociation(ShellRegistration& r, settings::Settings& s, const std::string& question,
                         const FirstRunHooks& hooks) {
  s.FirstRun = false;
  for (const std::string& e : s.ExtensionList)
    if (r.GetRegExt(e)) return;
  if (!hooks.ask || !hooks.ask(question)) return;
  r.RegistryFailed = false;
  s.FileAssociation.assign(s.ExtensionList.size(), '0');
  for (size_t i = 0; i < s.ExtensionList.size(); ++i)
    s.FileAssociation[i] = r.SetRegExt(s.ExtensionList[i]) ? '1' : '0';
  r.SetRegExt("mpl");
  rebuildShellVerbs(r, s);
  r.NotifyAssociationsChanged();
  ReportRegistryFailure(r, s, hooks.showRegistryError);
}

std::vector<bool> ApplyAssociations(ShellRegistration& r, settings::Settings& s,
                                    const std::vector<std::string>& extensions,
                                    const std::vector<bool>& checked, bool registerOnLoad,
                                    bool* changed) {
  r.RegistryFailed = false;
  s.RegisterExtensionsOnLoad = registerOnLoad;
  const std::string old = s.FileAssociation;
  s.FileAssociation.clear();
  s.ExtensionList.clear();
  for (std::string e : extensions) {
    std::transform(e.begin(), e.end(), e.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    s.ExtensionList.push_back(e);
  }
  r.setExtensionList(s.ExtensionList);
  std::vector<bool> marks(s.ExtensionList.size(), false);
  for (size_t i = 0; i < s.ExtensionList.size(); ++i) {
    bool mark = i < checked.size() && checked[i];
    if (mark)
      mark = r.SetRegExt(s.ExtensionList[i]);
    else if (r.GetRegExt(s.ExtensionList[i]))
      mark = !r.RemRegExt(s.ExtensionList[i]);
    s.FileAssociation += mark ? '1' : '0';
  }
  rebuildShellVerbs(r, s);
  const bool verbs = r.ShellVerbsPresent();
  for (size_t i = 0; i < s.ExtensionList.size(); ++i)
    marks[i] = r.GetRegExt(s.ExtensionList[i]) && verbs;
  if (changed) *changed = s.FileAssociation != old;
  if (s.FileAssociation != old) r.NotifyAssociationsChanged();
  return marks;
}

void ReportRegistryFailure(ShellRegistration& r, settings::Settings& s,
                           const std::function<bool()>& showRegistryError) {
  if (!r.RegistryFailed) return;
  r.RegistryFailed = false;
  if (!s.DontShowRegistryError && showRegistryError) s.DontShowRegistryError = showRegistryError();
}

}  // namespace shell
