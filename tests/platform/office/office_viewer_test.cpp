// The office service's viewer, and the LibreOffice of its own that shows a workbook without it, on
// a virtual display: closing exactly a workbook's window, leaving it open when the program ends, a
// viewer that died or stopped, and no instance of the program left running once it is gone and
// shows nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <com/sun/star/awt/Toolkit.hpp>
#include <com/sun/star/awt/WindowAttribute.hpp>
#include <com/sun/star/awt/WindowClass.hpp>
#include <com/sun/star/awt/WindowDescriptor.hpp>
#include <com/sun/star/awt/XWindow2.hpp>
#include <com/sun/star/bridge/UnoUrlResolver.hpp>
#include <com/sun/star/frame/XDispatch.hpp>
#include <com/sun/star/frame/XDispatchProvider.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/frame/Frame.hpp>
#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/frame/XFrames.hpp>
#include <com/sun/star/frame/XFramesSupplier.hpp>
#include <com/sun/star/sheet/XSpreadsheet.hpp>
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>
#include <com/sun/star/table/XCell.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <com/sun/star/util/URL.hpp>
#include <com/sun/star/util/URLTransformer.hpp>
#include <cppuhelper/bootstrap.hxx>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/office/office_command.h"
#include "platform/office/office_service.h"
#include "platform/office/office_sockets.h"
#include "platform/office/office_workbook_windows.h"
#include "platform/process/process.h"
#include "platform/sheet/sheet.h"
#include "platform/xls/office_application.h"
#include "support/office_wait.h"
#include "support/owner_only.h"
#include "support/processes.h"
#include "support/retried.h"
#include "support/temp_folder.h"

namespace tuvo::office {

using sheet::Application;
using sheet::Workbook;
using xls::OfficeApplication;
namespace {

namespace fs = std::filesystem;
using namespace std::chrono;
using test::TempFolder;

using test::AllGone;
using test::NoneLeft;
using test::ProcessesWith;

namespace css = com::sun::star;

// The office on the pipe, as a program of its own sees it; a new connection can fail now and then
// on a live office, so it is tried a few times.
css::uno::Reference<css::uno::XComponentContext> Office(const std::string& pipe) {
  uno::StartRuntime();
  // Made once and never torn down, like the program's own.
  static const auto* local =
      new css::uno::Reference<css::uno::XComponentContext>(cppu::defaultBootstrap_InitialComponentContext());
  return test::Retried<css::uno::Exception>([&] {
    return css::uno::Reference<css::uno::XComponentContext>(
        css::bridge::UnoUrlResolver::create(*local)->resolve(
            rtl::OUString::createFromAscii(("uno:pipe,name=" + pipe + ";urp;StarOffice.ComponentContext").c_str())),
        css::uno::UNO_QUERY_THROW);
  });
}

// Every visible window of the office, a start window included.
std::vector<css::uno::Reference<css::frame::XFrame>> VisibleFrames(
    const css::uno::Reference<css::uno::XComponentContext>& office) {
  css::uno::Reference<css::frame::XFrames> frames = css::frame::Desktop::create(office)->getFrames();
  std::vector<css::uno::Reference<css::frame::XFrame>> visible;
  for (sal_Int32 i = 0; i < frames->getCount(); ++i) {
    css::uno::Reference<css::frame::XFrame> frame;
    frames->getByIndex(i) >>= frame;
    css::uno::Reference<css::awt::XWindow2> window(frame->getContainerWindow(), css::uno::UNO_QUERY);
    if (window.is() && window->isVisible()) visible.push_back(frame);
  }
  return visible;
}

// Closes every visible window of the office with the window's own close command, as the user
// closing them would. The command is sent without waiting for it, so that a question the office
// might ask shows up as a window that stays, not as a test that hangs.
void UserClosesEveryWindow(const std::string& pipe) {
  const css::uno::Reference<css::uno::XComponentContext> office = Office(pipe);
  css::util::URL close;
  close.Complete = ".uno:CloseWin";
  css::util::URLTransformer::create(office)->parseStrict(close);
  for (const auto& frame : VisibleFrames(office)) {
    try {
      const css::uno::Reference<css::frame::XDispatch> dispatch =
          css::uno::Reference<css::frame::XDispatchProvider>(frame, css::uno::UNO_QUERY_THROW)
              ->queryDispatch(close, "_self", 0);
      if (dispatch.is()) dispatch->dispatch(close, {});
    } catch (const css::uno::Exception&) {
      // the office may end as its last window closes
    }
  }
}

// A virtual display for the viewer, made DISPLAY while the object lives. The server picks a free
// display number itself, so that tests running side by side never share one. It never resets: a
// LibreOffice on a new profile opens the display, ends and starts itself again, and a server that
// resets as its only client leaves refuses the new start now and then.
class VirtualDisplay {
 public:
  VirtualDisplay() {
    const fs::path log = folder_.Path() / "xvfb.log";
    const process::Started started =
        process::StartProcess("Xvfb", {"-displayfd", "1", "-noreset", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"}, log);
    if (started.pid < 0) return;
    pid_ = started.pid;
    for (int i = 0; i < 500 && process::ProcessRunning(pid_); ++i) {
      std::ifstream in(log);
      std::string line;
      while (std::getline(in, line)) {
        if (!line.empty() && line.find_first_not_of("0123456789") == std::string::npos) {
          setenv("DISPLAY", (":" + line).c_str(), 1);
          up_ = true;
          return;
        }
      }
      std::this_thread::sleep_for(milliseconds{20});
    }
  }
  ~VirtualDisplay() {
    if (pid_ > 0) process::EndProcess(pid_, milliseconds{1000});
    unsetenv("DISPLAY");
  }
  bool Up() const { return up_; }

 private:
  TempFolder folder_{"tuvo-display"};
  pid_t pid_ = -1;
  bool up_ = false;
};

// Ends whatever is left of an office, found by what its command line holds (its pipe, its
// profile): its pid alone may name another program's process by now.
void EndWhatIsLeftOf(const std::string& mark) {
  for (const test::RunningProcess& left : ProcessesWith(mark)) {
    kill(left.pid, SIGCONT);
    kill(left.pid, SIGKILL);
  }
}

// What is left of an office goes with the object, at the end of a test.
struct LeftOver {
  std::string mark;
  ~LeftOver() { EndWhatIsLeftOf(mark); }
};

class OfficeViewerTest : public ::testing::Test {
 protected:
  OfficeViewerTest() { timeouts.watchCount = seconds{1}; }  // a watchdog's count is given up on soon

  void SetUp() override {
    StartServiceAndSave();
    if (IsSkipped() || HasFatalFailure()) return;
    viewerShown = service->Show(folder.Path() / "other.xls");
    ASSERT_TRUE(viewerShown) << "the viewer did not start";
    pipe = viewerShown->viewer->PipeName();
    viewer = viewerShown->viewer->Process();
  }
  void TearDown() override {
    if (viewer > 0 && !pipe.empty()) EndWhatIsLeftOf("name=" + pipe);
    EXPECT_LT(steady_clock::now() - started, seconds{300});
  }

  // Starts the service on `timeouts` with its viewer ready, and saves two workbooks to show.
  void StartServiceAndSave() {
    if (!display.Up()) GTEST_SKIP() << "no virtual display (Xvfb) here";
    service = std::make_shared<OfficeService>("soffice", timeouts);
    service->StartInBackground(true);
    ASSERT_TRUE(service->WaitForViewer(test::OfficeReadyBound)) << "the viewer is still starting";
    for (const char* name : {"ผลการคำนวณ.xls", "other.xls"}) {
      OfficeApplication app;
      app.Office().service = service;
      Workbook& wb = app.Workbooks().Add();
      wb.Worksheets(1).Cells(1, 1).SetValue(name);
      wb.SaveAs((folder.Path() / name).string());
      app.Quit();
    }
  }

  // The viewer's workbook windows, asked over a connection of the test's own.
  int VisibleWindows() {
    return test::Retried<uno::UnoError>([&] {
      try {
        if (!probe) probe = uno::Connection::Connect(pipe);
        return probe->VisibleWindowCount();
      } catch (const uno::UnoError&) {
        probe.reset();  // the next try connects anew
        throw;
      }
    });
  }

  // A run's application that shows `file` for its workbook in the service's viewer.
  std::unique_ptr<Application> ShowInApplication(const std::string& file) {
    auto app = std::make_unique<OfficeApplication>();
    app->Office().service = service;
    Workbook& wb = app->Workbooks().Add();
    EXPECT_TRUE(app->Windows().OpenInService(wb, *service, folder.Path() / file));
    EXPECT_TRUE(app->IsShowing(wb));
    return app;
  }

  // Whether the viewer shows any window at all, a start window included.
  bool AnyVisibleWindow() {
    return test::Retried<css::uno::Exception>([&] { return !VisibleFrames(Office(pipe)).empty(); });
  }

  steady_clock::time_point started = steady_clock::now();
  VirtualDisplay display;
  TempFolder folder{"tuvo-viewer-test"};
  OfficeTimeouts timeouts = test::PatientTimeouts();
  std::shared_ptr<OfficeService> service;
  std::optional<ShownWindow> viewerShown;  // another document of the viewer, not the run's
  std::string pipe;
  pid_t viewer = -1;
  std::unique_ptr<uno::Connection> probe;
};

TEST_F(OfficeViewerTest, QuitAndCloseCloseExactlyTheWorkbooksWindowAndNoOtherDocument) {
  std::unique_ptr<Application> app = ShowInApplication("ผลการคำนวณ.xls");
  EXPECT_EQ(VisibleWindows(), 2);
  app->ActiveWorkbook().Close(false);
  EXPECT_EQ(VisibleWindows(), 1);
  EXPECT_TRUE(viewerShown->viewer->IsOpen(viewerShown->document));

  app = ShowInApplication("ผลการคำนวณ.xls");
  EXPECT_EQ(VisibleWindows(), 2);
  app->Quit();
  EXPECT_EQ(VisibleWindows(), 1);
  EXPECT_TRUE(viewerShown->viewer->IsOpen(viewerShown->document));

  // The user closes both windows; the start window LibreOffice puts up instead goes at once.
  app = ShowInApplication("ผลการคำนวณ.xls");
  UserClosesEveryWindow(pipe);
  for (int i = 0; i < 100 && AnyVisibleWindow(); ++i) std::this_thread::sleep_for(milliseconds{100});
  EXPECT_EQ(VisibleWindows(), 0) << "closing a workbook window brought up a question";
  EXPECT_FALSE(AnyVisibleWindow()) << "a start window stayed in place of the workbook";
  EXPECT_FALSE(app->IsShowing(app->ActiveWorkbook()));
  app->Quit();
  EXPECT_TRUE(process::ProcessRunning(viewer)) << "the viewer stays warm for the next run";
}

TEST_F(OfficeViewerTest, EndingTheProgramLeavesTheWorkbookOpenUntilTheUserClosesIt) {
  std::unique_ptr<Application> app = ShowInApplication("ผลการคำนวณ.xls");
  viewerShown.reset();
  const auto before = steady_clock::now();
  app.reset();  // the program ends without Quit
  service.reset();
  EXPECT_LT(steady_clock::now() - before, seconds{1}) << "the end waits on no office";
  EXPECT_EQ(VisibleWindows(), 2);
  EXPECT_FALSE(ProcessesWith("name=" + pipe).empty());

  // Once the user closed its windows, with no start window put up in their place, nothing of the
  // viewer runs on.
  UserClosesEveryWindow(pipe);
  EXPECT_TRUE(NoneLeft("name=" + pipe));
  viewer = -1;
}

TEST_F(OfficeViewerTest, EndingTheProgramWithNoWorkbookShownEndsTheViewer) {
  viewerShown->viewer->Close(viewerShown->document);
  viewerShown.reset();
  const auto before = steady_clock::now();
  service.reset();
  EXPECT_LT(steady_clock::now() - before, seconds{3});
  EXPECT_TRUE(NoneLeft("name=" + pipe));
  viewer = -1;
}

// What follows `option` in an argument of the office's command line; empty without it.
std::string OptionOf(pid_t group, const std::string& option) {
  for (const test::RunningProcess& process : test::RunningProcesses()) {
    if (process.group != group) continue;
    for (const std::string& argument : process.arguments) {
      if (argument.starts_with(option)) return argument.substr(option.size());
    }
  }
  return {};
}

// The folder an office runs on, from its command line.
fs::path ProfileFolderOf(pid_t group) {
  return fs::path(OptionOf(group, "-env:UserInstallation=file://")).parent_path();
}

// The first cell of a spreadsheet document's first sheet.
css::uno::Reference<css::table::XCell> FirstCell(const css::uno::Reference<css::lang::XComponent>& document) {
  const auto sheets = css::uno::Reference<css::sheet::XSpreadsheetDocument>(document, css::uno::UNO_QUERY_THROW)->getSheets();
  const css::uno::Reference<css::sheet::XSpreadsheet> sheet(sheets->getByName(sheets->getElementNames()[0]),
                                                            css::uno::UNO_QUERY_THROW);
  return sheet->getCellByPosition(0, 0);
}

// A document the user opened in the viewer (File > New) is the user's: New computation, the
// program's end and a viewer that stops answering its watchdog for a while leave it as it is.
// Once the user closes it, the viewer ends and takes its folder and sockets along.
TEST_F(OfficeViewerTest, ADocumentTheUserOpenedInTheViewerOutlivesTheProgramAndAStoppedViewer) {
  std::unique_ptr<Application> app = ShowInApplication("ผลการคำนวณ.xls");
  const auto office = Office(pipe);
  const auto typed = rtl::OUString::createFromAscii("the user's own work");
  css::uno::Reference<css::lang::XComponent> own =
      css::frame::Desktop::create(office)->loadComponentFromURL("private:factory/scalc", "_blank", 0, {});
  FirstCell(own)->setFormula(typed);
  const std::vector<fs::path> sockets = SocketsOfGroup(viewer);
  const fs::path profile = ProfileFolderOf(viewer);
  EXPECT_EQ(sockets.size(), 2u) << "the UNO pipe's and the profile's";
  ASSERT_FALSE(profile.empty());

  // New computation closes the result; then the program ends.
  app->Quit();
  viewerShown->viewer->Close(viewerShown->document);
  viewerShown.reset();
  app.reset();
  service.reset();
  std::this_thread::sleep_for(seconds{3});  // the watchdog counts
  ASSERT_TRUE(process::GroupRunning(viewer)) << "the viewer was ended with the user's document in it";

  // Stopped past the watchdog's count deadline, and going on again.
  kill(-viewer, SIGSTOP);
  std::this_thread::sleep_for(timeouts.watchCount * 4);
  kill(-viewer, SIGCONT);
  std::this_thread::sleep_for(seconds{3});
  ASSERT_TRUE(process::GroupRunning(viewer)) << "a stopped viewer was ended with the user's document in it";
  EXPECT_EQ(FirstCell(own)->getFormula(), typed);

  css::uno::Reference<css::util::XCloseable>(own, css::uno::UNO_QUERY_THROW)->close(true);
  EXPECT_TRUE(process::WaitGroup(viewer, test::OfficeReadyBound)) << "the viewer ran on after the user's last window";
  EXPECT_TRUE(AllGone(sockets)) << "a socket of the viewer was left";
  EXPECT_TRUE(AllGone({profile})) << "the viewer's folder was left";
  viewer = -1;
}

// A window that is still loading its document shows no document yet, but may be about to: it
// counts as held, so that the viewer is not ended under it.
TEST_F(OfficeViewerTest, AWindowStillLoadingCountsAsADocumentWindow) {
  EXPECT_EQ(VisibleWindows(), 1);
  const auto office = Office(pipe);
  // A visible frame that has no document in it yet, as the office makes one for a load.
  css::awt::WindowDescriptor descriptor;
  descriptor.Type = css::awt::WindowClass_TOP;
  descriptor.WindowServiceName = "window";
  descriptor.Bounds = css::awt::Rectangle(0, 0, 400, 300);
  descriptor.WindowAttributes = css::awt::WindowAttribute::BORDER | css::awt::WindowAttribute::CLOSEABLE;
  const css::uno::Reference<css::awt::XWindow> window(css::awt::Toolkit::create(office)->createWindow(descriptor),
                                                     css::uno::UNO_QUERY_THROW);
  const css::uno::Reference<css::frame::XFrame2> loading = css::frame::Frame::create(office);
  loading->initialize(window);
  const auto desktop = css::frame::Desktop::create(office);
  loading->setCreator(css::uno::Reference<css::frame::XFramesSupplier>(desktop, css::uno::UNO_QUERY_THROW));
  desktop->getFrames()->append(css::uno::Reference<css::frame::XFrame>(loading, css::uno::UNO_QUERY_THROW));
  window->setVisible(true);
  EXPECT_EQ(VisibleWindows(), 2);
  loading->dispose();
  EXPECT_EQ(VisibleWindows(), 1);
}

// A viewer that died or stopped while it showed the run's workbook, on the program's own window
// deadline: Quit finishes within that deadline of the moment the viewer broke, and the next show
// starts a new viewer. On that deadline a loaded machine may keep a working viewer from showing or
// looking in time too: such a show is asked again, of the viewer the service starts in place of
// the one that missed it, and such a look is asked again.
class BrokenViewerTest : public OfficeViewerTest, public ::testing::WithParamInterface<int> {
 protected:
  BrokenViewerTest() { timeouts.window = OfficeTimeouts{}.window; }

  void SetUp() override { StartServiceAndSave(); }
  void TearDown() override {
    for (const std::string& asked : viewersAsked) EndWhatIsLeftOf("name=" + asked);
    OfficeViewerTest::TearDown();
  }

  // Asks `show` (true once it showed) of the service's viewer until one shows in time, each viewer
  // once it is ready; false when none did within the bound of a start. Every viewer asked is ended
  // with the test: one that missed the deadline shows the workbook later, and stays for the user.
  bool ShownInTime(const std::function<bool()>& show) {
    for (const auto until = steady_clock::now() + test::OfficeReadyBound; steady_clock::now() < until;) {
      if (!service->WaitForViewer(duration_cast<milliseconds>(until - steady_clock::now()))) break;
      const std::string accept = OptionOf(service->ViewerProcess(), "--accept=pipe,name=");
      const std::string asked = accept.substr(0, accept.find(';'));
      if (!asked.empty() && std::find(viewersAsked.begin(), viewersAsked.end(), asked) == viewersAsked.end()) {
        viewersAsked.push_back(asked);
      }
      try {
        if (show()) return true;
      } catch (const OfficeError&) {
        // it missed the deadline: the next show starts another
      }
      std::this_thread::sleep_for(milliseconds{100});
    }
    return false;
  }

  // Whether `look` answers true within the bound of a loaded machine, asked again while it does not.
  static bool LooksTrue(const std::function<bool()>& look) {
    for (const auto until = steady_clock::now() + test::WindowBound; steady_clock::now() < until;) {
      if (look()) return true;
      std::this_thread::sleep_for(milliseconds{100});
    }
    return look();
  }

  std::vector<std::string> viewersAsked;  // the pipes of the viewers asked to show
};

TEST_P(BrokenViewerTest, TheResetFinishesAndTheNextShowStartsANewViewer) {
  const fs::path file = folder.Path() / "ผลการคำนวณ.xls";
  auto app = std::make_unique<OfficeApplication>();
  app->Office().service = service;
  Workbook& wb = app->Workbooks().Add();
  ASSERT_TRUE(ShownInTime([&] { return app->Windows().OpenInService(wb, *service, file); }));
  EXPECT_TRUE(LooksTrue([&] { return app->IsShowing(wb); }));
  viewer = *app->Windows().ProcessOf(wb);
  const auto broke = steady_clock::now();
  kill(-viewer, GetParam());
  EXPECT_NO_THROW(app->Quit());
  EXPECT_LT(steady_clock::now() - broke, test::WindowDeadline + test::DeadlineSlack)
      << "Quit waited on the broken viewer past the program's window deadline";
  EXPECT_TRUE(app->HasQuit());
  // The next show gets a viewer that works; the broken one is left to its process group.
  std::optional<ShownWindow> next;
  ASSERT_TRUE(ShownInTime([&] {
    next = service->Show(file);
    return next.has_value();
  }));
  EXPECT_NE(next->viewer->Process(), viewer);
  EXPECT_TRUE(LooksTrue([&] { return next->viewer->IsOpen(next->document); }));
  kill(-next->viewer->Process(), SIGKILL);
}

INSTANTIATE_TEST_SUITE_P(DeadOrStopped, BrokenViewerTest, ::testing::Values(SIGKILL, SIGSTOP),
                         [](const auto& info) { return info.param == SIGKILL ? "Dead" : "Stopped"; });

// Where the service's viewer is not there, a LibreOffice of its own shows the workbook, and the
// user may open a document of their own in it (File > New). New computation closes exactly the
// workbook's document; neither it nor the program's end ends that LibreOffice, and the user's
// document keeps what was typed into it. Once the user closed every document in it, that
// LibreOffice ends and leaves neither its folder nor a socket.
enum class OwnWindowEnd { NewComputation, ProgramEnd };

class OfficeOwnWindow : public ::testing::TestWithParam<OwnWindowEnd> {};

TEST_P(OfficeOwnWindow, ADocumentTheUserOpenedInItOutlivesTheProgramAndItEndsAfterTheUsersLastDocument) {
  VirtualDisplay display;
  if (!display.Up()) GTEST_SKIP() << "no virtual display (Xvfb) here";
  const TempFolder folder{"tuvo-window-test"};
  const fs::path file = folder.Path() / "ผลการคำนวณ.xls";
  {
    OfficeApplication saving;
    saving.Office().service = nullptr;  // the one-shot conversion saves it
    saving.Workbooks().Add().Worksheets(1).Cells(1, 1).SetValue("ผลการคำนวณ");
    saving.ActiveWorkbook().SaveAs(file.string());
    saving.Quit();
  }
  auto app = std::make_unique<OfficeApplication>();
  app->Office().service = nullptr;
  Workbook& wb = app->Workbooks().Add();
  app->Windows().Open(wb, "soffice", file);  // as the program does without the service's viewer
  ASSERT_TRUE(app->IsShowing(wb));
  const pid_t office = *app->Windows().ProcessOf(wb);
  const fs::path profile = ProfileFolderOf(office);
  ASSERT_FALSE(profile.empty());
  // Only the office's own processes: its watchdog, which names the folder too, tidies after them.
  const LeftOver leftOver{ProfileOption(profile / "profile")};
  const std::string accept = OptionOf(office, "--accept=pipe,name=");
  const std::string pipe = accept.substr(0, accept.find(';'));
  ASSERT_FALSE(pipe.empty()) << "the window's LibreOffice accepts on no UNO pipe";

  // It starts up and shows the workbook.
  std::unique_ptr<uno::Connection> probe;
  for (const auto until = steady_clock::now() + test::OfficeReadyBound; steady_clock::now() < until;) {
    try {
      if (!probe) probe = uno::Connection::Connect(pipe);
      if (probe->IsOpenAt(file)) break;
    } catch (const uno::UnoError&) {
      probe.reset();
    }
    std::this_thread::sleep_for(milliseconds{250});
  }
  ASSERT_TRUE(probe && probe->IsOpenAt(file)) << "the window did not show the workbook";
  EXPECT_TRUE(app->IsShowing(wb));

  // The user opens a spreadsheet of their own and types into it.
  const auto typed = rtl::OUString::createFromAscii("the user's own work");
  const css::uno::Reference<css::lang::XComponent> own =
      css::frame::Desktop::create(Office(pipe))->loadComponentFromURL("private:factory/scalc", "_blank", 0, {});
  FirstCell(own)->setFormula(typed);
  EXPECT_EQ(probe->VisibleWindowCount(), 2);
  const std::vector<fs::path> sockets = SocketsOfGroup(office);
  ASSERT_EQ(sockets.size(), 2u) << "the UNO pipe's and the profile's";
  for (const fs::path& socket : sockets) EXPECT_TRUE(test::OwnerOnly(socket)) << socket;

  if (GetParam() == OwnWindowEnd::NewComputation) {
    app->Quit();
    ASSERT_TRUE(process::GroupRunning(office)) << "New computation ended the window's LibreOffice, with the user's document in it";
    EXPECT_FALSE(probe->IsOpenAt(file)) << "the workbook's document stayed open";
    EXPECT_EQ(probe->VisibleWindowCount(), 1);
  }
  app.reset();
  std::this_thread::sleep_for(seconds{5});  // the watchdog counts every few seconds
  ASSERT_TRUE(process::GroupRunning(office)) << "the window's LibreOffice was ended with the user's document in it";
  EXPECT_EQ(FirstCell(own)->getFormula(), typed);
  EXPECT_EQ(probe->IsOpenAt(file), GetParam() == OwnWindowEnd::ProgramEnd) << "the program's end closed the workbook";

  // The user closes what is open.
  css::uno::Reference<css::util::XCloseable>(own, css::uno::UNO_QUERY_THROW)->close(true);
  if (GetParam() == OwnWindowEnd::ProgramEnd) {
    std::this_thread::sleep_for(seconds{3});
    ASSERT_TRUE(process::GroupRunning(office)) << "the window's LibreOffice was ended while it showed the workbook";
    UserClosesEveryWindow(pipe);
  }
  probe.reset();
  EXPECT_TRUE(process::WaitGroup(office, test::OfficeReadyBound)) << "the window's LibreOffice ran on after the user's last window";
  EXPECT_TRUE(AllGone(sockets)) << "a socket of the window's LibreOffice was left";
  EXPECT_TRUE(AllGone({profile})) << "the window's folder was left";
}

INSTANTIATE_TEST_SUITE_P(Ends, OfficeOwnWindow,
                         ::testing::Values(OwnWindowEnd::NewComputation, OwnWindowEnd::ProgramEnd),
                         [](const auto& info) {
                           return info.param == OwnWindowEnd::NewComputation ? "NewComputation" : "ProgramEnd";
                         });

// The program itself, started under the user's umask and then killed: the sockets of both its
// instances grant nothing to anyone else while it runs, whatever the umask, and its watchdogs end
// both instances and remove their sockets.
class OfficeProgramEnd : public ::testing::TestWithParam<mode_t> {};

TEST_P(OfficeProgramEnd, AKilledProgramLeavesNoInstanceNorSocketAndItsSocketsAreOwnerOnly) {
  VirtualDisplay display;
  if (!display.Up()) GTEST_SKIP() << "no virtual display (Xvfb) here";
  test::TempHome home;
  setenv("QT_QPA_PLATFORM", "xcb", 1);
  const process::Started program = process::StartProcess(TUVO_PROGRAM, {}, "", -1, {}, GetParam());
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  ASSERT_GT(program.pid, 0);
  const std::string ours = test::OfficesOf(program.pid);
  // Both offices start, the converter's and the viewer's, each behind its launcher, and each
  // makes its two sockets.
  const auto sockets = [&] {
    std::vector<fs::path> all;
    int offices = 0;
    for (const test::RunningProcess& process : ProcessesWith(ours)) {
      if (process.name != "soffice.bin") continue;
      ++offices;
      for (fs::path& socket : SocketsOfGroup(process.group)) all.push_back(std::move(socket));
    }
    return offices == 2 ? all : std::vector<fs::path>{};
  };
  const auto ownerOnly = [](const std::vector<fs::path>& found) {
    return std::all_of(found.begin(), found.end(), test::OwnerOnly);
  };
  std::vector<fs::path> found;
  for (const auto until = steady_clock::now() + test::OfficeReadyBound;
       !(found.size() == 4 && ownerOnly(found)) && steady_clock::now() < until;) {
    std::this_thread::sleep_for(milliseconds{50});
    found = sockets();
  }
  EXPECT_EQ(found.size(), 4u) << "the converter's and the viewer's UNO pipes and profiles";
  for (const fs::path& socket : found) EXPECT_TRUE(test::OwnerOnly(socket)) << socket;
  kill(program.pid, SIGKILL);
  process::EndProcess(program.pid, milliseconds{0});
  EXPECT_TRUE(NoneLeft(ours));
  EXPECT_TRUE(AllGone(found)) << "a socket of the killed program's offices was left";
  for (const test::RunningProcess& left : ProcessesWith(ours)) kill(left.pid, SIGKILL);
}

INSTANTIATE_TEST_SUITE_P(Umasks, OfficeProgramEnd, ::testing::Values(022, 002, 000), [](const auto& info) {
  return "Umask" + std::to_string(info.param / 8 % 8) + std::to_string(info.param % 8);
});

}  // namespace
}  // namespace tuvo::office
