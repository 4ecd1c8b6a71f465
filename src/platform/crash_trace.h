// A crash leaves evidence: on SIGSEGV, SIGBUS and SIGABRT the crashing thread's backtrace goes to
// stderr, and the process still dies of the signal, so its exit status says it crashed.
#pragma once

namespace tuvo::system {

// Installs the crash handlers for the process, and an alternate signal stack for the calling
// thread, so that a stack overflow there still prints; other threads print on their own stack. A
// signal that already has a handler (AddressSanitizer's, which reports the crash itself) keeps it.
// Calling it again changes nothing.
void InstallCrashTrace();

}  // namespace tuvo::system
