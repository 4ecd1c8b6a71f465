// The end of a process that speaks UNO: threads of the UNO libraries (a request an office never
// answered, a bridge winding down) may still run in them, so the exit never tears them down.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>

#include <unistd.h>

#include "platform/office/office_instance.h"
#include "platform/office/uno_client.h"
#include "support/office_wait.h"
#include "support/retried.h"

namespace tuvo::office::uno {
namespace {

// How a process ends with status 3: whether the runtime started, whether a handler of the
// ordinary teardown (which ends the process with status 4 when it runs) was registered before the
// runtime started or after it, as the UNO libraries register parts of theirs while requests run,
// and whether it ends through Exit or through std::exit.
struct Ending {
  const char* what;
  bool runtimeStarted;
  bool registeredAfter;
  bool throughExit;
  int status;
};

constexpr Ending Endings[] = {
    {"the exit, once the runtime runs, skips the teardown", true, false, false, 3},
    {"without the runtime, the teardown runs", false, false, false, 4},
    {"Exit also skips what was registered after the runtime", true, true, true, 3},
    {"without the runtime, Exit is the ordinary exit", false, true, true, 4},
};

[[noreturn]] void EndTheProcess(const Ending& ending) {
  const auto registerTeardown = [] { std::atexit([] { _exit(4); }); };
  if (!ending.registeredAfter) registerTeardown();
  if (ending.runtimeStarted) StartRuntime();
  if (ending.registeredAfter) registerTeardown();
  if (ending.throughExit) Exit(3);
  std::exit(3);
}

TEST(UnoExit, OnceTheRuntimeRunsTheExitKeepsItsStatusAndSkipsTheTeardown) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  for (const Ending& ending : Endings) {
    EXPECT_EXIT(EndTheProcess(ending), testing::ExitedWithCode(ending.status), "") << ending.what;
  }
}

// Connects to the office on `pipe` and ends the process through Exit while threads of its own keep
// asking the office: the bridge's proxies and exception types are still in use as it ends.
[[noreturn]] void EndWhileRequestsRun(const std::string& pipe) {
  const std::shared_ptr<Connection> connection = test::Retried<UnoError>([&] { return Connection::Connect(pipe); });
  for (int i = 0; i < 4; ++i) {
    std::thread([connection] {
      while (true) {
        try {
          connection->VisibleWindowCount();
          connection->IsOpen(1);
        } catch (const UnoError&) {
        }
      }
    }).detach();
  }
  std::this_thread::sleep_for(std::chrono::milliseconds{100});
  Exit(0);
}

// A process that ends while its requests still run ends with its status, not by a crash in the UNO
// libraries' teardown. Each end is a process of its own; a crash there is a matter of timing, so
// the end is tried a few times, against one office.
TEST(UnoExit, EndingWhileRequestsRunEndsWithTheStatus) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  // A child process runs this test anew: it finds the office by its pipe in the environment.
  constexpr const char* PipeVariable = "TUVO_TEST_EXIT_PIPE";
  std::unique_ptr<OfficeInstance> office;
  if (std::getenv(PipeVariable) == nullptr) {
    office = std::make_unique<OfficeInstance>(OfficeInstance::Role::Converter, "soffice", test::PatientTimeouts());
    office->Start();
    setenv(PipeVariable, office->PipeName().c_str(), 1);
  }
  const std::string pipe = std::getenv(PipeVariable);
  for (int end = 1; end <= 8; ++end) {
    EXPECT_EXIT(EndWhileRequestsRun(pipe), testing::ExitedWithCode(0), "") << "end " << end;
  }
  if (office) unsetenv(PipeVariable);
}

}  // namespace
}  // namespace tuvo::office::uno
