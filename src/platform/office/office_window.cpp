#include "platform/office/office_window.h"

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <vector>

#include <signal.h>
#include <sys/wait.h>

#include "platform/office/office_command.h"
#include "platform/office/office_instance.h"
#include "platform/office/office_request.h"
#include "platform/office/office_sockets.h"
#include "platform/process/process.h"
#include "platform/office/uno_client.h"

namespace tuvo::office {

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// Closing the workbook may take as long as closing a window of the service's viewer, and the
// watchdog counts as the viewer's does.
const OfficeTimeouts Timeouts{};
// A look comes with each save of the workbook: an office still starting up answers late, and
// counts as showing the workbook meanwhile.
constexpr std::chrono::milliseconds LookDeadline{1000};

}  // namespace

OfficeWindow::OfficeWindow(fs::path folder, fs::path file) : folder_(std::move(folder)), file_(std::move(file)) {}

std::unique_ptr<OfficeWindow> OfficeWindow::Open(const std::string& program, const fs::path& file) {
  std::string pattern = (fs::temp_directory_path() / "tuvo-view-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) return nullptr;
  std::unique_ptr<OfficeWindow> window(new OfficeWindow(pattern, file));
  WriteQuietProfile(window->folder_ / "profile");
  // Where this process cannot speak UNO, nothing could use a pipe: the office gets none.
  try {
    uno::StartRuntime();
    window->link_->pipe = NewPipeName();
  } catch (const uno::UnoError&) {
  }
  const std::vector<std::string> arguments = WindowArguments(window->folder_ / "profile", window->link_->pipe, file);
  // The office keeps the user's umask, as the user saves files from it; its watchdog makes its
  // sockets ours alone as they appear.
  const process::Started started = process::StartProcess(program, arguments, window->folder_ / "viewer.log");
  if (started.pid < 0) return nullptr;  // no LibreOffice: its folder goes with the record
  window->pid_ = started.pid;
  window->watchdog_.Start(OfficeWatchdog::Role::Window, started.pid, window->link_->pipe, window->folder_,
                          Timeouts.watchCount);
  return window;
}

OfficeWindow::~OfficeWindow() {
  if (pid_ <= 0) {
    Clean();
    return;
  }
  if (watchdog_.Watching()) {
    watchdog_.LetGo();
    process::ReapInBackground(pid_);
    return;
  }
  // Nothing tidies after us: what the office left goes now if it has ended, else stays for good.
  int status = 0;
  if (waitpid(pid_, &status, WNOHANG) != pid_) {
    process::ReapInBackground(pid_);
  } else if (kill(-pid_, 0) != 0 && errno == ESRCH) {
    Clean();
  }
}

void OfficeWindow::Close() {
  Ask(Timeouts.window, [file = file_](uno::Connection& connection) { return connection.CloseAt(file); });
  watchdog_.NoteClosed();
  // An office that ended (the user closed it, or it died) holds no lock of ours any more.
  if (Ended()) RemoveOwnLock();
}

bool OfficeWindow::IsOpen() {
  if (!process::ProcessRunning(pid_)) return false;
  const std::optional<bool> open =
      Ask(LookDeadline, [file = file_](uno::Connection& connection) { return connection.IsOpenAt(file); });
  if (open == true) seen_ = true;
  return !(open == false && seen_);
}

template <typename Request>
std::optional<bool> OfficeWindow::Ask(std::chrono::milliseconds deadline, Request request) {
  if (link_->pipe.empty() || !process::ProcessRunning(pid_)) return std::nullopt;
  const Clock::time_point until = Clock::now() + deadline;
  if (pending_.valid()) {
    // A request that passed its deadline still runs: an office that hangs is not asked again
    // meanwhile, so that no thread piles up behind another.
    if (pending_.wait_until(until) != std::future_status::ready) return std::nullopt;
    pending_.get();  // its answer is old by now
  }
  // An office that does not accept yet cannot be reached; one that does gets its socket made ours
  // alone before we connect through it.
  const fs::path socket = PipeSocket(link_->pipe);
  std::error_code error;
  if (!fs::exists(socket, error)) return std::nullopt;
  MakeOwnerOnly({socket});
  pending_ = OnThreadOfItsOwn([link = link_, request]() -> std::optional<bool> {
    try {
      if (!link->connection) link->connection = uno::Connection::Connect(link->pipe);
      return request(*link->connection);
    } catch (...) {
      link->connection.reset();  // the next request connects anew
      return std::nullopt;
    }
  });
  if (pending_.wait_until(until) != std::future_status::ready) return std::nullopt;
  return pending_.get();
}

bool OfficeWindow::Ended() const {
  return !process::ProcessRunning(pid_) && !process::GroupRunning(pid_, ProfileOption(folder_ / "profile"));
}

void OfficeWindow::Clean() const {
  RemoveOwnLock();
  std::error_code ignored;
  fs::remove_all(folder_, ignored);
}

// LibreOffice that ended without closing the workbook leaves its lock file beside it; ours names
// our profile and goes, anyone else's stays.
void OfficeWindow::RemoveOwnLock() const {
  if (file_.empty()) return;
  const fs::path lock = file_.parent_path() / (".~lock." + file_.filename().string() + "#");
  std::ifstream in(lock);
  std::string owner;
  std::getline(in, owner);
  if (owner.find(FileUrl(folder_ / "profile")) != std::string::npos) {
    std::error_code ignored;
    fs::remove(lock, ignored);
  }
}

}  // namespace tuvo::office
