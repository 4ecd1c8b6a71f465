#include "rain/eff_rain_column.h"

#include <array>
#include <chrono>
#include <optional>
#include <stdexcept>
#include <string>
#include <variant>

#include "calcsheet/summary_cells.h"
#include "platform/locale.h"
#include "platform/sheet/sheet.h"
#include "rain/eff_rain_methods.h"
#include "rain/station_rain.h"
#include "season/day_calendar.h"
#include "season/season.h"
#include "season/summary_layout.h"
#include "season/workbook_layout.h"

namespace tuvo {

namespace {

// Start years (Buddhist era) whose February the start-year rule counts with 29 days.
constexpr std::array<double, 10> LeapStartYears = {2551, 2555, 2559, 2563, 2567,
                                                   2571, 2575, 2579, 2583, 2587};

// Days of the February that the season's weeks reach, from the calendar sheet's dates; nothing
// when no week reaches a February day. A season holds at most one February.
std::optional<int> SeasonFebruaryDays(sheet::Worksheet& calendar, int weekCount) {
  for (int w = 1; w <= weekCount; ++w) {
    for (int k = 0; k < CalendarDaysPerWeek; ++k) {
      const sheet::Value value = calendar.Cells(w, CalendarDateColumn(k)).GetValue();
      const auto* date = std::get_if<sheet::DateValue>(&value);
      if (date != nullptr && date->date.month() == std::chrono::February) {
        return date->date.year().is_leap() ? 29 : 28;
      }
    }
  }
  return std::nullopt;
}

// February's days by the start year alone (the text of cboFirstyear, wholly a number).
int StartYearFebruaryDays(const SeasonTexts& texts) {
  const double year = locale::ToNumber(texts.cboFirstyear);
  for (double leap : LeapStartYears) {
    if (year == leap) return 29;
  }
  return 28;
}

// A calendar cell as a table index from 1 to `last`; outside is a subscript error.
std::size_t CalendarIndex(double whole, int last, int row, int column) {
  if (whole < 1 || whole > last) {
    throw std::out_of_range("calendar sheet row " + std::to_string(row) + ", column " +
                            std::to_string(column) + ": " + locale::NumberText(whole) +
                            " is outside 1 to " + std::to_string(last));
  }
  return static_cast<std::size_t>(whole);
}

// The steps both variants share; `station` adds the station load and the twelve evaluations.
void FillEffRainColumn(bool station, const SeasonTexts& texts, EffRainState& state,
                       WeekLoop& loop, sheet::Workbook& workbook, SeasonTotals& totals,
                       std::int16_t& WeekRowCount) {
  state.weeks = ReadWeekFields(texts);

  const std::int16_t groupCount = GroupCountByLocaleNumber(texts);
  state.weeks.GroupCount = groupCount;
  state.NurseryAreaTotalCol = SummaryColumnNumber(groupCount, SummaryColumn::NurseryAreaTotal);
  state.PrepAreaTotalCol = SummaryColumnNumber(groupCount, SummaryColumn::PrepAreaTotal);
  state.PlantedAreaTotalCol = SummaryColumnNumber(groupCount, SummaryColumn::PlantedAreaTotal);
  loop.OutputColumn = SummaryColumnNumber(groupCount, SummaryColumn::EffectiveRain);
  const int outputColumn = loop.OutputColumn;

  // A crop text none of the three, or week fields no rule knows, keep the count as it was.
  if (const std::optional<std::int16_t> weeks = ScheduleWeeksFor(texts.cboCroptype, state.weeks)) {
    WeekRowCount = *weeks;
  }
  const int weekCount = WeekRowCount;

  if (station) {
    TUVORainDatabase2(texts.cboProvince, state);
    for (int m = 1; m <= 12; ++m) {
      state.EffRainInput = locale::LeadingNumber(state.StationMonthRain[m]);
      state.EffRainMonth = static_cast<float>(m);
      EvaluateEffRainMonth(state);
    }
  }

  sheet::Worksheet& calc = workbook.Worksheets(CalcSheetIndex);
  sheet::Worksheet& calendar = workbook.Worksheets(CalendarSheetIndex);

  // With no method chosen the daily values stay as the previous call left them.
  if (const MonthTextTable* table = ChosenEffRainTable(texts, state)) {
    // February is spread over the days of the February the season actually holds, which need
    // not lie in the start year; a season without February falls back to the start year.
    const std::optional<int> february = SeasonFebruaryDays(calendar, weekCount);
    std::array<int, 12> monthDays = LeapYearMonthDays;
    monthDays[1] = february ? *february : StartYearFebruaryDays(texts);
    for (std::size_t m = 1; m <= 12; ++m) {
      state.MonthDailyEffRain[m] = locale::LeadingNumber((*table)[m]) / monthDays[m - 1];
    }
  }
  // Every day of a leap year, 29 February included whatever the year.
  for (std::size_t m = 1; m <= 12; ++m) {
    for (int d = 1; d <= LeapYearMonthDays[m - 1]; ++d) {
      state.DailyEffRain[static_cast<std::size_t>(d)][m] = state.MonthDailyEffRain[m];
    }
  }

  totals.TotalEffRain = 0;
  WriteWeeksAndTotal(workbook, outputColumn, weekCount, totals.TotalEffRain, [&](int w) {
    loop.EToWeekRow = static_cast<std::int16_t>(w);

    // All fourteen calendar cells are read before any is used.
    std::array<double, 2 * CalendarDaysPerWeek> pair{};
    for (int k = 0; k < static_cast<int>(pair.size()); ++k) {
      pair[static_cast<std::size_t>(k)] =
          locale::ToInt16(calendar.Cells(w, FirstCalendarPairColumn + k).AsNumber());
    }
    state.WeekEffRainDepth = 0;
    for (int k = 0; k < CalendarDaysPerWeek; ++k) {
      const std::size_t day = CalendarIndex(pair[2 * k], 31, w, CalendarDayColumn(k));
      const std::size_t month = CalendarIndex(pair[2 * k + 1], 12, w, CalendarMonthColumn(k));
      state.WeekEffRainDepth += state.DailyEffRain[day][month];
    }

    const int row = WeekRow(w);
    const double area = calc.Cells(row, state.NurseryAreaTotalCol).AsNumber() +
                        calc.Cells(row, state.PrepAreaTotalCol).AsNumber() +
                        calc.Cells(row, state.PlantedAreaTotalCol).AsNumber();
    state.WeekEffRainVolume =
        area * state.WeekEffRainDepth * SquareMetresPerRai / MillimetresPerMetre;
    // Written rounded: the total is the sum of the rounded weeks, as the sheet holds them.
    return locale::Round2(state.WeekEffRainVolume);
  });
}

}  // namespace

const MonthTextTable* ChosenEffRainTable(const SeasonTexts& texts, const EffRainState& state) {
  if (texts.optRe1) return &state.ReDepartment;
  if (texts.optRe2) return &state.ReECI;
  if (texts.optAcres1) return &state.ReAcres1;
  if (texts.optAcres2) return &state.ReAcres2;
  if (texts.optAcres3) return &state.ReAcres3;
  if (texts.optUSDA) return &state.ReUSDA;
  return nullptr;
}

void FillEffRainColumnStation(const SeasonTexts& texts, EffRainState& state, WeekLoop& loop,
                              sheet::Workbook& workbook, SeasonTotals& totals,
                              std::int16_t& WeekRowCount) {
  FillEffRainColumn(true, texts, state, loop, workbook, totals, WeekRowCount);
}

void FillEffRainColumnUser(const SeasonTexts& texts, EffRainState& state, WeekLoop& loop,
                           sheet::Workbook& workbook, SeasonTotals& totals,
                           std::int16_t& WeekRowCount) {
  FillEffRainColumn(false, texts, state, loop, workbook, totals, WeekRowCount);
}

}  // namespace tuvo
