#pragma once
// Shared pieces of the playlist tests: a temporary folder and a model whose
// player hooks record what the model asked for.
#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "settings/settings.h"
#include "texts/interface_texts.h"
#include "playlist/playlist.h"

namespace playlist_test {

class TempFolder {
 public:
  TempFolder() {
    std::random_device seed;
    path_ = std::filesystem::temp_directory_path() /
            ("tarvelino-playlist-" + std::to_string(seed()) + std::to_string(seed()));
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  // The folder with a trailing "/".
  std::string str() const { return path_.string() + "/"; }
  std::string file(const std::string& name, const std::string& bytes = "x") const {
    const std::filesystem::path full = path_ / name;
    std::filesystem::create_directories(full.parent_path());
    std::ofstream(full, std::ios::binary) << bytes;
    return full.string();
  }

 private:
  std::filesystem::path path_;
};

inline std::string readAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline texts::InterfaceTexts testTexts() {
  texts::InterfaceTexts t;
  t.Messages[3] = "Can't open";
  t.Messages[10] = "File";
  t.Messages[11] = "doesn't exist!";
  t.Messages[13] = "Error opening";
  t.Messages[14] = "is too big for a playlist file!";
  t.Messages[15] = "Error reading from";
  t.Messages[16] = "Bad subtitle!";
  t.Messages[17] = "Subtitle already loaded!";
  t.Messages[18] = "Nothing to save!";
  t.Messages[60] = "Please select a movie!";
  t.Labels[30] = "Kein Untertitel";
  return t;
}

// A model whose movies exist unless listed in missing, and whose player
// records every opened movie and message.
struct Harness {
  settings::Settings settings;
  texts::InterfaceTexts texts = testTexts();
  std::vector<std::string> opened;
  std::vector<std::string> messages;
  std::set<std::string> missing;
  bool realFiles = false;
  playlist::Playlist model{settings, texts, hooks()};

  playlist::PlaylistHooks hooks() {
    playlist::PlaylistHooks h;
    h.openMovie = [this](const std::string& path) { opened.push_back(path); };
    h.showMessage = [this](const std::string& text) { messages.push_back(text); };
    h.checkSubtitleFile = [](const std::string& path) {
      return path.find("bad") == std::string::npos;
    };
    h.fileExists = [this](const std::string& path) {
      if (realFiles) return std::filesystem::is_regular_file(path);
      return missing.count(path) == 0;
    };
    return h;
  }

  // Entries "/m/0.avi", "/m/1.avi", ... added as existing files.
  void fill(int count) {
    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i) paths.push_back("/m/" + std::to_string(i) + ".avi");
    model.addMovies(paths);
  }
};

}  // namespace playlist_test
