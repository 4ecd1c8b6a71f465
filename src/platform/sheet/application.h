// The spreadsheet application: its workbooks, visibility, alerts, and quitting.
#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "platform/sheet/workbook.h"

namespace tuvo::sheet {

class Application;
class OfficeService;
class Viewer;

// The open workbooks of an application.
class Workbooks {
 public:
  explicit Workbooks(Application& application) : application_(&application) {}
  // A new workbook ("Book1", "Book2", ...); it becomes the active workbook.
  Workbook& Add();
  int Count() const;
  Workbook& operator()(int index);  // 1-based, in order of opening

 private:
  Application* application_;
};

// The LibreOffice program that converts a saved workbook to .xls and shows it (found on PATH
// unless a path), how long one one-shot conversion may take, and the program's office service
// (used while its program is this program).
struct OfficeSettings {
  std::string program = "soffice";
  std::chrono::milliseconds timeout{60000};
  std::shared_ptr<OfficeService> service;

  // The service where its instances run this program; none otherwise (a test's stand-in).
  OfficeService* ServiceOfProgram() const;
};

class Application {
 public:
  Application();
  // Leaves the windows it opened open, unless it quit: ending the program without Quit keeps
  // the saved workbooks on screen.
  ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // Visible: a saved workbook is then shown in LibreOffice Calc (when there is a display and
  // LibreOffice); invisible: nothing is shown.
  void SetVisible(bool visible) { visible_ = visible; }
  bool Visible() const { return visible_; }
  // Alerts are stored for the callers that set them; this application never prompts.
  void SetDisplayAlerts(bool on) { displayAlerts_ = on; }
  bool DisplayAlerts() const { return displayAlerts_; }

  sheet::Workbooks Workbooks() { return sheet::Workbooks(*this); }
  // The active workbook: the last one added that is still open; none throws SheetError.
  Workbook& ActiveWorkbook();

  // Closes every workbook without saving and every window; the application cannot be used
  // afterwards (throws SheetError). Quitting twice does nothing more.
  void Quit();
  bool HasQuit() const { return quit_; }

  OfficeSettings& Office() { return office_; }
  const OfficeSettings& Office() const { return office_; }

  // Whether a window shows the workbook's saved file right now (tests).
  bool IsShowing(const Workbook& workbook) const;
  // The windows of the saved workbooks (tests open a stand-in window where no display is).
  sheet::Viewer& Windows() { return *viewer_; }

 private:
  friend class sheet::Workbooks;
  friend class Workbook;
  void CheckRunning() const;
  Workbook& AddWorkbook();
  void WorkbookSaved(Workbook& workbook);
  void WorkbookClosed(Workbook& workbook);

  bool visible_ = false;
  bool displayAlerts_ = true;
  bool quit_ = false;
  int workbooksAdded_ = 0;
  std::vector<std::unique_ptr<Workbook>> open_;
  std::vector<std::unique_ptr<Workbook>> closed_;  // kept so that stale references fail cleanly
  OfficeSettings office_;
  std::unique_ptr<Viewer> viewer_;
};

}  // namespace tuvo::sheet
