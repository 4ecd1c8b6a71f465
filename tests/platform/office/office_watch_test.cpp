// The offices' watchdog on stand-in offices that never answer over UNO: which it ends once the
// program lets go, that it makes the sockets of a viewer and a window ours alone, and that once
// the office is gone its sockets and folder go, while a process the office started for the user
// (in its process group, without its profile) and that process's socket stay as they were.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/office/office_command.h"
#include "platform/office/office_sockets.h"
#include "platform/office/office_watchdog.h"
#include "platform/process/process.h"
#include "support/owner_only.h"
#include "support/processes.h"
#include "support/temp_folder.h"

namespace tuvo::office {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono;

// A listening socket at `path` that anyone may use, or -1; made in a child between fork and exec,
// so system calls only. Nothing ever accepts on it: a UNO request through it never gets an answer.
int Listening(const fs::path& path) {
  const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (fd < 0 || path.native().size() >= sizeof address.sun_path) return -1;
  for (std::size_t i = 0; i < path.native().size(); ++i) address.sun_path[i] = path.native()[i];
  if (bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 || listen(fd, 1) != 0) return -1;
  if (chmod(path.c_str(), 0777) != 0) return -1;
  return fd;
}

// A stand-in office: a process group whose leader runs on the profile in `folder` and holds a
// socket named like an office's and, when it has a pipe, that pipe's socket; beside it in the
// group, a process of the user's (as a browser the office opened for a link) with a socket of its
// own.
class StandInOffice {
 public:
  StandInOffice(const fs::path& folder, const std::string& pipe) {
    const std::string tag = std::to_string(getpid()) + "_" + folder.filename().string();
    officeSocket = "/tmp/OSL_PIPE_" + std::to_string(getuid()) + "_SingleOfficeIPC_tuvotest" + tag;
    usersSocket = officeSocket.string() + "_users";
    if (!pipe.empty()) pipeSocket = PipeSocket(pipe);
    const std::string profile = ProfileOption(folder / "profile");
    const char* arguments[] = {"sh", "-c", "while :; do sleep 1; done", profile.c_str(), nullptr};
    office = fork();
    if (office == 0) {
      setpgid(0, 0);
      if (Listening(officeSocket) < 0 || (!pipeSocket.empty() && Listening(pipeSocket) < 0)) _exit(1);
      execv("/bin/sh", const_cast<char* const*>(arguments));
      _exit(1);
    }
    setpgid(office, office);
    users = fork();
    if (users == 0) {
      setpgid(0, office);
      if (Listening(usersSocket) < 0) _exit(1);
      while (true) pause();
    }
    setpgid(users, office);
    mark = profile;
    // Its sockets made, and the office runs on its profile (its child has gone through exec).
    for (int i = 0; i < 500 && !(fs::exists(officeSocket) && fs::exists(usersSocket) &&
                                 (pipeSocket.empty() || fs::exists(pipeSocket)) && OfficeRuns());
         ++i) {
      std::this_thread::sleep_for(milliseconds{10});
    }
  }
  ~StandInOffice() {
    kill(-office, SIGKILL);
    for (pid_t pid : {office, users}) waitpid(pid, nullptr, 0);
    std::error_code ignored;
    for (const fs::path& socket : {officeSocket, usersSocket, pipeSocket}) fs::remove(socket, ignored);
  }

  bool OfficeRuns() const { return process::GroupRunning(office, mark); }
  bool UsersProcessRuns() const { return kill(users, 0) == 0 && !process::WaitProcess(users, milliseconds{0}); }

  pid_t office = -1;
  pid_t users = -1;
  std::string mark;
  fs::path officeSocket, usersSocket, pipeSocket;
};

struct Watched {
  const char* name;
  OfficeWatchdog::Role role;
  bool withPipe;  // the office accepts on a UNO pipe
  bool shown;     // the program showed a window in it
  bool closed;    // the program closed its workbook in the window
  bool endsIt;    // the watchdog ends the office once the program lets go
};

class OfficeWatch : public ::testing::TestWithParam<Watched> {};

TEST_P(OfficeWatch, EndsOnlyWhatItsRoleSaysAndTidiesOnlyTheOfficesOwn) {
  const test::TempFolder parent{"tuvo-watch-test"};
  const fs::path folder = parent.Path() / "office";
  fs::create_directories(folder / "profile");
  // The stand-in accepts on its pipe and never answers: a request to terminate and a count wait
  // in vain.
  const std::string pipe = GetParam().withPipe ? "tuvotest" + std::to_string(getpid()) + parent.Path().filename().string() : "";
  StandInOffice standIn(folder, pipe);
  ASSERT_TRUE(standIn.OfficeRuns());
  ASSERT_TRUE(fs::exists(standIn.officeSocket) && fs::exists(standIn.usersSocket));

  OfficeWatchdog watchdog;
  ASSERT_TRUE(watchdog.Start(GetParam().role, standIn.office, pipe, folder, milliseconds{1000}));
  // A viewer's and a window's sockets take the user's umask: the watchdog makes them ours alone.
  std::vector<fs::path> officeOwn{standIn.officeSocket};
  if (GetParam().withPipe) officeOwn.push_back(standIn.pipeSocket);
  if (GetParam().role != OfficeWatchdog::Role::Converter) {
    for (const fs::path& socket : officeOwn) {
      for (int i = 0; i < 500 && !test::OwnerOnly(socket); ++i) std::this_thread::sleep_for(milliseconds{10});
      EXPECT_TRUE(test::OwnerOnly(socket)) << socket;
    }
  }
  std::this_thread::sleep_for(milliseconds{500});  // it notes the office's socket
  if (GetParam().shown) watchdog.NoteShown();
  if (GetParam().closed) watchdog.NoteClosed();
  watchdog.LetGo();

  if (GetParam().endsIt) {
    EXPECT_TRUE(process::WaitGroup(standIn.office, seconds{15}, standIn.mark)) << "the office was not ended";
  } else {
    std::this_thread::sleep_for(seconds{4});
    EXPECT_TRUE(standIn.OfficeRuns()) << "the office was ended, with what the user may have open in it";
    kill(standIn.office, SIGKILL);  // the user ends it
  }
  officeOwn.push_back(folder);
  EXPECT_TRUE(test::AllGone(officeOwn, milliseconds{10000})) << "the office's socket or folder was left";
  EXPECT_TRUE(standIn.UsersProcessRuns()) << "a process the office started for the user was ended";
  EXPECT_TRUE(fs::exists(standIn.usersSocket)) << "the user's process's socket was removed";
  EXPECT_FALSE(test::OwnerOnly(standIn.usersSocket)) << "the user's process's socket was restricted";
}

INSTANTIATE_TEST_SUITE_P(
    Roles, OfficeWatch,
    ::testing::Values(Watched{"Converter", OfficeWatchdog::Role::Converter, true, false, false, true},
                      Watched{"ViewerNeverShown", OfficeWatchdog::Role::Viewer, true, false, false, true},
                      Watched{"ViewerShown", OfficeWatchdog::Role::Viewer, true, true, false, false},
                      Watched{"WindowWithoutPipe", OfficeWatchdog::Role::Window, false, false, false, false},
                      Watched{"Window", OfficeWatchdog::Role::Window, true, false, false, false},
                      Watched{"WindowWhoseWorkbookWasClosed", OfficeWatchdog::Role::Window, true, false, true, false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tuvo::office
