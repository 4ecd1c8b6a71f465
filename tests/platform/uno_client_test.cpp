// The end of a process that speaks UNO while a request of an office that never answered still runs.
#include <gtest/gtest.h>

#include <cstdlib>

#include <unistd.h>

#include "platform/sheet/uno_client.h"

namespace tuvo::sheet::uno {
namespace {

// Starts the runtime and ends the process with status 3, with a request still running or not. A
// handler of the ordinary teardown, registered before the runtime, runs only when that teardown
// runs, and then ends the process with status 4.
[[noreturn]] void EndTheProcess(bool requestRunning) {
  std::atexit([] { _exit(4); });
  StartRuntime();
  if (requestRunning) new RunningRequest();  // never answered
  std::exit(3);
}

TEST(UnoExit, WhileARequestRunsTheExitKeepsItsStatusAndSkipsTheTeardown) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(EndTheProcess(true), testing::ExitedWithCode(3), "");
  EXPECT_EXIT(EndTheProcess(false), testing::ExitedWithCode(4), "") << "with no request running, the teardown runs";
}

}  // namespace
}  // namespace tuvo::sheet::uno
