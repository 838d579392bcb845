#pragma once
// The per-user registry store: the registry keys and values the player writes
// for its file associations (Part of the shell registration), kept as a small
// text file in the data folder. Keys are paths such as "\.avi"; "@" names a
// key's default value. Plain C++; not thread-safe.
#include <map>
#include <optional>
#include <string>

namespace shell {

class KeyStore {
 public:
  // Reads the store file. Returns false when the file exists but cannot be
  // read: the store is then empty and must not be saved over the user's file.
  // A missing file is an empty store. Arbitrary bytes parse without failing.
  bool load(const std::string& path);
  // Writes the store back atomically (a temporary file renamed into place).
  bool save() const;

  std::optional<std::string> get(const std::string& key, const std::string& name) const;
  // Names may not be empty or contain "=", CR or LF; keys may not contain CR
  // or LF; such a call changes nothing and returns false. Values are escaped.
  bool set(const std::string& key, const std::string& name, const std::string& value);
  void erase(const std::string& key, const std::string& name);
  // Deletes the key and every key below it ("\A" also removes "\A\B").
  void eraseKey(const std::string& key);
  bool hasKey(const std::string& key) const { return keys_.count(key) > 0; }

  // The file's text: "[key]" lines each followed by "name=value" lines, CR LF
  // line ends; "\\", "\r" and "\n" escape those characters in values.
  std::string text() const;
  static KeyStore parse(const std::string& text);
  const std::string& path() const { return path_; }

 private:
  std::string path_;
  std::map<std::string, std::map<std::string, std::string>> keys_;
};

}  // namespace shell
