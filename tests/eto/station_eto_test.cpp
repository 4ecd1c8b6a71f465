// The station ETo procedure without a workbook: the day-by-month table, the weekly sum of the
// seven (day, month) pairs and its rounding, for stations of all three table sets.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "eto/select_station_eto.h"
#include "eto/station_eto.h"

namespace tuvo {
namespace {

using namespace std::chrono;

// The seven (day, month) pairs of the week starting on `first`, as the calendar sheet holds them.
std::array<CalendarDay, 7> WeekFrom(year_month_day first) {
  std::array<CalendarDay, 7> week;
  sys_days day{first};
  for (CalendarDay& d : week) {
    const year_month_day ymd{day};
    d = {static_cast<int>(static_cast<unsigned>(ymd.day())),
         static_cast<int>(static_cast<unsigned>(ymd.month()))};
    day += days{1};
  }
  return week;
}

std::string Text(year_month_day d) {
  return std::to_string(static_cast<int>(d.year())) + "-" +
         std::to_string(static_cast<unsigned>(d.month())) + "-" +
         std::to_string(static_cast<unsigned>(d.day()));
}

const StationEToTable& TableOf(std::string_view station) {
  const StationDispatchEntry* entry = FindStationETo(station);
  if (entry == nullptr) throw std::invalid_argument("no station " + std::string(station));
  return *entry->table;
}

struct WeekCase {
  std::string_view station;
  year_month_day first;  // the week's first day; ok() false for an empty calendar row
  float expected;
};

TEST(StationETo, WeekValuesOfAllThreeTableSets) {
  const year_month_day emptyRow = 2009y / 2 / 30;  // not a date: the row is left empty
  const std::vector<WeekCase> cases = {
      {"ตาก", 2009y / April / 1, 42.63f},        // 7 x 6.09
      {"กรุงเทพ", 2009y / January / 28, 28.44f},  // 4 x 3.72 + 3 x 4.52
      {"กรุงเทพ", 2008y / December / 29, 25.29f},  // 3 x 3.47 + 4 x 3.72
      {"ตรัง", 2009y / January / 10, 32.34f},     // 7 x 4.62
      {"ชัยนาท", 2008y / February / 28, 33.78f},   // leap year: 2 x 4.14 + 5 x 5.10
      {"ชัยนาท", 2009y / February / 28, 34.74f},   // common year: 4.14 + 6 x 5.10
      {"ยะลา", 2009y / January / 1, 28.91f},      // 7 x 4.13
      {"นครสวรรค์", 2009y / April / 12, 43.96f},   // 7 x 6.28
      {"เชียงใหม่", 2008y / February / 26, 30.45f},  // leap year: 4 x 3.96 + 3 x 4.87
      {"เชียงใหม่", 2009y / February / 26, 31.36f},  // common year: 3 x 3.96 + 4 x 4.87
      {"เชียงใหม่", 2009y / December / 20, 15.82f},  // 7 x 2.26
      {"จันทบุรี", 2008y / December / 28, 26.95f},  // 4 x 3.88 + 3 x 3.81
      {"ตาก", emptyRow, 0.0f},
  };
  for (const WeekCase& c : cases) {
    const std::array<CalendarDay, 7> week =
        c.first.ok() ? WeekFrom(c.first) : std::array<CalendarDay, 7>{};
    const float written = RoundWeekETo(WeekETo(FillDailyETo(TableOf(c.station)), week));
    EXPECT_EQ(written, c.expected) << c.station << " " << Text(c.first);
  }
}

TEST(StationETo, WrittenValueIsTheSinglePrecisionNumber) {
  const float written = RoundWeekETo(WeekETo(FillDailyETo(TableOf("กรุงเทพ")),
                                             WeekFrom(2009y / January / 28)));
  EXPECT_EQ(static_cast<double>(written), 28.440000534057617);
}

TEST(StationETo, HalvesRoundToEven) {
  EXPECT_EQ(RoundWeekETo(26.125f), 26.12f);
  EXPECT_EQ(RoundWeekETo(26.375f), 26.38f);
  EXPECT_EQ(RoundWeekETo(0.0f), 0.0f);
}

TEST(StationETo, DailyTableHoldsEveryDayOfALeapYearAndNothingElse) {
  const StationEToTable& monthly = TableOf("เชียงใหม่");
  const StationDailyETo daily = FillDailyETo(monthly);
  const std::set<std::pair<int, int>> impossible = {{30, 2}, {31, 2}, {31, 4},
                                                    {31, 6}, {31, 9}, {31, 11}};
  int filled = 0;
  for (int day = 0; day <= 31; ++day) {
    for (int month = 0; month <= 12; ++month) {
      const bool valid = day > 0 && month > 0 && !impossible.contains({day, month});
      EXPECT_EQ(daily[day][month], valid ? monthly[month - 1] : 0.0f) << day << "/" << month;
      filled += valid ? 1 : 0;
    }
  }
  EXPECT_EQ(filled, 366);
}

TEST(StationETo, ImpossibleDatesAndEmptyCellsAddNothing) {
  const StationDailyETo daily = FillDailyETo(TableOf("ตาก"));
  // 31 April, an empty day and an empty month beside five real April days.
  const std::array<CalendarDay, 7> week = {{{31, 4}, {0, 4}, {1, 0}, {1, 4}, {2, 4}, {3, 4}, {4, 4}}};
  EXPECT_EQ(RoundWeekETo(WeekETo(daily, week)), 24.36f);  // 4 x 6.09
}

TEST(StationETo, DayOrMonthBeyondTheTableFails) {
  const StationDailyETo daily = FillDailyETo(TableOf("ตาก"));
  for (const CalendarDay bad : {CalendarDay{32, 1}, CalendarDay{1, 13}, CalendarDay{1, -1},
                                CalendarDay{-1, 1}}) {
    std::array<CalendarDay, 7> week = WeekFrom(2009y / April / 1);
    week[6] = bad;
    EXPECT_THROW(WeekETo(daily, week), std::out_of_range) << bad.day << "/" << bad.month;
  }
}

// Every week any station can see, leap year or not and across the turn of the year, is written as
// the exact two-decimal sum of its seven daily values.
TEST(StationETo, EveryWeekOfEveryStationIsItsExactTwoDecimalSum) {
  for (const StationDispatchEntry& entry : StationDispatchList) {
    const StationDailyETo daily = FillDailyETo(*entry.table);
    for (sys_days first{2007y / December / 26}; first < sys_days{2009y / January / 1};
         first += days{1}) {
      const std::array<CalendarDay, 7> week = WeekFrom(year_month_day{first});
      long cents = 0;
      for (const CalendarDay& d : week) {
        cents += std::lround(static_cast<double>((*entry.table)[d.month - 1]) * 100);
      }
      const float exact = static_cast<float>(static_cast<double>(cents) / 100);
      ASSERT_EQ(RoundWeekETo(WeekETo(daily, week)), exact)
          << entry.StationName << " " << Text(year_month_day{first});
    }
  }
}

// Cross-checks of the transcribed values: which stations share a row, and the range of tables A.
TEST(StationEToTables, OnlyTheKnownStationsShareTheirValues) {
  std::map<StationEToTable, std::set<std::string_view>> byValues;
  for (const StationDispatchEntry& entry : StationDispatchList) {
    byValues[*entry.table].insert(entry.procedure);
  }
  std::set<std::set<std::string_view>> shared;
  for (const auto& [values, procedures] : byValues) {
    if (procedures.size() > 1) shared.insert(procedures);
  }
  const std::set<std::set<std::string_view>> expected = {
      {"FillEToNonthaburi", "FillEToPathumThani", "FillEToSamutPrakan", "FillEToSamutSakhon"},
      {"FillEToRatchaburi", "FillEToSamutSongkhram"},
      {"FillEToYasothon", "FillEToAmnatCharoen"},
  };
  EXPECT_EQ(shared, expected);
}

TEST(StationEToTables, EveryValueIsAPlausibleTwoDecimalMean) {
  for (const StationDispatchEntry& entry : StationDispatchList) {
    for (const float value : *entry.table) {
      EXPECT_GE(value, 2.26f) << entry.procedure;  // Chiang Mai in December
      EXPECT_LE(value, 6.28f) << entry.procedure;  // Nakhon Sawan in April
      const double cents = static_cast<double>(value) * 100;
      EXPECT_NEAR(cents, std::round(cents), 1e-4) << entry.procedure;
    }
  }
  EXPECT_EQ(EToPhrae[11], 2.72f);  // the smallest of tables A
  EXPECT_EQ(EToTak[3], 6.09f);     // the largest of tables A
}

}  // namespace
}  // namespace tuvo
