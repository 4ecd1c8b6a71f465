// What one cell of the workbook model holds: values, formats, borders, and the constants of the
// automation interface that the program passes.
#pragma once

#include <chrono>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>

namespace tuvo::sheet {

// A failed spreadsheet operation; the message says what failed and where.
class SheetError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Constants of the automation interface that the program passes.
namespace xl {
inline constexpr int Center = -4108;
inline constexpr int Left = -4131;
inline constexpr int Right = -4152;
inline constexpr int Top = -4160;
inline constexpr int Bottom = -4107;
inline constexpr int General = 1;         // horizontal alignment general
inline constexpr int None = -4142;        // line style none, underline none, pattern none
inline constexpr int Automatic = -4105;   // colour index automatic
inline constexpr int Continuous = 1;
inline constexpr int Dash = -4115;
inline constexpr int Dot = -4118;
inline constexpr int Double = -4119;
inline constexpr int Hairline = 1;        // border weights
inline constexpr int Thin = 2;
inline constexpr int Medium = -4138;
inline constexpr int Thick = 4;
inline constexpr int Solid = 1;           // interior pattern
inline constexpr int UnderlineSingle = 2;
inline constexpr int Normal = -4143;      // the normal workbook format (.xls)
inline constexpr int Rows = 1;            // plot by rows
inline constexpr int Columns = 2;         // plot by columns
inline constexpr int Line = 4;            // chart types
inline constexpr int LineMarkers = 65;
inline constexpr int MarkerNone = -4142;  // marker styles
inline constexpr int Circle = 8;
inline constexpr int Category = 1;        // axis types
inline constexpr int Value = 2;
inline constexpr int Primary = 1;         // axis group
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

// The value a text typed into a cell becomes under the Thai regional settings: a text that reads
// wholly as a number is that number, a Thai long or short date a date, the empty text an empty
// cell, anything else the text itself.
Value TypedEntry(std::string_view text);

// A value taken as a number: empty 0, a number held as text its number, a date its serial.
// A text that is no number throws SheetError.
double NumberOf(const Value& value);

// One rectangular block of cells, 1-based and inclusive.
struct Area {
  int firstRow = 1;
  int firstColumn = 1;
  int lastRow = 1;
  int lastColumn = 1;
  bool operator==(const Area&) const = default;
};

// The largest sheet of the saved format (.xls): 65536 rows, 256 columns (A to IV).
inline constexpr int MaxRows = 65536;
inline constexpr int MaxColumns = 256;

// Whether an area covers every row (whole columns) or every cell of the sheet.
inline bool IsWholeColumns(const Area& a) { return a.firstRow == 1 && a.lastRow == MaxRows; }
inline bool IsWholeSheet(const Area& a) {
  return IsWholeColumns(a) && a.firstColumn == 1 && a.lastColumn == MaxColumns;
}

// One line of a cell edge.
struct Border {
  int lineStyle = xl::None;
  int weight = xl::Thin;
  int colorIndex = xl::Automatic;
  bool operator==(const Border&) const = default;
};

// The style name that carries the accounting comma format.
inline constexpr std::string_view CommaStyle = "comma";
// The number format the "comma" style gives a cell.
inline constexpr std::string_view CommaNumberFormat = "_-* #,##0.00_-;-* #,##0.00_-;_-* \"-\"??_-;_-@_-";
// The format a date cell without a number format of its own is shown in: the Thai long date
// with the Buddhist-era year ("1 มกราคม 2552").
inline constexpr std::string_view ThaiLongDateFormat = "[$-107041E]d mmmm yyyy;@";

// The formats of one cell. Read by the saver and by tests.
struct CellFormat {
  std::string fontName;  // empty: the workbook default
  double fontSize = 0;   // 0: the workbook default
  bool bold = false;
  bool italic = false;
  bool strikethrough = false;
  bool superscript = false;
  bool subscript = false;
  bool outline = false;
  bool shadow = false;
  int underline = xl::None;
  int fontColorIndex = xl::Automatic;
  std::string numberFormat;  // empty: General
  std::string style;         // "", "comma"
  int horizontalAlignment = 0;  // 0: general
  int verticalAlignment = 0;    // 0: bottom, the default
  int interiorColorIndex = xl::None;
  int interiorPattern = xl::None;
  Border left, top, bottom, right, diagonalDown, diagonalUp;
  bool operator==(const CellFormat&) const = default;
};

}  // namespace tuvo::sheet
