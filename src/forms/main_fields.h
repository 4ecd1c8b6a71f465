// The fields of the main form: the values the input steps, the run and the neighbouring services
// exchange. They live as long as the program; the main window is closed and loaded anew around
// the About box, so the application owns them and each main window works on them by reference.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "rain/eff_rain_state.h"
#include "run/calendar_sheet.h"
#include "season/season.h"
#include "season/season_inputs.h"
#include "season/week_loop.h"

namespace tuvo {

namespace sheet {
class Application;
}

// Week fields (NurseryPrepWeeks .. GroupCount), season totals and the day calendar's row counts
// are inherited under their own names, so the fields can be handed on as WeekFields, SeasonTotals
// or CalendarCounts.
struct MainFields : WeekFields, SeasonTotals, CalendarCounts {
  std::int16_t ScheduleWeeks = 0;  // season length in weeks; 0 until first computed

  float SeasonFirstMonth = 0;  // month of the season's first day, 0 until a start year is picked
  float SeasonLastMonth = 0;   // month of the season's last day

  GroupAreaTable GroupArea{};                 // area text of group g, elements 1 to 20
  std::array<std::string, 21> GroupLabel{};   // txtGroup text at the store of group g
  double GroupCounter = 0;                    // the group the next store writes

  std::int16_t RainEntryMonth = 0;      // month whose rainfall the user types next
  std::int16_t RainEntryLastMonth = 0;  // the season's last month during the own-rainfall entry

  // Monthly rainfall, the inputs of the six effective-rainfall methods (EffRainMonth is also the
  // own-rainfall entry's counter) and their result tables; shared with the run.
  EffRainState Rain;
  // The number text the own-rainfall entry stored for month m since its last restart; empty for
  // a month not typed. A month counts as typed while StationMonthRain still holds this text.
  MonthTextTable TypedMonthRain{};

  // Thai month abbreviations: elements 1 to 12, element 13 repeats December, element 0 empty.
  std::array<std::string, 14> MonthAbbrev{};

  // Settings and heading texts of a run.
  double EfficiencyPercent = 0;
  double PercolationRate = 0;  // mm/day, from cboDeeper
  std::string OfficeText, ProjectText, SectionText, CropText, ProvinceText;
  std::string SelectedCrop, SelectedStation;
  std::string RunTimestamp, OutputFolder;
  // The week-loop variables the run shares with the ETo fill and the effective-rainfall column.
  WeekLoop Loop;

  // The spreadsheet application held from the first run until the reset lets go of it.
  std::shared_ptr<sheet::Application> ExcelApp;
};

}  // namespace tuvo
