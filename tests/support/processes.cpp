#include "support/processes.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace tuvo::test {

bool RunningProcess::Mentions(const std::string& text) const {
  return std::any_of(arguments.begin(), arguments.end(),
                     [&](const std::string& argument) { return argument.find(text) != std::string::npos; });
}

std::vector<RunningProcess> RunningProcesses() {
  namespace fs = std::filesystem;
  std::vector<RunningProcess> running;
  std::error_code error;
  // Processes come and go while /proc is read: what cannot be read is skipped.
  for (fs::directory_iterator it("/proc", error), end; !error && it != end; it.increment(error)) {
    const fs::directory_entry& entry = *it;
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

std::vector<RunningProcess> ProcessesWith(const std::string& text) {
  std::vector<RunningProcess> found;
  for (RunningProcess& process : RunningProcesses()) {
    if (process.Mentions(text)) found.push_back(std::move(process));
  }
  return found;
}

bool NoneLeft(const std::string& text, std::chrono::milliseconds limit) {
  const auto until = std::chrono::steady_clock::now() + limit;
  while (!ProcessesWith(text).empty() && std::chrono::steady_clock::now() < until) {
    std::this_thread::sleep_for(std::chrono::milliseconds{50});
  }
  return ProcessesWith(text).empty();
}

bool AllGone(const std::vector<std::filesystem::path>& paths, std::chrono::milliseconds limit) {
  const auto gone = [&] {
    return std::none_of(paths.begin(), paths.end(), [](const std::filesystem::path& path) {
      std::error_code error;
      return std::filesystem::exists(std::filesystem::symlink_status(path, error));
    });
  };
  const auto until = std::chrono::steady_clock::now() + limit;
  while (!gone() && std::chrono::steady_clock::now() < until) std::this_thread::sleep_for(std::chrono::milliseconds{50});
  return gone();
}

bool Alive(pid_t pid) {
  for (int i = 0; i < 100; ++i) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text;
    std::getline(stat, text);
    const std::size_t paren = text.rfind(')');
    if (paren == std::string::npos || paren + 2 >= text.size() || text[paren + 2] == 'Z') return false;
    std::this_thread::sleep_for(std::chrono::milliseconds{10});  // a signal may still be on its way
  }
  return true;
}

std::string OfficesOf(pid_t pid) { return "name=tuvo" + std::to_string(pid) + "_"; }

}  // namespace tuvo::test
