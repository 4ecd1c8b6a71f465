#include "platform/office/office_sockets.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <random>
#include <sstream>

#include <sys/stat.h>
#include <unistd.h>

#include "platform/process/process.h"

namespace tuvo::office {

namespace {

namespace fs = std::filesystem;

// LibreOffice puts its sockets here whatever the temporary folder, with this prefix.
constexpr const char* SocketFolder = "/tmp";
constexpr const char* SocketPrefix = "/tmp/OSL_PIPE_";

// The office sockets bound now, by the number of their socket.
std::map<unsigned long, fs::path> BoundOfficeSockets() {
  // "Num RefCount Protocol Flags Type St Inode Path", one socket a line.
  std::map<unsigned long, fs::path> bound;
  std::ifstream table("/proc/net/unix");
  std::string line;
  std::getline(table, line);
  while (std::getline(table, line)) {
    std::istringstream fields(line);
    std::string num, refs, protocol, flags, type, state, path;
    unsigned long inode = 0;
    if (!(fields >> num >> refs >> protocol >> flags >> type >> state >> inode >> path)) continue;
    if (path.starts_with(SocketPrefix)) bound[inode] = path;
  }
  return bound;
}

// Whether a socket of ours lies at the path (never a link to one).
bool OwnSocket(const fs::path& path) {
  struct stat status {};
  return lstat(path.c_str(), &status) == 0 && S_ISSOCK(status.st_mode) && status.st_uid == getuid();
}

}  // namespace

std::string NewPipeName() {
  std::random_device device;
  std::ostringstream name;
  name << "tuvo" << getpid() << '_' << std::hex << (device() & 0xFFFFFFu);
  return name.str();
}

fs::path PipeSocket(const std::string& pipeName) {
  return fs::path(SocketFolder) / ("OSL_PIPE_" + std::to_string(getuid()) + "_" + pipeName);
}

std::vector<fs::path> SocketsOfGroup(pid_t group, const std::string& mark) {
  std::vector<fs::path> sockets;
  if (group <= 1) return sockets;
  const std::map<unsigned long, fs::path> bound = BoundOfficeSockets();
  if (bound.empty()) return sockets;
  for (const pid_t pid : process::GroupProcesses(group, mark)) {
    // The process may end, and its descriptors go, while they are read.
    std::error_code unreadable;
    for (fs::directory_iterator it(fs::path("/proc") / std::to_string(pid) / "fd", unreadable), end;
         !unreadable && it != end; it.increment(unreadable)) {
      std::error_code gone;
      const std::string target = fs::read_symlink(it->path(), gone).string();
      // "socket:[12345]"
      if (gone || !target.starts_with("socket:[")) continue;
      const auto socket = bound.find(std::stoul(target.substr(8)));
      if (socket != bound.end() && std::find(sockets.begin(), sockets.end(), socket->second) == sockets.end()) {
        sockets.push_back(socket->second);
      }
    }
  }
  return sockets;
}

void MakeOwnerOnly(const std::vector<fs::path>& sockets) {
  for (const fs::path& socket : sockets) {
    if (OwnSocket(socket)) chmod(socket.c_str(), S_IRUSR | S_IWUSR);
  }
}

void RemoveSockets(const std::vector<fs::path>& sockets) {
  for (const fs::path& socket : sockets) {
    if (OwnSocket(socket)) unlink(socket.c_str());
  }
}

}  // namespace tuvo::office
