// The windows that show saved workbooks: a window of the office service's viewer where the
// program has one, else one LibreOffice Calc process per workbook, each with its own profile
// folder. Either way closing a workbook closes exactly its window, and nothing else: what the user
// opened in that LibreOffice stays. A viewer that goes away without closing its windows leaves
// them open to the user (the program ends, the result stays on screen).
#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include <sys/types.h>

#include "platform/office/office_settings.h"
#include "platform/sheet/workbook_windows.h"

namespace tuvo::office {

class OfficeService;

class OfficeWorkbookWindows : public sheet::WorkbookWindows {
 public:
  // Shows workbooks as `office` names at the time of each Show (none: the default settings).
  explicit OfficeWorkbookWindows(std::shared_ptr<const OfficeSettings> office = nullptr);
  ~OfficeWorkbookWindows() override;  // leaves every open window open and signals none of them
  OfficeWorkbookWindows(const OfficeWorkbookWindows&) = delete;
  OfficeWorkbookWindows& operator=(const OfficeWorkbookWindows&) = delete;

  // Shows the saved file of the workbook with the program and service of the settings.
  void Show(const sheet::Workbook& workbook) override;
  // Shows the saved file of the workbook, when there is a display, unless our window shows it
  // already: in the viewer of `service` where it has one that works, else in a process of
  // `program`. Without a display or without LibreOffice nothing is shown; that is no failure.
  void Show(const sheet::Workbook& workbook, const std::string& program, OfficeService* service);
  // Opens `file` in the service's viewer for the workbook; false when the service has no viewer.
  bool OpenInService(const sheet::Workbook& workbook, OfficeService& service, const std::filesystem::path& file);
  // Opens `file` in `program` (LibreOffice Calc) for the workbook, display or not.
  void Open(const sheet::Workbook& workbook, const std::string& program, const std::filesystem::path& file);
  // Closes the workbook's window, whether or not it was opened and whether or not it is still open.
  void Close(const sheet::Workbook& workbook) override;
  // Closes every window.
  void CloseAll() override;
  // Whether our window of the workbook is open (the user may have closed it).
  bool IsShowing(const sheet::Workbook& workbook) const override;
  // The process of the workbook's window (tests).
  std::optional<pid_t> ProcessOf(const sheet::Workbook& workbook) const;

  // Whether windows can be shown at all: a display, and not the offscreen platform.
  static bool HasDisplay();

 private:
  struct Window;
  std::shared_ptr<const OfficeSettings> office_;
  std::map<const sheet::Workbook*, std::unique_ptr<Window>> windows_;
};

}  // namespace tuvo::office
