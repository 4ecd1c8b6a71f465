#include "forms/tuvo_app.h"

#include <QCoreApplication>

#include "platform/office/office_service.h"
#include "platform/office/office_workbook_windows.h"

namespace tuvo {

TuvoApp::TuvoApp() : End([] { QCoreApplication::exit(0); }) {}

TuvoApp::~TuvoApp() {
  delete main_.data();
  delete about_.data();
  // The service ends with the last application that uses it; a shown workbook stays open.
  if (office_ && office::OfficeService::Current() == office_) office::OfficeService::Install(nullptr);
}

void TuvoApp::Start() { ShowMain(); }

void TuvoApp::StartOfficeService() {
  if (office_) return;
  office_ = std::make_shared<office::OfficeService>();
  office::OfficeService::Install(office_);
  office_->StartInBackground(office::OfficeWorkbookWindows::HasDisplay());
}

// A new main window loads afresh on the fields that outlived the previous one.
void TuvoApp::ShowMain() {
  main_ = new frmTUVO(fields_, this);
  main_->setAttribute(Qt::WA_DeleteOnClose);
  main_->show();
}

// The About box opens first, so that closing the main window does not end the program.
void TuvoApp::ShowAboutBox() {
  if (about_.isNull()) {
    about_ = new frmTUVO3(this);
    about_->setAttribute(Qt::WA_DeleteOnClose);
  }
  about_->show();
  if (!main_.isNull()) {
    frmTUVO* closing = main_.data();
    main_ = nullptr;
    closing->close();  // destroyed once its click handler has returned
  }
}

// The main window comes back before the box closes, for the same reason.
void TuvoApp::CloseAboutBox() {
  if (main_.isNull()) ShowMain();
  if (!about_.isNull()) {
    frmTUVO3* closing = about_.data();
    about_ = nullptr;
    closing->close();
  }
}

void TuvoApp::EndProgram() {
  if (End) End();
}

}  // namespace tuvo
