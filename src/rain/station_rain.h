// Monthly mean rainfall of the climate stations and the lookup that loads the chosen station's
// months into StationMonthRain.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "rain/eff_rain_state.h"

namespace tuvo {

// One station: the station text that selects it and its twelve months (January first) as the
// number text they are stored as.
struct StationRainTable {
  std::string_view StationName;
  std::array<std::string_view, 12> months;
};

inline constexpr std::size_t StationRainCount = 91;

// The stations in the order the lookup tests them.
extern const std::array<StationRainTable, StationRainCount> StationRainTables;

// Sets elements 1 to 12 of StationMonthRain to the station's months; element 0 is left alone.
void FillStationRain(const StationRainTable& station, EffRainState& state);

// The first station whose name equals the station text exactly (after the two office-list texts
// served by another station's tables are mapped), or nothing.
const StationRainTable* FindStationRain(std::string_view stationText);

// Loads the station named by the station list's text; a text that names no station changes
// nothing.
void TUVORainDatabase2(std::string_view stationText, EffRainState& state);

}  // namespace tuvo
