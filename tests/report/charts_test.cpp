// The two weekly chart sheets on a workbook in the state the run leaves it in before Graph01:
// "Sheet1", the calculation sheet active with A1 selected and its four volume columns filled with
// captions, week rows and totals, the day calendar third. First the workbook model, then the
// saved file as LibreOffice reads it back.
#include "report/charts.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <ostream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "platform/sheet/sheet.h"
#include "platform/xls/office_application.h"
#include "run/run_driver.h"
#include "season/season.h"
#include "support/libreoffice_convert.h"
#include "support/temp_folder.h"
#include "support/xls_reader.h"

namespace tuvo {
namespace {

namespace fs = std::filesystem;
namespace xl = sheet::xl;
using sheet::Value;

const std::string Delivery(DeliveryChartName);
const std::string FieldUse(FieldUseChartName);
const std::string Calc(CalcSheetName);
const std::string Summary(SummarySheetName);

// A season as the window's lists and the run's fields give it, and what the charts plot of it.
struct Season {
  const char* what;
  std::string_view crop;
  int groups;
  const char* seedlingWeeks;  // cboLiengklatime
  const char* wetPrepWeeks;   // cboTriamplangNaWan
  std::int16_t nurseryPrepWeeks;
  std::int16_t stopWeeks;
  int weeks;                          // n
  std::vector<std::string> delivery;  // the three plotted columns
  std::vector<std::string> fieldUse;
};

void PrintTo(const Season& season, std::ostream* out) { *out << season.what; }

const Season OneWetSeededGroup{"one wet-seeded group, one preparation week", RDWetSeeded, 1, "", "1", 1, 2, 17,
                               {"R", "S", "U"}, {"R", "S", "T"}};
const Season ThreeRdGroups{"three transplanted groups, three seedling weeks", RDTransplanted, 3, "3", "", 1, 0, 20,
                           {"AD", "AE", "AG"}, {"AD", "AE", "AF"}};
const Season TwentyKdmlGroups{"twenty KDML105 groups, two nursery-bed weeks", KDML105Transplanted, 20, "4", "", 2, 0,
                              39, {"EB", "EC", "EE"}, {"EB", "EC", "ED"}};

// The value of week w in the k-th volume column (percolation, effective rain, net, gross).
double Volume(int k, int w) { return 1000.0 * (k + 1) + w; }
constexpr double Total = 987654.0;

// The addresses of whole week rows of the given columns.
std::vector<std::string> WeekRows(const std::vector<std::string>& columns, int weeks) {
  std::vector<std::string> addresses;
  for (const std::string& c : columns) addresses.push_back(c + "6:" + c + std::to_string(weeks + 5));
  return addresses;
}

// A workbook as the run has it when the charts are built, with the window's lists and fields.
struct Book {
  // `runWeeks` is the run's week count; by default the season's.
  explicit Book(const Season& season, int runWeeks = 0) {
    texts.cboCroptype = std::string(season.crop);
    texts.cboGroup = std::to_string(season.groups);
    texts.cboLiengklatime = season.seedlingWeeks;
    texts.cboTriamplangNaWan = season.wetPrepWeeks;
    weeks.NurseryPrepWeeks = season.nurseryPrepWeeks;
    weeks.StopWeeks = season.stopWeeks;
    WeekRowCount = static_cast<std::int16_t>(runWeeks != 0 ? runWeeks : season.weeks);
    const int first = 6 * season.groups + 12;
    for (int k = 0; k < 4; ++k) {
      calc.Cells(3, first + k).SetValue("caption");
      calc.Cells(4, first + k).SetValue("(ลบ.ม.)");
      for (int w = 1; w <= WeekRowCount; ++w) calc.Cells(w + 5, first + k).SetValue(Volume(k, w));
      calc.Cells(WeekRowCount + 6, first + k).SetValue(Total);
    }
    wb.Sheets("Sheet2").Select();
    calc.Cells(1, 1).Select();
  }

  ChartRun Run() { return {wb, texts, weeks, WeekRowCount}; }

  std::vector<std::string> SheetNames() const {
    std::vector<std::string> names;
    for (const sheet::Sheet* s : wb.SheetList()) names.push_back(s->Name());
    return names;
  }

  sheet::Chart& ChartNamed(const std::string& name) { return static_cast<sheet::Chart&>(wb.Sheets(name)); }

  // The addresses of a chart's series, each on the calculation sheet.
  std::vector<std::string> SeriesAddresses(const std::string& chartName) {
    const sheet::Chart& chart = ChartNamed(chartName);
    std::vector<std::string> addresses;
    for (int i = 1; i <= chart.SeriesCount(); ++i) {
      const sheet::Series& s = chart.SeriesCollection(i);
      EXPECT_EQ(&s.Values().Sheet(), &calc);
      addresses.push_back(s.Values().Address());
    }
    return addresses;
  }

  xls::OfficeApplication app;
  sheet::Workbook& wb = app.Workbooks().Add();
  sheet::Worksheet& calc = wb.Worksheets(2);
  SeasonTexts texts;
  WeekFields weeks;
  std::int16_t WeekRowCount = 0;
};

TEST(WeeklyCharts, EachChartSheetStandsLastAndPlotsItsThreeColumnsOverTheWeekRows) {
  for (const Season& season : {OneWetSeededGroup, ThreeRdGroups, TwentyKdmlGroups}) {
    SCOPED_TRACE(season.what);
    Book book(season);
    book.WeekRowCount = 0;  // recomputed from the lists
    Graph01(book.Run());
    EXPECT_EQ(book.SheetNames(), (std::vector<std::string>{"Sheet1", "Sheet2", "Sheet3", Delivery}));
    EXPECT_EQ(&book.wb.ActiveSheet(), &book.wb.Sheets(Delivery));
    EXPECT_EQ(book.SeriesAddresses(Delivery), WeekRows(season.delivery, season.weeks));

    Graph02(book.Run());
    EXPECT_EQ(book.SheetNames(), (std::vector<std::string>{"Sheet1", "Sheet2", "Sheet3", Delivery, FieldUse}));
    EXPECT_EQ(&book.wb.ActiveSheet(), &book.wb.Sheets(FieldUse));
    EXPECT_EQ(book.SeriesAddresses(FieldUse), WeekRows(season.fieldUse, season.weeks));
    EXPECT_EQ(book.SeriesAddresses(Delivery), WeekRows(season.delivery, season.weeks)) << "the first chart kept";

    EXPECT_EQ(book.WeekRowCount, season.weeks);
    EXPECT_EQ(book.weeks.GroupCount, season.groups);
    for (const sheet::Chart* chart : {&book.ChartNamed(Delivery), &book.ChartNamed(FieldUse)}) {
      EXPECT_EQ(chart->ChartType(), xl::LineMarkers);
      EXPECT_EQ(chart->PlotBy(), xl::Columns);
    }
  }
}

TEST(WeeklyCharts, WeekFieldsAreRecomputedFromTheListsAndTheStoredFields) {
  struct Case {
    const Season& season;
    std::int16_t seedling, nursery, wetPrep;
  };
  for (const Case& c : {Case{OneWetSeededGroup, 0, 1, 1}, Case{ThreeRdGroups, 3, 4, 0}, Case{TwentyKdmlGroups, 4, 6, 0}}) {
    SCOPED_TRACE(c.season.what);
    Book book(c.season);
    book.weeks.SeedlingWeeks = book.weeks.NurseryWeeks = book.weeks.WetPrepWeeks = book.weeks.GroupCount = 99;
    Graph01(book.Run());
    EXPECT_EQ(book.weeks.SeedlingWeeks, c.seedling);
    EXPECT_EQ(book.weeks.NurseryWeeks, c.nursery);
    EXPECT_EQ(book.weeks.WetPrepWeeks, c.wetPrep);
    EXPECT_EQ(book.weeks.NurseryPrepWeeks, c.season.nurseryPrepWeeks) << "read as the run stored it";
    EXPECT_EQ(book.weeks.StopWeeks, c.season.stopWeeks) << "read as the run stored it";
  }
}

TEST(WeeklyCharts, WhereNoSeasonRuleAppliesTheRunsWeekCountStands) {
  struct Case {
    const char* what;
    Season season;
  };
  Season unknownCrop = ThreeRdGroups;
  unknownCrop.crop = "";
  Season fiveSeedlingWeeks = ThreeRdGroups;
  fiveSeedlingWeeks.seedlingWeeks = "5";
  Season fourStopWeeks = OneWetSeededGroup;
  fourStopWeeks.stopWeeks = 4;
  for (const Case& c : {Case{"no crop", unknownCrop}, Case{"five seedling weeks", fiveSeedlingWeeks},
                        Case{"four stop weeks", fourStopWeeks}}) {
    SCOPED_TRACE(c.what);
    Book book(c.season, 25);
    Graph01(book.Run());
    Graph02(book.Run());
    EXPECT_EQ(book.WeekRowCount, 25);
    EXPECT_EQ(book.SeriesAddresses(Delivery), WeekRows(c.season.delivery, 25));
    EXPECT_EQ(book.SeriesAddresses(FieldUse), WeekRows(c.season.fieldUse, 25));
  }
}

// What both charts share and where they differ, as the charts hold it.
TEST(WeeklyCharts, SeriesTitlesAxesAndPlotAreaAreFormatted) {
  Book book(OneWetSeededGroup);
  Graph01(book.Run());
  Graph02(book.Run());
  struct Expected {
    const std::string& sheet;
    const WeeklyChart& spec;
    std::vector<int> markerSizes;
    bool fromZero;
  };
  for (const Expected& e : {Expected{Delivery, DeliveryChart, {7, 7, 7}, true},
                            Expected{FieldUse, FieldUseChart, {8, 7, 7}, false}}) {
    SCOPED_TRACE(e.sheet);
    const sheet::Chart& chart = book.ChartNamed(e.sheet);
    ASSERT_EQ(chart.SeriesCount(), 3);
    const std::vector<std::string> names = {std::string(PercolationSeriesName), std::string(EffectiveRainSeriesName),
                                            std::string(e.spec.thirdSeriesName)};
    const std::vector<int> colours = {4, 6, 3};
    for (int i = 1; i <= 3; ++i) {
      SCOPED_TRACE(i);
      const sheet::Series& s = chart.SeriesCollection(i);
      EXPECT_EQ(s.Name(), names[i - 1]);
      EXPECT_FALSE(s.NameReference()) << "a constant name";
      EXPECT_EQ(s.Border().ColorIndex(), colours[i - 1]);
      EXPECT_EQ(s.Border().Weight(), xl::Medium);
      EXPECT_EQ(s.Border().LineStyle(), xl::Continuous);
      EXPECT_EQ(s.MarkerBackgroundColorIndex(), 25);
      EXPECT_EQ(s.MarkerForegroundColorIndex(), 25);
      EXPECT_EQ(s.MarkerStyle(), xl::Circle);
      EXPECT_EQ(s.MarkerSize(), e.markerSizes[i - 1]);
    }
    EXPECT_TRUE(chart.HasLegend());
    ASSERT_TRUE(chart.HasTitle());
    EXPECT_EQ(chart.ChartTitle().Caption(), e.spec.title);
    EXPECT_EQ(chart.ChartTitle().Font().Name(), "Angsana New");
    EXPECT_EQ(chart.ChartTitle().Font().Size(), 20);
    EXPECT_FALSE(chart.ChartTitle().Font().Bold()) << "boldness not set";
    EXPECT_EQ(chart.PlotArea().InteriorColor(), sheet::Rgb(210, 245, 235));

    for (int type : {xl::Category, xl::Value}) {
      SCOPED_TRACE(type);
      const sheet::Axis& axis = chart.Axes(type, xl::Primary);
      ASSERT_TRUE(axis.HasTitle());
      EXPECT_EQ(axis.AxisTitle().Caption(), type == xl::Category ? "เวลา (สัปดาห์)" : std::string(e.spec.valueAxisTitle));
      EXPECT_EQ(axis.AxisTitle().Font().Name(), "Angsana New");
      EXPECT_EQ(axis.AxisTitle().Font().Size(), 16);
      EXPECT_EQ(axis.AxisTitle().Font().Bold(), true);
      ASSERT_TRUE(axis.HasMajorGridlines());
      ASSERT_TRUE(axis.HasMinorGridlines());
      const sheet::ChartBorder& major = axis.MajorGridlines().Border();
      const sheet::ChartBorder& minor = axis.MinorGridlines().Border();
      EXPECT_EQ(major.Color(), sheet::Rgb(0, 0, 255));
      EXPECT_EQ(major.LineStyle(), xl::Continuous);
      EXPECT_FALSE(major.Weight()) << "weight not set";
      EXPECT_EQ(minor.Color(), sheet::Rgb(0, 0, 255));
      EXPECT_EQ(minor.Weight(), xl::Thin);
      EXPECT_EQ(minor.LineStyle(), xl::Dot);
    }
    EXPECT_FALSE(chart.Axes(xl::Category, xl::Primary).MinimumScale());
    EXPECT_EQ(chart.Axes(xl::Value, xl::Primary).MinimumScale(), e.fromZero ? std::optional<double>(0) : std::nullopt);
  }
}

TEST(WeeklyCharts, NoCellOfAnyWorksheetIsWritten) {
  Book book(ThreeRdGroups);
  std::vector<std::map<std::pair<int, int>, sheet::Value>> before;
  auto values = [&] {
    std::vector<std::map<std::pair<int, int>, sheet::Value>> all;
    for (int i = 1; i <= book.wb.WorksheetCount(); ++i) {
      auto& cells = all.emplace_back();
      for (const auto& [key, cell] : book.wb.Worksheets(i).UsedCells()) cells[key] = cell.value;
    }
    return all;
  };
  before = values();
  Graph01(book.Run());
  Graph02(book.Run());
  EXPECT_EQ(values(), before);
}

TEST(WeeklyCharts, AFailingSheetCallStopsTheChartAndPassesUp) {
  {
    SCOPED_TRACE("the field-use chart without the delivery chart: no sheet \"Chart2\"");
    Book book(OneWetSeededGroup);
    EXPECT_THROW(Graph02(book.Run()), sheet::SheetError);
    EXPECT_EQ(book.SheetNames(), (std::vector<std::string>{"Sheet1", "Chart1", "Sheet2", "Sheet3"}))
        << "the new chart sheet stays where it was added";
  }
  {
    SCOPED_TRACE("no fourth sheet to move the delivery chart behind");
    Book book(OneWetSeededGroup);
    book.wb.Worksheets(3).Delete();
    book.wb.Worksheets(2).Activate();
    EXPECT_THROW(Graph01(book.Run()), sheet::SheetError);
    EXPECT_EQ(book.SheetNames(), (std::vector<std::string>{"Sheet1", "Chart1", "Sheet2"}));
  }
}

// ---- The saved workbook.

// Every occurrence of an attribute's value in the tags that begin with `tag`, in order.
std::vector<std::string> Attributes(const std::string& document, const std::string& tag, const std::string& name) {
  std::vector<std::string> values;
  for (std::size_t at = document.find(tag); at != std::string::npos; at = document.find(tag, at + 1)) {
    const std::string text = document.substr(at, document.find('>', at) - at);
    const std::size_t from = text.find(" " + name + "=\"");
    if (from == std::string::npos) {
      values.push_back("<none>");
      continue;
    }
    const std::size_t start = from + name.size() + 3;
    values.push_back(text.substr(start, text.find('"', start) - start));
  }
  return values;
}

// The run's last steps on the workbook: charts, final names, the calendar gone, then the save.
fs::path SaveAfterCharts(Book& book, const fs::path& folder) {
  Graph01(book.Run());
  Graph02(book.Run());
  NameCalcSheetAndDropCalendar(book.app, book.wb);
  book.wb.Sheets("Sheet1").Select();
  NameSummarySheet(book.wb);
  const fs::path file = folder / "result.xls";
  book.wb.SaveAs(file.string());
  return file;
}

class SavedCharts : public ::testing::TestWithParam<Season> {
 protected:
  test::TempFolder folder{"tuvo-charts-test"};
};

TEST_P(SavedCharts, FourSheetsInOrderAndEachChartReadsBackWithItsColumnsRowsAndNames) {
  const Season& season = GetParam();
  Book book(season);
  const fs::path file = SaveAfterCharts(book, folder.Path());

  const test::XlsReader xls(file);
  EXPECT_EQ(xls.SheetNames(), (std::vector<std::string>{Summary, Calc, Delivery, FieldUse}));
  const int first = 6 * season.groups + 12;
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(xls.Cell(Calc, 6, first + k), Value{Volume(k, 1)});
    EXPECT_EQ(xls.Cell(Calc, season.weeks + 5, first + k), Value{Volume(k, season.weeks)});
    EXPECT_EQ(xls.Cell(Calc, season.weeks + 6, first + k), Value{Total});
  }

  // LibreOffice's reading of the file: the six series in sheet order, values and names.
  const std::string document = test::ReadText(test::ConvertWithLibreOffice(file, "fods", folder.Path()));
  std::vector<std::string> ranges;
  for (const auto& columns : {season.delivery, season.fieldUse}) {
    for (const std::string& address : WeekRows(columns, season.weeks)) {
      const std::string last = address.substr(address.find(':') + 1);
      ranges.push_back(Calc + "." + address.substr(0, address.find(':')) + ":" + Calc + "." + last);
    }
  }
  EXPECT_EQ(Attributes(document, "<chart:series ", "chart:values-cell-range-address"), ranges)
      << "captions and totals row left out, the net column skipped by the delivery chart";
  auto quoted = [](std::string_view name) { return "&quot;" + std::string(name) + "&quot;"; };
  EXPECT_EQ(Attributes(document, "<chart:series ", "loext:label-string"),
            (std::vector<std::string>{quoted(PercolationSeriesName), quoted(EffectiveRainSeriesName),
                                      quoted(DeliveryChart.thirdSeriesName), quoted(PercolationSeriesName),
                                      quoted(EffectiveRainSeriesName), quoted(FieldUseChart.thirdSeriesName)}));
  EXPECT_EQ(Attributes(document, "<chart:chart ", "chart:class"), (std::vector<std::string>{"chart:line", "chart:line"}));

  // Title and axis titles in their font, for the Thai text too: sizes and boldness of each.
  std::multiset<std::string> titles;
  for (std::size_t at = document.find("<style:text-properties "); at != std::string::npos;
       at = document.find("<style:text-properties ", at + 1)) {
    const std::string tag = document.substr(at, document.find('>', at) - at);
    if (tag.find("style:font-family-complex=\"&apos;Angsana New&apos;\"") == std::string::npos) continue;
    const bool bold = tag.find("fo:font-weight=\"bold\"") != std::string::npos;
    titles.insert(Attributes(tag, "<style:text-properties ", "fo:font-size").front() + (bold ? " bold" : ""));
  }
  EXPECT_EQ(titles.count("16pt bold"), 4u) << "two axis titles per chart";
  EXPECT_EQ(titles.count("20pt") + titles.count("20pt bold"), 2u) << "one title per chart";
  EXPECT_EQ(titles.size(), 6u);
}

INSTANTIATE_TEST_SUITE_P(Seasons, SavedCharts, ::testing::Values(OneWetSeededGroup, TwentyKdmlGroups),
                         [](const auto& info) { return info.param.groups == 1 ? "OneGroup17Weeks" : "TwentyGroups39Weeks"; });

// The media boxes of a PDF's pages, in the order the file holds them.
std::vector<std::string> MediaBoxes(const std::string& pdf) {
  std::vector<std::string> boxes;
  for (std::size_t at = pdf.find("/MediaBox"); at != std::string::npos; at = pdf.find("/MediaBox", at + 1)) {
    boxes.push_back(pdf.substr(at, pdf.find(']', at) - at + 1));
  }
  return boxes;
}

TEST(SavedChartPages, EachChartSheetPrintsOnOneLandscapePage) {
  const test::TempFolder folder{"tuvo-charts-test"};
  Book book(OneWetSeededGroup);
  const fs::path file = SaveAfterCharts(book, folder.Path());
  std::vector<std::string> boxes = MediaBoxes(test::ReadText(test::ConvertWithLibreOffice(file, "pdf", folder.Path())));
  std::size_t landscape = 0;
  for (const std::string& box : boxes) landscape += box.find("[0 0 841.889763779528 595.303937007874]") != std::string::npos;
  EXPECT_EQ(landscape, 2u) << ::testing::PrintToString(boxes);
}

}  // namespace
}  // namespace tuvo
