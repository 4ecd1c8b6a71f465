// The station ETo procedure that every climate station shares: the station's day-by-month table
// built from its twelve monthly means, and the weekly sums written into the ETo column.
#pragma once

#include <array>
#include <cstdint>

#include "eto/station_eto_tables.h"
#include "season/week_loop.h"

namespace tuvo {

namespace sheet {
class Workbook;
}

// ETo in mm/day by calendar day: element [day][month], day 0 to 31, month 0 to 12. Day 0,
// month 0 and the impossible dates (30 February, 31 April, ...) hold 0.
using StationDailyETo = std::array<std::array<float, 13>, 32>;

// One day of a week as the calendar sheet gives it: day of month and month number.
struct CalendarDay {
  std::int32_t day = 0;
  std::int32_t month = 0;
};

// The station's day-by-month table: every day of a leap year, 29 February included, holds its
// month's value, so the year of the season plays no part.
StationDailyETo FillDailyETo(const StationEToTable& monthly);

// The week's ETo in mm/week: the seven days' values added in double precision (exact for
// two-decimal values), then rounded once to single precision. A day outside 0 to 31 or a month
// outside 0 to 12 throws std::out_of_range.
float WeekETo(const StationDailyETo& daily, const std::array<CalendarDay, 7>& week);

// The week value as the sheet gets it: rounded to 2 decimals, halves to even, and kept as the
// nearest single-precision number (28.44 is written as 28.440000534057617).
float RoundWeekETo(float weekSum);

// The station procedure, one for every station: builds the station's day-by-month table, then
// for weeks w = 1 to loop.EToLastWeek reads the (day, month) pairs of calendar-sheet row w
// (columns 8/9, 10/11, ..., 20/21 of worksheet 3) and writes the rounded week sum into
// calculation-sheet cell (w + 5, loop.OutputColumn) of worksheet 2. Leaves loop.EToWeekRow at
// the last week processed (1 when EToLastWeek < 1) and loop.EToWeekSum at its unrounded sum.
//
// A calendar cell must be empty (0), a number or a number text, rounded half to even: another
// value throws locale::ConversionError, a number beyond 32 bits locale::OverflowError, a day or
// month out of range std::out_of_range. The first failure ends the procedure; earlier weeks stay
// written.
void FillStationETo(const StationEToTable& monthly, WeekLoop& loop, sheet::Workbook& workbook);

}  // namespace tuvo
