// tuvo-drive SCENARIO_FILE: plays a scenario on the program's main window (a test tool). With
// TUVO_DRIVE_OFFICE=1 the saves go through a warm LibreOffice converter of the driver's own, as
// in the program, which the scenario waits for however long a loaded machine makes its start;
// otherwise through the one-shot conversion, which has as long.
#include <QApplication>

#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>

#include "drive/driver.h"
#include "platform/crash_trace.h"
#include "platform/office/office_service.h"
#include "platform/office/uno_client.h"
#include "platform/xls/office_application.h"
#include "support/office_wait.h"

int main(int argc, char** argv) {
  tuvo::system::InstallCrashTrace();
  int status = 0;
  {
    // Qt takes its own options (-platform ...) out of the arguments.
    QApplication app(argc, argv);
    if (argc != 2) {
      std::cerr << "usage: tuvo-drive SCENARIO_FILE\n";
      return 2;
    }
    // Otherwise each save's one-shot conversion may take as long as a loaded machine makes it.
    tuvo::xls::OfficeApplication::SetStartingOneShotTimeout(tuvo::test::OfficeReadyBound);
    std::shared_ptr<tuvo::office::OfficeService> office;
    if (const char* wanted = std::getenv("TUVO_DRIVE_OFFICE"); wanted != nullptr && std::string(wanted) == "1") {
      office = std::make_shared<tuvo::office::OfficeService>("soffice", tuvo::test::PatientTimeouts());
      tuvo::office::OfficeService::Install(office);
      office->StartInBackground(false);
      if (!office->WaitForConverter(tuvo::test::OfficeReadyBound)) std::cerr << "the converter is still starting\n";
    }
    status = tuvo::drive::RunScenarioFile(argv[1], std::cout);
    tuvo::office::OfficeService::Install(nullptr);
  }
  // A request to the converter may still be at work in the UNO libraries.
  tuvo::office::uno::Exit(status);
}
