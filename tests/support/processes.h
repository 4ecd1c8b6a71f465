// The processes running on the machine as /proc shows them, for tests that check what a program
// left running.
#pragma once

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

}  // namespace tuvo::test
