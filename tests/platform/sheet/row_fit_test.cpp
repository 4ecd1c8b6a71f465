// Rows fitted to their text as the fonts are drawn here, and the text a cell shows, in the workbook
// model; the .xlsx writer's tests read the fitted rows back from the written file.
#include "platform/sheet/row_fit.h"

#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QTextLayout>

#include <chrono>
#include <cmath>
#include <map>
#include <string>

#include "platform/locale.h"
#include "platform/sheet/sheet.h"
#include "support/calc_sheet_fixture.h"
#include "support/drawn_text.h"

namespace tuvo::sheet {
namespace {

using namespace std::chrono;
using test::Font;
using test::Points;
using test::ThaiHeading;
using test::ThaiTitle;
using test::WidestDate;

// The line a text takes drawn in the font, fallback fonts included, measured here on its own.
double DrawnLine(const std::string& family, double size, const std::string& text) {
  QTextLayout layout(QString::fromStdString(text), Font(family, size));
  layout.beginLayout();
  const QTextLine line = layout.createLine();
  layout.endLayout();
  return Points(line.ascent() + line.descent());
}

bool WholePixels(double points) { return std::fabs(points / 0.75 - std::round(points / 0.75)) < 1e-9; }

// The second worksheet set up as the calculation sheet is: every cell in 14 pt Cordia New.
class RowFit : public test::CalcSheetFixture {};

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
