// The workbook model written as an .xlsx file with libxlsxwriter.
#include <xlsxwriter.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <sstream>

#include "platform/locale.h"
#include "platform/sheet/palette.h"
#include "platform/sheet/row_fit.h"
#include "platform/xls/xls_save.h"
#include "platform/xls/xls_series_names.h"

namespace tuvo::xls {

using sheet::Axis;
using sheet::Chart;
using sheet::ChartBorder;
using sheet::ChartFont;
using sheet::Series;
using sheet::Sheet;
using sheet::SheetError;
using sheet::Workbook;
using sheet::Worksheet;
using sheet::Area;
using sheet::Border;
using sheet::CellFormat;
using sheet::DateValue;
using sheet::Value;
using sheet::PaletteColor;
using sheet::ColumnLetters;
using sheet::AreaAddress;
using sheet::DrawnTextWidth;
using sheet::StandardDigitWidth;
using sheet::ShowsLongDate;
using sheet::ShownText;
namespace xl = sheet::xl;

namespace {

// Chart line weights in points.
constexpr float HairlinePoints = 0.25f;
constexpr float ThinPoints = 0.75f;
constexpr float MediumPoints = 1.5f;
constexpr float ThickPoints = 2.25f;

// The paper of a chart sheet's page.
constexpr uint8_t PaperA4 = 9;

// A border line of the automation (style, weight) in the file's border styles.
uint8_t CellBorderStyle(const Border& border) {
  const bool medium = border.weight == xl::Medium;
  switch (border.lineStyle) {
    case xl::None: return LXW_BORDER_NONE;
    case xl::Dash: return medium ? LXW_BORDER_MEDIUM_DASHED : LXW_BORDER_DASHED;
    case xl::Dot: return LXW_BORDER_DOTTED;
    case xl::Double: return LXW_BORDER_DOUBLE;
    default: break;  // continuous and the rest draw a solid line of the weight
  }
  switch (border.weight) {
    case xl::Hairline: return LXW_BORDER_HAIR;
    case xl::Medium: return LXW_BORDER_MEDIUM;
    case xl::Thick: return LXW_BORDER_THICK;
    default: return LXW_BORDER_THIN;
  }
}

// The palette colour of an index; automatic and none give no colour.
std::optional<lxw_color_t> IndexColor(int colorIndex) {
  if (colorIndex < 1 || colorIndex > static_cast<int>(sheet::StandardPalette.size())) return std::nullopt;
  return PaletteColor(colorIndex);
}

// The automation's colour value (r + g*256 + b*65536) as 0xRRGGBB.
lxw_color_t FileColor(long rgb) {
  return static_cast<lxw_color_t>(((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF));
}

uint8_t HorizontalAlign(int alignment) {
  switch (alignment) {
    case xl::Center: return LXW_ALIGN_CENTER;
    case xl::Left: return LXW_ALIGN_LEFT;
    case xl::Right: return LXW_ALIGN_RIGHT;
    default: return LXW_ALIGN_NONE;
  }
}

uint8_t VerticalAlign(int alignment) {
  switch (alignment) {
    case xl::Center: return LXW_ALIGN_VERTICAL_CENTER;
    case xl::Top: return LXW_ALIGN_VERTICAL_TOP;
    default: return LXW_ALIGN_NONE;  // bottom is the file's default
  }
}

uint8_t Underline(int underline) {
  switch (underline) {
    case xl::UnderlineSingle: return LXW_UNDERLINE_SINGLE;
    case xl::Double: return LXW_UNDERLINE_DOUBLE;
    default: return LXW_UNDERLINE_NONE;
  }
}

// Builds a file format for each distinct cell format (with its shown number format) once.
class Formats {
 public:
  explicit Formats(lxw_workbook* workbook) : workbook_(workbook) {}

  lxw_format* For(const CellFormat& f, std::string_view numberFormat) {
    std::ostringstream key;
    key << f.fontName << '\x1f' << f.fontSize << '\x1f' << f.bold << f.italic << f.strikethrough << f.superscript
        << f.subscript << f.outline << f.shadow << '\x1f' << f.underline << '\x1f' << f.fontColorIndex << '\x1f'
        << numberFormat << '\x1f' << f.horizontalAlignment << '\x1f' << f.verticalAlignment << '\x1f'
        << f.interiorColorIndex << '\x1f' << f.interiorPattern;
    for (const Border* b : {&f.left, &f.top, &f.bottom, &f.right, &f.diagonalDown, &f.diagonalUp}) {
      key << '\x1f' << b->lineStyle << ',' << b->weight << ',' << b->colorIndex;
    }
    auto [it, added] = cache_.try_emplace(key.str(), nullptr);
    if (added) it->second = Make(f, numberFormat);
    return it->second;
  }

 private:
  lxw_format* Make(const CellFormat& f, std::string_view numberFormat) {
    lxw_format* format = workbook_add_format(workbook_);
    if (!f.fontName.empty()) format_set_font_name(format, f.fontName.c_str());
    if (f.fontSize > 0) format_set_font_size(format, f.fontSize);
    if (f.bold) format_set_bold(format);
    if (f.italic) format_set_italic(format);
    if (f.strikethrough) format_set_font_strikeout(format);
    if (f.superscript) format_set_font_script(format, LXW_FONT_SUPERSCRIPT);
    if (f.subscript) format_set_font_script(format, LXW_FONT_SUBSCRIPT);
    if (f.outline) format_set_font_outline(format);
    if (f.shadow) format_set_font_shadow(format);
    if (const uint8_t u = Underline(f.underline); u != LXW_UNDERLINE_NONE) format_set_underline(format, u);
    if (auto color = IndexColor(f.fontColorIndex)) format_set_font_color(format, *color);
    if (!numberFormat.empty()) format_set_num_format(format, std::string(numberFormat).c_str());
    if (const uint8_t h = HorizontalAlign(f.horizontalAlignment); h != LXW_ALIGN_NONE) format_set_align(format, h);
    if (const uint8_t v = VerticalAlign(f.verticalAlignment); v != LXW_ALIGN_NONE) format_set_align(format, v);
    if (f.interiorPattern != xl::None) {
      if (auto color = IndexColor(f.interiorColorIndex)) {
        format_set_pattern(format, LXW_PATTERN_SOLID);
        format_set_bg_color(format, *color);
      }
    }
    SetEdge(format, f.left, format_set_left, format_set_left_color);
    SetEdge(format, f.top, format_set_top, format_set_top_color);
    SetEdge(format, f.bottom, format_set_bottom, format_set_bottom_color);
    SetEdge(format, f.right, format_set_right, format_set_right_color);
    const bool down = f.diagonalDown.lineStyle != xl::None;
    const bool up = f.diagonalUp.lineStyle != xl::None;
    if (down || up) {
      // The file has one diagonal line style for both directions.
      const Border& diagonal = down ? f.diagonalDown : f.diagonalUp;
      format_set_diag_type(format, down && up ? LXW_DIAGONAL_BORDER_UP_DOWN
                                   : down     ? LXW_DIAGONAL_BORDER_DOWN
                                              : LXW_DIAGONAL_BORDER_UP);
      format_set_diag_border(format, CellBorderStyle(diagonal));
      if (auto color = IndexColor(diagonal.colorIndex)) format_set_diag_color(format, *color);
    }
    return format;
  }

  static void SetEdge(lxw_format* format, const Border& border, void (*style)(lxw_format*, uint8_t),
                      void (*colour)(lxw_format*, lxw_color_t)) {
    if (border.lineStyle == xl::None) return;
    style(format, CellBorderStyle(border));
    if (auto color = IndexColor(border.colorIndex)) colour(format, *color);
  }

  lxw_workbook* workbook_;
  std::map<std::string, lxw_format*> cache_;
};

// The shown number format of a cell: a date without a format of its own shows as the Thai long date.
std::string_view ShownNumberFormat(const Value& value, const CellFormat& format) {
  if (format.numberFormat.empty() && std::holds_alternative<DateValue>(value)) return sheet::ThaiLongDateFormat;
  return format.numberFormat;
}

void Check(lxw_error error, const std::filesystem::path& path, const std::string& what) {
  if (error != LXW_NO_ERROR) {
    throw SheetError("writing \"" + path.string() + "\": " + what + ": " + lxw_strerror(error));
  }
}

void WriteCell(lxw_worksheet* ws, Formats& formats, int row, int column, const Value& value,
               const CellFormat& format, const std::filesystem::path& path, const std::string& sheetName) {
  const auto r = static_cast<lxw_row_t>(row - 1);
  const auto c = static_cast<lxw_col_t>(column - 1);
  lxw_format* f = formats.For(format, ShownNumberFormat(value, format));
  const std::string where = "cell " + ColumnLetters(column) + std::to_string(row) + " of \"" + sheetName + "\"";
  if (const auto* number = std::get_if<double>(&value)) {
    Check(worksheet_write_number(ws, r, c, *number, f), path, where);
  } else if (const auto* text = std::get_if<std::string>(&value)) {
    Check(worksheet_write_string(ws, r, c, text->c_str(), f), path, where);
  } else if (const auto* date = std::get_if<DateValue>(&value)) {
    Check(worksheet_write_number(ws, r, c, locale::DateSerial(date->date), f), path, where);
  } else {
    Check(worksheet_write_blank(ws, r, c, f), path, where);
  }
}

// Characters a number takes as shown: grouped with two decimals under the comma format (with its
// padding), else its plain text.
std::size_t ShownNumberLength(double number, const CellFormat& format) {
  if (format.numberFormat != sheet::CommaNumberFormat) return locale::NumberText(number).size();
  std::string digits = std::to_string(static_cast<long long>(std::fabs(number)));
  const std::size_t groups = (digits.size() - 1) / 3;
  return digits.size() + groups + 3 /* ".00" */ + 3 /* sign or blank, padding */;
}

// Widths for the columns nobody sized: wide enough for the numbers they hold, as the spreadsheet
// widens a column of standard width for a number entered into it, so no number shows as "###".
std::map<int, double> NumberColumnWidths(const Worksheet& sheet) {
  std::map<int, double> widths;
  if (sheet.StandardWidth() != sheet::StandardColumnWidth) return widths;
  for (const auto& [key, cell] : sheet.UsedCells()) {
    const auto* number = std::get_if<double>(&cell.value);
    if (number == nullptr || sheet.ColumnWidths().count(key.second) > 0 || sheet.MergeAreaOf(key.first, key.second)) {
      continue;
    }
    const double needed = static_cast<double>(ShownNumberLength(*number, cell.format)) + 1;
    if (needed > sheet::StandardColumnWidth && needed > widths[key.second]) widths[key.second] = needed;
  }
  return widths;
}

// Space beside a long date in its column, in points: the cell's inner margins and a little more.
constexpr double DatePadding = 10;

// Widths for the columns whose long dates the drawn font makes wider than the column: wide
// enough for the widest date, so every date shows whole and at its font's size. `widths` holds
// the columns' widths so far.
std::map<int, double> DateColumnWidths(const Worksheet& sheet, const std::map<int, double>& widths) {
  std::map<int, double> needed;
  for (const auto& [key, cell] : sheet.UsedCells()) {
    if (!ShowsLongDate(cell.value, cell.format) || sheet.MergeAreaOf(key.first, key.second)) continue;
    const double width =
        (DrawnTextWidth(cell.format, ShownText(cell.value, cell.format)) + DatePadding) / StandardDigitWidth();
    const auto known = widths.find(key.second);
    const double current = known != widths.end() ? known->second : sheet.ColumnWidth(key.second);
    if (width > current && width > needed[key.second]) needed[key.second] = std::ceil(width * 100) / 100;
  }
  return needed;
}

// Row heights as the model fits them; rows without cells take the sheet's standard height.
void WriteRowHeights(lxw_worksheet* ws, const Worksheet& sheet, const std::filesystem::path& path) {
  worksheet_set_default_row(ws, sheet.StandardHeight(), LXW_FALSE);
  for (const auto& [row, height] : sheet.RowHeights()) {
    Check(worksheet_set_row(ws, static_cast<lxw_row_t>(row - 1), height, nullptr), path,
          "row " + std::to_string(row) + " of \"" + sheet.Name() + "\"");
  }
}

void WriteWorksheet(lxw_workbook* wb, Formats& formats, const Worksheet& sheet, const std::filesystem::path& path) {
  lxw_worksheet* ws = workbook_add_worksheet(wb, sheet.Name().c_str());
  if (ws == nullptr) throw SheetError("writing \"" + path.string() + "\": the sheet \"" + sheet.Name() + "\" was refused");

  // Columns: width and the formats of whole columns and of the sheet, for cells never written.
  const bool sheetFormatted = !(sheet.DefaultFormat() == CellFormat{});
  std::map<int, double> fittedWidths = NumberColumnWidths(sheet);
  for (const auto& [column, width] : DateColumnWidths(sheet, fittedWidths)) fittedWidths[column] = width;
  for (int c = 1; c <= sheet::MaxColumns; ++c) {
    const auto fittedWidth = fittedWidths.find(c);
    const bool ownWidth = sheet.ColumnWidths().count(c) > 0 || sheet.StandardWidth() != sheet::StandardColumnWidth ||
                          fittedWidth != fittedWidths.end();
    const bool ownFormat = sheet.ColumnFormats().count(c) > 0 || sheetFormatted;
    if (!ownWidth && !ownFormat) continue;
    lxw_format* f = ownFormat ? formats.For(sheet.ColumnFormat(c), sheet.ColumnFormat(c).numberFormat) : nullptr;
    const double width = fittedWidth != fittedWidths.end() ? fittedWidth->second : sheet.ColumnWidth(c);
    Check(worksheet_set_column(ws, static_cast<lxw_col_t>(c - 1), static_cast<lxw_col_t>(c - 1), width, f),
          path, "column " + ColumnLetters(c) + " of \"" + sheet.Name() + "\"");
  }
  WriteRowHeights(ws, sheet, path);

  // Merged areas first: their cells are then written one by one over them, each with its own
  // borders, the first cell with the area's value.
  for (const Area& a : sheet.MergedAreas()) {
    Check(worksheet_merge_range(ws, static_cast<lxw_row_t>(a.firstRow - 1), static_cast<lxw_col_t>(a.firstColumn - 1),
                                static_cast<lxw_row_t>(a.lastRow - 1), static_cast<lxw_col_t>(a.lastColumn - 1), "",
                                formats.For(sheet.FormatAt(a.firstRow, a.firstColumn), "")),
          path, "merging " + AreaAddress(a) + " of \"" + sheet.Name() + "\"");
    for (int r = a.firstRow; r <= a.lastRow; ++r) {
      for (int c = a.firstColumn; c <= a.lastColumn; ++c) {
        const Value& value = r == a.firstRow && c == a.firstColumn ? sheet.ValueAt(r, c) : Value{};
        WriteCell(ws, formats, r, c, value, sheet.FormatAt(r, c), path, sheet.Name());
      }
    }
  }
  for (const auto& [key, cell] : sheet.UsedCells()) {
    if (sheet.MergeAreaOf(key.first, key.second)) continue;
    WriteCell(ws, formats, key.first, key.second, cell.value, cell.format, path, sheet.Name());
  }

  const Area& selected = sheet.SelectionAreas().front();
  worksheet_set_selection(ws, static_cast<lxw_row_t>(selected.firstRow - 1), static_cast<lxw_col_t>(selected.firstColumn - 1),
                          static_cast<lxw_row_t>(selected.lastRow - 1), static_cast<lxw_col_t>(selected.lastColumn - 1));
  if (&sheet == &sheet.Parent().ActiveSheet()) worksheet_activate(ws);
}

// A sheet name as a formula writes it: in quotes, a quote doubled.
std::string QuotedSheetName(const std::string& name) {
  std::string quoted = "'";
  for (char c : name) {
    quoted += c;
    if (c == '\'') quoted += '\'';
  }
  return quoted + "'";
}

std::string AbsoluteAddress(const Area& a) {
  std::string text = "$" + ColumnLetters(a.firstColumn) + "$" + std::to_string(a.firstRow);
  if (a.lastRow != a.firstRow || a.lastColumn != a.firstColumn) {
    text += ":$" + ColumnLetters(a.lastColumn) + "$" + std::to_string(a.lastRow);
  }
  return text;
}

float LinePoints(int weight) {
  switch (weight) {
    case xl::Hairline: return HairlinePoints;
    case xl::Medium: return MediumPoints;
    case xl::Thick: return ThickPoints;
    default: return ThinPoints;
  }
}

uint8_t DashType(int lineStyle) {
  switch (lineStyle) {
    case xl::Dot: return LXW_CHART_LINE_DASH_ROUND_DOT;
    case xl::Dash: return LXW_CHART_LINE_DASH_DASH;
    default: return LXW_CHART_LINE_DASH_SOLID;
  }
}

// A chart line as set; nothing when nothing was set.
std::optional<lxw_chart_line> ChartLine(const ChartBorder& border) {
  if (!border.Color() && !border.Weight() && !border.LineStyle()) return std::nullopt;
  lxw_chart_line line{};
  if (border.Color()) line.color = FileColor(*border.Color());
  if (border.LineStyle() == xl::None) line.none = LXW_TRUE;
  if (border.Weight()) line.width = LinePoints(*border.Weight());
  if (border.LineStyle()) line.dash_type = DashType(*border.LineStyle());
  return line;
}

uint8_t MarkerType(int style) {
  switch (style) {
    case xl::Circle: return LXW_CHART_MARKER_CIRCLE;
    case xl::MarkerNone: return LXW_CHART_MARKER_NONE;
    case 1: return LXW_CHART_MARKER_SQUARE;
    case 2: return LXW_CHART_MARKER_DIAMOND;
    case 3: return LXW_CHART_MARKER_TRIANGLE;
    case -4168: return LXW_CHART_MARKER_X;
    case 5: return LXW_CHART_MARKER_STAR;
    case 9: return LXW_CHART_MARKER_PLUS;
    default: return LXW_CHART_MARKER_AUTOMATIC;
  }
}

// A chart font as set; unset parts keep the chart's.
lxw_chart_font ChartFontOf(const ChartFont& font) {
  lxw_chart_font f{};
  if (font.Name()) f.name = const_cast<char*>(font.Name()->c_str());
  if (font.Size()) f.size = *font.Size();
  if (font.Bold()) f.bold = *font.Bold() ? LXW_TRUE : LXW_EXPLICIT_FALSE;
  return f;
}

void WriteAxis(lxw_chart_axis* axis, const Axis& model) {
  if (model.HasTitle()) {
    chart_axis_set_name(axis, model.AxisTitle().Caption().c_str());
    lxw_chart_font font = ChartFontOf(model.AxisTitle().Font());
    chart_axis_set_name_font(axis, &font);
  }
  chart_axis_major_gridlines_set_visible(axis, model.HasMajorGridlines() ? LXW_TRUE : LXW_FALSE);
  chart_axis_minor_gridlines_set_visible(axis, model.HasMinorGridlines() ? LXW_TRUE : LXW_FALSE);
  if (model.HasMajorGridlines()) {
    if (auto line = ChartLine(model.MajorGridlines().Border())) chart_axis_major_gridlines_set_line(axis, &*line);
  }
  if (model.HasMinorGridlines()) {
    if (auto line = ChartLine(model.MinorGridlines().Border())) chart_axis_minor_gridlines_set_line(axis, &*line);
  }
  if (model.MinimumScale()) chart_axis_set_min(axis, *model.MinimumScale());
}

void WriteChart(lxw_workbook* wb, const Chart& model, const std::filesystem::path& path) {
  lxw_chartsheet* cs = workbook_add_chartsheet(wb, model.Name().c_str());
  if (cs == nullptr) throw SheetError("writing \"" + path.string() + "\": the chart sheet \"" + model.Name() + "\" was refused");
  // A chart sheet prints on one landscape page, which LibreOffice sizes its chart to; without a
  // paper of its own that page would be Letter.
  chartsheet_set_landscape(cs);
  chartsheet_set_paper(cs, PaperA4);
  lxw_chart* chart = workbook_add_chart(wb, LXW_CHART_LINE);
  for (int i = 1; i <= model.SeriesCount(); ++i) {
    const Series& s = model.SeriesCollection(i);
    if (!IsSavedSeries(s)) continue;
    const std::string values =
        "=" + QuotedSheetName(s.Values().Sheet().Name()) + "!" + AbsoluteAddress(s.Values().Areas().front());
    lxw_chart_series* series = chart_add_series(chart, nullptr, values.c_str());
    if (series == nullptr) throw SheetError("writing \"" + path.string() + "\": a series of \"" + model.Name() + "\" was refused");
    if (const auto& ref = s.NameReference(); ref && !ref->Sheet().IsDeleted()) {
      const Area& cell = ref->Areas().front();
      chart_series_set_name_range(series, ref->Sheet().Name().c_str(), static_cast<lxw_row_t>(cell.firstRow - 1),
                                  static_cast<lxw_col_t>(cell.firstColumn - 1));
    } else {
      chart_series_set_name(series, s.Name().c_str());
    }
    if (auto line = ChartLine(s.Border())) chart_series_set_line(series, &*line);
    const int markerStyle = s.MarkerStyle().value_or(model.ChartType() == xl::Line ? xl::MarkerNone : 0);
    if (markerStyle != 0) chart_series_set_marker_type(series, MarkerType(markerStyle));
    if (s.MarkerSize()) chart_series_set_marker_size(series, static_cast<uint8_t>(*s.MarkerSize()));
    if (auto color = s.MarkerBackgroundColorIndex() ? IndexColor(*s.MarkerBackgroundColorIndex()) : std::nullopt) {
      lxw_chart_fill fill{};
      fill.color = *color;
      chart_series_set_marker_fill(series, &fill);
    }
    if (auto color = s.MarkerForegroundColorIndex() ? IndexColor(*s.MarkerForegroundColorIndex()) : std::nullopt) {
      lxw_chart_line line{};
      line.color = *color;
      chart_series_set_marker_line(series, &line);
    }
  }
  if (model.HasTitle()) {
    chart_title_set_name(chart, model.ChartTitle().Caption().c_str());
    lxw_chart_font font = ChartFontOf(model.ChartTitle().Font());
    chart_title_set_name_font(chart, &font);
  } else {
    chart_title_off(chart);
  }
  if (!model.HasLegend()) chart_legend_set_position(chart, LXW_CHART_LEGEND_NONE);
  if (auto color = model.PlotArea().InteriorColor()) {
    lxw_chart_fill fill{};
    fill.color = FileColor(*color);
    chart_plotarea_set_fill(chart, &fill);
  }
  WriteAxis(chart->x_axis, model.Axes(xl::Category));
  WriteAxis(chart->y_axis, model.Axes(xl::Value));
  Check(chartsheet_set_chart(cs, chart), path, "the chart of \"" + model.Name() + "\"");
  if (&model == &model.Parent().ActiveSheet()) chartsheet_activate(cs);
}

}  // namespace

void WriteXlsx(const Workbook& workbook, const std::filesystem::path& path) {
  lxw_workbook* wb = workbook_new(path.c_str());
  if (wb == nullptr) throw SheetError("writing \"" + path.string() + "\": the file could not be created");
  try {
    // The workbook's own time, not the clock's: the same workbook gives the same file.
    lxw_doc_properties properties{};
    properties.created = workbook.Created();
    Check(workbook_set_properties(wb, &properties), path, "the document properties");
    Formats formats(wb);
    for (const Sheet* sheet : workbook.SheetList()) {
      if (sheet->Type() == Sheet::Kind::Worksheet) {
        WriteWorksheet(wb, formats, static_cast<const Worksheet&>(*sheet), path);
      } else {
        WriteChart(wb, static_cast<const Chart&>(*sheet), path);
      }
    }
  } catch (...) {
    workbook_close(wb);
    throw;
  }
  Check(workbook_close(wb), path, "closing the file");
  const std::vector<const Sheet*> sheets = workbook.SheetList();
  if (std::any_of(sheets.begin(), sheets.end(), [](const Sheet* s) { return s->Type() == Sheet::Kind::Chart; })) {
    GiveChartFontsToEveryScript(path);
  }
}

}  // namespace tuvo::xls
