#include "platform/sheet/application.h"

#include <algorithm>

namespace tuvo::sheet {

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

Application::Application(std::shared_ptr<WorkbookSaver> saver, std::shared_ptr<WorkbookWindows> windows)
    : saver_(std::move(saver)), windows_(std::move(windows)) {}

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
  if (windows_) windows_->CloseAll();
  quit_ = true;
}

bool Application::IsShowing(const Workbook& workbook) const { return windows_ && windows_->IsShowing(workbook); }

void Application::SaveWorkbook(const Workbook& workbook, const std::filesystem::path& target, SavedFile& last) {
  if (!saver_) throw SheetError("saving \"" + target.string() + "\": this spreadsheet application saves no files");
  saver_->Save(workbook, target, last);
}

void Application::WorkbookSaved(Workbook& workbook) {
  if (visible_ && windows_) windows_->Show(workbook);
}

void Application::WorkbookClosed(Workbook& workbook) {
  if (windows_) windows_->Close(workbook);
  const auto it = std::find_if(open_.begin(), open_.end(), [&](const auto& w) { return w.get() == &workbook; });
  if (it != open_.end()) {
    closed_.push_back(std::move(*it));
    open_.erase(it);
  }
}

}  // namespace tuvo::sheet
