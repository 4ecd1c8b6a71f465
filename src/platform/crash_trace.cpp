#include "platform/crash_trace.h"

#include <execinfo.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <mutex>

namespace tuvo::system {

namespace {

constexpr int MaxFrames = 128;
// Room for the handler and the unwinder on the alternate stack; static, so that it is there until
// the process's very end and is nothing to allocate or to leak.
constexpr std::size_t AltStackSize = 64 * 1024;
alignas(16) char altStack[AltStackSize];
// The thread whose crash is being printed, 0 while none: threads often crash together (at the
// exit, say), and the first one's trace is printed whole.
std::atomic<pid_t> crashing{0};
static_assert(std::atomic<pid_t>::is_always_lock_free);

// Writes the whole text; only async-signal-safe calls.
void Write(const char* text, std::size_t length) {
  while (length > 0) {
    const ssize_t written = write(STDERR_FILENO, text, length);
    if (written <= 0) return;
    text += written;
    length -= static_cast<std::size_t>(written);
  }
}

// Writes a text of the program's own.
void Write(const char* text) { Write(text, std::strlen(text)); }

// The address in hexadecimal, formatted without the C library's formatting, which may allocate.
void WriteAddress(const void* address) {
  char digits[2 + 2 * sizeof(std::uintptr_t)];
  std::size_t at = sizeof digits;
  auto value = reinterpret_cast<std::uintptr_t>(address);
  do {
    digits[--at] = "0123456789abcdef"[value & 0xF];
    value >>= 4;
  } while (value != 0);
  digits[--at] = 'x';
  digits[--at] = '0';
  Write(digits + at, sizeof digits - at);
}

// The name of a signal we handle; strsignal may allocate.
const char* SignalName(int signal) {
  switch (signal) {
    case SIGSEGV:
      return "SIGSEGV";
    case SIGBUS:
      return "SIGBUS";
    case SIGABRT:
      return "SIGABRT";
    default:
      return "a signal";
  }
}

// Dies of the signal by its default action: raised here, it is taken once the handler returns.
void Die(int signal) {
  struct sigaction byDefault{};
  byDefault.sa_handler = SIG_DFL;
  sigemptyset(&byDefault.sa_mask);
  sigaction(signal, &byDefault, nullptr);
  raise(signal);
}

// Prints where the thread was, then dies of the same signal. Another thread that crashes meanwhile
// waits for the process to end; the same thread crashing again while printing dies at once.
void OnCrash(int signal, siginfo_t* info, void*) {
  const pid_t self = gettid();
  pid_t first = 0;
  if (!crashing.compare_exchange_strong(first, self)) {
    if (first == self) return Die(signal);
    while (true) pause();
  }
  Write("\n*** crashed: ");
  Write(SignalName(signal));
  if (info->si_code > 0 && signal != SIGABRT) {  // a fault the kernel found, not a signal sent
    Write(" at address ");
    WriteAddress(info->si_addr);
  }
  Write("; backtrace of the crashing thread:\n");
  void* frames[MaxFrames];
  const int count = backtrace(frames, MaxFrames);
  backtrace_symbols_fd(frames, count, STDERR_FILENO);
  Write("*** end of backtrace\n");
  Die(signal);
}

// Gives the calling thread its alternate signal stack, unless it has one (AddressSanitizer's).
void InstallAltStack() {
  stack_t current{};
  if (sigaltstack(nullptr, &current) == 0 && (current.ss_flags & SS_DISABLE) == 0) return;
  stack_t ours{};
  ours.ss_sp = altStack;
  ours.ss_size = AltStackSize;
  ours.ss_flags = 0;
  sigaltstack(&ours, nullptr);
}

}  // namespace

void InstallCrashTrace() {
  static std::once_flag once;
  std::call_once(once, [] {
    // The first backtrace loads the unwinder (libgcc), which allocates: here, not in the handler.
    void* frames[1];
    backtrace(frames, 1);
    InstallAltStack();
    for (const int signal : {SIGSEGV, SIGBUS, SIGABRT}) {
      struct sigaction current{};
      if (sigaction(signal, nullptr, &current) != 0) continue;
      // A handler in place already is left to do its own report (AddressSanitizer's).
      if ((current.sa_flags & SA_SIGINFO) != 0 || current.sa_handler != SIG_DFL) continue;
      struct sigaction crash{};
      crash.sa_sigaction = OnCrash;
      sigemptyset(&crash.sa_mask);
      crash.sa_flags = SA_SIGINFO | SA_ONSTACK;
      sigaction(signal, &crash, nullptr);
    }
  });
}

}  // namespace tuvo::system
