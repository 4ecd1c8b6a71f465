// A process that crashes prints the crashing thread's backtrace on stderr and still dies of the
// signal, on the main thread or another, when threads crash together, and when the crash is a
// stack overflow.
#include <gtest/gtest.h>

#include <atomic>
#include <csignal>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "platform/crash_trace.h"

namespace tuvo::system {
namespace {

enum class Crash { NullWrite, NullWriteOnAThread, NullWritesOnThreadsAtOnce, Bus, Abort, StackOverflow };

// Writes through a null pointer the compiler cannot see is null.
void WriteThroughNull() {
  volatile int* volatile null = nullptr;
  *null = 1;
}

// Recurses until the stack runs out; the array and the sum keep the compiler from making a loop.
int Overflow(int depth) {
  if (depth < 0) return 0;  // never; the compiler cannot tell
  volatile char frame[512];
  frame[depth % sizeof frame] = static_cast<char>(depth);
  return Overflow(depth + 1) + frame[depth % sizeof frame];
}

[[noreturn]] void CrashBy(Crash crash) {
  InstallCrashTrace();
  switch (crash) {
    case Crash::NullWrite:
      WriteThroughNull();
      break;
    case Crash::NullWriteOnAThread:
      std::thread(WriteThroughNull).join();
      break;
    case Crash::NullWritesOnThreadsAtOnce: {
      std::atomic<bool> go{false};
      std::vector<std::thread> threads;
      for (int i = 0; i < 4; ++i) {
        threads.emplace_back([&go] {
          while (!go) {
          }
          WriteThroughNull();
        });
      }
      go = true;
      for (std::thread& thread : threads) thread.join();
      break;
    }
    case Crash::Bus:
      raise(SIGBUS);
      break;
    case Crash::Abort:
      std::abort();
    case Crash::StackOverflow:
      Overflow(0);
      break;
  }
  std::exit(0);  // not crashed
}

struct CrashCase {
  const char* name;
  Crash crash;
  int signal;
  const char* said;  // what the first line says
  bool sanitizerReports;  // AddressSanitizer reports it in our place
};

constexpr CrashCase Cases[] = {
    {"a null write", Crash::NullWrite, SIGSEGV, "SIGSEGV at address 0x0;", true},
    {"a null write on a thread", Crash::NullWriteOnAThread, SIGSEGV, "SIGSEGV at address 0x0;", true},
    {"null writes on threads at once", Crash::NullWritesOnThreadsAtOnce, SIGSEGV, "SIGSEGV at address 0x0;", true},
    {"a bus error", Crash::Bus, SIGBUS, "SIGBUS;", true},
    {"an abort", Crash::Abort, SIGABRT, "SIGABRT;", false},
    {"a stack overflow", Crash::StackOverflow, SIGSEGV, "SIGSEGV at address 0x[0-9a-f]+;", true},
};

TEST(CrashTrace, ACrashPrintsTheCrashingThreadsBacktraceAndStillDiesOfItsSignal) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  for (const CrashCase& c : Cases) {
#if defined(__SANITIZE_ADDRESS__)
    if (c.sanitizerReports) continue;
#endif
    // The header, then frames as backtrace_symbols_fd writes them: "object(symbol+offset)[address]".
    const std::string trace = std::string("\\*\\*\\* crashed: ") + c.said +
                              " backtrace of the crashing thread:\n"
                              "([^\n]*\\([^\n]*\\)\\[0x[0-9a-f]+\\]\n)+"
                              "\\*\\*\\* end of backtrace\n";
    EXPECT_EXIT(CrashBy(c.crash), testing::KilledBySignal(c.signal), trace) << c.name;
  }
}

}  // namespace
}  // namespace tuvo::system
