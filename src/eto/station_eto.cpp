#include "eto/station_eto.h"

#include "platform/locale.h"

namespace tuvo {

namespace {

// Days of each month in a leap year, element 0 is January.
constexpr std::array<int, 12> LeapYearMonthDays = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

}  // namespace

StationDailyETo FillDailyETo(const StationEToTable& monthly) {
  StationDailyETo daily{};
  for (int month = 1; month <= 12; ++month) {
    for (int day = 1; day <= LeapYearMonthDays[month - 1]; ++day) {
      daily[day][month] = monthly[month - 1];
    }
  }
  return daily;
}

float WeekETo(const StationDailyETo& daily, const std::array<CalendarDay, 7>& week) {
  double sum = 0;
  for (const CalendarDay& d : week) {
    // at() keeps the table's bounds: a day or month beyond them is a failure, not a read.
    sum += daily.at(static_cast<std::size_t>(d.day)).at(static_cast<std::size_t>(d.month));
  }
  return static_cast<float>(sum);
}

float RoundWeekETo(float weekSum) {
  // The widened float is rounded as it stands, so a sum exactly between two cents goes to even.
  return static_cast<float>(locale::Round2(static_cast<double>(weekSum)));
}

}  // namespace tuvo
