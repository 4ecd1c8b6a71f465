// The in-process spreadsheet application the run writes and reads back: application, workbooks,
// worksheets, ranges, chart sheets. Names follow the automation operations the program uses.
// This umbrella header is what the rest of the program includes.
//
// Rows and columns count from 1. Formatting acts on a Range (callers select a range, then format
// the selection, as the automation does). Failures throw SheetError with a message saying what
// failed.
#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tuvo::sheet {

class SheetError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Constants of the automation interface that the program passes.
namespace xl {
inline constexpr int Center = -4108;
inline constexpr int None = -4142;       // line style none, underline none
inline constexpr int Automatic = -4105;  // colour index automatic
inline constexpr int Continuous = 1;
inline constexpr int Dot = -4118;
inline constexpr int Thin = 2;
inline constexpr int Medium = -4138;
inline constexpr int Solid = 1;           // interior pattern
inline constexpr int Normal = -4143;      // the normal workbook format (.xls)
inline constexpr int Columns = 2;         // plot by columns
inline constexpr int LineMarkers = 65;    // chart type
inline constexpr int Circle = 8;          // marker style
inline constexpr int Category = 1;        // axis types
inline constexpr int Value = 2;
inline constexpr int Primary = 1;
}  // namespace xl

// Border indexes of a range.
enum class BorderIndex {
  DiagonalDown = 5,
  DiagonalUp = 6,
  EdgeLeft = 7,
  EdgeTop = 8,
  EdgeBottom = 9,
  EdgeRight = 10,
  InsideVertical = 11,
  InsideHorizontal = 12,
};

// A date cell value (whole days).
struct DateValue {
  std::chrono::year_month_day date;
  bool operator==(const DateValue&) const = default;
};

// A cell value: empty, number, text or date.
using Value = std::variant<std::monostate, double, std::string, DateValue>;

// One rectangular block of cells, 1-based and inclusive.
struct Area {
  int firstRow = 1;
  int firstColumn = 1;
  int lastRow = 1;
  int lastColumn = 1;
  bool operator==(const Area&) const = default;
};

class Worksheet;
class Workbook;
class Application;

// A range of one or more areas on one worksheet. Cheap to copy; refers to its worksheet.
class Range {
 public:
  Range(Worksheet& sheet, std::vector<Area> areas);

  Worksheet& Sheet() const;
  const std::vector<Area>& Areas() const;
  std::string Address() const;  // "A3:D17", areas joined by ","

  void Select();  // becomes the selection of its workbook; activates its sheet

  // Writing a text converts it as typed entry does: a number text becomes a number, a Thai long or
  // short date becomes a date, anything else stays text. Applies to every cell of the range.
  void SetValue(std::string_view text);
  void SetValue(double number);
  void SetValue(const Value& value);  // stored as given, without conversion
  Value GetValue() const;             // value of the first cell (of a merged area: its one value)
  double AsNumber() const;            // empty gives 0, a number held as text its number

  void SetNumberFormat(std::string_view format);
  void SetStyle(std::string_view name);  // the built-in style "comma"
  void SetColumnWidth(double width);     // the columns the range spans
  void SetHorizontalAlignment(int alignment);
  void SetVerticalAlignment(int alignment);
  void Merge();
  void Delete();         // removes values and formats of every cell
  void ClearContents();  // removes values only

  // Fonts.
  void SetFontName(std::string_view name);
  void SetFontSize(double size);
  void SetFontBold(bool bold);
  void SetFontStrikethrough(bool on);
  void SetFontSuperscript(bool on);
  void SetFontSubscript(bool on);
  void SetFontOutline(bool on);
  void SetFontShadow(bool on);
  void SetFontUnderline(int underline);
  void SetFontColorIndex(int colorIndex);

  // Interior fill: colour index of the 56-colour palette, pattern.
  void SetInteriorColorIndex(int colorIndex);
  void SetInteriorPattern(int pattern);

  // One border of the range as a whole: edges apply to the outer cells, insides between cells.
  void SetBorderLineStyle(BorderIndex which, int lineStyle);
  void SetBorderWeight(BorderIndex which, int weight);
  void SetBorderColorIndex(BorderIndex which, int colorIndex);

 private:
  Worksheet* sheet_;
  std::vector<Area> areas_;
};

// A range of two or more ranges of one sheet, in the given order.
Range Union(const Range& first, const Range& second);

// The chart of a chart sheet: a line chart with series read from ranges.
class Chart;

// What a cell holds: value and formats. Read by the saver and by tests.
struct Border {
  int lineStyle = xl::None;
  int weight = xl::Thin;
  int colorIndex = xl::Automatic;
};
struct CellFormat {
  std::string fontName;
  double fontSize = 0;  // 0: the workbook default
  bool bold = false;
  std::string numberFormat;  // empty: General
  std::string style;         // "", "comma"
  int horizontalAlignment = 0;
  int verticalAlignment = 0;
  int interiorColorIndex = xl::None;
  int interiorPattern = 0;
  Border left, top, bottom, right, diagonalDown, diagonalUp;
};

}  // namespace tuvo::sheet

// The objects themselves, one per header.
#include "platform/sheet/worksheet.h"
#include "platform/sheet/chart.h"
#include "platform/sheet/workbook.h"
#include "platform/sheet/application.h"
