// The program's warm LibreOffice converter: saving through it, what a run's SaveAs and Save
// convert, and a converter that dies, hangs, is missing or refuses to serve. Each test starts
// instances of its own, and waits for a real one as long as a loaded machine may need; each has a
// bound on its wall time, so that no failure hangs the suite.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <memory>
#include <string>
#include <thread>

#include <unistd.h>

#include "platform/office/office_command.h"
#include "platform/office/office_service.h"
#include "platform/process/process.h"
#include "platform/sheet/sheet.h"
#include "platform/xls/office_application.h"
#include "support/office_wait.h"
#include "support/shell_script.h"
#include "support/stand_in_office.h"
#include "support/temp_folder.h"
#include "support/xls_reader.h"

namespace tuvo::office {

using sheet::SheetError;
using sheet::Workbook;
using sheet::Value;
using xls::OfficeApplication;
namespace {

namespace fs = std::filesystem;
using namespace std::chrono;
using test::OfficeReadyBound;
using test::PatientTimeouts;
using test::TempFolder;
using test::XlsReader;

// Waits for the group to end, as long as an office ended on a loaded machine may take.
bool GroupEnds(pid_t group) { return process::WaitGroup(group, seconds{30}); }

class OfficeServiceTest : public ::testing::Test {
 protected:
  void SetUp() override { started = steady_clock::now(); }
  void TearDown() override {
    if (service) {
      service.reset();
    }
    EXPECT_LT(steady_clock::now() - started, bound) << "the test took longer than its bound";
  }

  // The service on timeouts that cover a loaded machine, started; true once its converter is ready.
  bool StartReadyConverter() {
    service = std::make_shared<OfficeService>(program, PatientTimeouts());
    service->StartInBackground(false);
    return service->WaitForConverter(OfficeReadyBound);
  }

  // A workbook with a number and a text, saved as the run saves: SaveAs, then Save.
  void SaveAsAndSave(const fs::path& target, const std::string& number) {
    OfficeApplication app;
    app.Office().service = service;
    app.Office().program = program;
    Workbook& wb = app.Workbooks().Add();
    wb.Worksheets(1).Cells(1, 1).SetValue(number);
    wb.Worksheets(1).Cells(2, 1).SetValue("ผลการคำนวณ");
    wb.SaveAs(target.string());
    wb.Save();
    app.Quit();
  }

  void ExpectSaved(const fs::path& target, double number) {
    XlsReader saved(target);
    EXPECT_EQ(saved.Cell(1, 1, 1), Value{number});
    EXPECT_EQ(saved.Cell(1, 2, 1), Value{std::string("ผลการคำนวณ")});
  }

  // A script standing in for LibreOffice.
  fs::path Script(const std::string& name, const std::string& body) { return test::Script(folder.Path(), name, body); }

  TempFolder folder{"tuvo-office-test"};
  std::string program = "soffice";
  std::shared_ptr<OfficeService> service;
  steady_clock::time_point started;
  steady_clock::duration bound = seconds{300};
};

TEST_F(OfficeServiceTest, ASaveDuringTheStartWaitsForTheConverterAndARunConvertsOnce) {
  service = std::make_shared<OfficeService>(program, PatientTimeouts());
  service->StartInBackground(false);
  ASSERT_TRUE(service->ConverterStarting());
  const fs::path target = folder.Path() / "ผล 1.xls";
  SaveAsAndSave(target, "42.5");
  ExpectSaved(target, 42.5);
  EXPECT_EQ(service->Conversions(), 1) << "SaveAs then Save of the same workbook converts once";
  EXPECT_EQ(service->OneShots(), 0);
  EXPECT_GT(service->ConverterProcess(), 0);

  // A file that changed on disk since it was placed, or another target, is converted anew.
  OfficeApplication app;
  app.Office().service = service;
  Workbook& wb = app.Workbooks().Add();
  wb.Worksheets(1).Cells(1, 1).SetValue("7");
  wb.SaveAs(target.string());
  std::ofstream(target, std::ios::app) << "changed by someone";
  wb.Save();
  EXPECT_EQ(service->Conversions(), 3);
  XlsReader saved(target);
  EXPECT_EQ(saved.Cell(1, 1, 1), Value{7.0});
  wb.SaveAs((folder.Path() / "อื่น.xls").string());
  EXPECT_EQ(service->Conversions(), 4);
  EXPECT_EQ(service->OneShots(), 0);
}

TEST_F(OfficeServiceTest, AConverterKilledBetweenTwoRunsIsReplacedInTheBackground) {
  ASSERT_TRUE(StartReadyConverter());
  SaveAsAndSave(folder.Path() / "first.xls", "1");
  ASSERT_EQ(service->Conversions(), 1);
  const pid_t first = service->ConverterProcess();
  ASSERT_GT(first, 0);
  kill(-first, SIGKILL);
  ASSERT_TRUE(GroupEnds(first));
  // The save that meets the dead converter goes to the one-shot at once; the next one goes
  // through the replacement, which started in the background.
  SaveAsAndSave(folder.Path() / "second.xls", "2");
  ExpectSaved(folder.Path() / "second.xls", 2);
  EXPECT_EQ(service->Conversions(), 1);
  EXPECT_EQ(service->OneShots(), 1);
  ASSERT_TRUE(service->WaitForConverter(OfficeReadyBound));
  SaveAsAndSave(folder.Path() / "third.xls", "3");
  ExpectSaved(folder.Path() / "third.xls", 3);
  EXPECT_EQ(service->Conversions(), 2);
  EXPECT_EQ(service->OneShots(), 1);
  EXPECT_GT(service->ConverterProcess(), 0);
  EXPECT_NE(service->ConverterProcess(), first);
}

TEST_F(OfficeServiceTest, AStoppedConverterIsEndedAtItsDeadlineAndReplaced) {
  const test::StandInOffice standIn(true);
  ASSERT_TRUE(StartReadyConverter());
  const pid_t first = service->ConverterProcess();
  ASSERT_GT(first, 0);
  kill(-first, SIGSTOP);
  // The stopped converter passes its deadline and is ended; the one-shot is asked at once, and a
  // new converter starts in the background.
  service->Timeouts().convert = seconds{2};
  const auto before = system_clock::now();
  SaveAsAndSave(folder.Path() / "saved.xls", "3");
  ExpectSaved(folder.Path() / "saved.xls", 3);
  EXPECT_EQ(service->OneShots(), 1);
  ASSERT_EQ(standIn.OneShots().size(), 1u);
  // The deadline, the second a request is given to notice the ended office, and time to spare.
  EXPECT_LT(standIn.OneShots()[0] - before, seconds{2} + seconds{1} + seconds{4})
      << "the save waited past the stopped converter's deadline";
  EXPECT_TRUE(GroupEnds(first)) << "the stopped converter was ended";
}

TEST_F(OfficeServiceTest, AConverterThatRefusesToServeLeavesTheSaveToTheOneShot) {
  program = Script("refusing-office",
                   "for a in \"$@\"; do case \"$a\" in --accept=*) exec sh -c 'sleep 600; :' soffice \"$@\";; esac; done\n"
                   "exec soffice \"$@\"")
                .string();
  OfficeTimeouts timeouts;
  timeouts.start = seconds{2};
  timeouts.convert = seconds{2};
  service = std::make_shared<OfficeService>(program, timeouts);
  service->StartInBackground(false);
  SaveAsAndSave(folder.Path() / "saved.xls", "4");
  ExpectSaved(folder.Path() / "saved.xls", 4);
  EXPECT_EQ(service->Conversions(), 0);
  EXPECT_EQ(service->OneShots(), 1);
  // A second run does not wait for a converter again: the one-shot serves at once.
  SaveAsAndSave(folder.Path() / "again.xls", "5");
  ExpectSaved(folder.Path() / "again.xls", 5);
  EXPECT_EQ(service->OneShots(), 2);
}

TEST_F(OfficeServiceTest, WithoutLibreOfficeTheSaveFailsClearlyAndKeepsNothing) {
  program = (folder.Path() / "no-such-office").string();
  service = std::make_shared<OfficeService>(program);
  service->StartInBackground(false);
  const fs::path target = folder.Path() / "saved.xls";
  try {
    SaveAsAndSave(target, "6");
    ADD_FAILURE() << "the save did not fail";
  } catch (const SheetError& error) {
    EXPECT_NE(std::string(error.what()).find("no-such-office"), std::string::npos) << error.what();
  }
  EXPECT_FALSE(fs::exists(target));
  EXPECT_EQ(service->Conversions(), 0);
  bound = seconds{10};
}

TEST_F(OfficeServiceTest, TwoServicesSaveAtOnceOnTheirOwnPipesAndProfiles) {
  auto other = std::make_shared<OfficeService>(program, PatientTimeouts());
  service = std::make_shared<OfficeService>(program, PatientTimeouts());
  service->StartInBackground(false);
  other->StartInBackground(false);
  ASSERT_TRUE(service->WaitForConverter(OfficeReadyBound));
  ASSERT_TRUE(other->WaitForConverter(OfficeReadyBound));
  ASSERT_GT(service->ConverterProcess(), 0);
  ASSERT_GT(other->ConverterProcess(), 0);
  EXPECT_NE(service->ConverterProcess(), other->ConverterProcess());

  std::thread second([&] {
    OfficeApplication app;
    app.Office().service = other;
    Workbook& wb = app.Workbooks().Add();
    wb.Worksheets(1).Cells(1, 1).SetValue("8");
    wb.Worksheets(1).Cells(2, 1).SetValue("ผลการคำนวณ");
    wb.SaveAs((folder.Path() / "other.xls").string());
  });
  SaveAsAndSave(folder.Path() / "mine.xls", "9");
  second.join();
  ExpectSaved(folder.Path() / "mine.xls", 9);
  ExpectSaved(folder.Path() / "other.xls", 8);
  EXPECT_EQ(service->Conversions(), 1);
  EXPECT_EQ(other->Conversions(), 1);
}

TEST_F(OfficeServiceTest, TheProgramsEndEndsTheConverterAndItsFolder) {
  ASSERT_TRUE(StartReadyConverter());
  const pid_t group = service->ConverterProcess();
  ASSERT_GT(group, 0);
  const auto before = steady_clock::now();
  service.reset();
  EXPECT_LT(steady_clock::now() - before, seconds{2}) << "the end waits on no office";
  EXPECT_TRUE(GroupEnds(group));
}

TEST_F(OfficeServiceTest, EndingTheProgramDuringTheStartWaitsForNothing) {
  service = std::make_shared<OfficeService>(program);
  service->StartInBackground(false);
  std::this_thread::sleep_for(milliseconds{300});
  const auto before = steady_clock::now();
  service.reset();
  EXPECT_LT(steady_clock::now() - before, seconds{3});
}

// Where the UNO runtime cannot start, no instance starts, nobody waits for one, and the one-shot
// converts at once. Run in a process of its own, as the runtime starts once per process.
TEST(OfficeServiceWithoutRuntime, StartsNoInstanceAndLeavesTheSaveToTheOneShot) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const auto withoutRuntime = [] {
    bool ok = false;
    {
      // A bootstrap file that adds a type library the runtime cannot read.
      const TempFolder broken{"tuvo-no-runtime"};
      std::ofstream(broken.Path() / "types.rdb") << "not a type library";
      std::ofstream(broken.Path() / "fundamentalrc")
          << "[Bootstrap]\nURE_MORE_TYPES=" << FileUrl(broken.Path() / "types.rdb") << "\n";
      setenv("URE_BOOTSTRAP", ("vnd.sun.star.pathname:" + (broken.Path() / "fundamentalrc").string()).c_str(), 1);
      OfficeService service;
      service.StartInBackground(true);
      const bool nothingStarted = !service.ConverterStarting() && service.ConverterProcess() < 0 &&
                                  service.ViewerProcess() < 0 && !service.Show("/nonexistent.xls");
      const bool noWait = service.WaitForConverterStart(milliseconds{0});
      bool oneShot = false;
      service.Convert("/nonexistent.xlsx", "/nonexistent.xls", [&] { oneShot = true; });
      std::fprintf(stderr, "started nothing: %d, no wait: %d, one-shot: %d\n", nothingStarted, noWait, oneShot);
      ok = nothingStarted && noWait && oneShot && service.OneShots() == 1;
    }
    std::exit(ok ? 0 : 1);
  };
  EXPECT_EXIT(withoutRuntime(), testing::ExitedWithCode(0), "started nothing: 1, no wait: 1, one-shot: 1");
}

}  // namespace
}  // namespace tuvo::office
