// Where the Compute run's writers put things in the result workbook: the worksheets by position,
// the rows and columns of the calculation sheet and of the day calendar, and the units the water
// columns convert between.
#pragma once

namespace tuvo {

// Worksheet 2 is the calculation sheet, worksheet 3 the day calendar (deleted before the save).
inline constexpr int CalcSheetIndex = 2;
inline constexpr int CalendarSheetIndex = 3;

// Calculation-sheet rows: 3 to 5 hold the column headers, week w stands on row w + 5 and the
// season totals on the row below the last week.
inline constexpr int FirstHeaderRow = 3;
inline constexpr int LastHeaderRow = 5;
inline constexpr int FirstWeekRow = 6;

// The sheet row of season week `week`.
constexpr int WeekRow(int week) { return FirstWeekRow - 1 + week; }

// The totals row below `weekCount` weeks.
constexpr int TotalsRow(int weekCount) { return FirstWeekRow + weekCount; }

// The sheet row of week `week` of group `group`: every group starts one week after the one before.
constexpr int GroupWeekRow(int group, int week) { return WeekRow(group - 1 + week); }

// Calculation-sheet columns: B the week number, C and D the week's first and last day.
inline constexpr int WeekNumberColumn = 2;
inline constexpr int WeekStartColumn = 3;
inline constexpr int WeekEndColumn = 4;

// Then a block of six columns for every group, group g from column 6g - 1.
enum class BlockColumn : int { NurseryArea, NurseryDepth, PrepArea, PrepDepth, PlantedArea, Kc };
inline constexpr int GroupBlockWidth = 6;

// The sheet column of one column of group `group`'s block.
constexpr int GroupColumn(int group, BlockColumn column) {
  return GroupBlockWidth * group - 1 + static_cast<int>(column);
}

// Then the eleven summary columns, 6G + 5 to 6G + 15 for G groups.
inline constexpr int SummaryColumnCount = 11;

// The first summary column, right of the last group block.
constexpr int FirstSummaryColumn(int groupCount) {
  return GroupColumn(groupCount, BlockColumn::Kc) + 1;
}

// The last summary column.
constexpr int LastSummaryColumn(int groupCount) {
  return FirstSummaryColumn(groupCount) + SummaryColumnCount - 1;
}

// Day calendar: row w is season week w; columns 1 to 7 hold its dates, then the day of month and
// the month number of each date in pairs from column 8.
inline constexpr int CalendarDaysPerWeek = 7;
inline constexpr int FirstCalendarPairColumn = 8;

// The date column of day k (0 to 6) of a week.
constexpr int CalendarDateColumn(int k) { return 1 + k; }

// The day-of-month column of day k (0 to 6) of a week.
constexpr int CalendarDayColumn(int k) { return FirstCalendarPairColumn + 2 * k; }

// The month column of day k (0 to 6) of a week.
constexpr int CalendarMonthColumn(int k) { return CalendarDayColumn(k) + 1; }

// 1 rai = 1600 m²; depths are in mm.
inline constexpr double SquareMetresPerRai = 1600;
inline constexpr double MillimetresPerMetre = 1000;

}  // namespace tuvo
