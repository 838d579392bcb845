#pragma once
// Which freedesktop MIME type stands for each movie extension, and the user
// MIME package that defines the player's own types. Pure functions except
// standardTypeForExtension, which reads the shared MIME database's glob lists.
#include <optional>
#include <string>
#include <vector>

namespace shell {

// Extensions are accepted only as 1 to 16 characters of [a-z0-9+_-]: anything
// else could change the meaning of a glob or of a MIME type name.
bool validExtension(const std::string& extension);

struct FileType {
  std::string mime;          // e.g. "video/x-msvideo"
  bool privateType = false;  // defined by the player's own MIME package
  // For private types: the glob and its weight (none for a type found by its
  // content only), the type it refines, the magic (RIFF ... CDXA) flag and
  // a description.
  std::string glob;
  int weight = 50;
  std::string parent;
  bool cdxaMagic = false;
  std::string comment;
};

// The MIME type of an extension. standardType is what the system's MIME
// database says for "*.<extension>" (may be empty). Rules:
// - "mpl", the player's playlists, is always the private playlist type, with a
//   weight of 60 above the standard "*.mpl" globs (subtitles, transport streams);
// - "dat" is a private type found by its content only (a Video CD's RIFF CDXA
//   header), so that other data files never open in the player;
// - "m1v", "m2v", "m2p" and "mpa" are private types refining MPEG video and
//   audio, so that associating them never takes over every MPEG or MP3 file;
// - any other extension takes its standard type, or else a private type.
FileType fileTypeFor(const std::string& extension, const std::string& programName,
                     const std::string& standardType);

// The type whose glob "*.<extension>" the MIME databases under dataDirs list
// with the highest weight (globs2 files); private types of programName are skipped.
std::optional<std::string> standardTypeForExtension(const std::string& extension,
                                                    const std::vector<std::string>& dataDirs,
                                                    const std::string& programName);

// The MIME package XML defining the private types among types, in order.
std::string mimePackageXml(const std::vector<FileType>& types);

}  // namespace shell
