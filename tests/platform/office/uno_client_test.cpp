// The end of a process that speaks UNO: threads of the UNO libraries (a request an office never
// answered, a bridge winding down) may still run in them, so the exit never tears them down.
#include <gtest/gtest.h>

#include <cstdlib>

#include <unistd.h>

#include "platform/office/uno_client.h"

namespace tuvo::sheet::uno {
namespace {

// Ends the process with status 3, with the UNO runtime started or not. A handler of the ordinary
// teardown, registered before the runtime, runs only when that teardown runs, and then ends the
// process with status 4.
[[noreturn]] void EndTheProcess(bool runtimeStarted) {
  std::atexit([] { _exit(4); });
  if (runtimeStarted) StartRuntime();
  std::exit(3);
}

TEST(UnoExit, OnceTheRuntimeRunsTheExitKeepsItsStatusAndSkipsTheTeardown) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(EndTheProcess(true), testing::ExitedWithCode(3), "");
  EXPECT_EXIT(EndTheProcess(false), testing::ExitedWithCode(4), "") << "without the runtime, the teardown runs";
}

}  // namespace
}  // namespace tuvo::sheet::uno
