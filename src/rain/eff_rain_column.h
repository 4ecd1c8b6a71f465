// The weekly effective-rainfall column of the calculation sheet: each week's effective rainfall
// on the accumulated rice area in m³, and the season total.
#pragma once

#include <cstdint>

#include "rain/eff_rain_state.h"
#include "season/season_inputs.h"
#include "season/week_loop.h"

namespace tuvo {
namespace sheet {
class Workbook;
}

// The method table the option buttons choose (the first set of optRe1, optRe2, optAcres1,
// optAcres2, optAcres3, optUSDA), or none.
const MonthTextTable* ChosenEffRainTable(const SeasonTexts& texts, const EffRainState& state);

// Station rainfall: loads the station of cboProvince, evaluates its twelve months by all six
// methods (replacing typed months), then writes the column as FillEffRainColumnUser does.
// `WeekRowCount` is the window's week count, recomputed here and kept when no season rule applies.
void FillEffRainColumnStation(const SeasonTexts& texts, EffRainState& state, WeekLoop& loop,
                              sheet::Workbook& workbook, SeasonTotals& totals,
                              std::int16_t& WeekRowCount);

// Own rainfall: writes the column from the chosen table as the own-rainfall entry left it, sets
// TotalEffRain and outlines the totals cell.
void FillEffRainColumnUser(const SeasonTexts& texts, EffRainState& state, WeekLoop& loop,
                           sheet::Workbook& workbook, SeasonTotals& totals,
                           std::int16_t& WeekRowCount);

}  // namespace tuvo
