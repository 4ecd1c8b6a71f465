#include "eto/station_eto.h"

#include <cmath>
#include <limits>
#include <optional>
#include <stdexcept>
#include <string>
#include <variant>

#include "platform/locale.h"
#include "platform/sheet/sheet.h"
#include "season/day_calendar.h"
#include "season/workbook_layout.h"

namespace tuvo {

namespace {

// A calendar cell as a table index: empty is 0, a number or a number text is rounded half to
// even; the index must lie in 0 to `last`.
std::int32_t CalendarIndex(const sheet::Value& value, std::int32_t last, int row, int column) {
  const auto where = [&] {
    return "calendar sheet row " + std::to_string(row) + ", column " + std::to_string(column);
  };
  double number = 0;
  if (const double* d = std::get_if<double>(&value)) {
    number = *d;
  } else if (const std::string* text = std::get_if<std::string>(&value)) {
    const std::optional<double> read = locale::TryToNumber(*text);
    if (!read) throw locale::ConversionError(where() + ": \"" + *text + "\" is not a number");
    number = *read;
  } else if (!std::holds_alternative<std::monostate>(value)) {
    throw locale::ConversionError(where() + ": not a number");
  }
  const double whole = std::nearbyint(number);  // the default rounding mode: halves to even
  if (!(whole >= std::numeric_limits<std::int32_t>::min() &&
        whole <= std::numeric_limits<std::int32_t>::max())) {
    throw locale::OverflowError(where() + ": " + locale::NumberText(number) + " is too large");
  }
  const auto index = static_cast<std::int32_t>(whole);
  if (index < 0 || index > last) {
    throw std::out_of_range(where() + ": " + std::to_string(index) + " is out of range 0 to " +
                            std::to_string(last));
  }
  return index;
}

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

void FillStationETo(const StationEToTable& monthly, WeekLoop& loop, sheet::Workbook& workbook) {
  const StationDailyETo daily = FillDailyETo(monthly);
  const std::int16_t lastWeek = loop.EToLastWeek;
  loop.EToWeekRow = 1;
  if (lastWeek < 1) return;
  sheet::Worksheet& calendar = workbook.Worksheets(CalendarSheetIndex);
  sheet::Worksheet& calc = workbook.Worksheets(CalcSheetIndex);
  for (;;) {
    const std::int16_t w = loop.EToWeekRow;
    std::array<CalendarDay, CalendarDaysPerWeek> week;
    for (int k = 0; k < CalendarDaysPerWeek; ++k) {
      const int dayColumn = CalendarDayColumn(k);
      const int monthColumn = CalendarMonthColumn(k);
      week[k].day = CalendarIndex(calendar.Cells(w, dayColumn).GetValue(), 31, w, dayColumn);
      week[k].month = CalendarIndex(calendar.Cells(w, monthColumn).GetValue(), 12, w, monthColumn);
    }
    const float sum = WeekETo(daily, week);
    loop.EToWeekSum = sum;
    const std::int16_t row = locale::ToInt16(WeekRow(w));
    calc.Cells(row, loop.OutputColumn).SetValue(static_cast<double>(RoundWeekETo(sum)));
    if (w == lastWeek) break;
    ++loop.EToWeekRow;
  }
}

}  // namespace tuvo
