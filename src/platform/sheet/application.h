// The spreadsheet application: its workbooks, visibility, alerts, and quitting.
#pragma once

#include <filesystem>
#include <memory>
#include <vector>

#include "platform/sheet/saved_file.h"
#include "platform/sheet/workbook.h"
#include "platform/sheet/workbook_saver.h"
#include "platform/sheet/workbook_windows.h"

namespace tuvo::sheet {

class Application;

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

class Application {
 public:
  // Saves go to `saver` and saved workbooks show in `windows`. Without a saver a save throws
  // SheetError; without windows nothing is shown.
  explicit Application(std::shared_ptr<WorkbookSaver> saver = nullptr,
                       std::shared_ptr<WorkbookWindows> windows = nullptr);
  // Leaves the windows it opened open, unless it quit: ending the program without Quit keeps
  // the saved workbooks on screen.
  virtual ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // Visible: a saved workbook is then shown in its window (where one can be shown); invisible:
  // nothing is shown.
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

  // Whether a window shows the workbook's saved file right now (tests).
  bool IsShowing(const Workbook& workbook) const;

 private:
  friend class sheet::Workbooks;
  friend class Workbook;
  void CheckRunning() const;
  Workbook& AddWorkbook();
  // Hands a workbook's save to the saver; without one it throws SheetError.
  void SaveWorkbook(const Workbook& workbook, const std::filesystem::path& target, SavedFile& last);
  void WorkbookSaved(Workbook& workbook);
  void WorkbookClosed(Workbook& workbook);

  bool visible_ = false;
  bool displayAlerts_ = true;
  bool quit_ = false;
  int workbooksAdded_ = 0;
  std::vector<std::unique_ptr<Workbook>> open_;
  std::vector<std::unique_ptr<Workbook>> closed_;  // kept so that stale references fail cleanly
  std::shared_ptr<WorkbookSaver> saver_;
  std::shared_ptr<WorkbookWindows> windows_;
};

}  // namespace tuvo::sheet
