// Child processes: started in a process group of their own so that ending one ends every process
// it started, waited for, looked up by their command line and ended.
#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <sys/types.h>

namespace tuvo::process {

// The executable file `program` names: itself when it holds a "/", else the first on PATH; none
// when there is no such executable file.
std::optional<std::filesystem::path> FindProgram(const std::string& program);

// Starts `program` (looked up on PATH unless it holds a "/") with `arguments` in a process group
// of its own, its output and errors going to `log` (or nowhere when empty), its input read from
// `input` (or nothing when -1), and the program's environment with `environment` ("NAME=value")
// set on top; with `fileMask`, the process runs under that umask instead of ours. Returns the
// process id, or the error text of a program that cannot be started.
struct Started {
  pid_t pid = -1;
  std::string error;
};
Started StartProcess(const std::string& program, const std::vector<std::string>& arguments,
                     const std::filesystem::path& log, int input = -1,
                     const std::vector<std::string>& environment = {}, std::optional<mode_t> fileMask = std::nullopt);

// Waits up to `timeout` for the process to end: its exit status (128 + signal when a signal
// ended it), or nothing on time-out. The ended process is not reaped yet (EndProcess does).
std::optional<int> WaitProcess(pid_t pid, std::chrono::milliseconds timeout);

// Whether the process is still running.
bool ProcessRunning(pid_t pid);

// The processes of the group that still run, only those whose command line holds `mark` when it
// is not empty; ended processes that wait for their reaper do not count, as they hold nothing open.
std::vector<pid_t> GroupProcesses(pid_t group, const std::string& mark = {});

// Whether any process of the group still runs (of those whose command line holds `mark`).
bool GroupRunning(pid_t group, const std::string& mark = {});

// Waits up to `timeout` for every process of the group (holding `mark`) to end; true once none runs.
bool WaitGroup(pid_t group, std::chrono::milliseconds timeout, const std::string& mark = {});

// Waits for the child process to end and reaps it, on a thread of its own.
void ReapInBackground(pid_t pid);

// Ends the process and its group (a request first, then by force after `grace`) and reaps it;
// a process that ended already only has its group cleared and is reaped.
void EndProcess(pid_t pid, std::chrono::milliseconds grace);

}  // namespace tuvo::process
