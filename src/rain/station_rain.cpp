#include "rain/station_rain.h"

#include <string>

#include "eto/station_alias.h"

namespace tuvo {

void FillStationRain(const StationRainTable& station, EffRainState& state) {
  for (std::size_t m = 1; m <= 12; ++m) {
    state.StationMonthRain[m] = std::string(station.months[m - 1]);
  }
}

const StationRainTable* FindStationRain(std::string_view stationText) {
  return FindStationEntry(StationRainTables, stationText);
}

void TUVORainDatabase2(std::string_view stationText, EffRainState& state) {
  if (const StationRainTable* station = FindStationRain(stationText)) {
    FillStationRain(*station, state);
  }
}

}  // namespace tuvo
