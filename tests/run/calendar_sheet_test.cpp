// The day calendar: the seven dates of every week read back from the calculation sheet's time
// axis, and the day and month of each.
#include "run/calendar_sheet.h"

#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <string>
#include <vector>

#include "calcsheet/time_control.h"
#include "platform/locale.h"
#include "schedule_test_support.h"

namespace tuvo {
namespace {

using namespace std::chrono;
using namespace testing_schedule;
using locale::Date;

class CalendarSheetTest : public ScheduleTest {
 protected:
  CalendarSheetTest() : calendar(workbook.Worksheets(3)) {}

  // A season of the crop with its time axis laid out as the run does before the calendar.
  void Season(std::string_view crop, Date start, int groups) {
    texts.cboCroptype = std::string(crop);
    selectedCrop = texts.cboCroptype;
    texts.cboFirstdate = std::to_string(unsigned{start.day()});
    texts.cboFirstmonth = locale::ThaiMonthName(unsigned{start.month()});
    texts.cboFirstyear = std::to_string(int{start.year()} + 543);
    texts.cboGroup = std::to_string(groups);
    WeekFields w{.NurseryPrepWeeks = locale::WholeNumber(texts.cboTriamplangKla),
                 .SeedlingWeeks = locale::WholeNumber(texts.cboLiengklatime)};
    w.NurseryWeeks = static_cast<std::int16_t>(w.NurseryPrepWeeks + w.SeedlingWeeks);
    w.WetPrepWeeks = locale::WholeNumber(texts.cboTriamplangNaWan);
    w.StopWeeks = locale::WholeNumber(texts.cboStop);
    w.GroupCount = static_cast<std::int16_t>(groups);
    const auto n = ScheduleWeeksFor(crop, w);
    LayOutCalcSheet(texts, n.value_or(0), workbook, progress);
    progress.steps.clear();
  }

  void Fill(CalendarPass pass = CalendarPass::First) {
    FillCalendarSheet(texts, selectedCrop, weeks, counts, workbook, progress, pass);
  }

  // Calendar row w: the seven dates, days and months.
  std::vector<Date> Dates(int w) const {
    std::vector<Date> dates;
    for (int k = 1; k <= 7; ++k) {
      dates.push_back(std::get<sheet::DateValue>(calendar.ValueAt(w, k)).date);
    }
    return dates;
  }
  std::vector<double> Numbers(int w, int firstColumn) const {
    std::vector<double> numbers;
    for (int k = 0; k < 7; ++k) {
      numbers.push_back(std::get<double>(calendar.ValueAt(w, firstColumn + 2 * k)));
    }
    return numbers;
  }

  int LastRow() const {
    int last = 0;
    for (const auto& [key, cell] : calendar.UsedCells()) last = std::max(last, key.first);
    return last;
  }

  sheet::Worksheet& calendar;
  CalendarCounts counts;
};

TEST_F(CalendarSheetTest, WeeksAcrossAMonthEndTheLeapDayAndTheYearEnd) {
  const struct {
    Date start;
    std::vector<double> days, months;
  } cases[] = {
      {2009y / January / 28, {28, 29, 30, 31, 1, 2, 3}, {1, 1, 1, 1, 2, 2, 2}},
      {2008y / February / 26, {26, 27, 28, 29, 1, 2, 3}, {2, 2, 2, 2, 3, 3, 3}},
      {2008y / December / 29, {29, 30, 31, 1, 2, 3, 4}, {12, 12, 12, 1, 1, 1, 1}},
  };
  texts.cboTriamplangNaWan = "1";
  texts.cboStop = "1";
  for (const auto& c : cases) {
    SCOPED_TRACE(locale::ShortDate(c.start));
    calc.AllCells().Delete();
    calendar.AllCells().Delete();
    Season(RDWetSeeded, c.start, 1);
    Fill();
    EXPECT_EQ(Dates(1).front(), c.start);
    EXPECT_EQ(Dates(1).back(), Date{sys_days{c.start} + days{6}});
    EXPECT_EQ(Numbers(1, 8), c.days);
    EXPECT_EQ(Numbers(1, 9), c.months);
  }
}

TEST_F(CalendarSheetTest, OneRowPerWeekOfTheSeasonFromTheTimeAxis) {
  texts.cboTriamplangKla = "2";
  texts.cboLiengklatime = "4";
  Season(RDTransplanted, 2009y / January / 1, 3);
  Fill();

  EXPECT_EQ(counts.WeekRowCount, 21);
  EXPECT_EQ(counts.CalendarRowCount, 21);
  EXPECT_EQ(LastRow(), 21);
  for (int w = 1; w <= 21; ++w) {
    SCOPED_TRACE(testing::Message() << "week " << w);
    const std::vector<Date> dates = Dates(w);
    EXPECT_EQ(sys_days{dates.front()}, sys_days{Date{2009y / January / 1}} + days{7 * (w - 1)});
    for (int k = 0; k < 7; ++k) {
      EXPECT_EQ(sys_days{dates[k]}, sys_days{dates.front()} + days{k});
      EXPECT_EQ(Numbers(w, 8)[k], unsigned{dates[k].day()});
      EXPECT_EQ(Numbers(w, 9)[k], unsigned{dates[k].month()});
    }
    // Only 21 columns per row.
    EXPECT_TRUE(IsEmpty(calendar.ValueAt(w, 22)));
  }
  EXPECT_EQ(progress.steps, (std::vector<double>{37, 39}));
  EXPECT_EQ(weeks.GroupCount, 3);
  EXPECT_EQ(weeks.NurseryWeeks, 6);
}

TEST_F(CalendarSheetTest, RowWStartsOnTheFirstDayOfWeekRowWPlusFive) {
  texts.cboTriamplangKla = "1";
  texts.cboLiengklatime = "3";
  Season(KDML105Transplanted, 2008y / October / 1, 20);
  Fill();
  ASSERT_EQ(counts.CalendarRowCount, 38);
  for (int w = 1; w <= 38; ++w) {
    EXPECT_EQ(calendar.ValueAt(w, 1), calc.ValueAt(w + 5, 3)) << "week " << w;
  }
}

TEST_F(CalendarSheetTest, StopWeeksDoNotChangeTheWetSeededRowCount) {
  texts.cboTriamplangNaWan = "2";
  for (const std::string stop : {"1", "2", "3"}) {
    SCOPED_TRACE("stop weeks " + stop);
    texts.cboStop = stop;
    calendar.AllCells().Delete();
    calc.AllCells().Delete();
    Season(RDWetSeeded, 2009y / May / 15, 4);
    Fill();
    EXPECT_EQ(counts.WeekRowCount, 21);
    EXPECT_EQ(LastRow(), 21);
  }
}

TEST_F(CalendarSheetTest, SecondPassWritesTheSameSheetAndItsOwnProgress) {
  texts.cboTriamplangKla = "1";
  texts.cboLiengklatime = "4";
  Season(RDTransplanted, 2009y / January / 28, 2);
  Fill(CalendarPass::First);
  std::map<std::pair<int, int>, sheet::Value> first;
  for (const auto& [key, cell] : calendar.UsedCells()) first[key] = cell.value;
  Fill(CalendarPass::Second);
  std::map<std::pair<int, int>, sheet::Value> second;
  for (const auto& [key, cell] : calendar.UsedCells()) second[key] = cell.value;
  EXPECT_EQ(second, first);
  EXPECT_EQ(first.size(), 19u * 21u);
  EXPECT_EQ(progress.steps, (std::vector<double>{37, 39, 64, 67}));
}

TEST_F(CalendarSheetTest, CropTextOfNoneOfTheThreeKeepsTheCounts) {
  texts.cboTriamplangKla = "1";
  texts.cboLiengklatime = "4";
  Season(RDTransplanted, 2009y / January / 1, 1);
  counts = CalendarCounts{.WeekRowCount = 5, .CalendarRowCount = 2};
  texts.cboCroptype = "";
  selectedCrop = "";
  Fill();
  EXPECT_EQ(counts.WeekRowCount, 5);
  EXPECT_EQ(counts.CalendarRowCount, 2);
  EXPECT_EQ(LastRow(), 2);
}

TEST_F(CalendarSheetTest, WeekStartThatIsNoDateEndsTheRun) {
  texts.cboTriamplangKla = "1";
  texts.cboLiengklatime = "4";
  Season(RDTransplanted, 2009y / January / 1, 1);
  calc.Cells(8, 3).SetValue("week three");
  try {
    Fill();
    FAIL() << "no failure";
  } catch (const CalendarError& e) {
    EXPECT_NE(std::string(e.what()).find("week 3"), std::string::npos) << e.what();
  }
  calc.Cells(8, 3).ClearContents();
  EXPECT_THROW(Fill(), CalendarError);
}

}  // namespace
}  // namespace tuvo
