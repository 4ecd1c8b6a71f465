// Two programs saving at the same time, each through a warm LibreOffice converter of its own: the
// scenario driver plays the same season twice at once, in homes of their own. Each program's
// office runs on its own pipe and profile, both saved files read back whole, and once the
// programs are done nothing of their offices is left, not even a socket.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <stdlib.h>

#include "platform/office/office_sockets.h"
#include "platform/process/process.h"
#include "support/office_wait.h"
#include "support/processes.h"
#include "support/temp_folder.h"
#include "support/xls_reader.h"

namespace tuvo {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono;

// The running offices whose pipe belongs to the program `pid`: their profile folders, and the
// sockets they hold.
struct Offices {
  std::set<std::string> profiles;
  std::vector<fs::path> sockets;
};
Offices RunningOfficesOf(pid_t pid) {
  const std::string pipe = "--accept=pipe," + test::OfficesOf(pid);
  Offices offices;
  for (const test::RunningProcess& process : test::RunningProcesses()) {
    if (process.name != "soffice.bin" || !process.Mentions(pipe)) continue;
    for (const std::string& argument : process.arguments) {
      if (argument.starts_with("-env:UserInstallation=")) offices.profiles.insert(argument);
    }
    for (fs::path& socket : office::SocketsOfGroup(process.group)) offices.sockets.push_back(std::move(socket));
  }
  return offices;
}

TEST(TwoPrograms, SaveAtOnceThroughOfficesOfTheirOwn) {
  test::TempFolder first{"tuvo-first-home"}, second{"tuvo-second-home"};
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  setenv("TUVO_DRIVE_OFFICE", "1", 1);
  const std::string scenario = (fs::path(TUVO_SCENARIO_FOLDER) / "rd_transplanted_one_group.txt").string();
  std::vector<process::Started> drives;
  for (const fs::path& home : {first.Path(), second.Path()}) {
    setenv("HOME", home.c_str(), 1);
    drives.push_back(process::StartProcess(TUVO_DRIVE_PROGRAM, {scenario}, home / "drive.log"));
    ASSERT_GT(drives.back().pid, 0);
  }

  // While both run, each has an office of its own, with its UNO pipe's and its profile's socket.
  // Each office's fullest look is kept: on a loaded machine one driver may be done, and its office
  // ending without its sockets, before the other's office has made its own.
  Offices firstOffices, secondOffices;
  const auto look = [](pid_t drive, Offices& seen) {
    Offices now = RunningOfficesOf(drive);
    if (!now.profiles.empty() && now.sockets.size() >= seen.sockets.size()) seen = std::move(now);
  };
  for (const auto until = steady_clock::now() + test::OfficeReadyBound;
       (firstOffices.sockets.size() < 2 || secondOffices.sockets.size() < 2) && steady_clock::now() < until;) {
    look(drives[0].pid, firstOffices);
    look(drives[1].pid, secondOffices);
    std::this_thread::sleep_for(milliseconds{50});
  }
  EXPECT_EQ(firstOffices.profiles.size(), 1u);
  EXPECT_EQ(secondOffices.profiles.size(), 1u);
  EXPECT_NE(firstOffices.profiles, secondOffices.profiles);
  EXPECT_EQ(firstOffices.sockets.size(), 2u);
  EXPECT_EQ(secondOffices.sockets.size(), 2u);

  for (const process::Started& drive : drives) {
    EXPECT_EQ(process::WaitProcess(drive.pid, minutes{5}), 0) << "a driver failed";
    process::EndProcess(drive.pid, milliseconds{0});
  }
  // Their watchdogs end the offices and take their sockets along.
  for (const Offices* offices : {&firstOffices, &secondOffices}) {
    EXPECT_TRUE(test::AllGone(offices->sockets)) << "a socket of the programs' offices was left";
  }
  for (const process::Started& drive : drives) EXPECT_TRUE(test::NoneLeft(test::OfficesOf(drive.pid)));
  std::vector<std::string> titles;
  for (const fs::path& home : {first.Path(), second.Path()}) {
    std::vector<fs::path> saved;
    for (const auto& entry : fs::directory_iterator(home / "TUVO_Output")) saved.push_back(entry.path());
    ASSERT_EQ(saved.size(), 1u) << home;
    const test::XlsReader xls(saved.front());
    EXPECT_EQ(xls.SheetNames().size(), 4u);
    titles.push_back(std::get<std::string>(xls.Cell("ตารางแสดงรายการคำนวณ", 1, 2)));
  }
  EXPECT_EQ(titles[0], titles[1]) << "the same season saved the same title";
}

}  // namespace
}  // namespace tuvo
