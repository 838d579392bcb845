#include "app/shell/key_store.h"

#include <sstream>

#include "settings/atomic_file.h"

namespace shell {

namespace {

std::string escapeValue(const std::string& v) {
  std::string out;
  for (char c : v) {
    if (c == '\\')
      out += "\\\\";
    else if (c == '\r')
      out += "\\r";
    else if (c == '\n')
      out += "\\n";
    else
      out += c;
  }
  return out;
}

std::string unescapeValue(const std::string& v) {
  std::string out;
  for (size_t i = 0; i < v.size(); ++i) {
    if (v[i] != '\\' || i + 1 == v.size()) {
      out += v[i];
      continue;
    }
    const char n = v[++i];
    out += n == 'r' ? '\r' : n == 'n' ? '\n' : n;
  }
  return out;
}

bool hasLineBreak(const std::string& s) {
  return s.find_first_of("\r\n") != std::string::npos;
}

}  // namespace

bool KeyStore::load(const std::string& path) {
  path_ = path;
  keys_.clear();
  std::string bytes;
  if (!settings::readWholeFile(path, bytes)) return false;
  keys_ = parse(bytes).keys_;
  return true;
}

bool KeyStore::save() const {
  return !path_.empty() && settings::writeFileAtomically(path_, text());
}

std::optional<std::string> KeyStore::get(const std::string& key, const std::string& name) const {
  auto k = keys_.find(key);
  if (k == keys_.end()) return std::nullopt;
  auto v = k->second.find(name);
  if (v == k->second.end()) return std::nullopt;
  return v->second;
}

bool KeyStore::set(const std::string& key, const std::string& name, const std::string& value) {
  if (hasLineBreak(key) || name.empty() || hasLineBreak(name) ||
      name.find('=') != std::string::npos)
    return false;
  keys_[key][name] = value;
  return true;
}

void KeyStore::erase(const std::string& key, const std::string& name) {
  auto k = keys_.find(key);
  if (k != keys_.end()) k->second.erase(name);
}

void KeyStore::eraseKey(const std::string& key) {
  const std::string below = key + "\\";
  for (auto it = keys_.begin(); it != keys_.end();) {
    if (it->first == key || it->first.compare(0, below.size(), below) == 0)
      it = keys_.erase(it);
    else
      ++it;
  }
}

std::string KeyStore::text() const {
  std::string out;
  for (const auto& [key, values] : keys_) {
    out += "[" + key + "]\r\n";
    for (const auto& [name, value] : values) out += name + "=" + escapeValue(value) + "\r\n";
  }
  return out;
}

KeyStore KeyStore::parse(const std::string& text) {
  KeyStore store;
  std::string current;
  bool inKey = false;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      current = line.substr(1, line.size() - 2);
      inKey = true;
      store.keys_[current];
      continue;
    }
    const size_t eq = line.find('=');
    if (!inKey || eq == 0 || eq == std::string::npos) continue;
    store.keys_[current][line.substr(0, eq)] = unescapeValue(line.substr(eq + 1));
  }
  return store;
}

}  // namespace shell
