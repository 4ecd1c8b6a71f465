// Rows fitted to their text and long dates given their width, as the fonts are drawn here: in the
// workbook model, and in the .xlsx file written from it.
#include "platform/sheet/row_fit.h"

#include <gtest/gtest.h>

#include <QFont>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QScreen>
#include <QTextLayout>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <regex>
#include <string>

#include "platform/locale.h"
#include "platform/sheet/sheet.h"
#include "platform/xls/xls_save.h"
#include "support/temp_folder.h"

namespace tuvo::sheet {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono;

const std::string ThaiTitle = "สำนักชลประทานที่ 7,   โครงการชลประทานอุบลราชธานี";
const std::string ThaiHeading = "โปรแกรมคำนวณความต้องการน้ำชลประทานของข้าว";
const std::string WidestDate = "25 กุมภาพันธ์ 2552";  // the widest month name

// Points of a length Qt gives in pixels of the screen.
double Points(double pixels) { return pixels * 72 / QGuiApplication::primaryScreen()->logicalDotsPerInchY(); }

QFont Font(const std::string& family, double size) {
  QFont font(QString::fromStdString(family));
  font.setPointSizeF(size);
  return font;
}

// The line a text takes drawn in the font, fallback fonts included, measured here on its own.
double DrawnLine(const std::string& family, double size, const std::string& text) {
  QTextLayout layout(QString::fromStdString(text), Font(family, size));
  layout.beginLayout();
  const QTextLine line = layout.createLine();
  layout.endLayout();
  return Points(line.ascent() + line.descent());
}

double DrawnWidth(const std::string& family, double size, const std::string& text) {
  return Points(QFontMetricsF(Font(family, size)).horizontalAdvance(QString::fromStdString(text)));
}

bool WholePixels(double points) { return std::fabs(points / 0.75 - std::round(points / 0.75)) < 1e-9; }

// One part of an .xlsx file, as written.
std::string XlsxPart(const fs::path& xlsx, const std::string& part) {
  std::string text;
  FILE* pipe = popen(("unzip -p '" + xlsx.string() + "' " + part).c_str(), "r");
  if (pipe == nullptr) return text;
  char buffer[4096];
  for (std::size_t got; (got = fread(buffer, 1, sizeof buffer, pipe)) > 0;) text.append(buffer, got);
  EXPECT_EQ(pclose(pipe), 0) << part;
  return text;
}

// An attribute of every tag of a kind, by the tag's key attribute ("r" of a row, "min" of a column).
std::map<int, double> Attributes(const std::string& xml, const std::string& tag, const std::string& key,
                                 const std::string& attribute) {
  std::map<int, double> values;
  const std::regex pattern("<" + tag + " ([^>]*)>");
  const std::regex keyPattern(key + "=\"(\\d+)\"");
  const std::regex valuePattern(" " + attribute + "=\"([0-9.]+)\"");
  for (auto it = std::sregex_iterator(xml.begin(), xml.end(), pattern); it != std::sregex_iterator(); ++it) {
    const std::string attributes = (*it)[1];
    std::smatch k, v;
    if (std::regex_search(attributes, k, keyPattern) && std::regex_search(attributes, v, valuePattern)) {
      values[std::stoi(k[1])] = std::stod(v[1]);
    }
  }
  return values;
}

// The second worksheet set up as the calculation sheet is: every cell in 14 pt Cordia New.
class RowFit : public ::testing::Test {
 protected:
  RowFit() {
    calc.AllCells().SetFontName("Cordia New");
    calc.AllCells().SetFontSize(14);
  }

  Application app;
  Workbook& wb = app.Workbooks().Add();
  Worksheet& plain = wb.Worksheets(1);
  Worksheet& calc = wb.Worksheets(2);
};

TEST_F(RowFit, ThaiTextTakesTheWholeLineOfTheFontsThatDrawIt) {
  calc.Cells(1, 2).SetValue(ThaiTitle);
  calc.Cells(6, 3).SetValue(locale::LongDate(2009y / February / 25d));  // typed entry: a date
  calc.Cells(7, 9).SetValue(1500.0);
  plain.Cells(1, 1).SetValue(ThaiHeading);
  plain.Cells(2, 1).SetValue("TUVO");

  // Cordia New is drawn by the Thai font fontconfig puts in its place, whose line is far taller
  // than 14 pt text in other fonts: rows holding Thai text, dates included, take all of it.
  for (int row : {1, 6}) {
    SCOPED_TRACE(row);
    EXPECT_GE(calc.RowHeight(row), DrawnLine("Cordia New", 14, WidestDate));
    EXPECT_GT(calc.RowHeight(row), calc.RowHeight(7));
  }
  // The standard font has no Thai: its Thai comes from a fallback font whose line is taller
  // than the standard font's own.
  const double standardLine = Points(QFontMetricsF(Font(std::string(StandardFontName), StandardFontSize)).height());
  ASSERT_GT(DrawnLine(std::string(StandardFontName), StandardFontSize, ThaiHeading), standardLine);
  EXPECT_GE(plain.RowHeight(1), DrawnLine(std::string(StandardFontName), StandardFontSize, ThaiHeading));
  EXPECT_GT(plain.RowHeight(1), plain.RowHeight(2));
  // With a little room, not a second line.
  EXPECT_LT(calc.RowHeight(1), 1.2 * DrawnLine("Cordia New", 14, ThaiTitle));
  EXPECT_LT(plain.RowHeight(1), 1.25 * DrawnLine(std::string(StandardFontName), StandardFontSize, ThaiHeading));
}

TEST_F(RowFit, RowsWithoutThaiTakeTheOrdinaryLineOfTheirFontOrTheirGlyphs) {
  calc.Cells(7, 9).SetValue(64000.0);
  calc.Cells(7, 9).SetStyle("comma");
  calc.Cells(8, 2).SetBorderLineStyle(BorderIndex::EdgeTop, xl::Continuous);  // formatted, empty
  plain.Cells(2, 1).SetValue("TUVO");
  plain.Cells(3, 1).SetFontSize(20);

  // Rows without cells, and rows of empty cells, stand at the ordinary line of the sheet's font.
  EXPECT_EQ(calc.RowHeight(8), calc.StandardHeight());
  EXPECT_EQ(calc.RowHeight(100), calc.StandardHeight());
  EXPECT_EQ(plain.RowHeight(100), plain.StandardHeight());
  EXPECT_GE(plain.StandardHeight(), 1.2 * StandardFontSize);
  EXPECT_GT(calc.StandardHeight(), plain.StandardHeight());
  EXPECT_EQ(plain.RowHeight(2), plain.StandardHeight());
  EXPECT_GE(plain.RowHeight(3), 1.2 * 20);

  // Digits stand on the line's bottom, the Thai font's deep descent above the cell's bottom: the
  // row holds their tops, but not the room the font keeps above them for stacked Thai marks.
  const QFontMetricsF cordia(Font("Cordia New", 14));
  const double digitTop = Points(cordia.descent() - cordia.tightBoundingRect("0123456789").top());
  EXPECT_GE(calc.RowHeight(7), digitTop);
  EXPECT_GE(calc.RowHeight(7), calc.StandardHeight());
  EXPECT_LT(calc.RowHeight(7), DrawnLine("Cordia New", 14, "0123456789"));

  for (const Worksheet* sheet : {&plain, &calc}) {
    for (int row : {2, 3, 7, 8, 100}) EXPECT_TRUE(WholePixels(sheet->RowHeight(row))) << sheet->RowHeight(row);
  }
}

TEST_F(RowFit, AValueMergedOverSeveralRowsSizesNoneOfThemAndOneMergedAlongARowDoes) {
  calc.Cells(3, 2).SetValue(ThaiHeading);
  calc.Range("B3:B5").Merge();
  calc.Cells(3, 5).SetValue(ThaiHeading);
  calc.Range("E9:J9").Merge();
  calc.Cells(9, 5).SetValue(ThaiHeading);

  EXPECT_GT(calc.RowHeight(3), calc.StandardHeight());  // E3 is a cell of its own
  for (int row : {4, 5}) EXPECT_EQ(calc.RowHeight(row), calc.StandardHeight()) << row;
  EXPECT_EQ(calc.RowHeight(9), calc.RowHeight(3));
  const std::map<int, double> heights = calc.RowHeights();
  for (int row : {3, 9}) EXPECT_EQ(heights.at(row), calc.RowHeight(row)) << row;
}

TEST_F(RowFit, TheWrittenFileCarriesTheModelsRowHeightsAndTheFontNamesAsSet) {
  const test::TempFolder folder("tuvo-row-fit");
  calc.Cells(1, 2).SetValue(ThaiTitle);
  calc.Cells(6, 3).SetValue(locale::LongDate(2009y / January / 1d));
  calc.Cells(6, 9).SetValue(1500.0);
  calc.Cells(24, 9).SetValue(64000.0);
  plain.Cells(1, 1).SetValue(ThaiHeading);
  plain.Cells(2, 1).SetValue("TUVO");
  const fs::path xlsx = folder.Path() / "rows.xlsx";
  xls::WriteXlsx(wb, xlsx);

  for (const auto& [sheet, part] : {std::pair{&plain, "xl/worksheets/sheet1.xml"}, {&calc, "xl/worksheets/sheet2.xml"}}) {
    SCOPED_TRACE(part);
    const std::string xml = XlsxPart(xlsx, part);
    const std::map<int, double> written = Attributes(xml, "row", "r", "ht");
    const std::map<int, double> fitted = sheet->RowHeights();
    ASSERT_EQ(written.size(), fitted.size()) << xml.substr(0, 2000);
    for (const auto& [row, height] : fitted) EXPECT_NEAR(written.at(row), height, 1e-6) << "row " << row;
    std::smatch standard;
    ASSERT_TRUE(std::regex_search(xml, standard, std::regex("<sheetFormatPr [^>]*defaultRowHeight=\"([0-9.]+)\"")));
    EXPECT_NEAR(std::stod(standard[1]), sheet->StandardHeight(), 1e-6);
  }
  // The fonts are named as the program named them, not as they are drawn here.
  const std::string styles = XlsxPart(xlsx, "xl/styles.xml");
  EXPECT_NE(styles.find("<name val=\"Cordia New\"/>"), std::string::npos) << styles;
  const std::string drawnFamily = QFontInfo(Font("Cordia New", 14)).family().toStdString();
  if (drawnFamily != "Cordia New") {
    EXPECT_EQ(styles.find(drawnFamily), std::string::npos) << drawnFamily;
  }
}

TEST_F(RowFit, LongDatesShowWholeAtTheirSizeAndOnlyTheirColumnsWiden) {
  const test::TempFolder folder("tuvo-date-width");
  calc.Columns("C:D").SetColumnWidth(15);
  calc.Columns("E:E").SetColumnWidth(40);
  for (int week = 0; week < 10; ++week) {
    const locale::Date first{sys_days{2009y / January / 29d} + days{7 * week}};
    calc.Cells(week + 6, 3).SetValue(locale::LongDate(first));
    calc.Cells(week + 6, 4).SetValue(locale::LongDate(locale::Date{sys_days{first} + days{6}}));
    calc.Cells(week + 6, 5).SetValue(locale::LongDate(first));
    calc.Cells(week + 6, 6).SetValue(1.5 * week);
  }
  calc.Cells(3, 7).SetValue(Value{WidestDate});  // a text, not a date: widens nothing
  const fs::path xlsx = folder.Path() / "dates.xlsx";
  xls::WriteXlsx(wb, xlsx);

  const std::map<int, double> widths = Attributes(XlsxPart(xlsx, "xl/worksheets/sheet2.xml"), "col", "min", "width");
  const double digit = DrawnWidth(std::string(StandardFontName), StandardFontSize, "0");
  const double widest = DrawnWidth("Cordia New", 14, WidestDate);
  ASSERT_GT(widest, 15 * digit) << "the date fits a column of 15 here; nothing to widen";
  for (int column : {3, 4}) {
    SCOPED_TRACE(column);
    EXPECT_GE(widths.at(column) * digit, widest);
    EXPECT_LT(widths.at(column) * digit, widest + 6 * digit);
    EXPECT_EQ(calc.ColumnWidth(column), 15);  // the model keeps the width the program set
  }
  EXPECT_NEAR(widths.at(5), 40, 1);  // wide enough already
  EXPECT_NEAR(widths.at(6), calc.ColumnWidth(6), 1);
  EXPECT_NEAR(widths.at(7), calc.ColumnWidth(7), 1);
  EXPECT_EQ(XlsxPart(xlsx, "xl/styles.xml").find("shrinkToFit"), std::string::npos);
}

TEST(ShownText, DatesShowAsTheThaiLongDateAndNumbersAsTheirText) {
  const DateValue date{2009y / February / 25d};
  const CellFormat plain;
  CellFormat longDate;
  longDate.numberFormat = std::string(ThaiLongDateFormat);
  CellFormat twoDecimals;
  twoDecimals.numberFormat = "0.00";
  struct Case {
    Value value;
    const CellFormat& format;
    bool showsDate;
    std::string text;
  };
  const Case cases[] = {
      {date, plain, true, WidestDate},
      {date, longDate, true, WidestDate},
      {locale::DateSerial(date.date), longDate, true, WidestDate},
      {locale::DateSerial(date.date), plain, false, locale::NumberText(locale::DateSerial(date.date))},
      {date, twoDecimals, false, locale::NumberText(locale::DateSerial(date.date))},
      {Value{WidestDate}, longDate, false, WidestDate},
      {Value{}, longDate, false, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ShowsLongDate(c.value, c.format), c.showsDate);
    EXPECT_EQ(ShownText(c.value, c.format), c.text);
  }
}

}  // namespace
}  // namespace tuvo::sheet
