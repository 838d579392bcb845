#pragma once
// A bag of paths with constant-time insertion, removal by position and removal
// of one copy of a path: the shuffle pool. Removal moves the last path into
// the freed place, so the order of the paths carries no meaning.
#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

namespace playlist {

class PathPool {
 public:
  void assign(const std::vector<std::string>& paths);
  void clear();
  void push(const std::string& path);
  // Removes the path at index (index < size()).
  void removeAt(std::size_t index);
  // Removes one copy of path; false when the pool holds none.
  bool removeOne(const std::string& path);
  bool contains(const std::string& path) const { return where_.count(path) != 0; }
  std::size_t size() const { return paths_.size(); }
  bool empty() const { return paths_.empty(); }
  const std::string& operator[](std::size_t index) const { return paths_[index]; }
  const std::vector<std::string>& paths() const { return paths_; }

 private:
  std::vector<std::string> paths_;
  // Positions in paths_ of every copy of a path.
  std::unordered_map<std::string, std::vector<std::size_t>> where_;
};

}  // namespace playlist
