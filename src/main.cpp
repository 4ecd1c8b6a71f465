// Starts the Qt application and opens the main window.
#include <QApplication>

#include "forms/tuvo_app.h"
#include "platform/office/uno_client.h"

int main(int argc, char** argv) {
  int status = 0;
  {
    QApplication app(argc, argv);
    tuvo::TuvoApp tuvo;
    tuvo.Start();
    tuvo.StartOfficeService();
    status = app.exec();
  }
  // A request to an office that does not answer may still be at work in the UNO libraries.
  tuvo::office::uno::Exit(status);
}
