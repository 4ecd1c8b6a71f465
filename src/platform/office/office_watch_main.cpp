// The watchdog of one LibreOffice process of the program:
//   tuvo-office-watch converter|viewer|window PROCESS_GROUP PIPE_NAME|- FOLDER COUNT_DEADLINE_MS
// While the program holds our input open, we note the office's sockets (a viewer's and a window's
// are made ours alone, since they run under the user's umask), whether the program showed a
// window in it (it writes "s"), and whether it closed its workbook in a window (it writes "c").
// Once the program closes our input (it ended, was killed, or let go of the office):
// - a converter, and a viewer that never showed a window, is ended: asked over UNO to terminate,
//   by signals when that fails;
// - a viewer that showed a window, and a window (a LibreOffice of its own showing one workbook)
//   with a UNO pipe, is ended once a count of its visible document windows answers none; one that
//   does not answer is left to run, as it may hold the user's work. A window's count of none
//   counts only once it showed a document window or the program closed its workbook in it: until
//   then it may still be starting up to show the workbook;
// - a window without a pipe (the program could not speak UNO) is left to the user.
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
#include <functional>
#include <future>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/crash_trace.h"
#include "platform/office/office_request.h"
#include "platform/office/office_sockets.h"
#include "platform/office/uno_client.h"
#include "platform/office/office_command.h"
#include "platform/process/process.h"

namespace tuvo::office {

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// How often the office's sockets are looked for: often while a window's are still to come, as they
// take the user's umask until made owner-only; and for how long after our start they are looked
// for again (an office on a new profile starts itself again and makes them anew).
constexpr auto QuickNoteInterval = 10ms;
constexpr auto NoteInterval = 250ms;
constexpr auto StartPeriod = 60s;
// How often a pending count is looked at, and whether the office still runs.
constexpr auto LookInterval = 500ms;
// How often an office's windows are counted after the program.
constexpr auto CountInterval = 2s;
// How long the office may take to terminate when asked over UNO, and to end on a signal.
constexpr auto TerminateDeadline = 3s;
constexpr auto EndGrace = 3s;

pid_t group = 0;
// What the office's own processes hold in their command line: its profile.
std::string mark;

// Whether any of the office's own processes still runs.
bool OfficeRunning() { return process::GroupRunning(group, mark); }

// Waits up to `timeout` for the office's own processes to end.
bool OfficeEnds(std::chrono::milliseconds timeout) { return process::WaitGroup(group, timeout, mark); }

// The office's sockets: its UNO pipe's, known by name, and its profile's, seen while it runs.
class Sockets {
 public:
  // `ownerOnly`: they are to be ours alone; `byUsAlone`: nobody else makes them so (the program's
  // start makes the viewer's so, and the converter's umask those of the converter).
  Sockets(const std::string& pipe, bool ownerOnly, bool byUsAlone)
      : ownerOnly_(ownerOnly), byUsAlone_(byUsAlone), expected_(pipe != "-" ? 2u : 1u) {
    if (pipe != "-") known_.push_back(PipeSocket(pipe));
  }
  // Looks for those not seen yet, and, where they are to be ours alone, for any made anew while
  // the office starts.
  void Note() {
    if (Finished()) return;
    std::vector<fs::path> found = SocketsOfGroup(group, mark);
    if (ownerOnly_) MakeOwnerOnly(found);
    held_ = found.size();
    for (fs::path& socket : found) {
      if (std::find(known_.begin(), known_.end(), socket) == known_.end()) {
        std::fprintf(stderr, "the office's socket %s\n", socket.c_str());
        known_.push_back(std::move(socket));
      }
    }
  }
  // How long until the next look: short while sockets that we alone make owner-only are still to
  // come (a window's UNO pipe's included: it is seen only once the office holds it).
  std::chrono::milliseconds Interval() const {
    return byUsAlone_ && held_ < expected_ && !Finished() ? QuickNoteInterval : NoteInterval;
  }
  void Remove() const { RemoveSockets(known_); }

 private:
  // Both seen (the UNO pipe's is known from the start; a window without a pipe has only its
  // profile's), and, where they are to be ours alone, the office's start is over.
  bool Finished() const {
    return known_.size() >= expected_ && (!ownerOnly_ || Clock::now() - started_ > StartPeriod);
  }
  bool ownerOnly_;
  bool byUsAlone_;
  std::size_t expected_;
  std::size_t held_ = 0;  // how many the office held at the last look
  Clock::time_point started_ = Clock::now();
  std::vector<fs::path> known_;
};

// What the program wrote to us while it held the office.
struct Notes {
  bool shown = false;   // it showed a window in the office
  bool closed = false;  // it closed its workbook in the window
};

// Waits until the program closes our input, noting the sockets meanwhile; what it told us.
Notes WaitForProgramEnd(Sockets& sockets) {
  Notes notes;
  char buffer[64];
  while (true) {
    sockets.Note();
    pollfd input{STDIN_FILENO, POLLIN, 0};
    const int ready = poll(&input, 1, static_cast<int>(sockets.Interval().count()));
    if (ready < 0 && errno != EINTR) return notes;
    if (ready > 0) {
      const ssize_t got = read(STDIN_FILENO, buffer, sizeof buffer);
      if (got == 0 || (got < 0 && errno != EINTR)) return notes;
      if (got > 0 && std::find(buffer, buffer + got, 's') != buffer + got) notes.shown = true;
      if (got > 0 && std::find(buffer, buffer + got, 'c') != buffer + got) notes.closed = true;
    }
  }
}

// Waits up to `duration`, noting the office's sockets between slices, until `done` (which waits
// up to the slice it is given) says so; whether it did.
bool Noting(Sockets& sockets, Clock::duration duration, const std::function<bool(Clock::duration)>& done) {
  const Clock::time_point until = Clock::now() + duration;
  while (true) {
    sockets.Note();
    const Clock::duration left = until - Clock::now();
    if (left <= Clock::duration::zero()) return false;
    if (done(std::min<Clock::duration>(sockets.Interval(), left))) return true;
  }
}

// Runs a UNO request on a thread of its own; its answer, none when it failed.
template <typename Request>
auto Asked(const char* what, Request request) -> std::future<std::optional<decltype(request())>> {
  using Result = decltype(request());
  return OnThreadOfItsOwn([what, request]() -> std::optional<Result> {
    try {
      return request();
    } catch (const std::exception& error) {
      std::fprintf(stderr, "the office did not answer %s: %s\n", what, error.what());
      return std::nullopt;
    }
  });
}

// Signals each of the office's own processes.
void SignalOffice(int signal) {
  for (pid_t pid : process::GroupProcesses(group, mark)) kill(pid, signal);
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
        Asked("the request to terminate", [pipe] { return uno::Connection::Connect(pipe)->Terminate(); });
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

// Counts the office's visible document windows every few seconds, one count at a time, noting its
// sockets meanwhile, until it is gone or, once a count answered none, it agreed to terminate. Until
// `settled`, which a count of one or more makes it, a count of none neither ends it nor closes its
// start window: a window may still be starting up to show the workbook.
void EndOnceItShowsNothing(const std::string& pipe, std::chrono::milliseconds countDeadline, bool settled,
                           Sockets& sockets) {
  auto connection = std::make_shared<std::unique_ptr<uno::Connection>>();
  std::future<std::optional<int>> pending;
  std::future<std::optional<bool>> terminating;
  Clock::time_point asked;
  bool late = false;
  std::optional<int> told;  // the count last written to the log, which a window may hold for days
  while (OfficeRunning()) {
    if (!pending.valid()) {
      pending = Asked("a count of its windows", [connection, pipe, settled] {
        try {
          if (!*connection) {
            MakeOwnerOnly({PipeSocket(pipe)});  // never one others may use
            *connection = uno::Connection::Connect(pipe);
          }
          return settled ? (*connection)->CloseStartWindows() : (*connection)->VisibleWindowCount();
        } catch (...) {
          connection->reset();  // the next count connects anew
          throw;
        }
      });
      asked = Clock::now();
      late = false;
    }
    if (!Noting(sockets, LookInterval, [&](Clock::duration slice) {
          return pending.wait_for(slice) == std::future_status::ready;
        })) {
      if (!late && Clock::now() - asked > countDeadline) {
        // Busy or stopped: it may still hold the user's work, so it is waited for, never ended.
        std::fprintf(stderr, "the office did not answer a count within %lld ms; waiting on\n",
                     static_cast<long long>(countDeadline.count()));
        late = true;
      }
      continue;
    }
    const std::optional<int> windows = pending.get();
    if (late) connection->reset();  // a connection that hung is not trusted again
    if (windows && windows != told) std::fprintf(stderr, "%d document windows open\n", *windows);
    if (windows) told = windows;
    if (windows > 0) settled = true;
    if (settled && windows == 0 && Terminated(pipe, terminating)) return;
    Noting(sockets, CountInterval, [](Clock::duration slice) {
      std::this_thread::sleep_for(slice);
      return false;
    });
  }
}

// Watches one office as the command line says, until it and what it left are gone.
[[noreturn]] void Watch(int argc, char** argv) {
  system::InstallCrashTrace();
  if (argc != 6) std::exit(2);
  const std::string role = argv[1];
  group = static_cast<pid_t>(std::atol(argv[2]));
  const std::string pipe = argv[3];
  const fs::path folder = argv[4];
  const std::chrono::milliseconds countDeadline{std::atol(argv[5])};
  if (group <= 1 || folder.empty() || (role != "converter" && role != "viewer" && role != "window")) std::exit(2);
  if (role != "window" && pipe == "-") std::exit(2);
  mark = ProfileOption(folder / "profile");
  signal(SIGHUP, SIG_IGN);
  signal(SIGINT, SIG_IGN);
  signal(SIGPIPE, SIG_IGN);

  Sockets sockets(pipe, role != "converter", role == "window");
  const Notes notes = WaitForProgramEnd(sockets);
  std::fprintf(stderr, "the program let go of the %s%s%s\n", role.c_str(), notes.shown ? ", which showed a window" : "",
               notes.closed ? ", having closed its workbook" : "");
  sockets.Note();
  if (role == "converter" || (role == "viewer" && !notes.shown)) {
    EndOffice(pipe);
  } else if (pipe != "-") {
    EndOnceItShowsNothing(pipe, countDeadline, role == "viewer" || notes.closed, sockets);
    if (OfficeRunning() && !OfficeEnds(EndGrace)) EndBySignals();
  }
  // A window without a pipe is the user's: it ends when the user ends it. What is left goes only
  // once none of the office's processes runs.
  while (!OfficeEnds(sockets.Interval())) sockets.Note();
  sockets.Remove();
  std::error_code ignored;
  fs::remove_all(folder, ignored);
  std::fprintf(stderr, "tidied up\n");
  // A request the office never answered may still be at work in the UNO libraries.
  uno::Exit(0);
}

}  // namespace

}  // namespace tuvo::office

int main(int argc, char** argv) { tuvo::office::Watch(argc, argv); }
