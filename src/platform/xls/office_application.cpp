#include "platform/xls/office_application.h"

#include <atomic>
#include <stdexcept>

#include "platform/office/office_service.h"
#include "platform/xls/xls_saver.h"

namespace tuvo::sheet {

namespace {

// The one-shot deadline of new applications, in milliseconds: the settings' own unless set.
std::atomic<std::chrono::milliseconds::rep> startingOneShotTimeout{OfficeSettings{}.timeout.count()};

// The settings a new application starts with: the program's installed service.
std::shared_ptr<OfficeSettings> InstalledSettings() {
  auto office = std::make_shared<OfficeSettings>();
  office->service = OfficeService::Current();
  office->timeout = std::chrono::milliseconds{startingOneShotTimeout.load()};
  return office;
}

}  // namespace

OfficeApplication::OfficeApplication() : OfficeApplication(InstalledSettings()) {}

OfficeApplication::OfficeApplication(const std::shared_ptr<OfficeSettings>& office)
    : OfficeApplication(office, std::make_shared<Viewer>(office)) {}

OfficeApplication::OfficeApplication(std::shared_ptr<OfficeSettings> office, std::shared_ptr<Viewer> viewer)
    : Application(std::make_shared<XlsSaver>(office), viewer), office_(std::move(office)), viewer_(std::move(viewer)) {}

void OfficeApplication::SetStartingOneShotTimeout(std::chrono::milliseconds timeout) {
  if (timeout <= std::chrono::milliseconds::zero()) throw std::invalid_argument("a one-shot deadline must be positive");
  startingOneShotTimeout = timeout.count();
}

OfficeApplication* OfficeApplication::Of(Application& application) {
  return dynamic_cast<OfficeApplication*>(&application);
}

const OfficeApplication* OfficeApplication::Of(const Application& application) {
  return dynamic_cast<const OfficeApplication*>(&application);
}

}  // namespace tuvo::sheet
