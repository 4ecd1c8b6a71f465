#include "platform/sheet/office_instance.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <future>
#include <random>
#include <sstream>
#include <thread>

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <xlsxwriter.h>

#include "platform/sheet/process.h"

namespace tuvo::sheet {

namespace {

namespace fs = std::filesystem;

// How long the converter may take to end when asked, before it is ended by force.
constexpr std::chrono::milliseconds EndGrace{500};
// How long a request that passed its deadline may take to notice the ended office.
constexpr std::chrono::milliseconds AbandonWait{5000};
// How long the watchdog may take to tidy up once told that the instance is gone.
constexpr std::chrono::milliseconds WatchdogGrace{3000};
// The pause between two attempts to connect while the office starts.
constexpr std::chrono::milliseconds ConnectRetry{50};

// A short pipe name of our own: the process id and a random part.
std::string NewPipeName() {
  std::random_device device;
  std::ostringstream name;
  name << "tuvo" << getpid() << '_' << std::hex << (device() & 0xFFFFFFu);
  return name.str();
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

fs::path OfficeWatchProgram() {
  std::error_code error;
  const fs::path beside = fs::read_symlink("/proc/self/exe", error).parent_path() / "tuvo-office-watch";
  if (!error && fs::exists(beside, error)) return beside;
#ifdef TUVO_BUILD_OFFICE_WATCH
  return TUVO_BUILD_OFFICE_WATCH;
#else
  return beside;
#endif
}

OfficeInstance::OfficeInstance(Role role, std::string program, OfficeTimeouts timeouts)
    : role_(role), program_(std::move(program)), timeouts_(timeouts), pipeName_(NewPipeName()) {}

OfficeInstance::~OfficeInstance() {
  if (role_ == Role::Viewer && windows_ > 0) {
    // What the user sees stays; the watchdog ends the instance after its last window.
    connection_.reset();
    CloseWatchdog();
    return;
  }
  End();
}

// Runs the request on a worker thread; past the deadline the converter is ended (which ends
// the request) and the viewer is given up on, unless the request only looked (a slow look on a
// busy machine says nothing of a viewer that does not answer).
template <typename Request>
auto OfficeInstance::Call(std::chrono::milliseconds deadline, const char* what, Request request, bool looking) {
  using Result = decltype(request());
  auto task = std::make_shared<std::packaged_task<Result()>>(std::move(request));
  std::future<Result> future = task->get_future();
  std::thread([task]() mutable {
    // Counted until what the request holds is let go of too, which may also speak UNO.
    uno::RunningRequest running;
    (*task)();
    task.reset();
  }).detach();
  if (future.wait_for(deadline) != std::future_status::ready) {
    if (role_ == Role::Converter) {
      End();
      future.wait_for(AbandonWait);
    } else if (!looking) {
      broken_ = true;
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
  std::string pattern = (fs::temp_directory_path() / "tuvo-office-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) {
    throw OfficeError(OfficeError::Kind::Failed, "cannot make LibreOffice's folder in \"" +
                                                     fs::temp_directory_path().string() + "\": " + std::strerror(errno));
  }
  folder_ = pattern;
  std::error_code error;
  fs::create_directories(WorkFolder(), error);
  WriteQuietProfile(folder_ / "profile");

  std::vector<std::string> arguments{"-env:UserInstallation=" + FileUrl(folder_ / "profile")};
  if (role_ == Role::Converter) arguments.emplace_back("--headless");
  for (const char* option : {"--invisible", "--nologo", "--norestore", "--nolockcheck", "--nodefault",
                             "--nofirststartwizard"}) {
    arguments.emplace_back(option);
  }
  arguments.push_back("--accept=pipe,name=" + pipeName_ + ";urp;StarOffice.ComponentContext");
  // The office's own temporary files go with its folder.
  fs::create_directories(folder_ / "tmp", error);
  const Started started =
      StartProcess(program_, arguments, folder_ / "office.log", -1, {"TMPDIR=" + (folder_ / "tmp").string()});
  if (started.pid < 0) {
    throw OfficeError(OfficeError::Kind::Missing, "LibreOffice (\"" + program_ + "\") cannot be started: " + started.error);
  }
  pid_ = started.pid;
  if (aborted_) kill(-started.pid, SIGKILL);
  StartWatchdog();

  // soffice is a launcher: the office behind it opens the pipe a while later.
  const pid_t pid = pid_;
  const std::string pipe = pipeName_;
  try {
    connection_ = Call(deadline.value_or(timeouts_.start), "starting", [pid, pipe]() -> std::shared_ptr<uno::Connection> {
    while (true) {
      if (const std::optional<int> status = WaitProcess(pid, std::chrono::milliseconds{0})) {
        throw uno::UnoError("it ended while starting, with exit status " + std::to_string(*status));
      }
      try {
        return uno::Connection::Connect(pipe);
      } catch (const uno::UnoError&) {
        std::this_thread::sleep_for(ConnectRetry);
      }
    }
  });
    std::shared_ptr<uno::Connection> connection = connection_;
    if (role_ == Role::Viewer) {
      Call(deadline.value_or(timeouts_.start), "warming up", [connection] { connection->WarmUp(); });
    } else {
      // The first conversion of an office loads its filters: one of our own makes the first save quick.
      const fs::path xlsx = WorkFolder() / "warm-up.xlsx";
      const fs::path xls = WorkFolder() / "warm-up.xls";
      if (WriteWarmUpWorkbook(xlsx)) {
        Call(deadline.value_or(timeouts_.start), "warming up", [connection, xlsx, xls] {
          connection->ConvertToXls(xlsx, xls);
        });
      }
      fs::remove(xlsx, error);
      fs::remove(xls, error);
    }
  } catch (const OfficeError&) {
    End();  // it shows nothing yet
    throw;
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
  const uno::DocumentId document =
      Call(timeouts_.window, "showing the workbook", [connection, file] { return connection->Show(file); });
  ++windows_;
  return document;
}

void OfficeInstance::Close(uno::DocumentId document) {
  if (windows_ > 0) --windows_;
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
  if (!connection || broken_ || !ProcessRunning(pid_)) return;
  try {
    Call(
        timeouts_.window, "closing its start window", [connection] { return connection->CloseStartWindows(); }, true);
  } catch (const OfficeError&) {
    // a viewer that does not answer is given up on by the call itself
  }
}

bool OfficeInstance::Usable() const { return connection_ != nullptr && !broken_ && ProcessRunning(pid_); }

void OfficeInstance::End() {
  const pid_t pid = pid_.exchange(-1);
  if (pid > 0) EndProcess(pid, role_ == Role::Converter ? std::chrono::milliseconds{0} : EndGrace);
  windows_ = 0;
  connection_.reset();
  CloseWatchdog();
  if (!folder_.empty()) {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
    folder_.clear();
  }
}

// The office ends, and with it the connection attempts of the start.
void OfficeInstance::Abort() {
  aborted_ = true;
  const pid_t pid = pid_;
  if (pid > 0) kill(-pid, SIGKILL);
}

void OfficeInstance::StartWatchdog() {
  int ends[2];
  if (pipe2(ends, O_CLOEXEC) != 0) return;  // no watchdog then: the program's end still ends the instance
  const Started started = StartProcess(OfficeWatchProgram().string(),
                                       {role_ == Role::Converter ? "converter" : "viewer", std::to_string(pid_.load()),
                                        pipeName_, folder_.string()},
                                       folder_ / "watchdog.log", ends[0]);
  close(ends[0]);
  if (started.pid < 0) {
    close(ends[1]);
    return;
  }
  watchdog_ = started.pid;
  watchdogPipe_ = ends[1];
}

void OfficeInstance::CloseWatchdog() {
  if (watchdogPipe_ >= 0) close(watchdogPipe_);
  watchdogPipe_ = -1;
  if (watchdog_ > 0 && pid_ < 0) {
    // The instance is gone: the watchdog only tidies up and ends, reaped without waiting for it.
    std::thread([watchdog = watchdog_] {
      if (!WaitProcess(watchdog, WatchdogGrace)) kill(-watchdog, SIGKILL);
      EndProcess(watchdog, std::chrono::milliseconds{0});
    }).detach();
    watchdog_ = -1;
  }
}

}  // namespace tuvo::sheet
