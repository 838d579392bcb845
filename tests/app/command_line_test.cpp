#include "app/command_line.h"

#include <gtest/gtest.h>

namespace app {
namespace {

TEST(CommandLineTest, Forms) {
  struct Row {
    std::vector<std::string> args;
    CommandKind kind;
  } rows[] = {
      {{}, CommandKind::None},
      {{"/install"}, CommandKind::Install},
      {{"/INSTALL"}, CommandKind::Paths},
      {{"/uninstall"}, CommandKind::Uninstall},
      {{"/AddFile", "/m/a.avi"}, CommandKind::AddFile},
      {{"/addfile", "/m/a.avi"}, CommandKind::Paths},
      {{"/AddFile"}, CommandKind::Paths},  // a lone flag is taken as a file name
      {{"/AddFolder", "/m"}, CommandKind::AddFolder},
      {{"--command", "12"}, CommandKind::Command},
      {{"--command", "x"}, CommandKind::Paths},
      {{"/m/list.mpl"}, CommandKind::Paths},
      {{"/m/a.avi", "/m/b.avi"}, CommandKind::Paths},
  };
  for (const Row& row : rows) {
    std::string joined;
    for (auto& a : row.args) joined += a + " ";
    SCOPED_TRACE(joined);
    EXPECT_EQ(parseCommandLine(row.args).kind, row.kind);
  }
  EXPECT_EQ(parseCommandLine({"--command", "12"}).commandCode, 12);
}

TEST(InstancePayloadTest, EveryArgumentEndsWithByteOne) {
  EXPECT_EQ(buildInstancePayload({"/AddFile", "/m/a b.avi"}), "/AddFile\x01/m/a b.avi\x01");
  EXPECT_EQ(buildInstancePayload({}), "");
  EXPECT_EQ(buildInstancePayload({"/m/ä.mkv"}), "/m/ä.mkv\x01");
}

TEST(InstancePayloadTest, LongPayloadDropsWholePathsOnly) {
  std::string a(5000, 'a'), b(5000, 'b');
  std::string payload = buildInstancePayload({a, b});
  EXPECT_EQ(payload, a + "\x01");
  std::string exact(kMaxPayloadBytes - 1, 'x');
  EXPECT_EQ(buildInstancePayload({exact}).size(), kMaxPayloadBytes);
  EXPECT_EQ(buildInstancePayload({exact + "y"}), "");
}

TEST(InstancePayloadTest, ParsesTheThreeForms) {
  struct Row {
    std::string payload;
    ReceivedFiles::Kind kind;
    std::vector<std::string> paths;
  } rows[] = {
      {"/AddFile\x01/m/a.avi\x01", ReceivedFiles::Kind::AddFile, {"/m/a.avi"}},
      {"/AddFolder\x01/m\x01", ReceivedFiles::Kind::AddFolder, {"/m"}},
      {"/AddFile\x01", ReceivedFiles::Kind::AddFile, {}},
      {"/m/a.avi\x01/m/b.avi\x01", ReceivedFiles::Kind::OpenList, {"/m/a.avi", "/m/b.avi"}},
      {"/m/a.avi", ReceivedFiles::Kind::OpenList, {"/m/a.avi"}},
      {"\x01\x01/x\x01", ReceivedFiles::Kind::OpenList, {"/x"}},
      {"/AddFileX\x01", ReceivedFiles::Kind::OpenList, {"/AddFileX"}},
      {"", ReceivedFiles::Kind::OpenList, {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.payload);
    ReceivedFiles r = parseInstancePayload(row.payload);
    EXPECT_EQ(r.kind, row.kind);
    EXPECT_EQ(r.paths, row.paths);
  }
}

}  // namespace
}  // namespace app
