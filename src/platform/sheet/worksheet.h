// The sheets of a workbook: what every sheet has (name, place, activation), and the worksheet
// with its cells, column widths and merged areas.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/sheet/cell.h"
#include "platform/sheet/range.h"

namespace tuvo::sheet {

class Workbook;

// The width of a column nobody set, in characters of the standard font.
inline constexpr double StandardColumnWidth = 8.43;

// A sheet of a workbook: a worksheet or a chart sheet.
class Sheet {
 public:
  enum class Kind { Worksheet, Chart };

  Sheet(Workbook& workbook, Kind kind, std::string name);
  virtual ~Sheet() = default;
  Sheet(const Sheet&) = delete;
  Sheet& operator=(const Sheet&) = delete;

  Kind Type() const { return kind_; }
  Workbook& Parent() const;

  const std::string& Name() const { return name_; }
  // A new name: 1 to 31 characters, none of : \ / ? * [ ], not the name of another sheet
  // (compared without regard to case).
  void SetName(std::string_view name);

  int Index() const;  // 1-based place among all sheets of the workbook

  void Activate();  // becomes the active sheet
  void Select();    // the same, for one sheet

  // Moves the sheet to just behind `after` (a sheet of the same workbook).
  void Move(Sheet& after);

  // Removes the sheet from its workbook; the last sheet cannot go. Later use of it throws.
  void Delete();

  bool IsDeleted() const { return deleted_; }

  // Throws SheetError when the sheet was deleted or its workbook closed.
  void CheckAlive() const;

 private:
  friend class Workbook;
  Workbook* workbook_;
  Kind kind_;
  std::string name_;
  bool deleted_ = false;
};

// Sheet names compare without regard to (ASCII) case.
bool SameSheetName(std::string_view a, std::string_view b);

// What a cell holds.
struct Cell {
  Value value;
  CellFormat format;
};

// A worksheet: cells by (row, column), column widths, row heights, merged areas, its own selection.
class Worksheet : public Sheet {
 public:
  Worksheet(Workbook& workbook, std::string name);

  // The cell at (row, column), 1-based.
  sheet::Range Cells(int row, int column);
  // A range by address ("A3:D17", "B:B", "A1,C3:C5").
  sheet::Range Range(std::string_view address);
  // The block from the first cell of `first` to the last cell of `last`.
  sheet::Range Range(const sheet::Range& first, const sheet::Range& last);
  // Whole columns by address ("B:B", "C:E") or by number.
  sheet::Range Columns(std::string_view address);
  sheet::Range Columns(int column);
  // Every cell of the sheet.
  sheet::Range AllCells();

  // Reading the model (the saver and tests).
  // The value shown at (row, column): a cell of a merged area shows the area's value.
  const Value& ValueAt(int row, int column) const;
  // The formats of (row, column); a cell never written has those of its column or the sheet.
  const CellFormat& FormatAt(int row, int column) const;
  double ColumnWidth(int column) const;
  double StandardWidth() const { return standardWidth_; }
  // Row heights in points. The program sizes no row, so every row fits its text as drawn here,
  // as the application fits a row to the fonts in it: the tallest text of its cells, a value
  // merged over several rows aside, and never lower than a row without cells.
  double RowHeight(int row) const;
  // The height of a row without cells: the ordinary line of the sheet's and its columns' fonts.
  double StandardHeight() const;
  // The height of every row that holds cells, by row.
  std::map<int, double> RowHeights() const;
  const std::map<int, double>& ColumnWidths() const { return columnWidths_; }
  const std::vector<Area>& MergedAreas() const { return merged_; }
  std::optional<Area> MergeAreaOf(int row, int column) const;
  const std::vector<Area>& SelectionAreas() const { return selection_; }
  // Cells written or formatted, by (row, column).
  const std::map<std::pair<int, int>, Cell>& UsedCells() const { return cells_; }
  // Formats of whole columns and of the sheet, that cells not yet used start from.
  const std::map<int, CellFormat>& ColumnFormats() const { return columnFormats_; }
  const CellFormat& DefaultFormat() const { return defaultFormat_; }
  // The formats a cell of the column starts from: the column's, else the sheet's.
  const CellFormat& ColumnFormat(int column) const;

  // Writing the model; Range operations come here.
  void SetCellValue(int row, int column, Value value);
  // Applies `change` to the formats of every cell of `area`; whole columns and the whole sheet
  // change the column and sheet formats as well, without creating their cells.
  template <typename Change>
  void ChangeFormat(const Area& area, Change change);
  // The formats of a cell, created from its column's or the sheet's formats when new.
  CellFormat& MutableFormat(int row, int column);
  void SetColumnWidth(int column, double width);
  void SetStandardWidth(double width);
  void MergeArea(const Area& area);
  void SetSelection(std::vector<Area> areas);
  void ClearValues(const Area& area);
  void ClearAll(const Area& area);
  void Reset();  // every cell deleted: values, formats, merges, widths

 private:
  std::map<std::pair<int, int>, Cell> cells_;
  std::map<int, CellFormat> columnFormats_;
  CellFormat defaultFormat_;
  std::map<int, double> columnWidths_;
  double standardWidth_;
  std::vector<Area> merged_;
  std::vector<Area> selection_;
};

template <typename Change>
void Worksheet::ChangeFormat(const Area& area, Change change) {
  CheckAlive();
  if (IsWholeColumns(area)) {
    if (IsWholeSheet(area)) {
      change(defaultFormat_);
      for (auto& [column, format] : columnFormats_) change(format);
    } else {
      for (int c = area.firstColumn; c <= area.lastColumn; ++c) {
        auto [it, added] = columnFormats_.try_emplace(c, defaultFormat_);
        change(it->second);
      }
    }
    for (auto& [key, cell] : cells_) {
      if (key.second >= area.firstColumn && key.second <= area.lastColumn) change(cell.format);
    }
    return;
  }
  for (int r = area.firstRow; r <= area.lastRow; ++r) {
    for (int c = area.firstColumn; c <= area.lastColumn; ++c) change(MutableFormat(r, c));
  }
}

}  // namespace tuvo::sheet
