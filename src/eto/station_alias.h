// Station texts of the office lists that are served by another station's tables.
#pragma once

#include <string_view>

namespace tuvo {

// The station text whose ETo and rainfall tables serve `station`: "กรุงเทพมหานคร" is served by
// "กรุงเทพ", "เกาะสมุย_สุราษฏร์ธานี" by "สุราษฏร์ธานี", every other text by itself. The
// result views either `station` or a literal.
std::string_view StationTableName(std::string_view station);

}  // namespace tuvo
