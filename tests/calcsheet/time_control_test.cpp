// The calculation sheet's frame: the dated time axis, the caption block of every group, the
// merged group headers, and a layout that cannot be drawn ending the run.
#include "calcsheet/time_control.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "platform/locale.h"
#include "platform/sheet/sheet.h"
#include "season/progress.h"
#include "season/season.h"
#include "season/season_inputs.h"

namespace tuvo {
namespace {

using namespace std::chrono;
using locale::Date;
using sheet::Value;
namespace xl = sheet::xl;

const sheet::Border Thin{xl::Continuous, xl::Thin, xl::Automatic};

class RecordingProgress : public Progress {
 public:
  void ShowProgress(int value) override { values.push_back(value); }
  void SetBar(double) override {}
  std::vector<int> values;
};

Value Text(std::string_view text) { return Value{std::string(text)}; }
Value Number(double n) { return Value{n}; }
bool IsEmpty(const Value& v) { return std::holds_alternative<std::monostate>(v); }

// The date a time-axis cell stands for: a date value, or a long-date text.
std::optional<Date> DateIn(const Value& v) {
  if (const auto* d = std::get_if<sheet::DateValue>(&v)) return d->date;
  if (const auto* t = std::get_if<std::string>(&v)) return locale::TryParseDateEntry(*t);
  return std::nullopt;
}

Date Plus(Date d, int days) { return Date{sys_days{d} + std::chrono::days{days}}; }

// Rows first..last of one column carry one thin box, with no line between the rows.
void ExpectBox(const sheet::Worksheet& ws, int column, int first, int last) {
  SCOPED_TRACE(testing::Message() << "box in column " << column);
  for (int r = first; r <= last; ++r) {
    const sheet::CellFormat& f = ws.FormatAt(r, column);
    EXPECT_EQ(f.left, Thin);
    EXPECT_EQ(f.right, Thin);
    if (r == first) EXPECT_EQ(f.top, Thin); else EXPECT_EQ(f.top.lineStyle, xl::None);
    if (r == last) EXPECT_EQ(f.bottom, Thin); else EXPECT_EQ(f.bottom.lineStyle, xl::None);
  }
}

class TimeControlTest : public ::testing::Test {
 protected:
  TimeControlTest() : workbook(app.Workbooks().Add()), calc(workbook.Worksheets(2)) {
    calc.Select();
    texts.cboCroptype = std::string(RDTransplanted);
    SetStart(1, 1, 2552);
    texts.cboGroup = "2";
  }

  void SetStart(int day, unsigned month, int buddhistYear) {
    texts.cboFirstdate = std::to_string(day);
    texts.cboFirstmonth = locale::ThaiMonthName(month);
    texts.cboFirstyear = std::to_string(buddhistYear);
  }

  std::int16_t LayOut(std::int16_t weeks) {
    return LayOutCalcSheet(texts, weeks, workbook, progress);
  }

  sheet::Application app;
  sheet::Workbook& workbook;
  sheet::Worksheet& calc;
  SeasonTexts texts;
  RecordingProgress progress;
};

TEST_F(TimeControlTest, WeekRowsCarryNumberFirstAndLastDayOfEverySevenDayWeek) {
  EXPECT_EQ(LayOut(17), 2);
  const Date start = 2009y / January / 1;
  for (int w = 1; w <= 17; ++w) {
    SCOPED_TRACE(testing::Message() << "week " << w);
    EXPECT_EQ(calc.ValueAt(w + 5, 2), Number(w));
    EXPECT_EQ(DateIn(calc.ValueAt(w + 5, 3)), Plus(start, 7 * (w - 1)));
    EXPECT_EQ(DateIn(calc.ValueAt(w + 5, 4)), Plus(start, 7 * (w - 1) + 6));
  }
  EXPECT_EQ(DateIn(calc.ValueAt(22, 4)), Plus(start, 118));
  for (int column = 2; column <= 4; ++column) EXPECT_TRUE(IsEmpty(calc.ValueAt(23, column)));
  EXPECT_EQ(progress.values, (std::vector<int>{3, 5}));
}

TEST_F(TimeControlTest, DateCellsAreTheLongDateTexts) {
  SetStart(29, 12, 2551);
  LayOut(39);
  // What was written is the long date of the regional settings; the sheet reads it as typed.
  EXPECT_EQ(calc.ValueAt(6, 3), sheet::TypedEntry(locale::LongDate(2008y / December / 29)));
  EXPECT_EQ(DateIn(calc.ValueAt(6, 4)), Date{2009y / January / 4});
  EXPECT_EQ(DateIn(calc.ValueAt(44, 4)), Plus(2008y / December / 29, 272));
}

TEST_F(TimeControlTest, WeeksRunOnAcrossTheLeapDayAndTheYearEnd) {
  struct Case {
    int day;
    unsigned month;
    int year;
    Date secondWeekStart, firstWeekEnd;
  };
  for (const Case& c : {Case{26, 2, 2551, 2008y / March / 4, 2008y / March / 3},
                        Case{29, 2, 2551, 2008y / March / 7, 2008y / March / 6},
                        Case{29, 12, 2551, 2009y / January / 5, 2009y / January / 4}}) {
    SCOPED_TRACE(testing::Message() << c.day << "/" << c.month << "/" << c.year);
    sheet::Application fresh;
    sheet::Workbook& book = fresh.Workbooks().Add();
    book.Worksheets(2).Select();
    SetStart(c.day, c.month, c.year);
    LayOutCalcSheet(texts, 17, book, progress);
    EXPECT_EQ(DateIn(book.Worksheets(2).ValueAt(6, 4)), c.firstWeekEnd);
    EXPECT_EQ(DateIn(book.Worksheets(2).ValueAt(7, 3)), c.secondWeekStart);
  }
}

TEST_F(TimeControlTest, NoWeekRowsBelowOneWeek) {
  LayOut(0);
  EXPECT_EQ(DateIn(calc.ValueAt(6, 3)), Date{2009y / January / 1});
  EXPECT_TRUE(IsEmpty(calc.ValueAt(6, 2)));
  EXPECT_TRUE(IsEmpty(calc.ValueAt(6, 4)));
}

TEST_F(TimeControlTest, TimeAxisHeaderIsMergedCentredAndBoxed) {
  LayOut(17);
  const struct {
    int column;
    std::string_view caption;
    double width;
  } columns[] = {{2, "สัปดาห์", 8}, {3, "วัน-เดือน-ปี", 15}, {4, "วัน-เดือน-ปี", 15}};
  for (const auto& c : columns) {
    SCOPED_TRACE(testing::Message() << "column " << c.column);
    EXPECT_EQ(calc.ValueAt(4, c.column), Text(c.caption));
    EXPECT_EQ(calc.ColumnWidth(c.column), c.width);
    EXPECT_EQ(calc.MergeAreaOf(4, c.column), (sheet::Area{3, c.column, 5, c.column}));
    EXPECT_EQ(calc.FormatAt(3, c.column).horizontalAlignment, xl::Center);
    EXPECT_EQ(calc.FormatAt(3, c.column).verticalAlignment, xl::Center);
    ExpectBox(calc, c.column, 3, 5);
  }
}

TEST_F(TimeControlTest, EveryGroupBlockHasItsCaptionsUnitsWidthsAndBoxes) {
  LayOut(19);
  const struct {
    std::string_view caption, unit;
    double width;
  } block[] = {{"พ.ท.ตกกล้า", "(ไร่)", 10}, {"น้ำเตรียมแปลงและเลี้ยงกล้า", "(มม.)", 25},
               {"พ.ท.เตรียมแปลง", "(ไร่)", 13},    {"น้ำเตรียมแปลง", "(มม.)", 15},
               {"พ.ท.ปักดำ", "(ไร่)", 10}, {"Kc", "", 7}};
  for (int g = 1; g <= 2; ++g) {
    const int first = 6 * g - 1;
    EXPECT_EQ(calc.ValueAt(3, first), Text("กลุ่มที่ " + std::to_string(g)));
    for (int offset = 0; offset < 6; ++offset) {
      const int c = first + offset;
      SCOPED_TRACE(testing::Message() << "group " << g << ", column " << c);
      EXPECT_EQ(calc.ValueAt(4, c), Text(block[offset].caption));
      if (block[offset].unit.empty()) {
        EXPECT_TRUE(IsEmpty(calc.ValueAt(5, c)));
      } else {
        EXPECT_EQ(calc.ValueAt(5, c), Text(block[offset].unit));
      }
      EXPECT_EQ(calc.ColumnWidth(c), block[offset].width);
      EXPECT_EQ(calc.FormatAt(4, c).horizontalAlignment, xl::Center);
      EXPECT_EQ(calc.FormatAt(5, c).horizontalAlignment, xl::Center);
      EXPECT_FALSE(calc.MergeAreaOf(4, c).has_value());
      ExpectBox(calc, c, 4, 5);
    }
  }
  // The summary columns after the last block are the run's.
  for (int row = 3; row <= 5; ++row) EXPECT_TRUE(IsEmpty(calc.ValueAt(row, 17)));
}

TEST_F(TimeControlTest, PlantedAreaCaptionFollowsTheCropText) {
  const struct {
    std::string crop;
    Value caption;
  } cases[] = {{std::string(RDTransplanted), Text("พ.ท.ปักดำ")},
               {std::string(KDML105Transplanted), Text("พ.ท.ปักดำ")},
               {std::string(RDWetSeeded), Text("พ.ท.หว่าน")},
               {std::string(RDTransplanted) + " ", Value{}},
               {"", Value{}}};
  for (const auto& c : cases) {
    SCOPED_TRACE("crop \"" + c.crop + "\"");
    sheet::Application fresh;
    sheet::Workbook& book = fresh.Workbooks().Add();
    book.Worksheets(2).Select();
    texts.cboCroptype = c.crop;
    LayOutCalcSheet(texts, 17, book, progress);
    const sheet::Worksheet& ws = book.Worksheets(2);
    for (int g = 1; g <= 2; ++g) {
      EXPECT_EQ(ws.ValueAt(4, 6 * g + 3), c.caption);
      EXPECT_EQ(ws.ValueAt(5, 6 * g + 3), Text("(ไร่)"));
      EXPECT_EQ(ws.ColumnWidth(6 * g + 3), 10);
      ExpectBox(ws, 6 * g + 3, 4, 5);
    }
  }
}

TEST_F(TimeControlTest, GroupHeadersAreMergedOverTheirSixColumnsAndBoxed) {
  const struct {
    int groups;
    std::vector<std::string> merged;  // row-3 merges, in order of the blocks
  } cases[] = {
      {1, {"E3:J3"}},
      {2, {"E3:J3", "K3:P3"}},
      {20, {"E3:J3", "K3:P3", "Q3:V3", "W3:AB3", "AC3:AH3", "AI3:AN3", "AO3:AT3", "AU3:AZ3",
            "BA3:BF3", "BG3:BL3", "BM3:BR3", "BS3:BX3", "BY3:CD3", "CE3:CJ3", "CK3:CP3",
            "CQ3:CV3", "CW3:DB3", "DC3:DH3", "DI3:DN3", "DO3:DT3"}},
      {21, {}},  // beyond the twenty header addresses: captions only
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.groups << " groups");
    sheet::Application fresh;
    sheet::Workbook& book = fresh.Workbooks().Add();
    sheet::Worksheet& ws = book.Worksheets(2);
    ws.Select();
    texts.cboGroup = std::to_string(c.groups);
    EXPECT_EQ(LayOutCalcSheet(texts, 17, book, progress), c.groups);

    std::vector<std::string> merged;
    for (const sheet::Area& a : ws.MergedAreas()) {
      if (a.firstRow == 3 && a.lastRow == 3) merged.push_back(sheet::AreaAddress(a));
    }
    EXPECT_EQ(merged, c.merged);
    for (int g = 1; g <= static_cast<int>(c.merged.size()); ++g) {
      const int first = 6 * g - 1;
      EXPECT_EQ(ws.ValueAt(3, first + 5), Text("กลุ่มที่ " + std::to_string(g)));
      for (int col = first; col <= first + 5; ++col) {
        EXPECT_EQ(ws.FormatAt(3, col).horizontalAlignment, xl::Center);
        EXPECT_EQ(ws.FormatAt(3, col).top, Thin);
        EXPECT_EQ(ws.FormatAt(3, col).bottom, Thin);
      }
      EXPECT_EQ(ws.FormatAt(3, first).left, Thin);
      EXPECT_EQ(ws.FormatAt(3, first + 5).right, Thin);
    }
    if (!c.merged.empty()) {
      // The last header stays selected; the first summary column is not touched.
      EXPECT_EQ(book.Selection().Address(), c.merged.back());
      const int summary = 6 * c.groups + 5;
      EXPECT_TRUE(IsEmpty(ws.ValueAt(3, summary)));
      EXPECT_FALSE(ws.MergeAreaOf(3, summary).has_value());
      EXPECT_EQ(ws.FormatAt(3, summary).top.lineStyle, xl::None);
    } else {
      EXPECT_EQ(ws.ValueAt(3, 6 * 21 - 1), Text("กลุ่มที่ 21"));
    }
  }
}

// Where the layout used to empty the sheet and let the run save it, the run now ends.
TEST_F(TimeControlTest, StartDateThatIsNoDateEndsTheRun) {
  SetStart(31, 2, 2552);
  try {
    LayOut(17);
    FAIL() << "no failure";
  } catch (const CalcSheetLayoutError& e) {
    EXPECT_NE(std::string(e.what()).find("31/" + locale::ThaiMonthName(2) + "/2552"),
              std::string::npos) << e.what();
  }
  EXPECT_TRUE(progress.values.empty());
}

TEST_F(TimeControlTest, GroupCountThatIsNoNumberEndsTheRun) {
  for (const std::string text : {"", "abc", "2 groups", "99999"}) {
    SCOPED_TRACE("cboGroup \"" + text + "\"");
    sheet::Application fresh;
    sheet::Workbook& book = fresh.Workbooks().Add();
    book.Worksheets(2).Select();
    progress.values.clear();
    texts.cboGroup = text;
    try {
      LayOutCalcSheet(texts, 17, book, progress);
      FAIL() << "no failure";
    } catch (const CalcSheetLayoutError& e) {
      EXPECT_NE(std::string(e.what()).find("group count \"" + text + "\""), std::string::npos)
          << e.what();
    }
    // The time axis stands; no group block was begun.
    EXPECT_EQ(progress.values, std::vector<int>{3});
    EXPECT_TRUE(IsEmpty(book.Worksheets(2).ValueAt(3, 5)));
  }
}

}  // namespace
}  // namespace tuvo
