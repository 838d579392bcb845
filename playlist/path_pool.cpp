#include "playlist/path_pool.h"

#include <algorithm>

namespace playlist {

void PathPool::assign(const std::vector<std::string>& paths) {
  clear();
  paths_.reserve(paths.size());
  where_.reserve(paths.size());
  for (const std::string& path : paths) push(path);
}

void PathPool::clear() {
  paths_.clear();
  where_.clear();
}

void PathPool::push(const std::string& path) {
  where_[path].push_back(paths_.size());
  paths_.push_back(path);
}

void PathPool::removeAt(std::size_t index) {
  const std::size_t lastIndex = paths_.size() - 1;
  auto removed = where_.find(paths_[index]);
  auto& removedPositions = removed->second;
  removedPositions.erase(std::find(removedPositions.begin(), removedPositions.end(), index));
  if (removedPositions.empty()) where_.erase(removed);
  if (index != lastIndex) {
    auto& movedPositions = where_[paths_[lastIndex]];
    *std::find(movedPositions.begin(), movedPositions.end(), lastIndex) = index;
    paths_[index] = std::move(paths_[lastIndex]);
  }
  paths_.pop_back();
}

bool PathPool::removeOne(const std::string& path) {
  const auto found = where_.find(path);
  if (found == where_.end()) return false;
  removeAt(found->second.back());
  return true;
}

}  // namespace playlist
