// The processes running on the machine as /proc shows them, for tests that check what a program
// left running.
#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include <sys/types.h>

namespace tuvo::test {

struct RunningProcess {
  pid_t pid = 0;
  pid_t group = 0;
  std::string name;                    // the executable's short name
  std::vector<std::string> arguments;  // the command line, the program first
  // Whether one of the arguments holds `text`.
  bool Mentions(const std::string& text) const;
};

// Every process running now; ended ones still waiting for their reaper are left out.
std::vector<RunningProcess> RunningProcesses();

// The running processes whose command line holds `text`.
std::vector<RunningProcess> ProcessesWith(const std::string& text);

// Waits up to `limit` for no process to hold `text` in its command line; true once none does. The
// bound is one that only an office that never ends passes, also on a loaded machine.
bool NoneLeft(const std::string& text, std::chrono::milliseconds limit = std::chrono::milliseconds{60000});

// Waits up to `limit` for none of the paths to name anything, not even a link; true once so.
bool AllGone(const std::vector<std::filesystem::path>& paths,
             std::chrono::milliseconds limit = std::chrono::milliseconds{30000});

// Whether the process runs: false as soon as it is gone or ended (an ended one that nobody reaped
// yet does not count); true only once it has run on for a second, so that a signal still on its
// way has arrived.
bool Alive(pid_t pid);

// What the command lines of the offices the program `pid` started hold: their pipes carry its pid.
std::string OfficesOf(pid_t pid);

}  // namespace tuvo::test
