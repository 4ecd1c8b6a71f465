// Child processes: a program that cannot be started.
#include "platform/process/process.h"

#include <gtest/gtest.h>

#include <chrono>

namespace tuvo::process {
namespace {

using std::chrono::seconds;

TEST(Process, AProcessThatNeverStartedIsNeitherRunningNorEnded) {
  const Started started = StartProcess("/nonexistent/program", {}, {});
  EXPECT_LE(started.pid, 0);
  EXPECT_FALSE(started.error.empty());
  EXPECT_FALSE(ProcessRunning(started.pid));
  EndProcess(started.pid, seconds{1});  // signals nothing
  EXPECT_FALSE(ProcessRunning(-1));
}

}  // namespace
}  // namespace tuvo::process
