// The LibreOffice of its own that shows a workbook without the viewer, started as a stand-in that
// accepts UNO connections on its pipe and never answers: closing the workbook returns within the
// program's window deadline, also behind a look that got no answer, and leaves the workbook's file
// and the office as they were.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>

#include "platform/office/office_sockets.h"
#include "platform/office/office_window.h"
#include "platform/process/process.h"
#include "support/office_wait.h"
#include "support/temp_folder.h"

namespace tuvo {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono;
using office::PipeSocket;

// The program's deadline for a look at the workbook's window, which comes with each save.
constexpr seconds LookDeadline{1};

// A stand-in LibreOffice at `folder`/soffice: it listens where LibreOffice puts the socket of the
// pipe its --accept option names, makes `folder`/accepting once it does, notes each connection it
// accepts in `folder`/connections, and never reads nor answers a request.
fs::path WriteStandIn(const fs::path& folder) {
  const fs::path script = folder / "soffice";
  std::ofstream(script) << "#!/usr/bin/perl\n"
                        << "use strict;\n"
                        << "use Socket;\n"
                        << "my ($pipe) = map { /^--accept=pipe,name=([^;]+)/ ? $1 : () } @ARGV;\n"
                        << "socket(my $listener, PF_UNIX, SOCK_STREAM, 0) or die \"socket: $!\";\n"
                        << "bind($listener, pack_sockaddr_un('" << PipeSocket("").string()
                        << "' . $pipe)) or die \"bind: $!\";\n"
                        << "listen($listener, 8) or die \"listen: $!\";\n"
                        << "open(my $ready, '>', '" << (folder / "accepting").string() << "') or die \"ready: $!\";\n"
                        << "close($ready);\n"
                        << "my @held;\n"
                        << "while (accept(my $connection, $listener)) {\n"
                        << "  push(@held, $connection);\n"
                        << "  open(my $log, '>>', '" << (folder / "connections").string() << "') or die \"log: $!\";\n"
                        << "  print($log \"accepted\\n\");\n"
                        << "  close($log);\n"
                        << "}\n";
  fs::permissions(script, fs::perms::owner_all);
  return script;
}

// Waits up to `limit` for `path` to be there, while `office` runs; whether it is.
bool Appears(const fs::path& path, milliseconds limit, pid_t office) {
  for (const auto until = steady_clock::now() + limit;
       !fs::exists(path) && process::ProcessRunning(office) && steady_clock::now() < until;) {
    std::this_thread::sleep_for(milliseconds{20});
  }
  return fs::exists(path);
}

struct Closing {
  const char* name;
  bool looksFirst;  // a look at the workbook (a save's) got no answer before the close
};

class OfficeWindow : public ::testing::TestWithParam<Closing> {};

TEST_P(OfficeWindow, CloseOfAnOfficeThatNeverAnswersReturnsWithinTheWindowDeadlineAndKeepsTheFile) {
  const test::TempFolder folder{"tuvo-window-test"};
  const fs::path standIn = WriteStandIn(folder.Path());
  const fs::path file = folder.Path() / "ผลการคำนวณ.xls";
  std::ofstream(file) << "the saved workbook";

  std::unique_ptr<office::OfficeWindow> window = office::OfficeWindow::Open(standIn.string(), file);
  ASSERT_TRUE(window) << "the stand-in did not start";
  const pid_t office = window->Process();
  ASSERT_TRUE(Appears(folder.Path() / "accepting", test::OfficeReadyBound, office)) << "the stand-in never listened";

  if (GetParam().looksFirst) {
    const auto asked = steady_clock::now();
    EXPECT_TRUE(window->IsOpen()) << "an office that does not answer yet counts as showing the workbook";
    EXPECT_LT(steady_clock::now() - asked, LookDeadline + test::DeadlineSlack) << "the look held up its save";
  }
  const auto asked = steady_clock::now();
  window->Close();
  EXPECT_LT(steady_clock::now() - asked, test::WindowDeadline + test::DeadlineSlack)
      << "the close waited on the office past the program's window deadline";
  EXPECT_TRUE(Appears(folder.Path() / "connections", test::WindowBound, office)) << "the office was never asked";
  EXPECT_EQ(test::ReadText(file), "the saved workbook");
  EXPECT_TRUE(process::ProcessRunning(office)) << "the office was signalled, with what the user may have open in it";

  // The user ends the office; its watchdog tidies after it once the window is let go of.
  kill(-office, SIGKILL);
  window.reset();
}

INSTANTIATE_TEST_SUITE_P(Hangs, OfficeWindow,
                         ::testing::Values(Closing{"Close", false}, Closing{"CloseBehindALook", true}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tuvo
