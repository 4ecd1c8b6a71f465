#include "platform/sheet/worksheet.h"

#include <algorithm>
#include <cctype>

#include "platform/sheet/row_fit.h"
#include "platform/sheet/workbook.h"

namespace tuvo::sheet {

namespace {

constexpr std::size_t MaxSheetNameLength = 31;

// Characters of a UTF-8 text (code points).
std::size_t CharacterCount(std::string_view text) {
  return static_cast<std::size_t>(
      std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

bool Overlaps(const Area& a, const Area& b) {
  return a.firstRow <= b.lastRow && b.firstRow <= a.lastRow && a.firstColumn <= b.lastColumn &&
         b.firstColumn <= a.lastColumn;
}

bool Contains(const Area& a, int row, int column) {
  return row >= a.firstRow && row <= a.lastRow && column >= a.firstColumn && column <= a.lastColumn;
}

void CheckCell(int row, int column) {
  if (row < 1 || row > MaxRows || column < 1 || column > MaxColumns) {
    throw SheetError("the cell (" + std::to_string(row) + ", " + std::to_string(column) +
                     ") lies outside the sheet");
  }
}

const Value EmptyValue{};

// The area widened until no merged area lies partly inside it.
Area GrowOverMerged(Area area, const std::vector<Area>& merged) {
  for (bool grown = true; grown;) {
    grown = false;
    for (const Area& m : merged) {
      if (Overlaps(m, area) &&
          !(Contains(area, m.firstRow, m.firstColumn) && Contains(area, m.lastRow, m.lastColumn))) {
        area = {std::min(area.firstRow, m.firstRow), std::min(area.firstColumn, m.firstColumn),
                std::max(area.lastRow, m.lastRow), std::max(area.lastColumn, m.lastColumn)};
        grown = true;
      }
    }
  }
  return area;
}

// The height a cell asks of its row. A value merged over several rows sizes none of them.
double CellHeight(const Worksheet& sheet, int row, int column, const Cell& cell) {
  if (std::holds_alternative<std::monostate>(cell.value)) return FittedLineHeight(cell.format);
  if (const auto merged = sheet.MergeAreaOf(row, column); merged && merged->lastRow > merged->firstRow) {
    return FittedLineHeight(cell.format);
  }
  if (!std::holds_alternative<std::string>(cell.value) && !ShowsLongDate(cell.value, cell.format)) {
    return FittedNumberHeight(cell.format);
  }
  return FittedTextHeight(cell.format, ShownText(cell.value, cell.format));
}

}  // namespace

// --- Sheet ---

Sheet::Sheet(Workbook& workbook, Kind kind, std::string name)
    : workbook_(&workbook), kind_(kind), name_(std::move(name)) {}

Workbook& Sheet::Parent() const { return *workbook_; }

void Sheet::SetName(std::string_view name) {
  CheckAlive();
  const std::string text(name);
  if (name.empty() || CharacterCount(name) > MaxSheetNameLength) {
    throw SheetError("the sheet name \"" + text + "\" must have 1 to 31 characters");
  }
  if (name.find_first_of(":\\/?*[]") != std::string_view::npos || name.front() == '\'' ||
      name.back() == '\'') {
    throw SheetError("the sheet name \"" + text + "\" holds a character a sheet name cannot have");
  }
  for (const Sheet* other : workbook_->SheetList()) {
    if (other != this && SameSheetName(other->Name(), name)) {
      throw SheetError("the workbook already has a sheet named \"" + text + "\"");
    }
  }
  name_ = text;
}

int Sheet::Index() const {
  CheckAlive();
  return workbook_->PositionOf(*this) + 1;
}

void Sheet::Activate() {
  CheckAlive();
  workbook_->ActivateSheet(*this);
}

void Sheet::Select() { Activate(); }

void Sheet::Move(Sheet& after) {
  CheckAlive();
  after.CheckAlive();
  if (&after.Parent() != workbook_) {
    throw SheetError("the sheet \"" + name_ + "\" cannot move behind a sheet of another workbook");
  }
  workbook_->MoveSheet(*this, after);
}

void Sheet::Delete() {
  CheckAlive();
  workbook_->DeleteSheet(*this);
}

void Sheet::CheckAlive() const {
  workbook_->CheckOpen();
  if (deleted_) throw SheetError("the sheet \"" + name_ + "\" was deleted");
}

bool SameSheetName(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

// --- Worksheet ---

Worksheet::Worksheet(Workbook& workbook, std::string name)
    : Sheet(workbook, Kind::Worksheet, std::move(name)),
      standardWidth_(StandardColumnWidth),
      selection_{Area{1, 1, 1, 1}} {}

sheet::Range Worksheet::Cells(int row, int column) {
  CheckAlive();
  CheckCell(row, column);
  return sheet::Range(*this, {Area{row, column, row, column}});
}

sheet::Range Worksheet::Range(std::string_view address) {
  CheckAlive();
  return sheet::Range(*this, ParseAddress(address));
}

sheet::Range Worksheet::Range(const sheet::Range& first, const sheet::Range& last) {
  CheckAlive();
  if (&first.Sheet() != this || &last.Sheet() != this) {
    throw SheetError("the corners of a range on \"" + Name() + "\" lie on another sheet");
  }
  const Area& a = first.Areas().front();
  const Area& b = last.Areas().back();
  return sheet::Range(*this, {Area{std::min(a.firstRow, b.lastRow), std::min(a.firstColumn, b.lastColumn),
                                   std::max(a.firstRow, b.lastRow), std::max(a.firstColumn, b.lastColumn)}});
}

sheet::Range Worksheet::Columns(std::string_view address) {
  CheckAlive();
  std::vector<Area> areas = ParseAddress(address);
  for (const Area& area : areas) {
    if (!IsWholeColumns(area)) {
      throw SheetError("the address \"" + std::string(address) + "\" names no whole columns");
    }
  }
  return sheet::Range(*this, std::move(areas));
}

sheet::Range Worksheet::Columns(int column) {
  CheckAlive();
  CheckCell(1, column);
  return sheet::Range(*this, {Area{1, column, MaxRows, column}});
}

sheet::Range Worksheet::AllCells() {
  CheckAlive();
  return sheet::Range(*this, {Area{1, 1, MaxRows, MaxColumns}});
}

std::optional<Area> Worksheet::MergeAreaOf(int row, int column) const {
  for (const Area& area : merged_) {
    if (Contains(area, row, column)) return area;
  }
  return std::nullopt;
}

const Value& Worksheet::ValueAt(int row, int column) const {
  if (auto merged = MergeAreaOf(row, column)) {
    row = merged->firstRow;
    column = merged->firstColumn;
  }
  const auto it = cells_.find({row, column});
  return it == cells_.end() ? EmptyValue : it->second.value;
}

const CellFormat& Worksheet::FormatAt(int row, int column) const {
  const auto it = cells_.find({row, column});
  return it == cells_.end() ? ColumnFormat(column) : it->second.format;
}

const CellFormat& Worksheet::ColumnFormat(int column) const {
  const auto it = columnFormats_.find(column);
  return it == columnFormats_.end() ? defaultFormat_ : it->second;
}

double Worksheet::ColumnWidth(int column) const {
  const auto it = columnWidths_.find(column);
  return it == columnWidths_.end() ? standardWidth_ : it->second;
}

double Worksheet::RowHeight(int row) const {
  double height = StandardHeight();
  for (auto it = cells_.lower_bound({row, 0}); it != cells_.end() && it->first.first == row; ++it) {
    height = std::max(height, CellHeight(*this, row, it->first.second, it->second));
  }
  return height;
}

double Worksheet::StandardHeight() const {
  double height = FittedLineHeight(defaultFormat_);
  for (const auto& [column, format] : columnFormats_) height = std::max(height, FittedLineHeight(format));
  return height;
}

std::map<int, double> Worksheet::RowHeights() const {
  const double standard = StandardHeight();
  std::map<int, double> heights;
  for (const auto& [key, cell] : cells_) {
    auto [it, added] = heights.try_emplace(key.first, standard);
    it->second = std::max(it->second, CellHeight(*this, key.first, key.second, cell));
  }
  return heights;
}

CellFormat& Worksheet::MutableFormat(int row, int column) {
  CheckCell(row, column);
  auto it = cells_.find({row, column});
  if (it == cells_.end()) it = cells_.emplace(std::pair{row, column}, Cell{{}, ColumnFormat(column)}).first;
  return it->second.format;
}

void Worksheet::SetCellValue(int row, int column, Value value) {
  CheckAlive();
  CheckCell(row, column);
  if (auto merged = MergeAreaOf(row, column)) {
    row = merged->firstRow;
    column = merged->firstColumn;
  }
  MutableFormat(row, column);
  cells_.at({row, column}).value = std::move(value);
}

void Worksheet::SetColumnWidth(int column, double width) {
  CheckAlive();
  CheckCell(1, column);
  if (width < 0 || width > 255) {
    throw SheetError("the column width " + std::to_string(width) + " is outside 0 to 255");
  }
  columnWidths_[column] = width;
}

void Worksheet::SetStandardWidth(double width) {
  CheckAlive();
  if (width < 0 || width > 255) {
    throw SheetError("the column width " + std::to_string(width) + " is outside 0 to 255");
  }
  standardWidth_ = width;
  columnWidths_.clear();
}

void Worksheet::MergeArea(const Area& requested) {
  CheckAlive();
  // An overlapping merged area joins the new one, as the application widens the range.
  const Area area = GrowOverMerged(requested, merged_);
  std::erase_if(merged_, [&](const Area& m) { return Overlaps(m, area); });
  if (area.firstRow == area.lastRow && area.firstColumn == area.lastColumn) return;
  // The merged cell keeps the first value in reading order; the other cells are emptied.
  Value kept;
  for (auto& [key, cell] : cells_) {
    if (!Contains(area, key.first, key.second)) continue;
    if (std::holds_alternative<std::monostate>(kept)) kept = cell.value;
    cell.value = std::monostate{};
  }
  MutableFormat(area.firstRow, area.firstColumn);
  cells_.at({area.firstRow, area.firstColumn}).value = std::move(kept);
  merged_.push_back(area);
}

void Worksheet::SetSelection(std::vector<Area> areas) {
  CheckAlive();
  // A merged cell is selected whole.
  for (Area& area : areas) area = GrowOverMerged(area, merged_);
  selection_ = std::move(areas);
}

void Worksheet::ClearValues(const Area& area) {
  CheckAlive();
  for (const Area& m : merged_) {
    if (Overlaps(m, area)) {
      auto it = cells_.find({m.firstRow, m.firstColumn});
      if (it != cells_.end()) it->second.value = std::monostate{};
    }
  }
  for (auto& [key, cell] : cells_) {
    if (Contains(area, key.first, key.second)) cell.value = std::monostate{};
  }
}

void Worksheet::ClearAll(const Area& area) {
  CheckAlive();
  std::erase_if(merged_, [&](const Area& m) { return Overlaps(m, area); });
  std::erase_if(cells_, [&](const auto& entry) { return Contains(area, entry.first.first, entry.first.second); });
  if (IsWholeSheet(area)) {
    columnFormats_.clear();
    defaultFormat_ = CellFormat{};
  } else if (IsWholeColumns(area)) {
    for (int c = area.firstColumn; c <= area.lastColumn; ++c) columnFormats_.erase(c);
  }
}

void Worksheet::Reset() {
  CheckAlive();
  cells_.clear();
  columnFormats_.clear();
  defaultFormat_ = CellFormat{};
  columnWidths_.clear();
  merged_.clear();
}

}  // namespace tuvo::sheet
