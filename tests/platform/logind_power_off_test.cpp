// logind's answers as the power-off takes them, and the guard of the tests.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/logind_power_off.h"

namespace platform {
namespace {

using playback::PowerOffResult;

TEST(LogindPowerOff, OnlyAPlainYesLetsThePlayerAsk) {
  const struct {
    const char* answer;
    PowerOffResult result;
  } rows[] = {
      {"yes", PowerOffResult::Done},      {"challenge", PowerOffResult::Refused},
      {"no", PowerOffResult::Refused},    {"na", PowerOffResult::Refused},
      {"", PowerOffResult::Refused},      {"YES", PowerOffResult::Refused},
      {"yes\n", PowerOffResult::Refused},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.answer);
    EXPECT_EQ(powerOffAllowed(row.answer), row.result);
  }
}

TEST(LogindPowerOff, TestProgramsNeverReachTheSystem) {
  // Every test program sets the variable before main; with it set the
  // request is refused without a bus call.
  ASSERT_NE(std::getenv(LogindPowerOff::kDisableVariable), nullptr);
  LogindPowerOff service;
  EXPECT_EQ(service.canPowerOff(), PowerOffResult::Refused);
  EXPECT_EQ(service.powerOff(), PowerOffResult::Refused);
}

}  // namespace
}  // namespace platform
