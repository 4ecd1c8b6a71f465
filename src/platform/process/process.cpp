#include "platform/process/process.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string_view>
#include <thread>

#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace tuvo::process {

namespace {

constexpr std::chrono::milliseconds PollInterval{10};
// Looking at a whole group reads every process's status: less often.
constexpr std::chrono::milliseconds GroupPollInterval{50};

// What a file of /proc holds, as far as it could be read (a process may end while it is read).
std::string ProcFile(const std::filesystem::path& path) {
  std::string text;
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return text;
  char buffer[4096];
  ssize_t got;
  while ((got = read(fd, buffer, sizeof buffer)) > 0 || (got < 0 && errno == EINTR)) {
    if (got > 0) text.append(buffer, static_cast<std::size_t>(got));
  }
  close(fd);
  return text;
}

}  // namespace

std::optional<std::filesystem::path> FindProgram(const std::string& program) {
  const auto executable = [](const std::filesystem::path& file) {
    std::error_code error;
    return std::filesystem::is_regular_file(file, error) && access(file.c_str(), X_OK) == 0;
  };
  if (program.empty()) return std::nullopt;
  if (program.find('/') != std::string::npos) {
    if (executable(program)) return std::filesystem::path(program);
    return std::nullopt;
  }
  const char* path = std::getenv("PATH");
  std::string_view folders = path != nullptr ? path : "/bin:/usr/bin";
  while (true) {
    const std::size_t colon = folders.find(':');
    const std::string_view folder = folders.substr(0, colon);
    const std::filesystem::path candidate =
        std::filesystem::path(folder.empty() ? std::string(".") : std::string(folder)) / program;
    if (executable(candidate)) return candidate;
    if (colon == std::string_view::npos) return std::nullopt;
    folders.remove_prefix(colon + 1);
  }
}

Started StartProcess(const std::string& program, const std::vector<std::string>& arguments,
                     const std::filesystem::path& log, int input, const std::vector<std::string>& environment,
                     std::optional<mode_t> fileMask) {
  Started started;
  // A path is run as it is, so that its own error (a file that is no program, say) is reported.
  const std::optional<std::filesystem::path> found =
      program.find('/') != std::string::npos ? std::optional<std::filesystem::path>(program) : FindProgram(program);
  if (!found) {
    started.error = std::strerror(ENOENT);
    return started;
  }
  // Everything the child needs is made here: between fork and exec it may only make system calls.
  const std::string executable = found->string();
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);

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

  const std::string logPath = log.empty() ? std::string("/dev/null") : log.string();
  // The child reports a failed exec through this pipe; a successful exec closes it.
  int report[2];
  if (pipe2(report, O_CLOEXEC) != 0) {
    started.error = std::strerror(errno);
    return started;
  }
  // No handler of ours may run in the child: signals wait until it has reset them.
  sigset_t all, before;
  sigfillset(&all);
  pthread_sigmask(SIG_SETMASK, &all, &before);
  const pid_t pid = fork();
  if (pid == 0) {
    setpgid(0, 0);
    // As exec would: caught signals go back to their defaults, and so do these, which we ignore.
    for (int signal = 1; signal < NSIG; ++signal) {
      struct sigaction current {};
      if (sigaction(signal, nullptr, &current) != 0) continue;
      const bool caught = (current.sa_flags & SA_SIGINFO) != 0 || (current.sa_handler != SIG_IGN && current.sa_handler != SIG_DFL);
      if (caught || signal == SIGPIPE || signal == SIGTERM || signal == SIGINT) {
        struct sigaction defaults {};
        defaults.sa_handler = SIG_DFL;
        sigaction(signal, &defaults, nullptr);
      }
    }
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    // Opened close-on-exec: the copies on 0, 1 and 2 are what the program keeps.
    const int in = input >= 0 ? input : open("/dev/null", O_RDONLY | O_CLOEXEC);
    const int out = open(logPath.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    if (in < 0 || out < 0 || dup2(in, STDIN_FILENO) < 0 || dup2(out, STDOUT_FILENO) < 0 ||
        dup2(STDOUT_FILENO, STDERR_FILENO) < 0) {
      const int error = errno;
      (void)!write(report[1], &error, sizeof error);
      _exit(127);
    }
    // Where 0, 1 or 2 were closed, one opened above took that number, close-on-exec.
    for (int kept : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) fcntl(kept, F_SETFD, 0);
    if (fileMask) umask(*fileMask);
    execve(executable.c_str(), argv.data(), envp.data());
    const int error = errno;
    (void)!write(report[1], &error, sizeof error);
    _exit(127);
  }
  const int forkError = errno;
  pthread_sigmask(SIG_SETMASK, &before, nullptr);
  if (pid < 0) {
    started.error = std::strerror(forkError);
    close(report[0]);
    close(report[1]);
    return started;
  }
  setpgid(pid, pid);  // also done by the child; whichever comes first
  close(report[1]);
  int error = 0;
  ssize_t got;
  while ((got = read(report[0], &error, sizeof error)) < 0 && errno == EINTR) {
  }
  close(report[0]);
  if (got == static_cast<ssize_t>(sizeof error)) {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    started.error = std::strerror(error);
    return started;
  }
  started.pid = pid;
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

std::vector<pid_t> GroupProcesses(pid_t group, const std::string& mark) {
  std::vector<pid_t> running;
  if (group <= 1) return running;
  // Processes come and go while /proc is read: what cannot be read is skipped, never thrown.
  std::error_code error;
  for (std::filesystem::directory_iterator it("/proc", error), end; !error && it != end; it.increment(error)) {
    const std::string number = it->path().filename().string();
    if (number.find_first_not_of("0123456789") != std::string::npos) continue;
    // stat: "pid (name) state parent group ..."; the name may hold blanks and parentheses.
    const std::string text = ProcFile(it->path() / "stat");
    const std::size_t close = text.rfind(')');
    if (close == std::string::npos) continue;
    std::istringstream rest(text.substr(close + 1));
    std::string state;
    long parent = 0, itsGroup = 0;
    rest >> state >> parent >> itsGroup;
    if (itsGroup != group || state == "Z" || state == "X") continue;
    if (!mark.empty() && ProcFile(it->path() / "cmdline").find(mark) == std::string::npos) continue;
    running.push_back(static_cast<pid_t>(std::stol(number)));
  }
  return running;
}

bool GroupRunning(pid_t group, const std::string& mark) { return !GroupProcesses(group, mark).empty(); }

bool WaitGroup(pid_t group, std::chrono::milliseconds timeout, const std::string& mark) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (GroupRunning(group, mark)) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(GroupPollInterval);
  }
  return true;
}

void ReapInBackground(pid_t pid) {
  if (pid <= 0) return;
  std::thread([pid] {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
  }).detach();
}

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

}  // namespace tuvo::process
