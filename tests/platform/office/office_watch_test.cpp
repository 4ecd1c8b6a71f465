// The offices' watchdog on stand-in offices: which it ends once the program lets go, and that
// once the office is gone its sockets and folder go, while a process the office started for the
// user (in its process group, without its profile) and that process's socket stay.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <string>
#include <thread>

#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/office/office_watchdog.h"
#include "platform/process/process.h"
#include "support/processes.h"
#include "support/temp_folder.h"

namespace tuvo::sheet {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono;

// A listening socket at `path`, or -1; made in a child between fork and exec, so system calls only.
int Listening(const fs::path& path) {
  const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (fd < 0 || path.native().size() >= sizeof address.sun_path) return -1;
  for (std::size_t i = 0; i < path.native().size(); ++i) address.sun_path[i] = path.native()[i];
  if (bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 || listen(fd, 1) != 0) return -1;
  return fd;
}

// A stand-in office: a process group whose leader runs on the profile in `folder` and holds a
// socket named like an office's; beside it in the group, a process of the user's (as a browser the
// office opened for a link) with a socket of its own.
class StandInOffice {
 public:
  explicit StandInOffice(const fs::path& folder) {
    const std::string tag = std::to_string(getpid()) + "_" + folder.filename().string();
    officeSocket = "/tmp/OSL_PIPE_" + std::to_string(getuid()) + "_SingleOfficeIPC_tuvotest" + tag;
    usersSocket = officeSocket.string() + "_users";
    const std::string profile = ProfileOption(folder / "profile");
    const char* arguments[] = {"sh", "-c", "while :; do sleep 1; done", profile.c_str(), nullptr};
    office = fork();
    if (office == 0) {
      setpgid(0, 0);
      if (Listening(officeSocket) < 0) _exit(1);
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
    // Both sockets made, and the office runs on its profile (its child has gone through exec).
    for (int i = 0; i < 500 && !(fs::exists(officeSocket) && fs::exists(usersSocket) && OfficeRuns()); ++i) {
      std::this_thread::sleep_for(milliseconds{10});
    }
  }
  ~StandInOffice() {
    kill(-office, SIGKILL);
    for (pid_t pid : {office, users}) waitpid(pid, nullptr, 0);
    std::error_code ignored;
    fs::remove(officeSocket, ignored);
    fs::remove(usersSocket, ignored);
  }

  bool OfficeRuns() const { return GroupRunning(office, mark); }
  bool UsersProcessRuns() const { return kill(users, 0) == 0 && !WaitProcess(users, milliseconds{0}); }

  pid_t office = -1;
  pid_t users = -1;
  std::string mark;
  fs::path officeSocket, usersSocket;
};

struct Watched {
  const char* name;
  OfficeWatchdog::Role role;
  bool shown;     // the program showed a window in it
  bool endsIt;    // the watchdog ends the office once the program lets go
};

class OfficeWatch : public ::testing::TestWithParam<Watched> {};

TEST_P(OfficeWatch, EndsOnlyWhatItsRoleSaysAndTidiesOnlyTheOfficesOwn) {
  const test::TempFolder parent{"tuvo-watch-test"};
  const fs::path folder = parent.Path() / "office";
  fs::create_directories(folder / "profile");
  StandInOffice standIn(folder);
  ASSERT_TRUE(standIn.OfficeRuns());
  ASSERT_TRUE(fs::exists(standIn.officeSocket) && fs::exists(standIn.usersSocket));

  OfficeWatchdog watchdog;
  // No office answers on this pipe: a request to terminate fails, a count goes unanswered.
  const std::string pipe = GetParam().role == OfficeWatchdog::Role::Window ? "" : "tuvotest-nobody";
  ASSERT_TRUE(watchdog.Start(GetParam().role, standIn.office, pipe, folder, milliseconds{1000}));
  std::this_thread::sleep_for(milliseconds{500});  // it notes the office's socket
  if (GetParam().shown) watchdog.NoteShown();
  watchdog.LetGo();

  if (GetParam().endsIt) {
    EXPECT_TRUE(WaitGroup(standIn.office, seconds{15}, standIn.mark)) << "the office was not ended";
  } else {
    std::this_thread::sleep_for(seconds{4});
    EXPECT_TRUE(standIn.OfficeRuns()) << "the office was ended, with what the user may have open in it";
    kill(standIn.office, SIGKILL);  // the user ends it
  }
  EXPECT_TRUE(test::AllGone({standIn.officeSocket, folder}, milliseconds{10000}))
      << "the office's socket or folder was left";
  EXPECT_TRUE(standIn.UsersProcessRuns()) << "a process the office started for the user was ended";
  EXPECT_TRUE(fs::exists(standIn.usersSocket)) << "the user's process's socket was removed";
}

INSTANTIATE_TEST_SUITE_P(
    Roles, OfficeWatch,
    ::testing::Values(Watched{"Converter", OfficeWatchdog::Role::Converter, false, true},
                      Watched{"ViewerNeverShown", OfficeWatchdog::Role::Viewer, false, true},
                      Watched{"ViewerShown", OfficeWatchdog::Role::Viewer, true, false},
                      Watched{"Window", OfficeWatchdog::Role::Window, false, false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tuvo::sheet
