// The day calendar as its readers (the daily ETo and rainfall tables) see it; its rows and columns
// are in workbook_layout.h, and the run's calendar step writes it.
#pragma once

#include <array>

namespace tuvo {

// Days of each month in a leap year, January first. The daily tables the calendar's day and month
// are looked up in hold every day of a leap year, 29 February included, whatever the season's year.
inline constexpr std::array<int, 12> LeapYearMonthDays = {31, 29, 31, 30, 31, 30,
                                                          31, 31, 30, 31, 30, 31};

}  // namespace tuvo
