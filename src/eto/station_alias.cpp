#include "eto/station_alias.h"

#include <array>

namespace tuvo {

namespace {

struct StationAlias {
  std::string_view offered;  // as the office list offers it
  std::string_view tables;   // the station whose tables serve it
};

// Two office-list texts have no tables of their own: the capital is served by the Bangkok
// station, the island by its province's station.
constexpr std::array<StationAlias, 2> StationAliases = {{
    {"กรุงเทพมหานคร", "กรุงเทพ"},
    {"เกาะสมุย_สุราษฏร์ธานี", "สุราษฏร์ธานี"},
}};

}  // namespace

std::string_view StationTableName(std::string_view station) {
  for (const StationAlias& alias : StationAliases) {
    if (alias.offered == station) return alias.tables;
  }
  return station;
}

}  // namespace tuvo
