// Starts the Qt application and opens the main window.
#include <QApplication>

#include "forms/tuvo_app.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  tuvo::TuvoApp tuvo;
  tuvo.Start();
  tuvo.StartOfficeService();
  return app.exec();
}
