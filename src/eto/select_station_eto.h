// The station dispatch of the Compute run: the season's station text picks one station's ETo
// table, whose procedure fills the ETo column of the calculation sheet.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "eto/station_eto_tables.h"
#include "season/season.h"
#include "season/season_inputs.h"
#include "season/week_loop.h"

namespace tuvo {

namespace sheet {
class Workbook;
}

// One station: the text that selects it, its procedure's name and its monthly table.
struct StationDispatchEntry {
  std::string_view StationName;
  std::string_view procedure;
  const StationEToTable* table;
};

// The 91 stations in the order they are compared; the first equal text wins.
extern const std::array<StationDispatchEntry, 91> StationDispatchList;

// The entry whose text equals StationTableName(station) exactly (no trimming, no folding), or
// nullptr when there is none.
const StationDispatchEntry* FindStationETo(std::string_view station);

// Whether the station text reaches an ETo table; the run refuses to start when it does not.
bool HasStationETo(std::string_view station);

// The main-window fields the dispatch refreshes from the lists, by reference: the week fields
// NurseryPrepWeeks, SeedlingWeeks, NurseryWeeks, WetPrepWeeks, StopWeeks and GroupCount, and the
// crop and station texts of the run.
struct StationEToFields {
  WeekFields& weeks;
  std::string& SelectedCrop;
  std::string& SelectedStation;
};

// Refreshes the fields from the lists (the week lists by their leading number, cboGroup by the
// locale's number conversion), sets loop.EToLastWeek to the season length when the crop rule
// applies (otherwise it keeps its value), then runs the station procedure of the first entry that
// the station text selects, if any. Reads loop.OutputColumn; worksheet 3 of the workbook is the
// calendar sheet, worksheet 2 the calculation sheet. A cboGroup text that is not a number throws
// locale::ConversionError, a value or sum beyond 16 bits locale::OverflowError; the fields set
// before stay set. Failures of the station procedure pass through.
void SelectStationETo(const SeasonTexts& texts, WeekLoop& loop, sheet::Workbook& workbook,
                      const StationEToFields& fields);

}  // namespace tuvo
