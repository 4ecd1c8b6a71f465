// The windows that show saved workbooks: without a display a saved workbook shows nowhere; with
// stand-ins for LibreOffice Calc that never answer over UNO, closing a workbook, quitting or
// letting go of the application never ends or signals its window, and what the window leaves
// goes once it ended.
#include "platform/office/office_workbook_windows.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>

#include "platform/sheet/sheet.h"
#include "platform/xls/office_application.h"
#include "support/processes.h"
#include "support/shell_script.h"
#include "support/temp_folder.h"
#include "support/text_count.h"

namespace tuvo::office {
namespace {

namespace fs = std::filesystem;
namespace xl = sheet::xl;
using namespace std::chrono;
using sheet::Application;
using sheet::Workbook;
using test::Alive;
using test::Count;
using test::ReadText;
using test::Script;
using test::TempFolder;
using test::WriteFile;
using xls::OfficeApplication;

TEST(OfficeWorkbookWindows, WithoutDisplayTheSaveSucceedsAndNothingIsShown) {
  const TempFolder folder{"tuvo-windows-test"};
  OfficeApplication app;
  app.SetVisible(true);
  Workbook& wb = app.Workbooks().Add();
  const fs::path file = folder.Path() / "shown.xls";
  wb.SaveAs(file.string(), xl::Normal);
  EXPECT_TRUE(fs::exists(file));
  EXPECT_FALSE(OfficeWorkbookWindows::HasDisplay());
  EXPECT_FALSE(app.IsShowing(wb));
  wb.Close(false);
  app.Quit();
}

// The window process of a workbook, with a stand-in for LibreOffice Calc that records its
// arguments, takes the workbook's lock file unless another holds it, notes any signal, and stays
// open; it never answers over UNO, so closing the workbook cannot close its document.
TEST(OfficeWorkbookWindows, ClosingNeverEndsAWindowAndRemovesOnlyOurOwnLockOnceTheWindowEnded) {
  const TempFolder folder{"tuvo-windows-test"};
  const fs::path arguments = folder.Path() / "arguments";
  const fs::path signals = folder.Path() / "signals";
  const fs::path calc = Script(folder.Path(), "calc",
                               "trap 'echo signalled >> \"" + signals.string() + "\"; exit 0' HUP INT TERM\n"
                               "echo \"$@\" >> '" + arguments.string() + "'\n"
                               "url=\"${1#-env:UserInstallation=}\"; for a; do f=\"$a\"; done\n"
                               "lock=\"$(dirname \"$f\")/.~lock.$(basename \"$f\")#\"\n"
                               "[ -e \"$lock\" ] || echo \",user,host,date,$url;\" > \"$lock\"\n"
                               "while :; do sleep 1; done");
  const fs::path firstLock = folder.Path() / ".~lock.first.xls#";
  const fs::path secondLock = folder.Path() / ".~lock.second.xls#";
  WriteFile(secondLock, ",someone,else,date,file:///home/someone/.config/libreoffice/4;\n");
  Application app;
  Workbook& first = app.Workbooks().Add();
  Workbook& second = app.Workbooks().Add();
  OfficeWorkbookWindows viewer;
  viewer.Open(first, calc.string(), folder.Path() / "first.xls");
  viewer.Open(second, calc.string(), folder.Path() / "second.xls");
  ASSERT_TRUE(viewer.IsShowing(first));
  ASSERT_TRUE(viewer.IsShowing(second));
  const pid_t firstPid = *viewer.ProcessOf(first);
  const pid_t secondPid = *viewer.ProcessOf(second);
  // Both stand-ins have started and the first has written its whole lock file.
  for (int i = 0; i < 300 && !(ReadText(firstLock).find("profile;") != std::string::npos &&
                               Count(ReadText(arguments), "\n") == 2);
       ++i) {
    std::this_thread::sleep_for(milliseconds{10});
  }
  const std::string args = ReadText(arguments);
  EXPECT_EQ(Count(args, "-env:UserInstallation=file:///"), 2u) << args;
  EXPECT_EQ(Count(args, "--accept=pipe,name="), 2u) << args;
  EXPECT_NE(args.find("first.xls"), std::string::npos) << args;
  ASSERT_TRUE(fs::exists(firstLock));

  // The user ends the first window, which leaves its lock file; closing the workbook afterwards
  // still works and removes that lock, ours.
  kill(-firstPid, SIGKILL);
  for (int i = 0; i < 200 && viewer.IsShowing(first); ++i) std::this_thread::sleep_for(milliseconds{10});
  EXPECT_FALSE(viewer.IsShowing(first));
  EXPECT_TRUE(viewer.IsShowing(second));
  viewer.Close(first);
  EXPECT_FALSE(fs::exists(firstLock)) << "our ended window's lock file was left behind";

  // The second window does not answer: closing its workbook leaves it to the user, unsignalled,
  // with the lock file someone else holds.
  viewer.Close(second);
  viewer.Close(second);  // closed already: nothing happens
  EXPECT_FALSE(viewer.IsShowing(second));
  EXPECT_TRUE(Alive(secondPid)) << "a window that may hold the user's work was ended";
  EXPECT_FALSE(fs::exists(signals)) << "a window was signalled";
  EXPECT_TRUE(fs::exists(secondLock)) << "another's lock file was removed";
  kill(-secondPid, SIGKILL);
}

// Letting go of the application, quitting it and closing the workbook each leave a window that
// does not answer over UNO (the program cannot close its document) running and unsignalled, its
// profile in place; once it ends, also long after the program, its watchdog removes its folder.
TEST(OfficeWorkbookWindows, NoEndOfTheWorkbookSignalsItsWindowAndItsFolderGoesOnceItEnds) {
  enum class End { LetGo, Quit, CloseWorkbook };
  for (const End end : {End::LetGo, End::Quit, End::CloseWorkbook}) {
    SCOPED_TRACE(static_cast<int>(end));
    const TempFolder folder{"tuvo-windows-test"};
    const fs::path profileSeen = folder.Path() / "profile";
    const fs::path calc = Script(folder.Path(), "calc",
                                 "trap 'echo signalled >> \"" + (folder.Path() / "signals").string() +
                                     "\"; exit 0' HUP INT TERM\n"
                                     "echo \"${1#-env:UserInstallation=file://}\" > '" + profileSeen.string() +
                                     ".part' && mv '" + profileSeen.string() + ".part' '" + profileSeen.string() +
                                     "'\nwhile :; do sleep 1; done");
    auto app = std::make_unique<OfficeApplication>();
    Workbook& wb = app->Workbooks().Add();
    app->Windows().Open(wb, calc.string(), folder.Path() / "shown.xls");
    ASSERT_TRUE(app->IsShowing(wb));
    const pid_t pid = *app->Windows().ProcessOf(wb);
    for (int i = 0; i < 300 && !fs::exists(profileSeen); ++i) std::this_thread::sleep_for(milliseconds{10});
    std::string profile = ReadText(profileSeen);
    if (!profile.empty() && profile.back() == '\n') profile.pop_back();
    ASSERT_TRUE(fs::is_directory(profile)) << profile;

    switch (end) {
      case End::LetGo: app.reset(); break;
      case End::Quit: app->Quit(); break;
      case End::CloseWorkbook: wb.Close(false); break;
    }
    if (app) {
      EXPECT_FALSE(app->IsShowing(wb));
    }
    EXPECT_TRUE(Alive(pid)) << "the window was ended";
    EXPECT_FALSE(fs::exists(folder.Path() / "signals")) << "the window was signalled";
    EXPECT_TRUE(fs::is_directory(profile)) << "the running window's profile was removed";
    // The user ends it.
    kill(-pid, SIGKILL);
    const fs::path own = fs::path(profile).parent_path();
    for (int i = 0; i < 200 && fs::exists(own); ++i) std::this_thread::sleep_for(milliseconds{50});
    EXPECT_FALSE(fs::exists(own)) << "the ended window's folder was left behind";
  }
}

}  // namespace
}  // namespace tuvo::office
