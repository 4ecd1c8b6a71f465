#include "platform/sheet/workbook.h"

#include <algorithm>
#include <filesystem>

#include "platform/sheet/application.h"

namespace tuvo::sheet {

Workbook::Workbook(Application& application, std::string name)
    : application_(&application), name_(std::move(name)), created_(std::time(nullptr)) {
  for (const char* sheetName : {"Sheet1", "Sheet2", "Sheet3"}) {
    sheets_.push_back(std::make_unique<Worksheet>(*this, sheetName));
  }
  active_ = sheets_.front().get();
}

Workbook::~Workbook() = default;

void Workbook::CheckOpen() const {
  if (!open_) throw SheetError("the workbook \"" + name_ + "\" was closed");
}

std::vector<const Sheet*> Workbook::SheetList() const {
  std::vector<const Sheet*> list;
  for (const auto& sheet : sheets_) list.push_back(sheet.get());
  return list;
}

Sheet& Workbook::Sheets(std::string_view name) {
  CheckOpen();
  for (const auto& sheet : sheets_) {
    if (SameSheetName(sheet->Name(), name)) return *sheet;
  }
  throw SheetError("the workbook \"" + name_ + "\" has no sheet named \"" + std::string(name) + "\"");
}

Sheet& Workbook::Sheets(int position) {
  CheckOpen();
  if (position < 1 || position > SheetCount()) {
    throw SheetError("the workbook \"" + name_ + "\" has no sheet at position " + std::to_string(position));
  }
  return *sheets_[static_cast<std::size_t>(position - 1)];
}

int Workbook::SheetCount() const { return static_cast<int>(sheets_.size()); }

Worksheet& Workbook::Worksheets(int index) {
  CheckOpen();
  int seen = 0;
  for (const auto& sheet : sheets_) {
    if (sheet->Type() == Sheet::Kind::Worksheet && ++seen == index) return static_cast<Worksheet&>(*sheet);
  }
  throw SheetError("the workbook \"" + name_ + "\" has no worksheet " + std::to_string(index));
}

Worksheet& Workbook::Worksheets(std::string_view name) {
  Sheet& sheet = Sheets(name);
  if (sheet.Type() != Sheet::Kind::Worksheet) {
    throw SheetError("the sheet \"" + sheet.Name() + "\" is a chart sheet, not a worksheet");
  }
  return static_cast<Worksheet&>(sheet);
}

int Workbook::WorksheetCount() const {
  return static_cast<int>(std::count_if(sheets_.begin(), sheets_.end(), [](const auto& sheet) {
    return sheet->Type() == Sheet::Kind::Worksheet;
  }));
}

Chart& Workbook::AddChart() {
  CheckOpen();
  // Chart sheets count on from the last one added, skipping a name already taken.
  std::string name;
  do {
    name = "Chart" + std::to_string(++chartsAdded_);
  } while (std::any_of(sheets_.begin(), sheets_.end(),
                       [&](const auto& sheet) { return SameSheetName(sheet->Name(), name); }));
  auto chart = std::make_unique<Chart>(*this, name);
  Chart& added = *chart;
  sheets_.insert(sheets_.begin() + PositionOf(*active_), std::move(chart));
  active_ = &added;
  return added;
}

Sheet& Workbook::ActiveSheet() {
  CheckOpen();
  return *active_;
}

Chart& Workbook::ActiveChart() {
  CheckOpen();
  if (active_->Type() != Sheet::Kind::Chart) {
    throw SheetError("the active sheet \"" + active_->Name() + "\" is not a chart sheet");
  }
  return static_cast<Chart&>(*active_);
}

Range Workbook::Selection() {
  CheckOpen();
  if (active_->Type() != Sheet::Kind::Worksheet) {
    throw SheetError("the selection of the chart sheet \"" + active_->Name() + "\" is no range of cells");
  }
  auto& sheet = static_cast<Worksheet&>(*active_);
  return Range(sheet, sheet.SelectionAreas());
}

void Workbook::SaveAs(const std::string& path, int fileFormat) {
  CheckOpen();
  if (fileFormat != xl::Normal) {
    throw SheetError("saving \"" + path + "\": the file format " + std::to_string(fileFormat) +
                     " is not supported; only the normal workbook format is");
  }
  const std::filesystem::path target = std::filesystem::absolute(std::filesystem::path(path));
  application_->SaveWorkbook(*this, target, lastSave_);
  path_ = target.string();
  name_ = target.filename().string();
  application_->WorkbookSaved(*this);
}

void Workbook::Save() {
  CheckOpen();
  if (path_.empty()) throw SheetError("the workbook \"" + name_ + "\" has no file yet; it must be saved with a name first");
  SaveAs(path_, xl::Normal);
}

void Workbook::Close(bool saveChanges) {
  CheckOpen();
  if (saveChanges) Save();
  open_ = false;
  application_->WorkbookClosed(*this);
}

int Workbook::PositionOf(const Sheet& sheet) const {
  for (std::size_t i = 0; i < sheets_.size(); ++i) {
    if (sheets_[i].get() == &sheet) return static_cast<int>(i);
  }
  throw SheetError("the sheet \"" + sheet.Name() + "\" is not in the workbook \"" + name_ + "\"");
}

void Workbook::ActivateSheet(Sheet& sheet) {
  PositionOf(sheet);
  active_ = &sheet;
}

void Workbook::MoveSheet(Sheet& sheet, Sheet& after) {
  if (&sheet == &after) return;
  const int from = PositionOf(sheet);
  std::unique_ptr<Sheet> moving = std::move(sheets_[static_cast<std::size_t>(from)]);
  sheets_.erase(sheets_.begin() + from);
  sheets_.insert(sheets_.begin() + PositionOf(after) + 1, std::move(moving));
}

void Workbook::DeleteSheet(Sheet& sheet) {
  const int position = PositionOf(sheet);
  if (sheets_.size() == 1) {
    throw SheetError("the sheet \"" + sheet.Name() + "\" is the last sheet of the workbook and cannot be deleted");
  }
  // The sheet to the right becomes active, or the one to the left of the last sheet.
  if (active_ == &sheet) {
    const std::size_t next = static_cast<std::size_t>(position) + 1 < sheets_.size()
                                 ? static_cast<std::size_t>(position) + 1
                                 : static_cast<std::size_t>(position) - 1;
    active_ = sheets_[next].get();
  }
  sheet.deleted_ = true;
  deleted_.push_back(std::move(sheets_[static_cast<std::size_t>(position)]));
  sheets_.erase(sheets_.begin() + position);
}

}  // namespace tuvo::sheet
