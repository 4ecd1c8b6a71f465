// The station procedure on a workbook: the calendar sheet's (day, month) pairs in, the rounded week
// sums out into the ETo column, and what a bad calendar cell does.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <stdexcept>

#include "eto/select_station_eto.h"
#include "eto/station_eto.h"
#include "platform/locale.h"
#include "platform/sheet/sheet.h"

namespace tuvo {
namespace {

using namespace std::chrono;

class FillStationEToTest : public ::testing::Test {
 protected:
  // Week w of the calendar sheet: the seven days from `first`, day and month as numbers.
  void CalendarWeek(int w, year_month_day first) {
    sys_days day{first};
    for (int k = 0; k < 7; ++k, day += days{1}) {
      const year_month_day ymd{day};
      calendar.Cells(w, 8 + 2 * k).SetValue(static_cast<double>(static_cast<unsigned>(ymd.day())));
      calendar.Cells(w, 9 + 2 * k)
          .SetValue(static_cast<double>(static_cast<unsigned>(ymd.month())));
    }
  }
  // The cells of the calculation sheet that hold a value.
  int WrittenCells() const {
    int n = 0;
    for (const auto& [where, cell] : calc.UsedCells()) {
      n += std::holds_alternative<std::monostate>(cell.value) ? 0 : 1;
    }
    return n;
  }
  double Written(int row) const { return std::get<double>(calc.ValueAt(row, column)); }
  bool Empty(int row) const {
    return std::holds_alternative<std::monostate>(calc.ValueAt(row, column));
  }
  void Fill(std::string_view station) {
    FillStationETo(*FindStationETo(station)->table, loop, workbook);
  }

  sheet::Application app;
  sheet::Workbook& workbook = app.Workbooks().Add();
  sheet::Worksheet& calc = workbook.Worksheets(2);
  sheet::Worksheet& calendar = workbook.Worksheets(3);
  const int column = 17;  // EToColumn of two groups
  WeekLoop loop{.EToWeekRow = 9, .EToLastWeek = 3, .OutputColumn = 17, .EToWeekSum = 99};
};

TEST_F(FillStationEToTest, WritesEachWeekOfTheSeasonIntoItsRow) {
  CalendarWeek(1, 2009y / January / 28);  // 4 x 3.72 + 3 x 4.52
  CalendarWeek(2, 2009y / February / 4);  // 7 x 4.52
  CalendarWeek(3, 2009y / February / 25);  // 4 x 4.52 + 3 x 5.07
  CalendarWeek(4, 2009y / March / 4);     // beyond the season
  Fill("กรุงเทพ");
  EXPECT_EQ(Written(6), 28.440000534057617);  // the single-precision 28.44
  EXPECT_EQ(Written(7), static_cast<double>(31.64f));
  EXPECT_EQ(Written(8), static_cast<double>(33.29f));
  EXPECT_TRUE(Empty(9));
  EXPECT_EQ(WrittenCells(), 3);
  EXPECT_EQ(loop.EToWeekRow, 3);
  EXPECT_EQ(loop.EToWeekSum, static_cast<double>(static_cast<float>(4 * 4.52f + 3.0 * 5.07f)));
  EXPECT_EQ(loop.EToLastWeek, 3);
  EXPECT_EQ(loop.OutputColumn, 17);
}

TEST_F(FillStationEToTest, EmptyCalendarRowsGiveZeroWeeks) {
  Fill("ตาก");
  for (int row = 6; row <= 8; ++row) EXPECT_EQ(Written(row), 0.0) << row;
}

TEST_F(FillStationEToTest, NoWeekToWriteLeavesTheSheetAlone) {
  for (const std::int16_t last : {std::int16_t{0}, std::int16_t{-4}}) {
    CalendarWeek(1, 2009y / April / 1);
    loop.EToLastWeek = last;
    Fill("ตาก");
    EXPECT_EQ(WrittenCells(), 0);
    EXPECT_EQ(loop.EToWeekRow, 1);
    EXPECT_EQ(loop.EToWeekSum, 99);
  }
}

TEST_F(FillStationEToTest, CalendarCellsAreRoundedHalfToEvenAndReadFromText) {
  loop.EToLastWeek = 1;
  const std::array<std::pair<sheet::Value, sheet::Value>, 7> pairs = {{
      {1.0, 2.5},                              // February: 4.09
      {1.0, 3.5},                              // April: 6.09
      {std::string("1"), std::string(" 3 ")},  // March: 5.28
      {1.0, sheet::Value{}},                   // no month: 0
      {sheet::Value{}, 3.0},                   // no day: 0
      {1.5, 3.0},                              // day 2 of March: 5.28
      {30.5, 4.0},                             // day 30 of April: 6.09
  }};
  for (int k = 0; k < 7; ++k) {
    calendar.Cells(1, 8 + 2 * k).SetValue(pairs[k].first);
    calendar.Cells(1, 9 + 2 * k).SetValue(pairs[k].second);
  }
  Fill("ตาก");
  EXPECT_EQ(Written(6), static_cast<double>(26.83f));
}

TEST_F(FillStationEToTest, ABadCalendarCellEndsTheProcedureAtItsWeek) {
  using Check = std::function<void(const std::function<void()>&)>;
  const Check outOfRange = [](const auto& f) { EXPECT_THROW(f(), std::out_of_range); };
  const Check mismatch = [](const auto& f) { EXPECT_THROW(f(), locale::ConversionError); };
  const Check overflow = [](const auto& f) { EXPECT_THROW(f(), locale::OverflowError); };
  const sheet::Value aDate = sheet::DateValue{2009y / April / 1};
  const std::vector<std::tuple<int, sheet::Value, Check>> cases = {
      {8, 32.0, outOfRange},                    // day 32
      {9, 13.0, outOfRange},                    // month 13
      {11, -1.0, outOfRange},                   // month -1
      {20, -0.6, outOfRange},                   // day -0.6 reads as -1
      {21, locale::ThaiMonthName(4), mismatch},  // a month name is no number
      {10, aDate, mismatch},                    // nor is a date
      {12, 3e9, overflow},                      // beyond 32 bits
  };
  for (const auto& [badColumn, value, check] : cases) {
    calc.Reset();
    CalendarWeek(1, 2009y / April / 1);
    CalendarWeek(2, 2009y / April / 8);
    CalendarWeek(3, 2009y / April / 15);
    calendar.Cells(2, badColumn).SetValue(value);
    check([&] { Fill("ตาก"); });
    EXPECT_EQ(Written(6), static_cast<double>(42.63f)) << badColumn;
    EXPECT_TRUE(Empty(7)) << badColumn;
    EXPECT_TRUE(Empty(8)) << badColumn;
    EXPECT_EQ(loop.EToWeekRow, 2) << badColumn;
  }
}

TEST_F(FillStationEToTest, ASheetRowBeyondSixteenBitsOverflows) {
  loop.EToLastWeek = 32767;
  EXPECT_THROW(Fill("ตาก"), locale::OverflowError);
  EXPECT_EQ(loop.EToWeekRow, 32763);  // row 32768 does not exist for the loop
  EXPECT_EQ(Written(32767), 0.0);
  EXPECT_TRUE(Empty(32768));
}

}  // namespace
}  // namespace tuvo
