// tuvo-drive SCENARIO_FILE: plays a scenario on the program's main window (a test tool).
#include <QApplication>

#include <iostream>

#include "drive/driver.h"

int main(int argc, char** argv) {
  // Qt takes its own options (-platform ...) out of the arguments.
  QApplication app(argc, argv);
  if (argc != 2) {
    std::cerr << "usage: tuvo-drive SCENARIO_FILE\n";
    return 2;
  }
  return tuvo::drive::RunScenarioFile(argv[1], std::cout);
}
