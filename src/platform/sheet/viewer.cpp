#include "platform/sheet/viewer.h"

#include <QGuiApplication>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/sheet/process.h"
#include "platform/sheet/workbook.h"

namespace tuvo::sheet {

namespace {

namespace fs = std::filesystem;

// How long a window may take to close when asked before it is ended by force.
constexpr std::chrono::milliseconds CloseGrace{3000};

bool Set(const char* variable) {
  const char* value = std::getenv(variable);
  return value != nullptr && *value != '\0';
}

}  // namespace

// One window: the process showing the file and its private profile folder.
struct Viewer::Window {
  pid_t pid = -1;
  fs::path profile;

  ~Window() {
    if (pid > 0) EndProcess(pid, CloseGrace);
    std::error_code ignored;
    if (!profile.empty()) fs::remove_all(profile, ignored);
  }
};

Viewer::Viewer() = default;

Viewer::~Viewer() = default;

bool Viewer::HasDisplay() {
  if (qGuiApp != nullptr) {
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal")) return false;
  }
  return Set("DISPLAY") || Set("WAYLAND_DISPLAY");
}

void Viewer::Show(const Workbook& workbook, const std::string& program) {
  if (!HasDisplay()) return;
  Open(workbook, program, workbook.FullName());
}

void Viewer::Open(const Workbook& workbook, const std::string& program, const fs::path& file) {
  if (IsShowing(workbook)) return;
  windows_.erase(&workbook);
  auto window = std::make_unique<Window>();
  std::string pattern = (fs::temp_directory_path() / "tuvo-view-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) return;  // no window then; the file is saved all the same
  window->profile = pattern;
  const Started started = StartProcess(
      program, {"-env:UserInstallation=" + FileUrl(window->profile / "profile"), "--nologo", "--norestore", file.string()},
      window->profile / "viewer.log");
  if (started.pid < 0) return;  // no LibreOffice: nothing is shown
  window->pid = started.pid;
  windows_[&workbook] = std::move(window);
}

void Viewer::Close(const Workbook& workbook) { windows_.erase(&workbook); }

bool Viewer::IsShowing(const Workbook& workbook) const {
  const auto it = windows_.find(&workbook);
  return it != windows_.end() && ProcessRunning(it->second->pid);
}

std::optional<pid_t> Viewer::ProcessOf(const Workbook& workbook) const {
  const auto it = windows_.find(&workbook);
  if (it == windows_.end()) return std::nullopt;
  return it->second->pid;
}

}  // namespace tuvo::sheet
