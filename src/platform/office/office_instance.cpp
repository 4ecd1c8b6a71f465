#include "platform/office/office_instance.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <future>
#include <sstream>
#include <thread>

#include <signal.h>
#include <unistd.h>

#include <xlsxwriter.h>

#include "platform/office/office_command.h"
#include "platform/office/office_sockets.h"
#include "platform/office/office_watchdog.h"
#include "platform/process/process.h"

namespace tuvo::office {

namespace {

namespace fs = std::filesystem;

// How long a request that passed its deadline may take to notice the ended office.
constexpr std::chrono::milliseconds AbandonWait{1000};
// The pause between two attempts to connect while the office starts, shorter while its sockets
// are still to be made owner-only.
constexpr std::chrono::milliseconds ConnectRetry{50};
constexpr std::chrono::milliseconds SocketLook{10};
// The converter's files and sockets are ours alone.
constexpr mode_t ConverterMask = 077;

using Clock = std::chrono::steady_clock;

std::chrono::milliseconds Remaining(Clock::time_point until) {
  return std::max(std::chrono::milliseconds{0},
                  std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now()));
}

std::string Seconds(std::chrono::milliseconds duration) {
  std::ostringstream text;
  text << duration.count() / 1000.0 << " s";
  return text.str();
}

// A small workbook of the kind the program saves: a Thai text, a number and a date.
bool WriteWarmUpWorkbook(const fs::path& path) {
  lxw_workbook* workbook = workbook_new(path.c_str());
  if (workbook == nullptr) return false;
  lxw_worksheet* sheet = workbook_add_worksheet(workbook, "สรุป");
  lxw_format* date = workbook_add_format(workbook);
  format_set_num_format(date, "d mmmm yyyy");
  if (sheet != nullptr) {
    worksheet_write_string(sheet, 0, 0, "ผลการคำนวณ", nullptr);
    worksheet_write_number(sheet, 1, 0, 1234.5, nullptr);
    worksheet_write_number(sheet, 2, 0, 39814, date);
  }
  return workbook_close(workbook) == LXW_NO_ERROR;
}

}  // namespace

OfficeInstance::OfficeInstance(Role role, std::string program, OfficeTimeouts timeouts)
    : role_(role), program_(std::move(program)), timeouts_(timeouts), pipeName_(NewPipeName()) {}

OfficeInstance::~OfficeInstance() { Release(); }

// Runs the request on a worker thread; past the deadline the converter is ended (which ends
// the request) and the viewer is given up on, unless the request only looked (a slow look on a
// busy machine says nothing of a viewer that does not answer).
template <typename Request>
auto OfficeInstance::Call(std::chrono::milliseconds deadline, const char* what, Request request, bool looking) {
  using Result = decltype(request());
  // A look at a viewer that let an earlier look pass its deadline waits for that one to answer.
  if (looking && *lookHung_) {
    throw OfficeError(OfficeError::Kind::NotAnswering, std::string("LibreOffice is still busy ") + what);
  }
  auto task = std::make_shared<std::packaged_task<Result()>>(std::move(request));
  std::future<Result> future = task->get_future();
  // Running, answered, or passed its deadline.
  enum State { Running, Answered, Hung };
  auto state = std::make_shared<std::atomic<int>>(Running);
  std::thread([task, state, lookHung = lookHung_]() mutable {
    (*task)();
    task.reset();
    if (state->exchange(Answered) == Hung) *lookHung = false;
  }).detach();
  if (future.wait_for(deadline) != std::future_status::ready) {
    if (role_ == Role::Converter) {
      End();
      future.wait_for(AbandonWait);
    } else if (!looking) {
      broken_ = true;
    } else {
      *lookHung_ = true;
      int running = Running;
      if (!state->compare_exchange_strong(running, Hung)) *lookHung_ = false;  // it answered just now
    }
    throw OfficeError(OfficeError::Kind::NotAnswering,
                      std::string("LibreOffice did not finish ") + what + " within " + Seconds(deadline));
  }
  try {
    return future.get();
  } catch (const uno::UnoError& error) {
    throw OfficeError(OfficeError::Kind::Failed, std::string("LibreOffice failed ") + what + ": " + error.what());
  }
}

void OfficeInstance::Start(std::optional<std::chrono::milliseconds> deadline) {
  if (aborted_) throw OfficeError(OfficeError::Kind::Failed, "the program is ending");
  const Clock::time_point until = Clock::now() + deadline.value_or(timeouts_.start);
  std::string pattern = (fs::temp_directory_path() / "tuvo-office-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) {
    throw OfficeError(OfficeError::Kind::Failed, "cannot make LibreOffice's folder in \"" +
                                                     fs::temp_directory_path().string() + "\": " + std::strerror(errno));
  }
  folder_ = pattern;
  std::error_code error;
  fs::create_directories(WorkFolder(), error);
  WriteQuietProfile(folder_ / "profile");

  const std::vector<std::string> arguments =
      InstanceArguments(folder_ / "profile", role_ == Role::Converter, pipeName_);
  // The office's own temporary files go with its folder.
  fs::create_directories(folder_ / "tmp", error);
  // The viewer keeps the user's umask, as the user saves files from it.
  const process::Started started =
      process::StartProcess(program_, arguments, folder_ / "office.log", -1, {"TMPDIR=" + (folder_ / "tmp").string()},
                   role_ == Role::Converter ? std::optional<mode_t>(ConverterMask) : std::nullopt);
  if (started.pid < 0) {
    const std::string failure = started.error;
    End();
    throw OfficeError(OfficeError::Kind::Missing, "LibreOffice (\"" + program_ + "\") cannot be started: " + failure);
  }
  pid_ = started.pid;
  if (aborted_) kill(-started.pid, SIGKILL);
  StartWatchdog();

  try {
    Connect(until);
    std::shared_ptr<uno::Connection> connection = connection_;
    if (role_ == Role::Viewer) {
      Call(Remaining(until), "warming up", [connection] { connection->WarmUp(); });
    } else {
      // The first conversion of an office loads its filters: one of our own makes the first save quick.
      const fs::path xlsx = WorkFolder() / "warm-up.xlsx";
      const fs::path xls = WorkFolder() / "warm-up.xls";
      if (WriteWarmUpWorkbook(xlsx)) {
        Call(Remaining(until), "warming up", [connection, xlsx, xls] { connection->ConvertToXls(xlsx, xls); });
      }
      fs::remove(xlsx, error);
      fs::remove(xls, error);
    }
  } catch (const OfficeError&) {
    End();  // it shows nothing yet
    throw;
  }
}

// Connects to the office once it accepts on its pipe. soffice is a launcher: the office behind it
// makes its sockets a while later, its profile's first. Each is made ours alone as soon as it is
// seen, and the UNO pipe's before we connect through it; the viewer's, which take the user's
// umask until then, are looked for every few milliseconds.
void OfficeInstance::Connect(Clock::time_point until) {
  const pid_t pid = pid_;
  const std::string pipe = pipeName_;
  const std::string mark = ProfileOption(folder_ / "profile");
  // The converter's sockets are made owner-only by its umask already.
  const std::chrono::milliseconds look = role_ == Role::Viewer ? SocketLook : ConnectRetry;
  auto sockets = std::make_shared<std::vector<fs::path>>();
  auto givenUp = std::make_shared<std::atomic<bool>>(false);
  try {
    connection_ = Call(Remaining(until), "starting", [pid, pipe, mark, look, sockets, givenUp]() -> std::shared_ptr<uno::Connection> {
      const fs::path accepting = PipeSocket(pipe);
      while (!*givenUp) {
        if (const std::optional<int> status = process::WaitProcess(pid, std::chrono::milliseconds{0})) {
          throw uno::UnoError("it ended while starting, with exit status " + std::to_string(*status));
        }
        *sockets = SocketsOfGroup(pid, mark);
        MakeOwnerOnly(*sockets);
        std::error_code error;
        if (fs::exists(accepting, error)) {
          MakeOwnerOnly({accepting});
          try {
            return uno::Connection::Connect(pipe);
          } catch (const uno::UnoError&) {
          }
        }
        std::this_thread::sleep_for(sockets->size() < 2 ? look : ConnectRetry);
      }
      throw uno::UnoError("the start was given up on");
    });
  } catch (const OfficeError&) {
    *givenUp = true;
    throw;
  }
  sockets_ = *sockets;
  if (std::find(sockets_.begin(), sockets_.end(), PipeSocket(pipe)) == sockets_.end()) {
    sockets_.push_back(PipeSocket(pipe));
  }
}

void OfficeInstance::Convert(const fs::path& xlsx, const fs::path& xls,
                             std::optional<std::chrono::milliseconds> deadline) {
  if (!Usable()) throw OfficeError(OfficeError::Kind::Failed, "LibreOffice is not running");
  std::shared_ptr<uno::Connection> connection = connection_;
  Call(deadline.value_or(timeouts_.convert), "the conversion", [connection, xlsx, xls] { connection->ConvertToXls(xlsx, xls); });
}

uno::DocumentId OfficeInstance::Show(const fs::path& file) {
  if (!Usable()) throw OfficeError(OfficeError::Kind::Failed, "LibreOffice is not running");
  std::shared_ptr<uno::Connection> connection = connection_;
  // From now on the viewer may hold a window, of ours or the user's, also if the show is slow.
  shown_ = true;
  watchdog_.NoteShown();
  return Call(timeouts_.window, "showing the workbook", [connection, file] { return connection->Show(file); });
}

void OfficeInstance::Close(uno::DocumentId document) {
  if (!Usable()) return;  // a dead viewer closed its windows with it
  std::shared_ptr<uno::Connection> connection = connection_;
  Call(timeouts_.window, "closing the workbook", [connection, document] { connection->Close(document); });
}

bool OfficeInstance::IsOpen(uno::DocumentId document) {
  if (!Usable()) return false;
  std::shared_ptr<uno::Connection> connection = connection_;
  try {
    return Call(
        timeouts_.window, "looking at the workbook", [connection, document] { return connection->IsOpen(document); },
        true);
  } catch (const OfficeError&) {
    return false;
  }
}

void OfficeInstance::CloseStartWindows() {
  std::shared_ptr<uno::Connection> connection = connection_;
  if (!connection || broken_ || !process::ProcessRunning(pid_)) return;
  try {
    Call(
        timeouts_.window, "closing its start window", [connection] { return connection->CloseStartWindows(); }, true);
  } catch (const OfficeError&) {
    // a viewer that does not answer is given up on by the call itself
  }
}

bool OfficeInstance::Usable() const { return connection_ != nullptr && !broken_ && process::ProcessRunning(pid_); }

void OfficeInstance::End() {
  const pid_t pid = pid_.exchange(-1);
  // An office ended by a signal leaves its sockets: those it holds now go with those seen before.
  if (pid > 0 && !folder_.empty()) {
    for (fs::path& socket : SocketsOfGroup(pid, ProfileOption(folder_ / "profile"))) sockets_.push_back(std::move(socket));
  }
  if (pid > 0) process::EndProcess(pid, std::chrono::milliseconds{0});
  connection_.reset();
  RemoveSockets(sockets_);
  RemoveSockets({PipeSocket(pipeName_)});
  sockets_.clear();
  watchdog_.LetGo();
  if (!folder_.empty()) {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
    folder_.clear();
  }
}

void OfficeInstance::Release() {
  if (pid_ <= 0) {
    End();  // tidies what a failed start left
    return;
  }
  connection_.reset();
  if (!watchdog_.Watching()) {
    // Without a watchdog only the converter can be ended here; the viewer is left to the user.
    if (role_ == Role::Converter || !shown_) {
      End();
    } else {
      process::ReapInBackground(pid_.exchange(-1));
    }
    return;
  }
  const pid_t pid = pid_.exchange(-1);
  watchdog_.LetGo();
  process::ReapInBackground(pid);
  folder_.clear();  // the watchdog's now
}

// The office ends, and with it the connection attempts of the start.
void OfficeInstance::Abort() {
  aborted_ = true;
  const pid_t pid = pid_;
  if (pid > 0) kill(-pid, SIGKILL);
}

void OfficeInstance::StartWatchdog() {
  // Without a watchdog the program's end still ends the converter; the viewer stays the user's.
  watchdog_.Start(role_ == Role::Converter ? OfficeWatchdog::Role::Converter : OfficeWatchdog::Role::Viewer, pid_,
                  pipeName_, folder_, timeouts_.watchCount);
}

}  // namespace tuvo::office
