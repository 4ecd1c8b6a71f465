#include "platform/sheet/application.h"

#include <algorithm>

#include "platform/sheet/office_service.h"
#include "platform/sheet/viewer.h"

namespace tuvo::sheet {

OfficeService* OfficeSettings::ServiceOfProgram() const {
  return service && service->Program() == program ? service.get() : nullptr;
}

Workbook& Workbooks::Add() { return application_->AddWorkbook(); }

int Workbooks::Count() const {
  application_->CheckRunning();
  return static_cast<int>(application_->open_.size());
}

Workbook& Workbooks::operator()(int index) {
  application_->CheckRunning();
  if (index < 1 || index > Count()) throw SheetError("there is no open workbook " + std::to_string(index));
  return *application_->open_[static_cast<std::size_t>(index - 1)];
}

Application::Application() : viewer_(std::make_unique<Viewer>()) { office_.service = OfficeService::Current(); }

Application::~Application() = default;

void Application::CheckRunning() const {
  if (quit_) throw SheetError("the spreadsheet application has quit");
}

Workbook& Application::AddWorkbook() {
  CheckRunning();
  open_.push_back(std::make_unique<Workbook>(*this, "Book" + std::to_string(++workbooksAdded_)));
  return *open_.back();
}

Workbook& Application::ActiveWorkbook() {
  CheckRunning();
  if (open_.empty()) throw SheetError("the spreadsheet application has no open workbook");
  return *open_.back();
}

void Application::Quit() {
  if (quit_) return;
  while (!open_.empty()) open_.back()->Close(false);
  viewer_->CloseAll();
  quit_ = true;
}

bool Application::IsShowing(const Workbook& workbook) const { return viewer_->IsShowing(workbook); }

void Application::WorkbookSaved(Workbook& workbook) {
  if (visible_) viewer_->Show(workbook, office_.program, office_.ServiceOfProgram());
}

void Application::WorkbookClosed(Workbook& workbook) {
  viewer_->Close(workbook);
  const auto it = std::find_if(open_.begin(), open_.end(), [&](const auto& w) { return w.get() == &workbook; });
  if (it != open_.end()) {
    closed_.push_back(std::move(*it));
    open_.erase(it);
  }
}

}  // namespace tuvo::sheet
