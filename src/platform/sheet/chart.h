// A chart sheet: a line chart whose series read their values from worksheet ranges.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/sheet/cell.h"
#include "platform/sheet/range.h"
#include "platform/sheet/worksheet.h"

namespace tuvo::sheet {

// An RGB colour as the automation passes it: red + green * 256 + blue * 65536.
inline constexpr long Rgb(int red, int green, int blue) {
  return red + green * 256L + blue * 65536L;
}

// A line of a chart (series line, gridlines): a palette colour index or an RGB colour, weight,
// line style. Unset parts keep what a new line chart has.
class ChartBorder {
 public:
  void SetColorIndex(int colorIndex);
  void SetColor(long rgb);
  void SetWeight(int weight) { weight_ = weight; }
  void SetLineStyle(int lineStyle) { lineStyle_ = lineStyle; }
  std::optional<int> ColorIndex() const { return colorIndex_; }
  std::optional<long> Color() const { return color_; }  // RGB, from SetColor or the palette
  std::optional<int> Weight() const { return weight_; }
  std::optional<int> LineStyle() const { return lineStyle_; }

 private:
  std::optional<int> colorIndex_;
  std::optional<long> color_;
  std::optional<int> weight_;
  std::optional<int> lineStyle_;
};

// The font of a chart text; unset parts keep the chart's defaults.
class ChartFont {
 public:
  void SetName(std::string_view name) { name_ = std::string(name); }
  void SetSize(double size) { size_ = size; }
  void SetBold(bool bold) { bold_ = bold; }
  const std::optional<std::string>& Name() const { return name_; }
  std::optional<double> Size() const { return size_; }
  std::optional<bool> Bold() const { return bold_; }

 private:
  std::optional<std::string> name_;
  std::optional<double> size_;
  std::optional<bool> bold_;
};

// A chart title or an axis title.
class TitleText {
 public:
  void SetCaption(std::string_view caption) { caption_ = std::string(caption); }
  const std::string& Caption() const { return caption_; }
  ChartFont& Font() { return font_; }
  const ChartFont& Font() const { return font_; }

 private:
  std::string caption_;
  ChartFont font_;
};

// Gridlines of an axis.
class Gridlines {
 public:
  ChartBorder& Border() { return border_; }
  const ChartBorder& Border() const { return border_; }

 private:
  ChartBorder border_;
};

// One axis of the primary group.
class Axis {
 public:
  void SetHasTitle(bool on) { hasTitle_ = on; }
  bool HasTitle() const { return hasTitle_; }
  // The title; throws SheetError while the axis has none, as the automation does.
  TitleText& AxisTitle();
  const TitleText& AxisTitle() const;
  void SetHasMajorGridlines(bool on) { hasMajor_ = on; }
  void SetHasMinorGridlines(bool on) { hasMinor_ = on; }
  bool HasMajorGridlines() const { return hasMajor_; }
  bool HasMinorGridlines() const { return hasMinor_; }
  // The gridlines; throw SheetError while the axis does not show them.
  Gridlines& MajorGridlines();
  Gridlines& MinorGridlines();
  const Gridlines& MajorGridlines() const;
  const Gridlines& MinorGridlines() const;
  void SetMinimumScale(double minimum) { minimum_ = minimum; }
  std::optional<double> MinimumScale() const { return minimum_; }  // unset: automatic

 private:
  bool hasTitle_ = false;
  TitleText title_;
  bool hasMajor_ = false;
  bool hasMinor_ = false;
  Gridlines major_;
  Gridlines minor_;
  std::optional<double> minimum_;
};

// One series: its values are one column (or row) of the source; its name a literal text or a
// reference to a worksheet cell.
class Series {
 public:
  explicit Series(sheet::Range values, std::string defaultName);

  const sheet::Range& Values() const { return values_; }

  // The name from a formula text: ="name" (or a plain text) is a literal name; ='Sheet'!$E$3 or
  // =Sheet2!E3 refers to that cell, which must exist on a worksheet of the chart's workbook.
  void SetName(std::string_view formula);
  // The name shown: the literal, or the referred cell's value as text.
  std::string Name() const;
  // The referred cell of a name given by reference.
  const std::optional<sheet::Range>& NameReference() const { return nameReference_; }

  ChartBorder& Border() { return border_; }
  const ChartBorder& Border() const { return border_; }
  void SetMarkerBackgroundColorIndex(int colorIndex) { markerBackground_ = colorIndex; }
  void SetMarkerForegroundColorIndex(int colorIndex) { markerForeground_ = colorIndex; }
  void SetMarkerStyle(int style) { markerStyle_ = style; }
  void SetMarkerSize(int size);  // 2 to 72
  std::optional<int> MarkerBackgroundColorIndex() const { return markerBackground_; }
  std::optional<int> MarkerForegroundColorIndex() const { return markerForeground_; }
  std::optional<int> MarkerStyle() const { return markerStyle_; }
  std::optional<int> MarkerSize() const { return markerSize_; }

 private:
  sheet::Range values_;
  std::string name_;
  std::optional<sheet::Range> nameReference_;
  ChartBorder border_;
  std::optional<int> markerBackground_;
  std::optional<int> markerForeground_;
  std::optional<int> markerStyle_;
  std::optional<int> markerSize_;
};

// The plot area's fill.
class PlotAreaFormat {
 public:
  void SetInteriorColor(long rgb) { interiorColor_ = rgb; }
  std::optional<long> InteriorColor() const { return interiorColor_; }

 private:
  std::optional<long> interiorColor_;
};

// A chart sheet holding one line chart.
class Chart : public Sheet {
 public:
  Chart(Workbook& workbook, std::string name);

  // The source: a range of one or more areas on one worksheet. Series are made anew from it,
  // one per column (plot by columns, the default) or per row, in order, area after area.
  void SetSourceData(const sheet::Range& source);
  void SetPlotBy(int plotBy);  // xl::Columns or xl::Rows
  int PlotBy() const { return plotBy_; }

  void SetChartType(int type);  // xl::LineMarkers or xl::Line
  int ChartType() const { return chartType_; }

  int SeriesCount() const { return static_cast<int>(series_.size()); }
  Series& SeriesCollection(int index);  // 1-based
  const Series& SeriesCollection(int index) const;

  void SetHasTitle(bool on) { hasTitle_ = on; }
  bool HasTitle() const { return hasTitle_; }
  // The title; throws SheetError while the chart has none.
  TitleText& ChartTitle();
  const TitleText& ChartTitle() const;
  void SetHasLegend(bool on) { hasLegend_ = on; }
  bool HasLegend() const { return hasLegend_; }

  PlotAreaFormat& PlotArea() { return plotArea_; }
  const PlotAreaFormat& PlotArea() const { return plotArea_; }

  // The axis of a type (xl::Category, xl::Value) of the primary group.
  sheet::Axis& Axes(int type, int group = xl::Primary);
  const sheet::Axis& Axes(int type, int group = xl::Primary) const;

  // Selects the chart area: the chart sheet becomes the active sheet.
  void SelectChartArea();

 private:
  void MakeSeries();

  std::optional<sheet::Range> source_;
  int plotBy_ = xl::Columns;
  int chartType_ = xl::LineMarkers;
  std::vector<Series> series_;
  bool hasTitle_ = false;
  TitleText title_;
  bool hasLegend_ = true;
  PlotAreaFormat plotArea_;
  sheet::Axis categoryAxis_;
  sheet::Axis valueAxis_;
};

}  // namespace tuvo::sheet
