#include "platform/sheet/range.h"

#include <algorithm>
#include <cctype>

#include "platform/sheet/worksheet.h"

namespace tuvo::sheet {

namespace {

bool SameText(std::string_view a, std::string_view b) { return SameSheetName(a, b); }

// The two sides of the line between a cell and its neighbour.
struct EdgeSide {
  Border CellFormat::*own;
  Border CellFormat::*facing;
  int rowStep;
  int columnStep;
};

constexpr EdgeSide LeftSide{&CellFormat::left, &CellFormat::right, 0, -1};
constexpr EdgeSide RightSide{&CellFormat::right, &CellFormat::left, 0, 1};
constexpr EdgeSide TopSide{&CellFormat::top, &CellFormat::bottom, -1, 0};
constexpr EdgeSide BottomSide{&CellFormat::bottom, &CellFormat::top, 1, 0};

// Changes one edge of the cell and gives the neighbour across it the same line.
template <typename Change>
void ChangeEdge(Worksheet& sheet, int row, int column, const EdgeSide& side, Change change) {
  Border& own = sheet.MutableFormat(row, column).*side.own;
  change(own);
  const Border line = own;
  const int r = row + side.rowStep;
  const int c = column + side.columnStep;
  if (r >= 1 && r <= MaxRows && c >= 1 && c <= MaxColumns) sheet.MutableFormat(r, c).*side.facing = line;
}

// Applies `change` to the border `which` of every area of the range.
template <typename Change>
void ChangeBorder(Worksheet& sheet, const std::vector<Area>& areas, BorderIndex which, Change change) {
  sheet.CheckAlive();
  for (const Area& a : areas) {
    switch (which) {
      case BorderIndex::DiagonalDown:
        sheet.ChangeFormat(a, [&](CellFormat& f) { change(f.diagonalDown); });
        break;
      case BorderIndex::DiagonalUp:
        sheet.ChangeFormat(a, [&](CellFormat& f) { change(f.diagonalUp); });
        break;
      case BorderIndex::EdgeLeft:
        for (int r = a.firstRow; r <= a.lastRow; ++r) ChangeEdge(sheet, r, a.firstColumn, LeftSide, change);
        break;
      case BorderIndex::EdgeRight:
        for (int r = a.firstRow; r <= a.lastRow; ++r) ChangeEdge(sheet, r, a.lastColumn, RightSide, change);
        break;
      case BorderIndex::EdgeTop:
        for (int c = a.firstColumn; c <= a.lastColumn; ++c) ChangeEdge(sheet, a.firstRow, c, TopSide, change);
        break;
      case BorderIndex::EdgeBottom:
        for (int c = a.firstColumn; c <= a.lastColumn; ++c) ChangeEdge(sheet, a.lastRow, c, BottomSide, change);
        break;
      case BorderIndex::InsideVertical:
        for (int r = a.firstRow; r <= a.lastRow; ++r) {
          for (int c = a.firstColumn; c < a.lastColumn; ++c) ChangeEdge(sheet, r, c, RightSide, change);
        }
        break;
      case BorderIndex::InsideHorizontal:
        for (int r = a.firstRow; r < a.lastRow; ++r) {
          for (int c = a.firstColumn; c <= a.lastColumn; ++c) ChangeEdge(sheet, r, c, BottomSide, change);
        }
        break;
      default:
        throw SheetError("there is no border of index " + std::to_string(static_cast<int>(which)));
    }
  }
}

}  // namespace

Range::Range(Worksheet& sheet, std::vector<Area> areas) : sheet_(&sheet), areas_(std::move(areas)) {
  if (areas_.empty()) throw SheetError("a range needs at least one area");
  for (const Area& a : areas_) {
    if (a.firstRow < 1 || a.firstColumn < 1 || a.lastRow > MaxRows || a.lastColumn > MaxColumns ||
        a.firstRow > a.lastRow || a.firstColumn > a.lastColumn) {
      throw SheetError("the area (" + std::to_string(a.firstRow) + ", " + std::to_string(a.firstColumn) +
                       ") to (" + std::to_string(a.lastRow) + ", " + std::to_string(a.lastColumn) +
                       ") is not a block of the sheet");
    }
  }
}

Worksheet& Range::Sheet() const { return *sheet_; }

const std::vector<Area>& Range::Areas() const { return areas_; }

std::string Range::Address() const {
  std::string text;
  for (const Area& a : areas_) {
    if (!text.empty()) text += ',';
    text += AreaAddress(a);
  }
  return text;
}

Range Range::Rows(int index) const {
  const Area& a = areas_.front();
  if (index < 1 || index > RowCount()) {
    throw SheetError("the range " + Address() + " has no row " + std::to_string(index));
  }
  const int row = a.firstRow + index - 1;
  return Range(*sheet_, {Area{row, a.firstColumn, row, a.lastColumn}});
}

Range Range::Columns(int index) const {
  const Area& a = areas_.front();
  if (index < 1 || index > ColumnCount()) {
    throw SheetError("the range " + Address() + " has no column " + std::to_string(index));
  }
  const int column = a.firstColumn + index - 1;
  return Range(*sheet_, {Area{a.firstRow, column, a.lastRow, column}});
}

int Range::RowCount() const { return areas_.front().lastRow - areas_.front().firstRow + 1; }

int Range::ColumnCount() const { return areas_.front().lastColumn - areas_.front().firstColumn + 1; }

void Range::Select() const {
  sheet_->Activate();
  sheet_->SetSelection(areas_);
}

void Range::SetValue(std::string_view text) const { SetValue(TypedEntry(text)); }

void Range::SetValue(const char* text) const { SetValue(std::string_view(text)); }

void Range::SetValue(const std::string& text) const { SetValue(std::string_view(text)); }

void Range::SetValue(double number) const { SetValue(Value{number}); }

void Range::SetValue(int number) const { SetValue(Value{static_cast<double>(number)}); }

void Range::SetValue(const Value& value) const {
  sheet_->CheckAlive();
  for (const Area& a : areas_) {
    for (int r = a.firstRow; r <= a.lastRow; ++r) {
      for (int c = a.firstColumn; c <= a.lastColumn; ++c) sheet_->SetCellValue(r, c, value);
    }
  }
}

Value Range::GetValue() const {
  sheet_->CheckAlive();
  return sheet_->ValueAt(areas_.front().firstRow, areas_.front().firstColumn);
}

double Range::AsNumber() const {
  try {
    return NumberOf(GetValue());
  } catch (const SheetError& error) {
    throw SheetError("\"" + sheet_->Name() + "\"!" + AreaAddress(areas_.front()) + ": " + error.what());
  }
}

const CellFormat& Range::Format() const {
  sheet_->CheckAlive();
  return sheet_->FormatAt(areas_.front().firstRow, areas_.front().firstColumn);
}

void Range::SetNumberFormat(std::string_view format) const {
  for (const Area& a : areas_) sheet_->ChangeFormat(a, [&](CellFormat& f) { f.numberFormat = format; });
}

void Range::SetStyle(std::string_view name) const {
  if (!SameText(name, CommaStyle)) {
    throw SheetError("the workbook has no cell style named \"" + std::string(name) + "\"");
  }
  for (const Area& a : areas_) {
    sheet_->ChangeFormat(a, [&](CellFormat& f) {
      f.style = CommaStyle;
      f.numberFormat = CommaNumberFormat;
    });
  }
}

void Range::SetColumnWidth(double width) const {
  for (const Area& a : areas_) {
    if (IsWholeSheet(a)) {
      sheet_->SetStandardWidth(width);
      continue;
    }
    for (int c = a.firstColumn; c <= a.lastColumn; ++c) sheet_->SetColumnWidth(c, width);
  }
}

double Range::ColumnWidth() const {
  sheet_->CheckAlive();
  return sheet_->ColumnWidth(areas_.front().firstColumn);
}

void Range::SetHorizontalAlignment(int alignment) const {
  for (const Area& a : areas_) sheet_->ChangeFormat(a, [&](CellFormat& f) { f.horizontalAlignment = alignment; });
}

void Range::SetVerticalAlignment(int alignment) const {
  for (const Area& a : areas_) sheet_->ChangeFormat(a, [&](CellFormat& f) { f.verticalAlignment = alignment; });
}

void Range::Merge() const {
  for (const Area& a : areas_) sheet_->MergeArea(a);
}

void Range::Delete() const {
  if (areas_.size() != 1 || !IsWholeSheet(areas_.front())) {
    throw SheetError("deleting the cells " + Address() + " of \"" + sheet_->Name() +
                     "\": only all cells of a sheet can be deleted");
  }
  sheet_->Reset();
}

void Range::Clear() const {
  for (const Area& a : areas_) sheet_->ClearAll(a);
}

void Range::ClearContents() const {
  for (const Area& a : areas_) sheet_->ClearValues(a);
}

void Range::SetFontName(std::string_view name) const {
  for (const Area& a : areas_) sheet_->ChangeFormat(a, [&](CellFormat& f) { f.fontName = name; });
}

void Range::SetFontSize(double size) const {
  if (size < 1 || size > 409) throw SheetError("the font size " + std::to_string(size) + " is outside 1 to 409");
  for (const Area& a : areas_) sheet_->ChangeFormat(a, [&](CellFormat& f) { f.fontSize = size; });
}

void Range::SetFontBold(bool bold) const {
  for (const Area& a : areas_) sheet_->ChangeFormat(a, [&](CellFormat& f) { f.bold = bold; });
}

void Range::SetFontStrikethrough(bool on) const {
  for (const Area& a : areas_) sheet_->ChangeFormat(a, [&](CellFormat& f) { f.strikethrough = on; });
}

// Superscript and subscript exclude each other, as in the application.
void Range::SetFontSuperscript(bool on) const {
  for (const Area& a : areas_) {
    sheet_->ChangeFormat(a, [&](CellFormat& f) {
      f.superscript = on;
      if (on) f.subscript = false;
    });
  }
}

void Range::SetFontSubscript(bool on) const {
  for (const Area& a : areas_) {
    sheet_->ChangeFormat(a, [&](CellFormat& f) {
      f.subscript = on;
      if (on) f.superscript = false;
    });
  }
}

void Range::SetFontOutline(bool on) const {
  for (const Area& a : areas_) sheet_->ChangeFormat(a, [&](CellFormat& f) { f.outline = on; });
}

void Range::SetFontShadow(bool on) const {
  for (const Area& a : areas_) sheet_->ChangeFormat(a, [&](CellFormat& f) { f.shadow = on; });
}

void Range::SetFontUnderline(int underline) const {
  for (const Area& a : areas_) sheet_->ChangeFormat(a, [&](CellFormat& f) { f.underline = underline; });
}

void Range::SetFontColorIndex(int colorIndex) const {
  for (const Area& a : areas_) sheet_->ChangeFormat(a, [&](CellFormat& f) { f.fontColorIndex = colorIndex; });
}

void Range::SetInteriorColorIndex(int colorIndex) const {
  for (const Area& a : areas_) {
    sheet_->ChangeFormat(a, [&](CellFormat& f) {
      f.interiorColorIndex = colorIndex;
      if (colorIndex == xl::None) {
        f.interiorPattern = xl::None;
      } else if (f.interiorPattern == xl::None) {
        f.interiorPattern = xl::Solid;
      }
    });
  }
}

void Range::SetInteriorPattern(int pattern) const {
  for (const Area& a : areas_) sheet_->ChangeFormat(a, [&](CellFormat& f) { f.interiorPattern = pattern; });
}

void Range::SetBorderLineStyle(BorderIndex which, int lineStyle) const {
  ChangeBorder(*sheet_, areas_, which, [&](Border& b) { b.lineStyle = lineStyle; });
}

// A weight given to an edge without a line draws a continuous line, as in the application.
void Range::SetBorderWeight(BorderIndex which, int weight) const {
  ChangeBorder(*sheet_, areas_, which, [&](Border& b) {
    b.weight = weight;
    if (b.lineStyle == xl::None) b.lineStyle = xl::Continuous;
  });
}

void Range::SetBorderColorIndex(BorderIndex which, int colorIndex) const {
  ChangeBorder(*sheet_, areas_, which, [&](Border& b) { b.colorIndex = colorIndex; });
}

Range Union(const Range& first, const Range& second) {
  if (&first.Sheet() != &second.Sheet()) {
    throw SheetError("the ranges " + first.Address() + " and " + second.Address() + " lie on different sheets");
  }
  std::vector<Area> areas = first.Areas();
  areas.insert(areas.end(), second.Areas().begin(), second.Areas().end());
  return Range(first.Sheet(), std::move(areas));
}

}  // namespace tuvo::sheet
