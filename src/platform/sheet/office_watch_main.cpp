// The watchdog of one LibreOffice process of the program:
//   tuvo-office-watch converter|viewer|window PROCESS_GROUP PIPE_NAME|- FOLDER COUNT_DEADLINE_MS
// While the program holds our input open, we note the office's sockets (a viewer's and a window's
// are made ours alone, since they run under the user's umask), and whether the program showed a
// window in it (it writes "s"). Once the program closes our input (it ended, was killed, or let go
// of the office):
// - a converter, and a viewer that never showed a window, is ended: asked over UNO to terminate,
//   by signals when that fails;
// - a viewer that showed a window is ended once a count of its visible document windows answers
//   none; one that does not answer is left to run, as it may hold the user's work;
// - a window (a LibreOffice of its own showing one workbook) is left to the user.
// Only the office's own processes are ended, never what it started for the user (a browser for a
// link, say). Once they are gone, the office's sockets and its folder go.
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <future>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/crash_trace.h"
#include "platform/sheet/office_sockets.h"
#include "platform/sheet/process.h"
#include "platform/sheet/uno_client.h"

namespace {

namespace fs = std::filesystem;
namespace uno = tuvo::sheet::uno;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// How often the office's sockets are looked for while the program runs: often until a window's
// is seen, as it takes the user's umask until made owner-only; and for how
// long after our start they are looked for again (an office on a new profile starts itself again
// and makes them anew).
constexpr auto QuickNoteInterval = 10ms;
constexpr auto NoteInterval = 250ms;
constexpr auto StartPeriod = 60s;
// How often a pending count is looked at, and whether the viewer still runs.
constexpr auto LookInterval = 500ms;
// How often a viewer's windows are counted, and a window's office looked at, after the program.
constexpr auto CountInterval = 2s;
// How long the office may take to terminate when asked over UNO, and to end on a signal.
constexpr auto TerminateDeadline = 3s;
constexpr auto EndGrace = 3s;

pid_t group = 0;
// What the office's own processes hold in their command line: its profile.
std::string mark;

// Whether any of the office's own processes still runs.
bool OfficeRunning() { return tuvo::sheet::GroupRunning(group, mark); }

// Waits up to `timeout` for the office's own processes to end.
bool OfficeEnds(std::chrono::milliseconds timeout) { return tuvo::sheet::WaitGroup(group, timeout, mark); }

// The office's sockets: its UNO pipe's, known by name, and its profile's, seen while it runs.
class Sockets {
 public:
  Sockets(const std::string& pipe, bool ownerOnly) : ownerOnly_(ownerOnly), withPipe_(pipe != "-") {
    if (withPipe_) known_.push_back(tuvo::sheet::PipeSocket(pipe));
  }
  // Looks for those not seen yet, and, where they are to be ours alone, for any made anew while
  // the office starts.
  void Note() {
    if (Complete() && (!ownerOnly_ || Clock::now() - started_ > StartPeriod)) return;
    std::vector<fs::path> found = tuvo::sheet::SocketsOfGroup(group, mark);
    if (ownerOnly_) tuvo::sheet::MakeOwnerOnly(found);
    for (fs::path& socket : found) {
      if (std::find(known_.begin(), known_.end(), socket) == known_.end()) {
        std::fprintf(stderr, "the office's socket %s\n", socket.c_str());
        known_.push_back(std::move(socket));
      }
    }
  }
  // How long until the next look: a window's sockets are made owner-only by us alone (the
  // program's start makes the viewer's so, and the converter's umask those of the converter).
  std::chrono::milliseconds Interval() const {
    return ownerOnly_ && !withPipe_ && !Complete() ? QuickNoteInterval : NoteInterval;
  }
  void Remove() const { tuvo::sheet::RemoveSockets(known_); }

 private:
  // Both seen: the UNO pipe's is known from the start, and a window has none.
  bool Complete() const { return known_.size() >= (withPipe_ ? 2u : 1u); }
  bool ownerOnly_;
  bool withPipe_;
  Clock::time_point started_ = Clock::now();
  std::vector<fs::path> known_;
};

// Waits until the program closes our input, noting the sockets meanwhile; whether the program
// showed a window in the office.
bool WaitForProgramEnd(Sockets& sockets) {
  bool shown = false;
  char buffer[64];
  while (true) {
    sockets.Note();
    pollfd input{STDIN_FILENO, POLLIN, 0};
    const int ready = poll(&input, 1, static_cast<int>(sockets.Interval().count()));
    if (ready < 0 && errno != EINTR) return shown;
    if (ready > 0) {
      const ssize_t got = read(STDIN_FILENO, buffer, sizeof buffer);
      if (got == 0 || (got < 0 && errno != EINTR)) return shown;
      if (got > 0 && std::find(buffer, buffer + got, 's') != buffer + got) shown = true;
    }
  }
}

// Runs a UNO request on a thread of its own; its answer, none when it failed.
template <typename Request>
auto OnThreadOfItsOwn(const char* what, Request request) -> std::future<std::optional<decltype(request())>> {
  using Result = decltype(request());
  auto task = std::make_shared<std::packaged_task<std::optional<Result>()>>([what, request]() -> std::optional<Result> {
    try {
      return request();
    } catch (const std::exception& error) {
      std::fprintf(stderr, "the office did not answer %s: %s\n", what, error.what());
      return std::nullopt;
    }
  });
  std::future<std::optional<Result>> answer = task->get_future();
  std::thread([task]() mutable {
    (*task)();
    task.reset();
  }).detach();
  return answer;
}

// Signals each of the office's own processes.
void SignalOffice(int signal) {
  for (pid_t pid : tuvo::sheet::GroupProcesses(group, mark)) kill(pid, signal);
}

// Ends the office's own processes by signals: a request first, then by force.
void EndBySignals() {
  std::fprintf(stderr, "ending the office by signals\n");
  SignalOffice(SIGTERM);
  SignalOffice(SIGCONT);  // a stopped process takes its request only once it runs
  if (!OfficeEnds(EndGrace)) SignalOffice(SIGKILL);
}

// Asks the office to terminate, one request at a time; true once it agreed, false when it
// refused or has not answered within the deadline (`pending` then keeps the request, and a later
// call waits on it instead of asking again).
bool Terminated(const std::string& pipe, std::future<std::optional<bool>>& pending) {
  if (!pending.valid()) {
    pending =
        OnThreadOfItsOwn("the request to terminate", [pipe] { return uno::Connection::Connect(pipe)->Terminate(); });
  }
  if (pending.wait_for(TerminateDeadline) != std::future_status::ready) {
    std::fprintf(stderr, "asked to terminate: no answer yet\n");
    return false;
  }
  const std::optional<bool> agreed = pending.get();
  std::fprintf(stderr, "asked to terminate: %s\n", !agreed ? "failed" : *agreed ? "agreed" : "refused");
  return agreed.value_or(false);
}

// Ends the office: asked over UNO first, by signals when it does not agree or end soon after.
void EndOffice(const std::string& pipe) {
  std::future<std::optional<bool>> pending;
  if (OfficeRunning() && !(Terminated(pipe, pending) && OfficeEnds(EndGrace))) EndBySignals();
}

// Counts the viewer's visible document windows every few seconds, one count at a time, until
// it is gone or, once a count answered none, it agreed to terminate.
void EndViewerOnceItShowsNothing(const std::string& pipe, std::chrono::milliseconds countDeadline) {
  auto connection = std::make_shared<std::unique_ptr<uno::Connection>>();
  std::future<std::optional<int>> pending;
  std::future<std::optional<bool>> terminating;
  Clock::time_point asked;
  bool late = false;
  while (OfficeRunning()) {
    if (!pending.valid()) {
      pending = OnThreadOfItsOwn("a count of its windows", [connection, pipe] {
        try {
          if (!*connection) *connection = uno::Connection::Connect(pipe);
          return (*connection)->CloseStartWindows();
        } catch (...) {
          connection->reset();  // the next count connects anew
          throw;
        }
      });
      asked = Clock::now();
      late = false;
    }
    if (pending.wait_for(LookInterval) != std::future_status::ready) {
      if (!late && Clock::now() - asked > countDeadline) {
        // Busy or stopped: it may still hold the user's work, so it is waited for, never ended.
        std::fprintf(stderr, "the viewer did not answer a count within %lld ms; waiting on\n",
                     static_cast<long long>(countDeadline.count()));
        late = true;
      }
      continue;
    }
    const std::optional<int> windows = pending.get();
    if (late) connection->reset();  // a connection that hung is not trusted again
    if (windows) std::fprintf(stderr, "%d document windows open\n", *windows);
    if (windows == 0 && Terminated(pipe, terminating)) return;
    std::this_thread::sleep_for(CountInterval);
  }
}

}  // namespace

int main(int argc, char** argv) {
  tuvo::system::InstallCrashTrace();
  if (argc != 6) return 2;
  const std::string role = argv[1];
  group = static_cast<pid_t>(std::atol(argv[2]));
  const std::string pipe = argv[3];
  const fs::path folder = argv[4];
  const std::chrono::milliseconds countDeadline{std::atol(argv[5])};
  if (group <= 1 || folder.empty() || (role != "converter" && role != "viewer" && role != "window")) return 2;
  if (role != "window" && pipe == "-") return 2;
  mark = tuvo::sheet::ProfileOption(folder / "profile");
  signal(SIGHUP, SIG_IGN);
  signal(SIGINT, SIG_IGN);
  signal(SIGPIPE, SIG_IGN);

  Sockets sockets(pipe, role != "converter");
  const bool shown = WaitForProgramEnd(sockets);
  std::fprintf(stderr, "the program let go of the %s%s\n", role.c_str(), shown ? ", which showed a window" : "");
  sockets.Note();
  if (role == "converter" || (role == "viewer" && !shown)) {
    EndOffice(pipe);
  } else if (role == "viewer") {
    EndViewerOnceItShowsNothing(pipe, countDeadline);
    if (OfficeRunning() && !OfficeEnds(EndGrace)) EndBySignals();
  }
  // A window's office is the user's: it ends when the user ends it. What is left goes only once
  // none of the office's processes runs.
  while (!OfficeEnds(CountInterval)) sockets.Note();
  sockets.Remove();
  std::error_code ignored;
  fs::remove_all(folder, ignored);
  std::fprintf(stderr, "tidied up\n");
  // A request the office never answered may still be at work in the UNO libraries.
  uno::Exit(0);
}
