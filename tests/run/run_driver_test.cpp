// The run's own work on the result workbook: sheet formatting, title rows, the colour and frame
// pass, the final sheet names and the file name.
#include "run/run_driver.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/locale.h"
#include "platform/sheet/sheet.h"
#include "season/progress.h"
#include "season/season.h"

namespace tuvo {
namespace {

namespace xl = sheet::xl;
using sheet::Border;
using sheet::CellFormat;

// Records the progress values; `seen` runs at each one, to look at the sheet at that moment.
class RecordingProgress : public Progress {
 public:
  void ShowProgress(int value) override {
    values.push_back(value);
    if (seen) seen(value);
  }
  void SetBar(double) override {}
  std::vector<int> values;
  std::function<void(int)> seen;
};

bool Thin(const Border& b) {
  return b.lineStyle == xl::Continuous && b.weight == xl::Thin && b.colorIndex == xl::Automatic;
}
bool NoLine(const Border& b) { return b.lineStyle == xl::None; }
bool HeaderFill(const CellFormat& f) { return f.interiorColorIndex == 35 && f.interiorPattern == xl::Solid; }

class RunDriverTest : public ::testing::Test {
 protected:
  sheet::Application app;
  sheet::Workbook& book = app.Workbooks().Add();
  sheet::Worksheet& calc = book.Worksheets(2);
  sheet::Worksheet& calendar = book.Worksheets(3);
};

TEST(RunDriver, OnlyEmptyAndZeroTextsTakeTheDefault) {
  struct Case {
    const char* text;
    bool replaced;
  };
  for (const Case c : {Case{"", true}, Case{"0", true}, Case{" 0", false}, Case{"00", false},
                       Case{"0 ", false}, Case{"0.0", false}, Case{"1", false}, Case{" ", false}}) {
    EXPECT_EQ(NeedsDefault(c.text), c.replaced) << '"' << c.text << '"';
  }
}

TEST_F(RunDriverTest, FormattingSelectsTheCalculationSheetEmptiesTheCalendarAndSetsTheFont) {
  calendar.Cells(4, 9).SetValue(12.0);
  calendar.Columns(2).SetColumnWidth(30);
  FormatCalcSheet(book);

  EXPECT_EQ(&book.ActiveSheet(), &calc);
  EXPECT_TRUE(calendar.UsedCells().empty());
  EXPECT_TRUE(calendar.ColumnWidths().empty());
  // Any cell of the calculation sheet, written or not, starts in the same font.
  for (auto [row, column] : {std::pair{1, 1}, std::pair{200, 130}}) {
    const CellFormat& f = calc.FormatAt(row, column);
    EXPECT_EQ(f.fontName, "Cordia New");
    EXPECT_EQ(f.fontSize, 14);
    EXPECT_FALSE(f.strikethrough || f.superscript || f.subscript || f.outline || f.shadow);
    EXPECT_EQ(f.underline, xl::None);
    EXPECT_EQ(f.fontColorIndex, xl::Automatic);
  }
  EXPECT_EQ(calc.ColumnWidth(3), 10);
}

TEST_F(RunDriverTest, FormattingCentresExactlyTheThreeFixedRanges) {
  FormatCalcSheet(book);
  struct Case {
    int row, column;
    bool centred;
  };
  for (const Case c : {Case{3, 1, true}, Case{17, 4, true}, Case{18, 4, true}, Case{50, 2, true},
                       Case{4, 13, true}, Case{3, 5, true}, Case{18, 1, false}, Case{51, 2, false},
                       Case{5, 5, false}, Case{4, 14, false}, Case{2, 2, false}}) {
    EXPECT_EQ(calc.FormatAt(c.row, c.column).horizontalAlignment == xl::Center, c.centred)
        << sheet::AreaAddress({c.row, c.column, c.row, c.column});
  }
  // The selection is left on the last range centred.
  EXPECT_EQ(book.Selection().Address(), "B3:D50");
}

TEST_F(RunDriverTest, TitleRowsJoinTheHeadingsWithTheirCommasAndBlanks) {
  struct Case {
    TitleTexts titles;
    std::string b1, b2;
  };
  const Case cases[] = {
      {{"O", "P", "S", "C", "V"}, "O,   P,   S", "ชนิดพืช   :   C   จังหวัด   :   V"},
      // Empty texts leave the separators in place.
      {{"", "", "", "", ""}, ",   ,   ", "ชนิดพืช   :      จังหวัด   :   "},
  };
  for (const Case& c : cases) {
    calendar.Cells(1, 1).SetValue(1.0);
    WriteTitleRows(book, c.titles);
    EXPECT_EQ(calc.ValueAt(1, 2), sheet::Value{c.b1});
    EXPECT_EQ(calc.ValueAt(2, 2), sheet::Value{c.b2});
    EXPECT_TRUE(calendar.UsedCells().empty());
  }
}

// Columns B to 6G + 15 get the header fill in rows 3 to 5 and one outline over their week rows.
void ExpectColouredAndFramed(sheet::Worksheet& calc, int groups, int weeks) {
  const int last = 6 * groups + 15;
  for (int column = 1; column <= last + 1; ++column) {
    const bool inTable = column >= 2 && column <= last;
    const std::string at = sheet::ColumnLetters(column);
    for (int row = 3; row <= 5; ++row) {
      EXPECT_EQ(HeaderFill(calc.FormatAt(row, column)), inTable) << at << row;
    }
    EXPECT_FALSE(HeaderFill(calc.FormatAt(2, column))) << at;
    EXPECT_FALSE(HeaderFill(calc.FormatAt(6, column))) << at;
    if (!inTable) continue;
    for (int row = 6; row <= weeks + 5; ++row) {
      const CellFormat& f = calc.FormatAt(row, column);
      EXPECT_TRUE(Thin(f.left) && Thin(f.right)) << at << row;
      EXPECT_EQ(Thin(f.top), row == 6) << at << row;
      EXPECT_EQ(Thin(f.bottom), row == weeks + 5) << at << row;
      if (row > 6) {
        EXPECT_TRUE(NoLine(f.top)) << "no line between two weeks at " << at << row;
      }
      EXPECT_TRUE(NoLine(f.diagonalDown) && NoLine(f.diagonalUp)) << at << row;
    }
    EXPECT_TRUE(NoLine(calc.FormatAt(weeks + 7, column).top)) << at;
  }
  EXPECT_TRUE(NoLine(calc.FormatAt(6, 1).left)) << "column A is no part of the table";
}

TEST_F(RunDriverTest, ColourAndFramePassCoversBToTheLastSummaryColumnAndReportsItsMiddle) {
  struct Case {
    int groups, weeks;
    std::string middle, afterMiddle;  // the column coloured just before 83, and the next one
  };
  for (const Case& c : {Case{1, 18, "K", "L"}, Case{20, 37, "BP", "BQ"}}) {
    sheet::Application application;
    sheet::Workbook& workbook = application.Workbooks().Add();
    sheet::Worksheet& sheet = workbook.Worksheets(2);
    RecordingProgress progress;
    bool middleDone = false, nextUntouched = false;
    progress.seen = [&](int value) {
      if (value != 83) return;
      middleDone = HeaderFill(sheet.Range(c.middle + "5").Format()) &&
                   Thin(sheet.Range(c.middle + std::to_string(c.weeks + 5)).Format().bottom);
      nextUntouched = !HeaderFill(sheet.Range(c.afterMiddle + "3").Format());
    };
    workbook.Sheets("Sheet1").Select();
    ColourAndFramePass(workbook, c.groups, c.weeks, progress);

    EXPECT_EQ(&workbook.ActiveSheet(), &sheet) << "the pass works on Sheet2";
    EXPECT_EQ(progress.values, (std::vector<int>{83, 85})) << c.groups << " groups";
    EXPECT_TRUE(middleDone) << c.middle << " is coloured and framed when 83 shows";
    EXPECT_TRUE(nextUntouched) << c.afterMiddle << " is not yet coloured when 83 shows";
    ExpectColouredAndFramed(sheet, c.groups, c.weeks);
  }
}

TEST_F(RunDriverTest, FinalNamesDropTheCalendarAndTurnAlertsOff) {
  calc.Select();
  NameCalcSheetAndDropCalendar(app, book);
  EXPECT_FALSE(app.DisplayAlerts());
  EXPECT_EQ(book.WorksheetCount(), 2);
  EXPECT_EQ(book.Sheets(2).Name(), CalcSheetName);

  book.Sheets("Sheet1").Select();
  book.Worksheets(1).Range("C7").Select();
  NameSummarySheet(book);
  ASSERT_EQ(book.SheetCount(), 2);
  EXPECT_EQ(book.Sheets(1).Name(), SummarySheetName);
  EXPECT_EQ(book.Sheets(2).Name(), CalcSheetName);
  EXPECT_EQ(&book.ActiveSheet(), &book.Sheets(1));
  EXPECT_EQ(book.Selection().Address(), "A1");
}

TEST(RunDriver, OutputFileNameKeepsEveryBlank) {
  const std::string stamp = "1 " + locale::ThaiMonthName(1) + " 2552 14-3-9";
  EXPECT_EQ(OutputFileName("/home/u/TUVO_Output", RDTransplanted, stamp).string(),
            "/home/u/TUVO_Output/ " + std::string(RDTransplanted) + " " + stamp + " .xls");
}

}  // namespace
}  // namespace tuvo
