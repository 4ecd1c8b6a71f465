// A spreadsheet application set up with LibreOffice, as the program makes it: saves go to .xls
// through the office settings, and saved workbooks show in LibreOffice windows on the same
// settings. The settings and the windows stay at hand for the callers that set them up.
#pragma once

#include <chrono>
#include <memory>

#include "platform/office/office_settings.h"
#include "platform/office/office_workbook_windows.h"
#include "platform/sheet/application.h"

namespace tuvo::xls {

class OfficeApplication : public sheet::Application {
 public:
  // The default settings with the office service the program installed, if any.
  OfficeApplication();

  // What the saves and windows use from now on.
  office::OfficeSettings& Office() { return *office_; }
  const office::OfficeSettings& Office() const { return *office_; }
  // The windows of the saved workbooks (tests open a stand-in window where no display is).
  office::OfficeWorkbookWindows& Windows() { return *windows_; }

  // The one-shot conversion's deadline that applications made from now on start with, in place
  // of the settings' own; tests give a real LibreOffice on a loaded machine longer with it.
  static void SetStartingOneShotTimeout(std::chrono::milliseconds timeout);

  // The application as one set up with LibreOffice; none when it was made otherwise.
  static OfficeApplication* Of(sheet::Application& application);
  static const OfficeApplication* Of(const sheet::Application& application);

 private:
  // New windows on the settings.
  explicit OfficeApplication(const std::shared_ptr<office::OfficeSettings>& office);
  // The saver and the windows on the same settings.
  OfficeApplication(std::shared_ptr<office::OfficeSettings> office,
                    std::shared_ptr<office::OfficeWorkbookWindows> windows);

  std::shared_ptr<office::OfficeSettings> office_;
  std::shared_ptr<office::OfficeWorkbookWindows> windows_;
};

}  // namespace tuvo::xls
