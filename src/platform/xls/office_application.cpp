#include "platform/xls/office_application.h"

#include <atomic>
#include <stdexcept>

#include "platform/office/office_service.h"
#include "platform/xls/xls_saver.h"

namespace tuvo::xls {

namespace {

// The one-shot deadline of new applications, in milliseconds: the settings' own unless set.
std::atomic<std::chrono::milliseconds::rep> startingOneShotTimeout{office::OfficeSettings{}.timeout.count()};

// The settings a new application starts with: the program's installed service.
std::shared_ptr<office::OfficeSettings> InstalledSettings() {
  auto office = std::make_shared<office::OfficeSettings>();
  office->service = office::OfficeService::Current();
  office->timeout = std::chrono::milliseconds{startingOneShotTimeout.load()};
  return office;
}

}  // namespace

OfficeApplication::OfficeApplication() : OfficeApplication(InstalledSettings()) {}

OfficeApplication::OfficeApplication(const std::shared_ptr<office::OfficeSettings>& office)
    : OfficeApplication(office, std::make_shared<office::OfficeWorkbookWindows>(office)) {}

OfficeApplication::OfficeApplication(std::shared_ptr<office::OfficeSettings> office,
                                     std::shared_ptr<office::OfficeWorkbookWindows> windows)
    : sheet::Application(std::make_shared<XlsSaver>(office), windows),
      office_(std::move(office)),
      windows_(std::move(windows)) {}

void OfficeApplication::SetStartingOneShotTimeout(std::chrono::milliseconds timeout) {
  if (timeout <= std::chrono::milliseconds::zero()) throw std::invalid_argument("a one-shot deadline must be positive");
  startingOneShotTimeout = timeout.count();
}

OfficeApplication* OfficeApplication::Of(sheet::Application& application) {
  return dynamic_cast<OfficeApplication*>(&application);
}

const OfficeApplication* OfficeApplication::Of(const sheet::Application& application) {
  return dynamic_cast<const OfficeApplication*>(&application);
}

}  // namespace tuvo::xls
