// Station texts of the office lists that are served by another station's tables.
#pragma once

#include <iterator>
#include <string_view>

namespace tuvo {

// The station text whose ETo and rainfall tables serve `station`: "กรุงเทพมหานคร" is served by
// "กรุงเทพ", "เกาะสมุย_สุราษฏร์ธานี" by "สุราษฏร์ธานี", every other text by itself. The
// result views either `station` or a literal.
std::string_view StationTableName(std::string_view station);

// The first entry of a station list (ETo or rainfall) whose StationName equals
// StationTableName(station) exactly, or nullptr.
template <typename StationList>
auto FindStationEntry(const StationList& list, std::string_view station)
    -> decltype(&*std::begin(list)) {
  const std::string_view name = StationTableName(station);
  for (const auto& entry : list) {
    if (entry.StationName == name) return &entry;
  }
  return nullptr;
}

}  // namespace tuvo
