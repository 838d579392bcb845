#include "moviememory/profiles_session.h"

#include <algorithm>

#include "texts/central_european.h"

namespace moviememory {

ProfilesSession::ProfilesSession(MovieMemory& store, std::string openMoviePath)
    : store_(store), openMoviePath_(std::move(openMoviePath)) {
  buildRows();
}

void ProfilesSession::buildRows() {
  struct Keyed {
    std::string key;
    std::string name;
  };
  std::vector<Keyed> keyed;
  keyed.reserve(store_.size());
  for (const MovieRecord& record : store_.records())
    keyed.push_back({texts::lowerCaseCentralEuropean(record.Name), record.Name});
  std::stable_sort(keyed.begin(), keyed.end(),
                   [](const Keyed& a, const Keyed& b) { return a.key < b.key; });
  rows_.clear();
  for (Keyed& k : keyed) rows_.push_back(std::move(k.name));
}

int ProfilesSession::deleteSelected(const std::vector<int>& selectedRows, int focusedRow) {
  const int count = static_cast<int>(rows_.size());
  if (count == 0 || focusedRow < 0 || focusedRow >= count) return -1;
  std::vector<int> selected;
  for (int row : selectedRows)
    if (row >= 0 && row < count) selected.push_back(row);
  std::sort(selected.begin(), selected.end());
  selected.erase(std::unique(selected.begin(), selected.end()), selected.end());
  // From the last row to the first, each row's own record.
  for (auto it = selected.rbegin(); it != selected.rend(); ++it) {
    const std::string& name = rows_[static_cast<std::size_t>(*it)];
    const auto& records = store_.records();
    for (std::size_t i = 0; i < records.size(); ++i) {
      if (records[i].Name == name) {
        store_.remove(i);
        changed_ = true;
        break;
      }
    }
    rows_.erase(rows_.begin() + *it);
  }
  if (rows_.empty()) return -1;
  return std::min(focusedRow, static_cast<int>(rows_.size()) - 1);
}

void ProfilesSession::deleteAll() {
  if (store_.size() > 0) changed_ = true;
  store_.clear();
  rows_.clear();
}

bool ProfilesSession::openMovieRecordGone() const {
  if (openMoviePath_.empty()) return false;
  return !store_.find(recordName(openMoviePath_)).has_value();
}

}  // namespace moviememory
