#include "support/processes.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace tuvo::test {

bool RunningProcess::Mentions(const std::string& text) const {
  return std::any_of(arguments.begin(), arguments.end(),
                     [&](const std::string& argument) { return argument.find(text) != std::string::npos; });
}

std::vector<RunningProcess> RunningProcesses() {
  namespace fs = std::filesystem;
  std::vector<RunningProcess> running;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator("/proc", error)) {
    const std::string number = entry.path().filename().string();
    if (number.find_first_not_of("0123456789") != std::string::npos) continue;
    // stat: "pid (name) state parent group ..."; the name may hold blanks and parentheses.
    std::ifstream stat(entry.path() / "stat");
    std::string text;
    std::getline(stat, text);
    const std::size_t open = text.find('('), close = text.rfind(')');
    if (open == std::string::npos || close == std::string::npos || close < open) continue;
    std::istringstream rest(text.substr(close + 1));
    std::string state;
    long parent = 0, group = 0;
    rest >> state >> parent >> group;
    if (state == "Z" || state == "X") continue;
    RunningProcess process;
    process.pid = std::stoi(number);
    process.group = static_cast<pid_t>(group);
    process.name = text.substr(open + 1, close - open - 1);
    std::ifstream cmdline(entry.path() / "cmdline", std::ios::binary);
    for (std::string argument; std::getline(cmdline, argument, '\0');) process.arguments.push_back(argument);
    running.push_back(std::move(process));
  }
  return running;
}

}  // namespace tuvo::test
