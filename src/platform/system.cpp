// Operating-system services over Qt and the C++ library.
#include "platform/system.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QObject>
#include <QPointer>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <stdexcept>
#include <system_error>
#include <utility>

#include <sys/wait.h>

#include "platform/process/process.h"

namespace tuvo::system {

namespace {

namespace fs = std::filesystem;

// Keyboard, mouse, wheel, touch, tablet and shortcut events, and what a person does with them
// (context menus, drops, input-method text).
bool IsUserInput(const QEvent& event) {
  switch (event.type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::InputMethod:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonRelease:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::NonClientAreaMouseMove:
    case QEvent::Wheel:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
    case QEvent::TabletPress:
    case QEvent::TabletMove:
    case QEvent::TabletRelease:
    case QEvent::NativeGesture:
    case QEvent::Gesture:
    case QEvent::ContextMenu:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
      return true;
    default:
      // Close is let through: Qt delivers a window closed from code as a window-system event
      // too, and the run unloads its progress window while input is still blocked.
      return false;
  }
}

// Drops user input on its way to any object of the application.
class InputFilter : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* /*watched*/, QEvent* event) override { return IsUserInput(*event); }
};

struct BlockState {
  bool requested = false;  // by BlockInput
  int guards = 0;          // live ScopedInputBlock objects
  QPointer<InputFilter> filter;
};

// The one blocking state of the application.
BlockState& State() {
  static BlockState state;
  return state;
}

// Installs or removes the filter to match the requests.
void ApplyBlock() {
  BlockState& state = State();
  const bool wanted = state.requested || state.guards > 0;
  QCoreApplication* app = QCoreApplication::instance();
  if (wanted && !state.filter && app != nullptr) {
    state.filter = new InputFilter(app);
    app->installEventFilter(state.filter);
  } else if (!wanted && state.filter) {
    // A run does not pump events, so what the user typed or clicked meanwhile is still queued;
    // deliver it while the filter is in place so that it is dropped, not replayed afterwards.
    QCoreApplication::processEvents();
    if (state.requested || state.guards > 0) return;  // blocked again meanwhile
    if (state.filter) {
      if (app != nullptr) app->removeEventFilter(state.filter);
      delete state.filter;
    }
  }
}

// The browser program set by tests; empty means xdg-open.
std::string& BrowserOverride() {
  static std::string program;
  return program;
}

// The help page set by tests; empty means the lookup.
fs::path& HelpPageOverride() {
  static fs::path page;
  return page;
}

// The clock set by tests; empty means the system clock.
std::function<locale::DateTime()>& ClockOverride() {
  static std::function<locale::DateTime()> clock;
  return clock;
}

// How often a started help-page opener is looked at.
constexpr std::chrono::milliseconds OpenerPoll{100};

// Reaps the opener once it ends, from the event loop without blocking it, and calls `failed`
// when it ended with a non-zero code or by a signal. Not waited for when the program ends: the
// timer goes with the application and the opener runs on.
void WatchOpener(pid_t pid, std::function<void()> failed) {
  QCoreApplication* app = QCoreApplication::instance();
  if (app == nullptr) return;  // no event loop to report on
  auto* timer = new QTimer(app);
  QObject::connect(timer, &QTimer::timeout, timer, [timer, pid, failed = std::move(failed)] {
    int status = 0;
    const pid_t ended = waitpid(pid, &status, WNOHANG);
    if (ended == 0 || (ended < 0 && errno == EINTR)) return;  // still running
    timer->stop();
    timer->deleteLater();
    if (ended == pid && !(WIFEXITED(status) && WEXITSTATUS(status) == 0)) failed();
  });
  timer->start(OpenerPoll);
}

// Qt's UTF-16 path as a file-system path (UTF-8 on Linux).
fs::path ToPath(const QString& text) { return fs::path(text.toStdString()); }

// A path in quotes for error messages.
std::string Quoted(const fs::path& path) { return "\"" + path.string() + "\""; }

// The local time from the C library (the C++ library at hand has no time zones).
locale::DateTime SystemNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  using namespace std::chrono;
  return {year{local.tm_year + 1900} / month{static_cast<unsigned>(local.tm_mon + 1)} /
              day{static_cast<unsigned>(local.tm_mday)},
          local.tm_hour, local.tm_min, local.tm_sec};
}

}  // namespace

// The explicit request; guards keep their own count.
void BlockInput(bool block) {
  State().requested = block;
  ApplyBlock();
}

// Blocked by either kind of request.
bool InputBlocked() { return State().requested || State().guards > 0; }

// One more guard holds the block.
ScopedInputBlock::ScopedInputBlock() {
  ++State().guards;
  ApplyBlock();
}

// The guard lets go; the last one releases input.
ScopedInputBlock::~ScopedInputBlock() {
  --State().guards;
  try {
    ApplyBlock();
  } catch (...) {
    // Nothing may escape a destructor that runs while an error unwinds the run.
  }
}

// $HOME/TUVO_Output, or Qt's home folder when HOME is not set.
fs::path OutputFolder() {
  const char* home = std::getenv("HOME");
  const fs::path base = home != nullptr && *home != '\0' ? fs::path(home) : ToPath(QDir::homePath());
  return base / "TUVO_Output";
}

// An existing folder; a file of that name does not count.
bool FolderExists(const fs::path& folder) {
  std::error_code error;
  return fs::is_directory(folder, error);
}

// One level, as the run asks for; never the missing parents.
void CreateFolder(const fs::path& folder) {
  std::error_code error;
  if (fs::is_directory(folder, error)) return;
  const fs::path named = folder.has_filename() ? folder : folder.parent_path();
  if (fs::exists(folder, error)) {
    throw FolderError("cannot create folder " + Quoted(folder) + ": a file of that name is in the way",
                      SaveFailureKind::InTheWay, named, EEXIST);
  }
  const fs::path parent = named.parent_path();
  if (!parent.empty() && !fs::is_directory(parent, error)) {
    throw FolderError("cannot create folder " + Quoted(folder) + ": its parent folder " + Quoted(parent) +
                          " does not exist",
                      SaveFailureKind::FolderNotMade, named, ENOENT);
  }
  if (FileFaultInjected(parent, FileCall::MakeFolder)) {
    error.assign(errno, std::generic_category());
  } else if (fs::create_directory(named, error) || !error) {
    return;
  }
  // Refused or full: the parent is where the trouble is; anything else leaves the folder unmade.
  const int number = error.value();
  const std::optional<SaveFailureKind> kind = KindOfErrorNumber(number);
  const bool inParent = kind == SaveFailureKind::NoSpace || kind == SaveFailureKind::NotWritable;
  throw FolderError("cannot create folder " + Quoted(folder) + ": " + error.message(),
                    inParent ? *kind : kind.value_or(SaveFailureKind::FolderNotMade), inParent ? parent : named,
                    number);
}

// Beside the installed program first, then the source tree of a build.
fs::path HelpPagePath() {
  if (!HelpPageOverride().empty()) return HelpPageOverride();
  const fs::path name = fs::path("share") / "TUVO_HELP.HTM";
  fs::path besideProgram = name;
  if (QCoreApplication::instance() != nullptr) {
    besideProgram = ToPath(QCoreApplication::applicationDirPath()) / name;
    if (fs::exists(besideProgram)) return besideProgram;
  }
#ifdef TUVO_SOURCE_SHARE
  const fs::path inSources = fs::path(TUVO_SOURCE_SHARE) / "TUVO_HELP.HTM";
  if (fs::exists(inSources)) return inSources;
#endif
  return besideProgram;
}

// Checks the page and the browser, then starts the browser in its own process group and
// watches for its exit code.
HelpPageResult StartHelpPage(std::function<void(const std::string&)> failed) {
  const fs::path page = HelpPagePath();
  if (!fs::is_regular_file(page)) {
    return {false, "ไม่พบหน้าคำอธิบายการใช้งาน " + page.string()};
  }
  const std::string program = BrowserOverride().empty() ? "xdg-open" : BrowserOverride();
  const QString qProgram = QString::fromStdString(program);
  const QString found = qProgram.contains('/') ? (QFileInfo(qProgram).isExecutable() ? qProgram : QString())
                                               : QStandardPaths::findExecutable(qProgram);
  if (found.isEmpty()) {
    return {false, "ไม่พบโปรแกรมเปิดหน้าเว็บ " + program};
  }
  const std::string notOpened = "เปิดหน้าคำอธิบายการใช้งานไม่ได้: " + program;
  const process::Started started = process::StartProcess(found.toStdString(), {page.string()}, {});
  if (started.pid < 0) return {false, notOpened};
  WatchOpener(started.pid, [failed = std::move(failed), notOpened] {
    if (failed) failed(notOpened);
  });
  return {true, {}};
}

// Test seam for the browser.
void SetBrowserProgram(std::string program) { BrowserOverride() = std::move(program); }

// Test seam for the help page.
void SetHelpPage(fs::path page) { HelpPageOverride() = std::move(page); }

// The replaceable clock.
locale::DateTime Now() { return ClockOverride() ? ClockOverride()() : SystemNow(); }

// Test seam for the clock.
void SetClock(std::function<locale::DateTime()> clock) { ClockOverride() = std::move(clock); }

// Qt's beep on the desktop.
void Beep() { QApplication::beep(); }

}  // namespace tuvo::system
