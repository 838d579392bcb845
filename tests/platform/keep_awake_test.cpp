// The keep-awake request is held exactly while playing.
#include <gtest/gtest.h>

#include "platform/keep_awake.h"

namespace platform {
namespace {

struct Calls {
  int inhibits = 0, releases = 0, pokes = 0;
  uint32_t nextCookie = 7;
  std::vector<uint32_t> released;
  InhibitBackend backend() {
    return {[this] {
              ++inhibits;
              return nextCookie;
            },
            [this](uint32_t c) {
              ++releases;
              released.push_back(c);
            },
            [this] { ++pokes; }};
  }
};

TEST(KeepAwakeTest, HoldsOneRequestWhilePlaying) {
  // Each row: a sequence of events (P play, S stop/pause, T reset tick) and
  // the calls expected afterwards.
  const struct {
    const char* events;
    bool serviceUp;
    int inhibits, releases, pokes;
    bool held;
  } rows[] = {
      {"P", true, 1, 0, 0, true},
      {"PPP", true, 1, 0, 0, true},  // Play again keeps the one request
      {"PS", true, 1, 1, 0, false},  // pause or stop releases it
      {"PSPS", true, 2, 2, 0, false},
      {"S", true, 0, 0, 0, false},  // nothing to release
      {"PTT", true, 1, 0, 2, true},
      {"TST", true, 0, 0, 0, false},  // no pokes while not playing
      {"PT", false, 2, 0, 1, false},  // a missing service is asked again, silently
      {"PS", false, 1, 0, 0, false},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.events);
    Calls calls;
    if (!r.serviceUp) calls.nextCookie = 0;
    {
      KeepAwake k(calls.backend());
      for (const char* e = r.events; *e; ++e) {
        if (*e == 'P') k.setPlaying(true);
        if (*e == 'S') k.setPlaying(false);
        if (*e == 'T') k.poke();
      }
      EXPECT_EQ(calls.inhibits, r.inhibits);
      EXPECT_EQ(calls.releases, r.releases);
      EXPECT_EQ(calls.pokes, r.pokes);
      EXPECT_EQ(k.held(), r.held);
    }
    // Destroying it gives a held request back.
    EXPECT_EQ(calls.releases, r.releases + (r.held ? 1 : 0));
  }
}

TEST(KeepAwakeTest, DesktopBackendIsSilentWithoutASessionBus) {
  setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/tarvelino-bus", 1);
  KeepAwake k(desktopInhibitBackend("Tarvelino"));
  k.setPlaying(true);
  k.poke();
  EXPECT_FALSE(k.held());
  k.setPlaying(false);
}

}  // namespace
}  // namespace platform
