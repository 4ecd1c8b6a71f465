// A range of cells of one worksheet, and addresses in the A1 notation.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/sheet/cell.h"

namespace tuvo::sheet {

class Worksheet;

// The column letters of a column number: 1 "A", 26 "Z", 27 "AA", 135 "EE".
std::string ColumnLetters(int column);

// The areas of an address: "A3:D17", "B3", "$A$1", "B:B", "C:E", "3:5", areas joined by ",".
// A malformed address or one beyond the sheet throws SheetError.
std::vector<Area> ParseAddress(std::string_view address);

// The address of an area: "A3:D17", "B3" for one cell, "B:B" for whole columns, "3:5" for whole rows.
std::string AreaAddress(const Area& area);

// A range of one or more areas on one worksheet. Cheap to copy; refers to its worksheet.
class Range {
 public:
  Range(Worksheet& sheet, std::vector<Area> areas);

  Worksheet& Sheet() const;
  const std::vector<Area>& Areas() const;
  std::string Address() const;  // "A3:D17", areas joined by ","

  // The rows and columns of the range's first area: Rows(1) is its first row; counts likewise.
  Range Rows(int index) const;
  Range Columns(int index) const;
  int RowCount() const;
  int ColumnCount() const;

  // Becomes the selection of its worksheet, which becomes the active sheet; a merged area that
  // the range touches is selected whole.
  void Select() const;

  // Writing a text converts it as typed entry does (TypedEntry): "1500" becomes a number, a Thai
  // long or short date a date, anything else stays text. Applies to every cell of the range; a
  // cell of a merged area writes the area's one value.
  void SetValue(std::string_view text) const;
  void SetValue(const char* text) const;
  void SetValue(const std::string& text) const;
  void SetValue(double number) const;
  void SetValue(int number) const;
  void SetValue(const Value& value) const;  // stored as given, without conversion
  Value GetValue() const;                   // value of the first cell (of a merged area: its one value)
  double AsNumber() const;                  // NumberOf(GetValue())

  // The formats of the first cell.
  const CellFormat& Format() const;

  void SetNumberFormat(std::string_view format) const;
  // A named style: "comma" gives the accounting comma format; other formats stay.
  void SetStyle(std::string_view name) const;
  void SetColumnWidth(double width) const;  // every column the range spans
  double ColumnWidth() const;               // of the first column
  void SetHorizontalAlignment(int alignment) const;
  void SetVerticalAlignment(int alignment) const;
  // Each area becomes one merged cell holding the first value found in reading order.
  void Merge() const;
  // Deletes the cells; only whole sheets (all cells) are deleted: values, formats, merges and
  // column widths go. Any other range throws SheetError.
  void Delete() const;
  void Clear() const;          // removes values and formats, merges included
  void ClearContents() const;  // removes values only

  // Fonts.
  void SetFontName(std::string_view name) const;
  void SetFontSize(double size) const;
  void SetFontBold(bool bold) const;
  void SetFontStrikethrough(bool on) const;
  void SetFontSuperscript(bool on) const;
  void SetFontSubscript(bool on) const;
  void SetFontOutline(bool on) const;
  void SetFontShadow(bool on) const;
  void SetFontUnderline(int underline) const;
  void SetFontColorIndex(int colorIndex) const;

  // Interior fill: colour index of the 56-colour palette (a colour without a pattern becomes
  // solid), pattern.
  void SetInteriorColorIndex(int colorIndex) const;
  void SetInteriorPattern(int pattern) const;

  // One border of the range as a whole: edges lie on the outer cells of each area, inside lines
  // between its cells, diagonals in every cell. A line between two cells is one line: setting a
  // cell's edge sets its neighbour's facing edge too.
  void SetBorderLineStyle(BorderIndex which, int lineStyle) const;
  void SetBorderWeight(BorderIndex which, int weight) const;
  void SetBorderColorIndex(BorderIndex which, int colorIndex) const;

 private:
  Worksheet* sheet_;
  std::vector<Area> areas_;
};

// The range of both ranges' areas, first then second; both on one sheet.
Range Union(const Range& first, const Range& second);

}  // namespace tuvo::sheet
