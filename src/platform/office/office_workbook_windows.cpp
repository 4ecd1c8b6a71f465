#include "platform/office/office_workbook_windows.h"

#include <QGuiApplication>

#include <cstdlib>

#include "platform/office/office_service.h"
#include "platform/office/office_window.h"
#include "platform/sheet/workbook.h"

namespace tuvo::office {

using sheet::Workbook;

namespace {

namespace fs = std::filesystem;

bool Set(const char* variable) {
  const char* value = std::getenv(variable);
  return value != nullptr && *value != '\0';
}

}  // namespace

// One window: a window of the service's viewer, or a LibreOffice of its own showing the file.
struct OfficeWorkbookWindows::Window {
  std::optional<ShownWindow> shown;
  std::unique_ptr<OfficeWindow> office;

  ~Window() {
    if (shown) {
      try {
        shown->viewer->Close(shown->document);
      } catch (const std::exception&) {
        // a viewer that does not answer keeps the window; it was given up on
      }
    }
    if (office) office->Close();
  }

  bool Open() const {
    if (shown) return shown->viewer->IsOpen(shown->document);
    return office && office->IsOpen();
  }

  // Lets the window go on without us: nothing is closed nor signalled.
  void Leave() {
    shown.reset();
    office.reset();
  }
};

OfficeWorkbookWindows::OfficeWorkbookWindows(std::shared_ptr<const OfficeSettings> office)
    : office_(office ? std::move(office) : std::make_shared<const OfficeSettings>()) {}

// The program may end now; what the user sees stays.
OfficeWorkbookWindows::~OfficeWorkbookWindows() {
  for (auto& [workbook, window] : windows_) window->Leave();
}

bool OfficeWorkbookWindows::HasDisplay() {
  if (qGuiApp != nullptr) {
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal")) return false;
  }
  return Set("DISPLAY") || Set("WAYLAND_DISPLAY");
}

void OfficeWorkbookWindows::Show(const Workbook& workbook) {
  Show(workbook, office_->program, office_->ServiceOfProgram());
}

void OfficeWorkbookWindows::Show(const Workbook& workbook, const std::string& program, OfficeService* service) {
  if (!HasDisplay()) return;
  if (service != nullptr && OpenInService(workbook, *service, workbook.FullName())) return;
  Open(workbook, program, workbook.FullName());
}

bool OfficeWorkbookWindows::OpenInService(const Workbook& workbook, OfficeService& service, const fs::path& file) {
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
  windows_[&workbook] = std::move(window);
  return true;
}

void OfficeWorkbookWindows::Open(const Workbook& workbook, const std::string& program, const fs::path& file) {
  if (IsShowing(workbook)) return;
  windows_.erase(&workbook);
  std::unique_ptr<OfficeWindow> office = OfficeWindow::Open(program, file);
  if (!office) return;  // no window then; the file is saved all the same
  auto window = std::make_unique<Window>();
  window->office = std::move(office);
  windows_[&workbook] = std::move(window);
}

void OfficeWorkbookWindows::Close(const Workbook& workbook) { windows_.erase(&workbook); }

// Each window ends as its record goes.
void OfficeWorkbookWindows::CloseAll() { windows_.clear(); }

bool OfficeWorkbookWindows::IsShowing(const Workbook& workbook) const {
  const auto it = windows_.find(&workbook);
  return it != windows_.end() && it->second->Open();
}

std::optional<pid_t> OfficeWorkbookWindows::ProcessOf(const Workbook& workbook) const {
  const auto it = windows_.find(&workbook);
  if (it == windows_.end()) return std::nullopt;
  if (it->second->shown) return it->second->shown->viewer->Process();
  if (it->second->office) return it->second->office->Process();
  return std::nullopt;
}

}  // namespace tuvo::office
