#include "report/charts.h"

#include <array>

#include "platform/locale.h"
#include "platform/sheet/sheet.h"
#include "season/workbook_layout.h"

namespace tuvo {

namespace {

using sheet::xl::Category;
using sheet::xl::Primary;
using sheet::xl::Value;

// Line colours of series 1 to 3 (palette: bright green, yellow, red) and the markers' colour
// (dark blue).
constexpr std::array<int, 3> SeriesColorIndex = {4, 6, 3};
constexpr int MarkerColorIndex = 25;
constexpr int MarkerSize = 7;

constexpr std::string_view TitleFont = "Angsana New";
constexpr double ChartTitleSize = 20;
constexpr double AxisTitleSize = 16;
constexpr std::string_view CategoryAxisTitle = "เวลา (สัปดาห์)";
constexpr long PlotAreaColor = sheet::Rgb(210, 245, 235);
constexpr long GridlineColor = sheet::Rgb(0, 0, 255);

// A series name as the formula text of a constant: ="name".
std::string ConstantFormula(std::string_view name) { return "=\"" + std::string(name) + "\""; }

// Title, font and gridlines of one axis, in the order the chart is set up.
void FormatAxis(sheet::Axis& axis, std::string_view title) {
  axis.SetHasTitle(true);
  axis.AxisTitle().SetCaption(title);
  axis.AxisTitle().Font().SetName(TitleFont);
  axis.AxisTitle().Font().SetSize(AxisTitleSize);
  axis.AxisTitle().Font().SetBold(true);
  axis.SetHasMajorGridlines(true);
  axis.SetHasMinorGridlines(true);
  axis.MajorGridlines().Border().SetColor(GridlineColor);
  axis.MajorGridlines().Border().SetLineStyle(sheet::xl::Continuous);
  axis.MinorGridlines().Border().SetColor(GridlineColor);
  axis.MinorGridlines().Border().SetWeight(sheet::xl::Thin);
  axis.MinorGridlines().Border().SetLineStyle(sheet::xl::Dot);
}

// The active sheet as the worksheet the source cells are taken from.
sheet::Worksheet& ActiveWorksheet(sheet::Workbook& workbook) {
  sheet::Sheet& active = workbook.ActiveSheet();
  if (active.Type() != sheet::Sheet::Kind::Worksheet) {
    throw sheet::SheetError("the chart source is taken from the active sheet, and \"" + active.Name() +
                            "\" is a chart sheet");
  }
  return static_cast<sheet::Worksheet&>(active);
}

}  // namespace

ChartColumns ChartColumnsFor(std::int16_t groupCount, const WeeklyChart& chart) {
  return {SummaryColumnNumber(groupCount, SummaryColumn::Percolation),
          SummaryColumnNumber(groupCount, SummaryColumn::EffectiveRain),
          SummaryColumnNumber(groupCount, chart.thirdColumn)};
}

void AddWeeklyChart(const ChartRun& run, const WeeklyChart& chart) {
  // Week fields and columns afresh from the lists; NurseryPrepWeeks and StopWeeks stay as the
  // run stored them, so RefreshWeekFields, which reads their lists too, does not fit here.
  WeekFields& weeks = run.weeks;
  weeks.SeedlingWeeks = locale::WholeNumber(run.texts.cboLiengklatime);
  weeks.NurseryWeeks = locale::ToInt16(weeks.NurseryPrepWeeks + weeks.SeedlingWeeks);
  weeks.GroupCount = GroupCountByLeadingNumber(run.texts);
  const ChartColumns columns = ChartColumnsFor(weeks.GroupCount, chart);
  weeks.WetPrepWeeks = locale::WholeNumber(run.texts.cboTriamplangNaWan);

  // The season length; where no rule applies the run's count stands.
  if (const auto n = ScheduleWeeksFor(run.texts.cboCroptype, weeks)) run.WeekRowCount = *n;
  const int lastRow = WeekRow(run.WeekRowCount);

  // The week rows of the plotted columns, captions and totals row left out.
  sheet::Workbook& workbook = run.workbook;
  if (chart.activateCalcSheet) workbook.Worksheets(CalcSheetIndex).Activate();
  sheet::Worksheet& calc = ActiveWorksheet(workbook);
  sheet::Range source = calc.Range(calc.Cells(FirstWeekRow, columns.PercolationCol),
                                   calc.Cells(lastRow, columns.EffectiveRainCol));
  if (columns.ThirdCol == columns.EffectiveRainCol + 1) {
    source = calc.Range(calc.Cells(FirstWeekRow, columns.PercolationCol), calc.Cells(lastRow, columns.ThirdCol));
  } else {
    source = sheet::Union(source, calc.Range(calc.Cells(FirstWeekRow, columns.ThirdCol),
                                             calc.Cells(lastRow, columns.ThirdCol)));
  }

  // A new chart sheet in front of the active sheet, moved behind the given position.
  sheet::Chart& chartSheet = workbook.AddChart();
  workbook.Sheets(chart.defaultName).Select();
  sheet::Sheet& after = workbook.Sheets(chart.movedAfter);
  workbook.Sheets(chart.defaultName).Move(after);
  chartSheet.SetName(chart.sheetName);

  // The source plotted as lines with markers, one series per column.
  chartSheet.SetSourceData(source);
  chartSheet.SetPlotBy(sheet::xl::Columns);
  chartSheet.SetChartType(sheet::xl::LineMarkers);

  // Colour, weight and markers of each series.
  for (int i = 1; i <= 3; ++i) {
    sheet::Series& series = workbook.ActiveChart().SeriesCollection(i);
    series.Border().SetColorIndex(SeriesColorIndex[static_cast<std::size_t>(i - 1)]);
    series.Border().SetWeight(sheet::xl::Medium);
    series.Border().SetLineStyle(sheet::xl::Continuous);
    series.SetMarkerBackgroundColorIndex(MarkerColorIndex);
    series.SetMarkerForegroundColorIndex(MarkerColorIndex);
    series.SetMarkerStyle(sheet::xl::Circle);
    series.SetMarkerSize(i == 1 ? chart.firstMarkerSize : MarkerSize);
  }

  // Title, legend, series names, plot area.
  chartSheet.SetHasTitle(true);
  chartSheet.SetHasLegend(true);
  chartSheet.SeriesCollection(1).SetName(ConstantFormula(PercolationSeriesName));
  chartSheet.SeriesCollection(2).SetName(ConstantFormula(EffectiveRainSeriesName));
  chartSheet.SeriesCollection(3).SetName(ConstantFormula(chart.thirdSeriesName));
  chartSheet.ChartTitle().SetCaption(chart.title);
  chartSheet.ChartTitle().Font().SetName(TitleFont);
  chartSheet.ChartTitle().Font().SetSize(ChartTitleSize);
  chartSheet.PlotArea().SetInteriorColor(PlotAreaColor);

  // Both axes titled, with gridlines; the value axis from 0 where the chart asks for it.
  FormatAxis(chartSheet.Axes(Category, Primary), CategoryAxisTitle);
  FormatAxis(chartSheet.Axes(Value, Primary), chart.valueAxisTitle);
  if (chart.valueAxisFromZero) chartSheet.Axes(Value, Primary).SetMinimumScale(0);

  // The chart area selected, as the chart sheet is left.
  workbook.ActiveChart().SelectChartArea();
}

void Graph01(const ChartRun& run) { AddWeeklyChart(run, DeliveryChart); }

void Graph02(const ChartRun& run) { AddWeeklyChart(run, FieldUseChart); }

}  // namespace tuvo
