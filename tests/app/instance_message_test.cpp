#include "app/instance_message.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace app {
namespace {

using Kind = InstanceMessage::Kind;

std::string le32(std::uint32_t v) {
  std::string b(4, '\0');
  for (int i = 0; i < 4; ++i) b[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
  return b;
}

std::string filesMessage(bool raise, const std::string& payload) {
  return std::string("F") + (raise ? '\1' : '\0') +
         le32(static_cast<std::uint32_t>(payload.size())) + payload;
}

struct Row {
  const char* what;
  std::string buffer;
  Kind kind;
  int code;
  bool raise;
  std::string payload;
  std::string left;  // what stays in the buffer
};

TEST(InstanceMessage, TakesOneMessageOffTheFront) {
  const std::string big(kMaxPayloadBytes, 'x');
  const std::vector<Row> rows = {
      {"empty", "", Kind::Incomplete, 0, false, "", ""},
      {"command line without its end", "C1", Kind::Incomplete, 0, false, "", "C1"},
      {"command", "C17\n", Kind::Command, 17, false, "", ""},
      {"highest code", "C73\n", Kind::Command, 73, false, "", ""},
      {"code 0", "C0\n", Kind::Foreign, 0, false, "", "C0\n"},
      {"code over 73", "C74\n", Kind::Foreign, 0, false, "", "C74\n"},
      {"leading zero", "C07\n", Kind::Foreign, 0, false, "", "C07\n"},
      {"line too long without its end", "C123", Kind::Foreign, 0, false, "", "C123"},
      {"old binary form", "C" + le32(17), Kind::Foreign, 0, false, "", "C" + le32(17)},
      {"carriage return", "C7\r\n", Kind::Foreign, 0, false, "", "C7\r\n"},
      {"two commands: the second stays", "C3\nC4\n", Kind::Command, 3, false, "", "C4\n"},
      {"files header cut", std::string("F\1\3\0", 4), Kind::Incomplete, 0, false, "",
       std::string("F\1\3\0", 4)},
      {"files payload cut", filesMessage(true, "a.avi\1").substr(0, 9), Kind::Incomplete, 0, false,
       "", filesMessage(true, "a.avi\1").substr(0, 9)},
      {"files", filesMessage(true, "a.avi\1"), Kind::Files, 0, true, "a.avi\1", ""},
      {"files without raise, then a command", filesMessage(false, "b\1") + "C9\n", Kind::Files, 0,
       false, "b\1", "C9\n"},
      {"empty payload", filesMessage(false, ""), Kind::Files, 0, false, "", ""},
      {"longest payload", filesMessage(false, big), Kind::Files, 0, false, big, ""},
      {"payload length over the limit", std::string("F\0", 2) + le32(kMaxPayloadBytes + 1),
       Kind::Foreign, 0, false, "", std::string("F\0", 2) + le32(kMaxPayloadBytes + 1)},
      {"payload length near 4 GiB", std::string("F\0", 2) + le32(0xFFFFFFF0u), Kind::Foreign, 0,
       false, "", std::string("F\0", 2) + le32(0xFFFFFFF0u)},
      {"unknown first byte", "GET / HTTP/1.0", Kind::Foreign, 0, false, "", "GET / HTTP/1.0"},
      {"buffer over the limit", std::string(kMaxInstanceBufferBytes + 1, 'C'), Kind::Foreign, 0,
       false, "", std::string(kMaxInstanceBufferBytes + 1, 'C')},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    std::string buffer = row.buffer;
    const InstanceMessage m = takeInstanceMessage(buffer);
    EXPECT_EQ(m.kind, row.kind);
    EXPECT_EQ(m.code, row.code);
    EXPECT_EQ(m.raise, row.raise);
    EXPECT_EQ(m.payload, row.payload);
    EXPECT_EQ(buffer, row.left);
  }
}

TEST(InstanceMessage, BytesArrivingOneAtATimeGiveTheSameMessages) {
  const std::string stream = "C42\n" + filesMessage(true, "/m/a.mkv\1/m/b.mkv\1") + "C73\n";
  std::string buffer;
  std::vector<InstanceMessage> got;
  for (char c : stream) {
    buffer.push_back(c);
    for (InstanceMessage m = takeInstanceMessage(buffer); m.kind != Kind::Incomplete;
         m = takeInstanceMessage(buffer)) {
      ASSERT_NE(m.kind, Kind::Foreign);
      got.push_back(m);
    }
  }
  ASSERT_EQ(got.size(), 3u);
  EXPECT_EQ(got[0].code, 42);
  EXPECT_EQ(got[1].payload, "/m/a.mkv\1/m/b.mkv\1");
  EXPECT_TRUE(got[1].raise);
  EXPECT_EQ(got[2].code, 73);
  EXPECT_TRUE(buffer.empty());
}

}  // namespace
}  // namespace app
