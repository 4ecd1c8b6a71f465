// The run's day calendar on worksheet 3: row w holds the seven dates of season week w and the
// day and month of each, which the daily ETo and rainfall tables are looked up by.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

#include "season/season.h"
#include "season/season_inputs.h"

namespace tuvo {

class Progress;
namespace sheet {
class Workbook;
}

// A week's first day on the calculation sheet does not read as a date.
class CalendarError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Row counts the window keeps between steps and runs; a crop text without a rule leaves them.
struct CalendarCounts {
  std::int16_t WeekRowCount = 0;      // bounds the ETo week loop that follows the first pass
  std::int16_t CalendarRowCount = 0;  // rows the calendar fillers write
};

// The run builds the calendar twice; each pass reports its own progress values.
enum class CalendarPass {
  First,   // after the crop weeks: progress 37 and 39
  Second,  // after the percolation column: progress 64 and 67
};

// The calendar step: refreshes the week fields and, for one of the three crop texts of cboCroptype,
// GroupCount and WeekRowCount; then FillCalendarDays, progress, FillCalendarMonths, progress.
void FillCalendarSheet(const SeasonTexts& texts, const std::string& selectedCrop,
                       WeekFields& weeks, CalendarCounts& counts, sheet::Workbook& workbook,
                       Progress& progress, CalendarPass pass);

// Rows 1 .. CalendarRowCount (by the crop in selectedCrop): the seven dates from the week's first
// day in column C of the calculation sheet, and the day of month of each in columns 8, 10 .. 20.
void FillCalendarDays(const SeasonTexts& texts, const std::string& selectedCrop, WeekFields& weeks,
                      CalendarCounts& counts, sheet::Workbook& workbook);

// As FillCalendarDays, with the month number of each date in columns 9, 11 .. 21.
void FillCalendarMonths(const SeasonTexts& texts, const std::string& selectedCrop,
                        WeekFields& weeks, CalendarCounts& counts, sheet::Workbook& workbook);

}  // namespace tuvo
