#include "texts/interface_texts.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "texts/built_in_texts.h"

namespace texts {

namespace {

template <std::size_t N>
void fill(std::array<std::string, N>& group, const std::array<const char*, N>& values) {
  for (std::size_t i = 0; i < N; ++i) group[i] = values[i];
}

// The key-definitions text: a header line, a rule of 110 dashes, then one line
// per action, joined by CR LF with no line end after the last.
std::string composeKeyDefinitions() {
  std::string text = builtin::kKeyDefinitionsHeader;
  text += "\r\n";
  text += std::string(110, '-');
  for (const char* line : builtin::kKeyDefinitionLines) {
    text += "\r\n";
    text += line;
  }
  return text;
}

InterfaceTexts makeBuiltIn() {
  InterfaceTexts t;
  fill(t.Messages, builtin::kMessages);
  fill(t.Hints, builtin::kHints);
  fill(t.Labels, builtin::kLabels);
  fill(t.Buttons, builtin::kButtons);
  fill(t.Options, builtin::kOptions);
  fill(t.Pages, builtin::kPages);
  fill(t.Titles, builtin::kTitles);
  fill(t.Menus, builtin::kMenus);
  t.Misc[0] = composeKeyDefinitions();
  for (std::size_t i = 0; i < builtin::kMiscFilters.size(); ++i) {
    t.Misc[i + 1] = builtin::kMiscFilters[i];
  }
  return t;
}

InterfaceTexts& current() {
  static InterfaceTexts table = builtInTexts();
  return table;
}

struct Listener {
  int id;
  std::function<void()> call;
};

std::vector<Listener>& listeners() {
  static std::vector<Listener> list;
  return list;
}

int next_listener_id = 1;

}  // namespace

const InterfaceTexts& builtInTexts() {
  static const InterfaceTexts table = makeBuiltIn();
  return table;
}

std::size_t optionItemCount(const std::string& option) {
  return static_cast<std::size_t>(std::count(option.begin(), option.end(), '\r')) + 1;
}

const InterfaceTexts& currentTexts() {
  return current();
}

void LoadBuiltInTexts(bool apply) {
  current() = builtInTexts();
  if (apply) ApplyTexts();
}

void ApplyTexts() {
  // A copy, so listeners may register or unregister while being called.
  const std::vector<Listener> snapshot = listeners();
  for (const auto& listener : snapshot) {
    if (listener.call) listener.call();
  }
}

int addApplyListener(std::function<void()> listener) {
  const int id = next_listener_id++;
  listeners().push_back({id, std::move(listener)});
  return id;
}

void removeApplyListener(int id) {
  auto& list = listeners();
  list.erase(
      std::remove_if(list.begin(), list.end(), [id](const Listener& l) { return l.id == id; }),
      list.end());
}

void detail::replaceCurrentTexts(InterfaceTexts texts) {
  current() = std::move(texts);
}

}  // namespace texts
