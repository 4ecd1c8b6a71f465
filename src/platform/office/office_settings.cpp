#include "platform/office/office_settings.h"

#include "platform/office/office_service.h"

namespace tuvo::office {

OfficeService* OfficeSettings::ServiceOfProgram() const {
  return service && service->Program() == program ? service.get() : nullptr;
}

}  // namespace tuvo::office
