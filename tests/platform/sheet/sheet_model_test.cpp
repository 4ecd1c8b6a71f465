// The in-memory workbook model: sheets, cells, typed entry, formats, borders, merges, charts.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "platform/locale.h"
#include "platform/sheet/palette.h"
#include "platform/sheet/sheet.h"

namespace tuvo::sheet {
namespace {

using namespace std::chrono;

const std::string CalcSheetName = "ตารางแสดงรายการคำนวณ";
const std::string FieldUseChartName = "กราฟแสดงปริมาณน้ำที่ใช้ในแปลง";  // 29 characters
const std::string DeliveryChartName = "กราฟแสดงปริมาณน้ำที่ต้องส่ง";

std::vector<std::string> SheetNames(const Workbook& workbook) {
  std::vector<std::string> names;
  for (const Sheet* sheet : workbook.SheetList()) names.push_back(sheet->Name());
  return names;
}

// The outline the calculation sheet draws around a selection: four thin edges, no diagonals, no
// inner horizontal lines, inner vertical lines untouched.
void Outline(const Range& range) {
  range.SetBorderLineStyle(BorderIndex::DiagonalDown, xl::None);
  range.SetBorderLineStyle(BorderIndex::DiagonalUp, xl::None);
  for (BorderIndex edge : {BorderIndex::EdgeLeft, BorderIndex::EdgeTop, BorderIndex::EdgeBottom,
                           BorderIndex::EdgeRight}) {
    range.SetBorderLineStyle(edge, xl::Continuous);
    range.SetBorderWeight(edge, xl::Thin);
    range.SetBorderColorIndex(edge, xl::Automatic);
  }
  range.SetBorderLineStyle(BorderIndex::InsideHorizontal, xl::None);
}

const Border ThinLine{xl::Continuous, xl::Thin, xl::Automatic};

bool HasLine(const Border& border) { return border.lineStyle != xl::None; }

class SheetModel : public ::testing::Test {
 protected:
  Application app;
  Workbook& wb = app.Workbooks().Add();
  Worksheet& calc = wb.Worksheets(2);
};

TEST_F(SheetModel, NewWorkbookHasThreeWorksheetsWithSheet1ActiveAndA1Selected) {
  EXPECT_EQ(wb.Name(), "Book1");
  EXPECT_EQ(SheetNames(wb), (std::vector<std::string>{"Sheet1", "Sheet2", "Sheet3"}));
  EXPECT_EQ(wb.WorksheetCount(), 3);
  EXPECT_EQ(&wb.ActiveSheet(), &wb.Sheets("Sheet1"));
  EXPECT_EQ(wb.Selection().Address(), "A1");
  EXPECT_EQ(&app.ActiveWorkbook(), &wb);
  EXPECT_EQ(app.Workbooks().Count(), 1);
  EXPECT_EQ(app.Workbooks().Add().Name(), "Book2");
  EXPECT_EQ(app.ActiveWorkbook().Name(), "Book2");
}

TEST(TypedEntry, ConvertsNumbersAndThaiDatesAndKeepsOtherTexts) {
  const std::string longDate = "1 " + locale::ThaiMonthName(1) + " 2552";
  struct Case {
    std::string text;
    Value value;
  };
  const Case cases[] = {
      {"1500", 1500.0},
      {"0.12", 0.12},
      {"0.00", 0.0},
      {"0", 0.0},
      {"1,500", 1500.0},
      {"1,500.5", 1500.5},
      {"-3.25", -3.25},
      {longDate, DateValue{2009y / January / 1d}},
      {"15/5/2552", DateValue{2009y / May / 15d}},
      {"12abc", std::string("12abc")},
      {"Kc", std::string("Kc")},
      {CalcSheetName, CalcSheetName},
      {"", std::monostate{}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(TypedEntry(c.text), c.value);
  }
}

TEST_F(SheetModel, WritingATextIntoACellConvertsItAsTypedEntry) {
  calc.Cells(6, 6).SetValue("0.00");
  calc.Cells(6, 7).SetValue(std::string("1,500"));
  calc.Cells(6, 8).SetValue(std::string_view("ฝน"));
  calc.Cells(6, 9).SetValue(Value{std::string("0.00")});  // stored as given
  EXPECT_EQ(calc.Cells(6, 6).GetValue(), Value{0.0});
  EXPECT_EQ(calc.Cells(6, 7).GetValue(), Value{1500.0});
  EXPECT_EQ(calc.Cells(6, 8).GetValue(), Value{std::string("ฝน")});
  EXPECT_EQ(calc.Cells(6, 9).GetValue(), Value{std::string("0.00")});
}

TEST_F(SheetModel, AsNumberReadsEmptyAsZeroAndNumberTextsAsTheirNumber) {
  calc.Cells(1, 1).SetValue(Value{std::string("12.5")});
  calc.Cells(1, 2).SetValue(7);
  calc.Cells(1, 3).SetValue(Value{DateValue{1900y / January / 1d}});
  calc.Cells(1, 4).SetValue("ไร่");
  EXPECT_EQ(calc.Cells(1, 1).AsNumber(), 12.5);
  EXPECT_EQ(calc.Cells(1, 2).AsNumber(), 7);
  EXPECT_EQ(calc.Cells(1, 3).AsNumber(), 2);  // the date's serial
  EXPECT_EQ(calc.Cells(9, 9).AsNumber(), 0);
  try {
    calc.Cells(1, 4).AsNumber();
    FAIL() << "a text that is no number must not read as one";
  } catch (const SheetError& error) {
    EXPECT_NE(std::string(error.what()).find("D1"), std::string::npos) << error.what();
  }
}

TEST(Address, ParsesTheNotationsTheProgramUses) {
  struct Case {
    const char* address;
    std::vector<Area> areas;
    const char* written;
  };
  const Case cases[] = {
      {"A3:D17", {{3, 1, 17, 4}}, "A3:D17"},
      {"B3", {{3, 2, 3, 2}}, "B3"},
      {"$E$3", {{3, 5, 3, 5}}, "E3"},
      {"D17:A3", {{3, 1, 17, 4}}, "A3:D17"},
      {"DO3:DT3", {{3, 119, 3, 124}}, "DO3:DT3"},
      {"B:B", {{1, 2, MaxRows, 2}}, "B:B"},
      {"c:e", {{1, 3, MaxRows, 5}}, "C:E"},
      {"3:5", {{3, 1, 5, MaxColumns}}, "3:5"},
      {"A1,C3:C5", {{1, 1, 1, 1}, {3, 3, 5, 3}}, "A1,C3:C5"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.address);
    const auto areas = ParseAddress(c.address);
    EXPECT_EQ(areas, c.areas);
    std::string text;
    for (const Area& a : areas) text += (text.empty() ? "" : ",") + AreaAddress(a);
    EXPECT_EQ(text, c.written);
  }
  for (const char* bad : {"", "A0", "IW1", "A1:", "1A", "A1,,B2", "B", "A65537", "A1:B"}) {
    SCOPED_TRACE(bad);
    EXPECT_THROW(ParseAddress(bad), SheetError);
  }
  EXPECT_EQ(ColumnLetters(1), "A");
  EXPECT_EQ(ColumnLetters(26), "Z");
  EXPECT_EQ(ColumnLetters(27), "AA");
  EXPECT_EQ(ColumnLetters(124), "DT");
  EXPECT_EQ(ColumnLetters(135), "EE");
  EXPECT_EQ(ColumnLetters(256), "IV");
  EXPECT_THROW(ColumnLetters(257), SheetError);
}

TEST_F(SheetModel, MergedRangeShowsTheOneValueItHolds) {
  calc.Cells(4, 2).SetValue("สัปดาห์");
  calc.Range("B3:B5").Merge();
  for (int row = 3; row <= 5; ++row) {
    EXPECT_EQ(calc.Cells(row, 2).GetValue(), Value{std::string("สัปดาห์")}) << row;
  }
  EXPECT_EQ(calc.MergedAreas(), (std::vector<Area>{{3, 2, 5, 2}}));
  EXPECT_EQ(calc.UsedCells().at({4, 2}).value, Value{});  // the value moved to the merged cell

  // Two values: the first in reading order stays.
  calc.Cells(3, 6).SetValue("first");
  calc.Cells(3, 8).SetValue("second");
  calc.Range("E3:J3").Merge();
  EXPECT_EQ(calc.Range("E3:J3").GetValue(), Value{std::string("first")});
  EXPECT_EQ(calc.UsedCells().at({3, 8}).value, Value{});  // the second value is gone

  // Selecting a part of a merged cell selects all of it.
  calc.Cells(4, 2).Select();
  EXPECT_EQ(wb.Selection().Address(), "B3:B5");
  // Writing into any of its cells writes its one value.
  calc.Cells(5, 2).SetValue("Kc");
  EXPECT_EQ(calc.ValueAt(3, 2), Value{std::string("Kc")});
}

TEST_F(SheetModel, OutlinedColumnsGiveVerticalLinesBetweenAllColumnsAndNoneBetweenWeeks) {
  for (int column = 2; column <= 4; ++column) {
    calc.Range(calc.Cells(6, column), calc.Cells(10, column)).Select();
    Outline(wb.Selection());
  }
  for (int row = 6; row <= 10; ++row) {
    SCOPED_TRACE(row);
    EXPECT_EQ(calc.FormatAt(row, 2).left, ThinLine);
    EXPECT_EQ(calc.FormatAt(row, 2).right, ThinLine);
    EXPECT_EQ(calc.FormatAt(row, 3).left, ThinLine);
    EXPECT_EQ(calc.FormatAt(row, 3).right, ThinLine);
    EXPECT_EQ(calc.FormatAt(row, 4).right, ThinLine);
    EXPECT_EQ(calc.FormatAt(row, 5).left, ThinLine);  // the neighbour shares the line
  }
  for (int column = 2; column <= 4; ++column) {
    SCOPED_TRACE(column);
    EXPECT_EQ(calc.FormatAt(6, column).top, ThinLine);
    EXPECT_EQ(calc.FormatAt(5, column).bottom, ThinLine);
    EXPECT_EQ(calc.FormatAt(10, column).bottom, ThinLine);
    for (int row = 6; row < 10; ++row) {
      EXPECT_FALSE(HasLine(calc.FormatAt(row, column).bottom)) << row;
      EXPECT_FALSE(HasLine(calc.FormatAt(row + 1, column).top)) << row;
    }
  }
}

TEST_F(SheetModel, AnOutlineKeepsInnerVerticalLinesAndChangesNeighboursOnlyWhereItDraws) {
  const Range block = calc.Range("B6:D10");
  block.SetBorderLineStyle(BorderIndex::InsideVertical, xl::Dot);
  block.SetBorderLineStyle(BorderIndex::InsideHorizontal, xl::Continuous);
  calc.Range("A1").SetBorderLineStyle(BorderIndex::DiagonalUp, xl::Continuous);
  Outline(block);
  EXPECT_EQ(calc.FormatAt(7, 2).right.lineStyle, xl::Dot);
  EXPECT_EQ(calc.FormatAt(7, 3).left.lineStyle, xl::Dot);
  EXPECT_FALSE(HasLine(calc.FormatAt(7, 3).bottom));
  EXPECT_FALSE(HasLine(calc.FormatAt(8, 3).top));

  // A second outline of another weight on the middle column redraws the shared lines only.
  const Range middle = calc.Range("C6:C10");
  middle.SetBorderWeight(BorderIndex::EdgeLeft, xl::Medium);
  EXPECT_EQ(calc.FormatAt(7, 2).right.weight, xl::Medium);
  EXPECT_EQ(calc.FormatAt(7, 2).left, ThinLine);
  EXPECT_EQ(calc.FormatAt(7, 3).right.lineStyle, xl::Dot);
  // Outlining again changes nothing more.
  Outline(block);
  const CellFormat once = calc.FormatAt(8, 3);
  Outline(block);
  EXPECT_EQ(calc.FormatAt(8, 3), once);
  EXPECT_EQ(calc.FormatAt(1, 1).diagonalUp.lineStyle, xl::Continuous);
}

TEST_F(SheetModel, AWeightGivenToAnEdgeWithoutLineDrawsAContinuousLine) {
  calc.Cells(2, 2).SetBorderWeight(BorderIndex::EdgeTop, xl::Thin);
  EXPECT_EQ(calc.FormatAt(2, 2).top, ThinLine);
  calc.Cells(2, 2).SetBorderLineStyle(BorderIndex::DiagonalDown, xl::Continuous);
  EXPECT_TRUE(HasLine(calc.FormatAt(2, 2).diagonalDown));
  EXPECT_FALSE(HasLine(calc.FormatAt(2, 2).diagonalUp));
}

TEST_F(SheetModel, FormatsOfAllCellsAndWholeColumnsReachCellsWrittenLater) {
  calc.Cells(6, 2).SetValue(1);
  calc.AllCells().Select();
  const Range all = wb.Selection();
  all.SetFontName("Cordia New");
  all.SetFontSize(14);
  all.SetFontStrikethrough(false);
  all.SetFontUnderline(xl::None);
  all.SetFontColorIndex(xl::Automatic);
  calc.Range("C:C").Select();
  wb.Selection().SetColumnWidth(10);
  calc.Columns("E:E").SetHorizontalAlignment(xl::Center);
  calc.Cells(40, 5).SetValue("x");

  EXPECT_EQ(calc.FormatAt(6, 2).fontName, "Cordia New");
  EXPECT_EQ(calc.FormatAt(300, 200).fontSize, 14);
  EXPECT_EQ(calc.FormatAt(40, 5).fontName, "Cordia New");
  EXPECT_EQ(calc.FormatAt(40, 5).horizontalAlignment, xl::Center);
  EXPECT_EQ(calc.FormatAt(41, 5).horizontalAlignment, xl::Center);
  EXPECT_EQ(calc.FormatAt(40, 6).horizontalAlignment, 0);
  EXPECT_EQ(calc.ColumnWidth(3), 10);
  EXPECT_EQ(calc.ColumnWidth(4), calc.StandardWidth());
  EXPECT_EQ(calc.Cells(1, 3).ColumnWidth(), 10);
  EXPECT_EQ(wb.Worksheets(1).FormatAt(1, 1).fontName, "");  // other sheets keep their font
}

TEST_F(SheetModel, CommaStyleGivesTheAccountingFormatAfterAnyNumberFormat) {
  const Range eto = calc.Cells(6, 11);
  eto.SetNumberFormat("0.00");
  EXPECT_EQ(eto.Format().numberFormat, "0.00");
  eto.SetStyle("comma");
  EXPECT_EQ(eto.Format().style, "comma");
  EXPECT_EQ(eto.Format().numberFormat, CommaNumberFormat);
  calc.Cells(7, 11).SetStyle("Comma");
  EXPECT_EQ(calc.FormatAt(7, 11).style, "comma");
  EXPECT_THROW(calc.Cells(7, 11).SetStyle("Currency"), SheetError);
}

TEST_F(SheetModel, InteriorColourWithoutPatternIsSolid) {
  calc.Range("B3:B5").SetInteriorColorIndex(35);
  EXPECT_EQ(calc.FormatAt(4, 2).interiorColorIndex, 35);
  EXPECT_EQ(calc.FormatAt(4, 2).interiorPattern, xl::Solid);
  EXPECT_EQ(PaletteColor(35), 0xCCFFCCu);
  EXPECT_EQ(PaletteColor(25), 0x000080u);
  EXPECT_THROW(PaletteColor(57), SheetError);
}

TEST_F(SheetModel, ClearingKeepsWhatItShouldAndDeletingAllCellsResetsTheSheet) {
  calc.Cells(3, 2).SetValue("x");
  calc.Range("B3:B5").Merge();
  calc.Cells(6, 2).SetValue(5);
  calc.Cells(6, 2).SetStyle("comma");
  calc.Columns(3).SetColumnWidth(20);
  calc.AllCells().SetFontName("Cordia New");

  calc.Range("B6").ClearContents();
  EXPECT_EQ(calc.ValueAt(6, 2), Value{});
  EXPECT_EQ(calc.FormatAt(6, 2).style, "comma");

  EXPECT_THROW(calc.Range("A1:B2").Delete(), SheetError);
  calc.AllCells().Delete();
  EXPECT_TRUE(calc.UsedCells().empty());
  EXPECT_TRUE(calc.MergedAreas().empty());
  EXPECT_EQ(calc.ColumnWidth(3), calc.StandardWidth());
  EXPECT_EQ(calc.FormatAt(1, 1), CellFormat{});

  calc.Cells(1, 1).SetValue("y");
  calc.Cells(1, 1).SetFontBold(true);
  calc.AllCells().Clear();
  EXPECT_EQ(calc.ValueAt(1, 1), Value{});
  EXPECT_FALSE(calc.FormatAt(1, 1).bold);
}

TEST_F(SheetModel, RowsAndColumnsOfARangeAndUnions) {
  const Range block = calc.Range("R6:T22");
  EXPECT_EQ(block.RowCount(), 17);
  EXPECT_EQ(block.ColumnCount(), 3);
  EXPECT_EQ(block.Columns(2).Address(), "S6:S22");
  EXPECT_EQ(block.Rows(17).Address(), "R22:T22");
  EXPECT_THROW(block.Columns(4), SheetError);
  const Range both = Union(calc.Range(calc.Cells(6, 18), calc.Cells(22, 19)), calc.Range("U6:U22"));
  EXPECT_EQ(both.Address(), "R6:S22,U6:U22");
  EXPECT_THROW(Union(both, wb.Worksheets(1).Range("A1")), SheetError);
}

// The sheet moves of the two chart steps and the end of the run.
TEST_F(SheetModel, ChartSheetsAreAddedBeforeTheActiveSheetAndMovedRenamedAndDeletedAsTheRunDoes) {
  calc.Select();
  Chart& delivery = wb.AddChart();
  EXPECT_EQ(delivery.Name(), "Chart1");
  EXPECT_EQ(SheetNames(wb), (std::vector<std::string>{"Sheet1", "Chart1", "Sheet2", "Sheet3"}));
  EXPECT_EQ(&wb.ActiveSheet(), &delivery);
  EXPECT_EQ(&wb.ActiveChart(), &delivery);
  EXPECT_THROW(wb.Selection(), SheetError);
  wb.Sheets("Chart1").Select();
  wb.Sheets("Chart1").Move(wb.Sheets(4));
  delivery.SetName(DeliveryChartName);
  EXPECT_EQ(wb.Worksheets(3).Name(), "Sheet3");  // worksheets count without chart sheets

  wb.Worksheets(2).Activate();
  Chart& fieldUse = wb.AddChart();
  EXPECT_EQ(fieldUse.Name(), "Chart2");
  EXPECT_EQ(fieldUse.Index(), 2);
  wb.Sheets("chart2").Move(wb.Sheets(5));  // names compare without regard to case
  fieldUse.SetName(FieldUseChartName);
  EXPECT_EQ(SheetNames(wb),
            (std::vector<std::string>{"Sheet1", "Sheet2", "Sheet3", DeliveryChartName, FieldUseChartName}));

  Worksheet& calendar = wb.Worksheets(3);
  calendar.Delete();
  EXPECT_THROW(calendar.Cells(1, 1), SheetError);
  calc.SetName(CalcSheetName);
  wb.Sheets("Sheet1").SetName("สรุป");
  EXPECT_EQ(SheetNames(wb), (std::vector<std::string>{"สรุป", CalcSheetName, DeliveryChartName, FieldUseChartName}));
  EXPECT_EQ(&wb.Worksheets(CalcSheetName), &calc);
  EXPECT_THROW(wb.Worksheets(3), SheetError);
  EXPECT_THROW(wb.Sheets("Sheet3"), SheetError);
  EXPECT_THROW(wb.Sheets(5), SheetError);
}

TEST_F(SheetModel, SheetNamesMustBeValidAndUnique) {
  Worksheet& sheet = wb.Worksheets(1);
  EXPECT_NO_THROW(sheet.SetName(FieldUseChartName));
  EXPECT_THROW(sheet.SetName(FieldUseChartName + "ที่ต"), SheetError);  // 32 characters
  EXPECT_THROW(sheet.SetName("sheet2"), SheetError);
  EXPECT_THROW(sheet.SetName(""), SheetError);
  EXPECT_THROW(sheet.SetName("a/b"), SheetError);
  EXPECT_EQ(sheet.Name(), FieldUseChartName);
}

TEST_F(SheetModel, DeletingTheActiveSheetActivatesItsRightNeighbourAndTheLastSheetStays) {
  wb.Sheets("Sheet2").Select();
  wb.Sheets("Sheet2").Delete();
  EXPECT_EQ(wb.ActiveSheet().Name(), "Sheet3");
  wb.Sheets("Sheet3").Delete();
  EXPECT_EQ(wb.ActiveSheet().Name(), "Sheet1");
  EXPECT_THROW(wb.Sheets("Sheet1").Delete(), SheetError);
}

TEST_F(SheetModel, ChartSeriesComeFromTheSourceByColumnsWithNamesAndFormats) {
  for (int row = 6; row <= 22; ++row) {
    for (int column = 18; column <= 21; ++column) calc.Cells(row, column).SetValue(row * column);
  }
  calc.Cells(3, 18).SetValue("ปริมาณการซึมลึก");
  calc.Select();
  Chart& chart = wb.AddChart();
  chart.SetSourceData(Union(calc.Range(calc.Cells(6, 18), calc.Cells(22, 19)),
                            calc.Range(calc.Cells(6, 21), calc.Cells(22, 21))));
  chart.SetPlotBy(xl::Columns);
  chart.SetChartType(xl::LineMarkers);
  ASSERT_EQ(chart.SeriesCount(), 3);
  EXPECT_EQ(chart.SeriesCollection(1).Values().Address(), "R6:R22");
  EXPECT_EQ(chart.SeriesCollection(2).Values().Address(), "S6:S22");
  EXPECT_EQ(chart.SeriesCollection(3).Values().Address(), "U6:U22");
  EXPECT_THROW(chart.SeriesCollection(4), SheetError);
  EXPECT_THROW(chart.SetChartType(51), SheetError);

  Series& first = chart.SeriesCollection(1);
  first.Border().SetColorIndex(4);
  first.Border().SetWeight(xl::Medium);
  first.Border().SetLineStyle(xl::Continuous);
  first.SetMarkerBackgroundColorIndex(25);
  first.SetMarkerForegroundColorIndex(25);
  first.SetMarkerStyle(xl::Circle);
  first.SetMarkerSize(8);
  EXPECT_EQ(first.Border().Color(), Rgb(0, 255, 0));
  EXPECT_THROW(first.SetMarkerSize(1), SheetError);

  first.SetName("=\"การซึมลึก\"");
  EXPECT_EQ(first.Name(), "การซึมลึก");
  EXPECT_FALSE(first.NameReference());
  chart.SeriesCollection(2).SetName("='Sheet2'!$R$3");
  calc.SetName(CalcSheetName);  // a name by reference follows the renamed sheet
  EXPECT_EQ(chart.SeriesCollection(2).Name(), "ปริมาณการซึมลึก");
  EXPECT_EQ(chart.SeriesCollection(2).NameReference()->Address(), "R3");
  EXPECT_THROW(chart.SeriesCollection(3).SetName("='Nowhere'!$A$1"), SheetError);

  chart.SetPlotBy(xl::Rows);  // plotting by rows makes the series anew
  EXPECT_EQ(chart.SeriesCount(), 34);
  EXPECT_EQ(chart.SeriesCollection(1).Values().Address(), "R6:S6");
}

TEST_F(SheetModel, ChartTitlesAxesAndGridlinesExistOnlyOnceShown) {
  Chart& chart = wb.AddChart();
  EXPECT_THROW(chart.ChartTitle(), SheetError);
  chart.SetHasTitle(true);
  chart.SetHasLegend(true);
  chart.ChartTitle().SetCaption("title");
  chart.ChartTitle().Font().SetName("Angsana New");
  chart.ChartTitle().Font().SetSize(20);
  chart.PlotArea().SetInteriorColor(Rgb(210, 245, 235));
  EXPECT_EQ(chart.PlotArea().InteriorColor(), 210 + 245 * 256 + 235 * 65536);

  Axis& value = chart.Axes(xl::Value, xl::Primary);
  EXPECT_THROW(value.AxisTitle(), SheetError);
  EXPECT_THROW(value.MajorGridlines(), SheetError);
  value.SetHasTitle(true);
  value.AxisTitle().SetCaption("ลบ.ม.");
  value.AxisTitle().Font().SetBold(true);
  value.SetHasMajorGridlines(true);
  value.SetHasMinorGridlines(true);
  value.MajorGridlines().Border().SetColor(Rgb(0, 0, 255));
  value.MinorGridlines().Border().SetLineStyle(xl::Dot);
  value.SetMinimumScale(0);
  EXPECT_EQ(chart.Axes(xl::Value).MinimumScale(), 0.0);
  EXPECT_FALSE(chart.Axes(xl::Category).MinimumScale());
  EXPECT_THROW(chart.Axes(3), SheetError);
  EXPECT_THROW(chart.Axes(xl::Value, 2), SheetError);
  EXPECT_THROW(value.MajorGridlines().Border().SetColor(-1), SheetError);
}

TEST(SheetApplication, ClosedWorkbooksAndAQuitApplicationRefuseFurtherWork) {
  Application app;
  EXPECT_THROW(app.ActiveWorkbook(), SheetError);
  Workbook& wb = app.Workbooks().Add();
  Worksheet& sheet = wb.Worksheets(1);
  EXPECT_THROW(wb.Save(), SheetError);  // never saved: no file name
  wb.Close(false);
  EXPECT_FALSE(wb.IsOpen());
  EXPECT_THROW(wb.Worksheets(1), SheetError);
  EXPECT_THROW(sheet.Cells(1, 1).SetValue(1), SheetError);
  EXPECT_THROW(app.ActiveWorkbook(), SheetError);

  app.Workbooks().Add();
  app.Quit();
  app.Quit();
  EXPECT_TRUE(app.HasQuit());
  EXPECT_THROW(app.ActiveWorkbook(), SheetError);
  EXPECT_THROW(app.Workbooks().Add(), SheetError);
}

}  // namespace
}  // namespace tuvo::sheet
