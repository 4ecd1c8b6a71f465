#include "platform/sheet/process.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fstream>
#include <string_view>
#include <thread>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace tuvo::sheet {

namespace {

constexpr std::chrono::milliseconds PollInterval{10};

// A new profile's settings: no tip dialog at the first start, no lock files (another program's
// lock would bring up a "document in use" question), no recovery of earlier documents.
constexpr const char* QuietProfileSettings =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<oor:items xmlns:oor=\"http://openoffice.org/2001/registry\" "
    "xmlns:xs=\"http://www.w3.org/2001/XMLSchema\" xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">\n"
    "<item oor:path=\"/org.openoffice.Office.Common/Misc\"><prop oor:name=\"ShowTipOfTheDay\" oor:op=\"fuse\">"
    "<value>false</value></prop></item>\n"
    "<item oor:path=\"/org.openoffice.Office.Common/Misc\"><prop oor:name=\"UseLocking\" oor:op=\"fuse\">"
    "<value>false</value></prop></item>\n"
    "<item oor:path=\"/org.openoffice.Office.Recovery/AutoSave\"><prop oor:name=\"Enabled\" oor:op=\"fuse\">"
    "<value>false</value></prop></item>\n"
    "<item oor:path=\"/org.openoffice.Office.Recovery/RecoveryInfo\"><prop oor:name=\"Enabled\" oor:op=\"fuse\">"
    "<value>false</value></prop></item>\n"
    "</oor:items>\n";

}  // namespace

std::string FileUrl(const std::filesystem::path& path) {
  static const char* hex = "0123456789ABCDEF";
  std::string url = "file://";
  for (unsigned char c : path.string()) {
    if (std::isalnum(c) || c == '/' || c == '-' || c == '_' || c == '.' || c == '~') {
      url += static_cast<char>(c);
    } else {
      url += '%';
      url += hex[c >> 4];
      url += hex[c & 0xF];
    }
  }
  return url;
}

void WriteQuietProfile(const std::filesystem::path& profile) {
  std::error_code error;
  std::filesystem::create_directories(profile / "user", error);
  std::ofstream(profile / "user" / "registrymodifications.xcu") << QuietProfileSettings;
}

Started StartProcess(const std::string& program, const std::vector<std::string>& arguments,
                     const std::filesystem::path& log, int input, const std::vector<std::string>& environment) {
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  const std::string logPath = log.empty() ? std::string("/dev/null") : log.string();
  if (input >= 0) {
    posix_spawn_file_actions_adddup2(&actions, input, STDIN_FILENO);
  } else {
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  }
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, logPath.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
  posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
  posix_spawnattr_setpgroup(&attributes, 0);
  sigset_t none;
  sigemptyset(&none);
  posix_spawnattr_setsigmask(&attributes, &none);
  sigset_t defaults;
  sigemptyset(&defaults);
  sigaddset(&defaults, SIGPIPE);
  sigaddset(&defaults, SIGTERM);
  sigaddset(&defaults, SIGINT);
  posix_spawnattr_setsigdefault(&attributes, &defaults);

  std::vector<char*> envp;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string_view current(*entry);
    const bool replaced = std::any_of(environment.begin(), environment.end(), [&](const std::string& set) {
      const std::size_t equals = set.find('=');
      return current.substr(0, equals + 1) == std::string_view(set).substr(0, equals + 1);
    });
    if (!replaced) envp.push_back(*entry);
  }
  for (const std::string& set : environment) envp.push_back(const_cast<char*>(set.c_str()));
  envp.push_back(nullptr);

  Started started;
  const int error = posix_spawnp(&started.pid, program.c_str(), &actions, &attributes, argv.data(), envp.data());
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  if (error != 0) {
    started.pid = -1;
    started.error = std::strerror(error);
  }
  return started;
}

std::optional<int> WaitProcess(pid_t pid, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (true) {
    // The ended process stays a zombie until reaped, so its group id cannot be taken by another.
    siginfo_t info{};
    if (waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) != 0) {
      if (errno == EINTR) continue;
      return -1;  // not our child any more
    }
    if (info.si_pid == pid) {
      return info.si_code == CLD_EXITED ? info.si_status : 128 + info.si_status;
    }
    if (std::chrono::steady_clock::now() >= deadline) return std::nullopt;
    std::this_thread::sleep_for(PollInterval);
  }
}

bool ProcessRunning(pid_t pid) { return pid > 0 && !WaitProcess(pid, std::chrono::milliseconds{0}).has_value(); }

void EndProcess(pid_t pid, std::chrono::milliseconds grace) {
  // No process was started: a signal to the group of -pid would reach every process or init.
  if (pid <= 0) return;
  // The group also holds what the program started (LibreOffice's own binary).
  if (!WaitProcess(pid, std::chrono::milliseconds{0})) {
    kill(-pid, SIGTERM);
    if (!WaitProcess(pid, grace)) kill(-pid, SIGKILL);
  }
  kill(-pid, SIGKILL);  // anything left behind in the group
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
}

}  // namespace tuvo::sheet
