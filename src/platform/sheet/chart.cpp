#include "platform/sheet/chart.h"

#include "platform/locale.h"
#include "platform/sheet/palette.h"
#include "platform/sheet/workbook.h"

namespace tuvo::sheet {

// --- ChartBorder ---

void ChartBorder::SetColorIndex(int colorIndex) {
  if (colorIndex == xl::Automatic) {
    colorIndex_ = colorIndex;
    color_.reset();
    return;
  }
  const std::uint32_t rgb = PaletteColor(colorIndex);
  colorIndex_ = colorIndex;
  color_ = Rgb(static_cast<int>(rgb >> 16), static_cast<int>((rgb >> 8) & 0xFF), static_cast<int>(rgb & 0xFF));
}

void ChartBorder::SetColor(long rgb) {
  if (rgb < 0 || rgb > 0xFFFFFF) throw SheetError("the colour value " + std::to_string(rgb) + " is not an RGB colour");
  color_ = rgb;
  colorIndex_.reset();
}

// --- Axis ---

TitleText& Axis::AxisTitle() {
  if (!hasTitle_) throw SheetError("the axis has no title");
  return title_;
}

const TitleText& Axis::AxisTitle() const {
  if (!hasTitle_) throw SheetError("the axis has no title");
  return title_;
}

Gridlines& Axis::MajorGridlines() {
  if (!hasMajor_) throw SheetError("the axis shows no major gridlines");
  return major_;
}

Gridlines& Axis::MinorGridlines() {
  if (!hasMinor_) throw SheetError("the axis shows no minor gridlines");
  return minor_;
}

const Gridlines& Axis::MajorGridlines() const {
  if (!hasMajor_) throw SheetError("the axis shows no major gridlines");
  return major_;
}

const Gridlines& Axis::MinorGridlines() const {
  if (!hasMinor_) throw SheetError("the axis shows no minor gridlines");
  return minor_;
}

// --- Series ---

Series::Series(sheet::Range values, std::string defaultName)
    : values_(std::move(values)), name_(std::move(defaultName)) {}

void Series::SetName(std::string_view formula) {
  if (formula.empty() || formula.front() != '=') {
    name_ = std::string(formula);
    nameReference_.reset();
    return;
  }
  const std::string_view rest = formula.substr(1);
  if (rest.size() >= 2 && rest.front() == '"' && rest.back() == '"') {
    std::string literal;
    const std::string_view inner = rest.substr(1, rest.size() - 2);
    for (std::size_t i = 0; i < inner.size(); ++i) {
      literal += inner[i];
      if (inner[i] == '"' && i + 1 < inner.size() && inner[i + 1] == '"') ++i;  // "" is one quote
    }
    name_ = literal;
    nameReference_.reset();
    return;
  }
  // A cell reference: 'Sheet name'!$E$3 or Sheet2!E3.
  const std::size_t bang = rest.rfind('!');
  if (bang == std::string_view::npos || bang == 0) {
    throw SheetError("the series name \"" + std::string(formula) + "\" is neither a text nor a cell reference");
  }
  std::string_view quotedSheet = rest.substr(0, bang);
  std::string sheetName;
  if (quotedSheet.size() >= 2 && quotedSheet.front() == '\'' && quotedSheet.back() == '\'') {
    quotedSheet = quotedSheet.substr(1, quotedSheet.size() - 2);
    for (std::size_t i = 0; i < quotedSheet.size(); ++i) {
      sheetName += quotedSheet[i];
      if (quotedSheet[i] == '\'' && i + 1 < quotedSheet.size() && quotedSheet[i + 1] == '\'') ++i;
    }
  } else {
    sheetName = std::string(quotedSheet);
  }
  Worksheet& sheet = values_.Sheet().Parent().Worksheets(sheetName);
  nameReference_ = sheet.Range(rest.substr(bang + 1));
}

std::string Series::Name() const {
  if (!nameReference_) return name_;
  const Area& cell = nameReference_->Areas().front();
  const Value& value = nameReference_->Sheet().ValueAt(cell.firstRow, cell.firstColumn);
  if (const auto* text = std::get_if<std::string>(&value)) return *text;
  if (const auto* number = std::get_if<double>(&value)) return locale::NumberText(*number);
  if (const auto* date = std::get_if<DateValue>(&value)) return locale::LongDate(date->date);
  return {};
}

void Series::SetMarkerSize(int size) {
  if (size < 2 || size > 72) throw SheetError("the marker size " + std::to_string(size) + " is outside 2 to 72");
  markerSize_ = size;
}

// --- Chart ---

Chart::Chart(Workbook& workbook, std::string name) : Sheet(workbook, Kind::Chart, std::move(name)) {}

void Chart::SetSourceData(const sheet::Range& source) {
  CheckAlive();
  source.Sheet().CheckAlive();
  if (&source.Sheet().Parent() != &Parent()) {
    throw SheetError("the chart \"" + Name() + "\" cannot plot cells of another workbook");
  }
  source_ = source;
  MakeSeries();
}

void Chart::SetPlotBy(int plotBy) {
  CheckAlive();
  if (plotBy != xl::Columns && plotBy != xl::Rows) {
    throw SheetError("the chart \"" + Name() + "\" cannot plot by " + std::to_string(plotBy));
  }
  plotBy_ = plotBy;
  if (source_) MakeSeries();
}

void Chart::MakeSeries() {
  series_.clear();
  for (const Area& a : source_->Areas()) {
    if (plotBy_ == xl::Columns) {
      for (int c = a.firstColumn; c <= a.lastColumn; ++c) {
        series_.emplace_back(sheet::Range(source_->Sheet(), {Area{a.firstRow, c, a.lastRow, c}}),
                             "Series" + std::to_string(series_.size() + 1));
      }
    } else {
      for (int r = a.firstRow; r <= a.lastRow; ++r) {
        series_.emplace_back(sheet::Range(source_->Sheet(), {Area{r, a.firstColumn, r, a.lastColumn}}),
                             "Series" + std::to_string(series_.size() + 1));
      }
    }
  }
}

void Chart::SetChartType(int type) {
  CheckAlive();
  if (type != xl::LineMarkers && type != xl::Line) {
    throw SheetError("the chart \"" + Name() + "\" cannot take the chart type " + std::to_string(type));
  }
  chartType_ = type;
}

Series& Chart::SeriesCollection(int index) {
  CheckAlive();
  if (index < 1 || index > SeriesCount()) {
    throw SheetError("the chart \"" + Name() + "\" has no series " + std::to_string(index));
  }
  return series_[static_cast<std::size_t>(index - 1)];
}

const Series& Chart::SeriesCollection(int index) const {
  return const_cast<Chart*>(this)->SeriesCollection(index);
}

TitleText& Chart::ChartTitle() {
  CheckAlive();
  if (!hasTitle_) throw SheetError("the chart \"" + Name() + "\" has no title");
  return title_;
}

const TitleText& Chart::ChartTitle() const { return const_cast<Chart*>(this)->ChartTitle(); }

sheet::Axis& Chart::Axes(int type, int group) {
  CheckAlive();
  if (group != xl::Primary || (type != xl::Category && type != xl::Value)) {
    throw SheetError("the chart \"" + Name() + "\" has no axis of type " + std::to_string(type) +
                     " in group " + std::to_string(group));
  }
  return type == xl::Category ? categoryAxis_ : valueAxis_;
}

const sheet::Axis& Chart::Axes(int type, int group) const { return const_cast<Chart*>(this)->Axes(type, group); }

void Chart::SelectChartArea() { Activate(); }

}  // namespace tuvo::sheet
