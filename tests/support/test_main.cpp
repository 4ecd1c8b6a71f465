// Test entry point: every suite runs inside a QApplication on the offscreen platform.
#include <QApplication>
#include <gtest/gtest.h>

#include <cstdlib>
#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

#include "platform/crash_trace.h"
#include "platform/office/uno_client.h"
#include "platform/xls/office_application.h"
#include "support/office_wait.h"

int main(int argc, char** argv) {
  // A crash, in a test or at the exit, leaves its backtrace in the test's log.
  tuvo::system::InstallCrashTrace();
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
  }
  // A one-shot conversion by a real LibreOffice may take as long as a loaded machine makes it;
  // the tests of its deadline set their own.
  tuvo::xls::OfficeApplication::SetStartingOneShotTimeout(tuvo::test::OfficeReadyBound);
  int status = 0;
  {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    status = RUN_ALL_TESTS();
  }
#if defined(__SANITIZE_ADDRESS__)
  // Leaks are looked for here, before the exit's teardown: that teardown leaves UNO's type data held
  // only by the dropped Type objects of tests/sanitizer/lsan.supp, and LeakSanitizer reports what a
  // suppressed leak holds all the same.
  __lsan_do_leak_check();
#endif
  // Requests a test left running against an office may still be at work in the UNO libraries.
  tuvo::office::uno::Exit(status);
}
