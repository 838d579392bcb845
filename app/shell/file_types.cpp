#include "app/shell/file_types.h"

#include <algorithm>
#include <fstream>
#include <sstream>

namespace shell {

namespace {

std::string lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

std::string privatePrefix(const std::string& programName) {
  return "x-" + lower(programName) + "-";
}

std::string xmlEscape(const std::string& s) {
  std::string out;
  for (char c : s) {
    if (c == '&')
      out += "&amp;";
    else if (c == '<')
      out += "&lt;";
    else if (c == '>')
      out += "&gt;";
    else if (c == '"')
      out += "&quot;";
    else
      out += c;
  }
  return out;
}

}  // namespace

bool validExtension(const std::string& e) {
  if (e.empty() || e.size() > 16) return false;
  return std::all_of(e.begin(), e.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+' || c == '_' || c == '-';
  });
}

FileType fileTypeFor(const std::string& extension, const std::string& programName,
                     const std::string& standardType) {
  const std::string prefix = privatePrefix(programName);
  FileType t;
  t.privateType = true;
  t.glob = "*." + extension;
  if (extension == "mpl") {
    t.mime = "application/" + prefix + "playlist";
    t.weight = 60;
    t.parent = "text/plain";
    t.comment = programName + " playlist";
  } else if (extension == "dat") {
    t.mime = "video/" + prefix + "vcd";
    t.glob.clear();
    t.cdxaMagic = true;
    t.parent = "video/mpeg";
    t.comment = "Video CD MPEG file";
  } else if (extension == "m1v" || extension == "m2v" || extension == "m2p") {
    t.mime = "video/" + prefix + extension;
    t.parent = "video/mpeg";
    t.comment = extension == "m2p" ? "MPEG-2 program stream" : "MPEG video stream";
  } else if (extension == "mpa") {
    t.mime = "audio/" + prefix + extension;
    t.parent = "audio/mpeg";
    t.comment = "MPEG audio stream";
  } else if (!standardType.empty()) {
    t = FileType{};
    t.mime = standardType;
  } else {
    t.mime = "video/" + prefix + extension;
    t.comment = extension + " movie";
  }
  return t;
}

std::optional<std::string> standardTypeForExtension(const std::string& extension,
                                                    const std::vector<std::string>& dataDirs,
                                                    const std::string& programName) {
  const std::string glob = "*." + extension;
  const std::string own = "/" + privatePrefix(programName);
  std::optional<std::string> best;
  int bestWeight = -1;
  for (const std::string& dir : dataDirs) {
    std::ifstream in(dir + "/mime/globs2", std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
      // weight:type:glob[:flags]
      std::stringstream fields(line);
      std::string weight, type, pattern;
      if (line.empty() || line[0] == '#') continue;
      if (!std::getline(fields, weight, ':') || !std::getline(fields, type, ':') ||
          !std::getline(fields, pattern, ':'))
        continue;
      if (!pattern.empty() && pattern.back() == '\r') pattern.pop_back();
      if (pattern != glob || type.find(own) != std::string::npos) continue;
      const int w = std::atoi(weight.c_str());
      if (w > bestWeight) {
        bestWeight = w;
        best = type;
      }
    }
  }
  return best;
}

std::string mimePackageXml(const std::vector<FileType>& types) {
  std::string out =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n";
  for (const FileType& t : types) {
    if (!t.privateType) continue;
    out += "  <mime-type type=\"" + xmlEscape(t.mime) + "\">\n";
    if (!t.comment.empty()) out += "    <comment>" + xmlEscape(t.comment) + "</comment>\n";
    if (!t.parent.empty()) out += "    <sub-class-of type=\"" + xmlEscape(t.parent) + "\"/>\n";
    if (!t.glob.empty())
      out += "    <glob pattern=\"" + xmlEscape(t.glob) + "\" weight=\"" +
             std::to_string(t.weight) + "\"/>\n";
    if (t.cdxaMagic)
      out +=
          "    <magic priority=\"80\">\n"
          "      <match type=\"string\" offset=\"0\" value=\"RIFF\">\n"
          "        <match type=\"string\" offset=\"8\" value=\"CDXA\"/>\n"
          "      </match>\n"
          "    </magic>\n";
    out += "  </mime-type>\n";
  }
  return out + "</mime-info>\n";
}

}  // namespace shell
