#include "run/calendar_sheet.h"

#include <chrono>
#include <variant>

#include "platform/locale.h"
#include "platform/sheet/sheet.h"
#include "season/progress.h"
#include "season/workbook_layout.h"

namespace tuvo {

namespace {

enum class DatePart { Day, Month };

// The first day of week w as the calculation sheet holds it in column C: a date, or a date text.
locale::Date WeekStartOf(sheet::Workbook& workbook, int w) {
  const sheet::Value value =
      workbook.Worksheets(CalcSheetIndex).Cells(WeekRow(w), WeekStartColumn).GetValue();
  if (const auto* date = std::get_if<sheet::DateValue>(&value)) return date->date;
  if (const auto* text = std::get_if<std::string>(&value)) {
    if (auto date = locale::TryParseDateEntry(*text)) return *date;
    throw CalendarError("calculation sheet, week " + std::to_string(w) + ": the first day \"" +
                        *text + "\" is not a date");
  }
  throw CalendarError("calculation sheet, week " + std::to_string(w) +
                      ": the first day is missing");
}

// One calendar filler: the seven dates of every row, then the day or month of each.
void FillCalendar(const SeasonTexts& texts, const std::string& selectedCrop, WeekFields& weeks,
                  CalendarCounts& counts, sheet::Workbook& workbook, DatePart part) {
  RefreshWeekFields(texts, weeks);
  weeks.GroupCount = GroupCountByLeadingNumber(texts);
  if (auto rows = ScheduleWeeksFor(selectedCrop, weeks)) counts.CalendarRowCount = *rows;

  sheet::Worksheet& calendar = workbook.Worksheets(CalendarSheetIndex);
  for (int w = 1; w <= counts.CalendarRowCount; ++w) {
    for (int k = 0; k < CalendarDaysPerWeek; ++k) {
      const locale::Date day{std::chrono::sys_days{WeekStartOf(workbook, w)} +
                             std::chrono::days{k}};
      calendar.Cells(w, CalendarDateColumn(k)).SetValue(sheet::Value{sheet::DateValue{day}});
      // The number is taken from the cell just written, as the readers see the calendar.
      const sheet::Value written = calendar.Cells(w, CalendarDateColumn(k)).GetValue();
      const locale::Date date = std::get<sheet::DateValue>(written).date;
      if (part == DatePart::Day) {
        calendar.Cells(w, CalendarDayColumn(k)).SetValue(static_cast<double>(unsigned{date.day()}));
      } else {
        calendar.Cells(w, CalendarMonthColumn(k))
            .SetValue(static_cast<double>(unsigned{date.month()}));
      }
    }
  }
}

}  // namespace

void FillCalendarDays(const SeasonTexts& texts, const std::string& selectedCrop, WeekFields& weeks,
                      CalendarCounts& counts, sheet::Workbook& workbook) {
  FillCalendar(texts, selectedCrop, weeks, counts, workbook, DatePart::Day);
}

void FillCalendarMonths(const SeasonTexts& texts, const std::string& selectedCrop,
                        WeekFields& weeks, CalendarCounts& counts, sheet::Workbook& workbook) {
  FillCalendar(texts, selectedCrop, weeks, counts, workbook, DatePart::Month);
}

void FillCalendarSheet(const SeasonTexts& texts, const std::string& selectedCrop,
                       WeekFields& weeks, CalendarCounts& counts, sheet::Workbook& workbook,
                       Progress& progress, CalendarPass pass) {
  RefreshWeekFields(texts, weeks);
  if (IsSeasonCrop(texts.cboCroptype)) {
    weeks.GroupCount = GroupCountByLeadingNumber(texts);
    if (auto rows = ScheduleWeeksFor(texts.cboCroptype, weeks)) counts.WeekRowCount = *rows;
  }
  const bool first = pass == CalendarPass::First;
  FillCalendarDays(texts, selectedCrop, weeks, counts, workbook);
  progress.ShowProgress(first ? 37 : 64);
  FillCalendarMonths(texts, selectedCrop, weeks, counts, workbook);
  progress.ShowProgress(first ? 39 : 67);
}

}  // namespace tuvo
