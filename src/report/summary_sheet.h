// The summary sheet of the result workbook (worksheet 1, "Sheet1" until the run renames it): the
// place, the crop and every season input as text, the area of each group, the mean and effective
// rainfall of every month the season touches, and the seven season totals.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "rain/eff_rain_state.h"
#include "season/season.h"
#include "season/season_inputs.h"

namespace tuvo {

class Progress;
namespace sheet {
class Workbook;
}

// The run's copies of the location and crop texts, made at its start.
struct SummaryFormTexts {
  std::string_view OfficeText, ProjectText, SectionText, ProvinceText, CropText;
  std::string_view SelectedCrop;  // picks the season-length rule of the month rows
};

// What the summary sheet reads and rewrites of the main window's fields, by reference.
struct SummarySheetRun {
  sheet::Workbook& workbook;  // "Sheet1" is written; worksheet 2, the calculation sheet, is read
  const SeasonTexts& texts;   // the lists, txtGroup and the option buttons as the run left them
  SummaryFormTexts form;
  const GroupAreaTable& GroupArea;                 // area text of group g, elements 1 to 20
  const std::array<std::string, 21>& GroupLabel;   // group number text of group g
  const std::array<std::string, 14>& MonthAbbrev;  // Thai month abbreviations, elements 1 to 12
  const SeasonTotals& totals;
  double EfficiencyPercent;
  EffRainState& rain;  // StationMonthRain reloaded under the station source; the Re tables read
  WeekFields& weeks;   // SeedlingWeeks, NurseryWeeks read; WetPrepWeeks, GroupCount, StopWeeks
                       // recomputed from the lists
  std::int16_t& ScheduleWeeks;  // recomputed; kept when no season rule applies
  double& GroupCounter;         // left at the number of group-area rows
  Progress& progress;
};

// The season totals as the summary prints them: rounded to 2 decimals, halves to even, as plain
// number text; the efficiency unrounded.
struct SummaryTotalTexts {
  std::string TotalNurseryWaterText;
  std::string TotalPrepWaterText;
  std::string TotalCropWaterUseText;
  std::string TotalPercolationText;
  std::string TotalEffRainText;
  std::string TotalNetWaterText;
  std::string TotalGrossWaterText;
  std::string EfficiencyText;
};

// Writes the summary sheet from the top down: rows 1 to 40 with progress 93 to 98, the group
// areas from row 42 and progress 100, the rainfall heading and one row per month of the season,
// then the season totals. "Sheet1" is left the active sheet. A month row shows only this run's
// rainfall and effective rainfall. A group count beyond the 20 groups, or a season day on the
// calculation sheet that is no date, throws std::out_of_range or locale::ConversionError; the
// rows written so far stay.
SummaryTotalTexts StartSheet1(const SummarySheetRun& run);

}  // namespace tuvo
