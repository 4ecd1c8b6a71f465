#include "platform/office/one_shot_conversion.h"

#include <algorithm>

#include "platform/office/office_command.h"
#include "platform/office/office_sockets.h"
#include "platform/process/process.h"

namespace tuvo::office {

namespace {

namespace fs = std::filesystem;

// How long LibreOffice may take to end after a time-out's request.
constexpr std::chrono::milliseconds EndGrace{2000};
// How often the one-shot's sockets are looked for while it runs.
constexpr std::chrono::milliseconds SocketLook{250};

// Waits up to `timeout` for the process to end, as WaitProcess, adding the sockets that its group's
// processes holding `mark` (its profile's option) make to `sockets` meanwhile.
std::optional<int> WaitNotingSockets(pid_t pid, const std::string& mark, std::chrono::milliseconds timeout,
                                     std::vector<fs::path>& sockets) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (true) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (const std::optional<int> status =
            process::WaitProcess(pid, std::clamp(left, std::chrono::milliseconds{0}, SocketLook))) {
      return status;
    }
    for (fs::path& socket : SocketsOfGroup(pid, mark)) {
      if (std::find(sockets.begin(), sockets.end(), socket) == sockets.end()) sockets.push_back(std::move(socket));
    }
    if (left <= SocketLook) return std::nullopt;
  }
}

}  // namespace

OneShotOutcome RunOneShotConversion(const std::string& program, const fs::path& profile, const std::string& format,
                                    const fs::path& out, const fs::path& file, const fs::path& log,
                                    std::chrono::milliseconds timeout, const std::vector<std::string>& environment,
                                    std::optional<mode_t> fileMask) {
  const process::Started started =
      process::StartProcess(program, OneShotArguments(profile, format, out, file), log, -1, environment, fileMask);
  OneShotOutcome outcome;
  if (started.pid <= 0) {
    outcome.startError = started.error;
    return outcome;
  }
  outcome.started = true;
  // One that ends normally takes its sockets along; one that crashes or is ended at its deadline
  // leaves them, so they are noted while it runs and removed once it is gone.
  std::vector<fs::path> sockets;
  outcome.status = WaitNotingSockets(started.pid, ProfileOption(profile), timeout, sockets);
  process::EndProcess(started.pid, EndGrace);
  RemoveSockets(sockets);
  return outcome;
}

}  // namespace tuvo::office
