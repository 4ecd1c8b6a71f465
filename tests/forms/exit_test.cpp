// Exit: the program ends and the spreadsheet a run showed stays open.
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>


#include "forms/tuvo_app.h"
#include "platform/xls/office_application.h"
#include "window_fixture.h"

namespace tuvo {
namespace {

namespace fs = std::filesystem;

// Whether the process runs (a zombie does not count).
bool Running(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string text;
  std::getline(stat, text);
  const std::size_t paren = text.rfind(')');
  return paren != std::string::npos && paren + 2 < text.size() && text[paren + 2] != 'Z';
}

TEST(Exit, TheProgramEndsAndTheShownWorkbookStaysOpen) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const fs::path calc = fs::path(dir.path().toStdString()) / "calc";
  std::ofstream(calc) << "#!/bin/sh\nwhile :; do sleep 1; done\n";
  fs::permissions(calc, fs::perms::owner_all);

  auto app = std::make_unique<TuvoApp>();
  int ends = 0;
  app->End = [&] { ++ends; };
  app->Start();
  testing::ShowNow(*app->Main());
  // What a finished run leaves: the application held, its saved workbook shown.
  auto held = std::make_shared<xls::OfficeApplication>();
  xls::OfficeApplication& excel = *held;
  app->Fields().ExcelApp = std::move(held);  // the program's only hold on it, as after a run
  sheet::Workbook& workbook = excel.Workbooks().Add();
  excel.Windows().Open(workbook, calc.string(), fs::path(dir.path().toStdString()) / "result.xls");
  ASSERT_TRUE(excel.IsShowing(workbook));
  const pid_t pid = *excel.Windows().ProcessOf(workbook);

  app->Main()->cmdEND.Press();
  EXPECT_EQ(ends, 1);
  app.reset();  // what follows the end of the event loop
  std::this_thread::sleep_for(std::chrono::milliseconds(200));  // a signal would have arrived
  EXPECT_TRUE(Running(pid)) << "the spreadsheet window was ended with the program";

  // The window's private profile folder, named on its command line, stays while it runs and goes
  // once it ends, by its watchdog.
  std::ifstream cmdline("/proc/" + std::to_string(pid) + "/cmdline");
  const std::string prefix = "-env:UserInstallation=file://";
  fs::path profile;
  for (std::string argument; std::getline(cmdline, argument, '\0');) {
    if (argument.starts_with(prefix)) profile = fs::path(argument.substr(prefix.size())).parent_path();
  }
  ASSERT_FALSE(profile.empty());
  EXPECT_TRUE(fs::is_directory(profile)) << "the running window's profile was removed";
  kill(-pid, SIGKILL);
  for (int i = 0; i < 200 && fs::exists(profile); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_FALSE(fs::exists(profile)) << "the ended window's profile was left behind";
  std::error_code ignored;
  fs::remove_all(profile, ignored);
}

}  // namespace
}  // namespace tuvo
