#include "platform/office/viewer.h"

#include <QGuiApplication>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include <signal.h>
#include <sys/wait.h>

#include "platform/office/office_service.h"
#include "platform/office/office_watchdog.h"
#include "platform/process/process.h"
#include "platform/sheet/workbook.h"

namespace tuvo::sheet {

namespace {

namespace fs = std::filesystem;

// How long a window may take to close when asked before it is ended by force.
constexpr std::chrono::milliseconds CloseGrace{3000};
// A window's watchdog counts no windows; it only waits for the window to end.
constexpr std::chrono::milliseconds CountDeadline{0};

bool Set(const char* variable) {
  const char* value = std::getenv(variable);
  return value != nullptr && *value != '\0';
}

}  // namespace

// One window: a window of the service's viewer, or the process showing the file and its private
// profile folder.
struct Viewer::Window {
  std::optional<ShownWindow> shown;
  pid_t pid = -1;
  fs::path profile;
  fs::path file;
  // Removes the profile and the process's sockets once it ends, also after the program.
  OfficeWatchdog watchdog;

  ~Window() {
    if (shown) {
      try {
        shown->viewer->Close(shown->document);
      } catch (const std::exception&) {
        // a viewer that does not answer keeps the window; it was given up on
      }
    }
    if (pid > 0) EndProcess(pid, CloseGrace);
    Clean();
    watchdog.LetGo();
  }

  bool Open() const {
    if (shown) return shown->viewer->IsOpen(shown->document);
    return ProcessRunning(pid);
  }

  // Our lock file and profile folder, once nothing uses them any more.
  void Clean() const {
    RemoveOwnLock();
    std::error_code ignored;
    if (!profile.empty()) fs::remove_all(profile, ignored);
  }

  // Lets the window go on without us: no signal, and its profile stays while anything of its
  // process group (LibreOffice's own binary included) still runs on it.
  void Leave() {
    shown.reset();
    if (pid <= 0) return;
    if (watchdog.Watching()) {
      watchdog.LetGo();
      ReapInBackground(pid);
    } else {
      int status = 0;
      if (waitpid(pid, &status, WNOHANG) == pid && kill(-pid, 0) != 0 && errno == ESRCH) Clean();
    }
    pid = -1;
    profile.clear();
  }

  // LibreOffice ended by a signal leaves its lock file beside the workbook; ours names our
  // profile and goes, anyone else's stays.
  void RemoveOwnLock() const {
    if (file.empty() || profile.empty()) return;
    const fs::path lock = file.parent_path() / (".~lock." + file.filename().string() + "#");
    std::ifstream in(lock);
    std::string owner;
    std::getline(in, owner);
    if (owner.find(FileUrl(profile / "profile")) != std::string::npos) {
      std::error_code ignored;
      fs::remove(lock, ignored);
    }
  }
};

Viewer::Viewer(std::shared_ptr<const OfficeSettings> office)
    : office_(office ? std::move(office) : std::make_shared<const OfficeSettings>()) {}

// The program may end now; what the user sees stays.
Viewer::~Viewer() {
  for (auto& [workbook, window] : windows_) window->Leave();
}

bool Viewer::HasDisplay() {
  if (qGuiApp != nullptr) {
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal")) return false;
  }
  return Set("DISPLAY") || Set("WAYLAND_DISPLAY");
}

void Viewer::Show(const Workbook& workbook) { Show(workbook, office_->program, office_->ServiceOfProgram()); }

void Viewer::Show(const Workbook& workbook, const std::string& program, OfficeService* service) {
  if (!HasDisplay()) return;
  if (service != nullptr && OpenInService(workbook, *service, workbook.FullName())) return;
  Open(workbook, program, workbook.FullName());
}

bool Viewer::OpenInService(const Workbook& workbook, OfficeService& service, const fs::path& file) {
  if (IsShowing(workbook)) return true;
  std::optional<ShownWindow> shown;
  try {
    shown = service.Show(file);
  } catch (const std::exception&) {
    return false;  // the viewer failed it: a process of its own shows it instead
  }
  if (!shown) return false;
  windows_.erase(&workbook);
  auto window = std::make_unique<Window>();
  window->shown = std::move(shown);
  window->file = file;
  windows_[&workbook] = std::move(window);
  return true;
}

void Viewer::Open(const Workbook& workbook, const std::string& program, const fs::path& file) {
  if (IsShowing(workbook)) return;
  windows_.erase(&workbook);
  auto window = std::make_unique<Window>();
  std::string pattern = (fs::temp_directory_path() / "tuvo-view-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) return;  // no window then; the file is saved all the same
  window->profile = pattern;
  window->file = file;
  WriteQuietProfile(window->profile / "profile");
  const Started started = StartProcess(
      program, {ProfileOption(window->profile / "profile"), "--nologo", "--norestore", file.string()},
      window->profile / "viewer.log");
  if (started.pid < 0) {
    window->Clean();
    return;  // no LibreOffice: nothing is shown
  }
  window->pid = started.pid;
  window->watchdog.Start(OfficeWatchdog::Role::Window, started.pid, "", window->profile, CountDeadline);
  windows_[&workbook] = std::move(window);
}

void Viewer::Close(const Workbook& workbook) { windows_.erase(&workbook); }

// Each window ends as its record goes.
void Viewer::CloseAll() { windows_.clear(); }

bool Viewer::IsShowing(const Workbook& workbook) const {
  const auto it = windows_.find(&workbook);
  return it != windows_.end() && it->second->Open();
}

std::optional<pid_t> Viewer::ProcessOf(const Workbook& workbook) const {
  const auto it = windows_.find(&workbook);
  if (it == windows_.end()) return std::nullopt;
  if (it->second->shown) return it->second->shown->viewer->Process();
  return it->second->pid;
}

}  // namespace tuvo::sheet
