// Tables and small helpers that several files of the main window's handlers share (only the
// main window's own files include it).
#pragma once

#include <string_view>

namespace tuvo {

// A soil texture of cboSoiltype and the percolation rate (mm/day) offered for it.
struct SoilType {
  std::string_view text;
  std::string_view rate;
};

// The soil textures, in list order.
inline constexpr SoilType kSoilTypes[] = {
    {"ดินเหนียว(Clay)", "1.0"},
    {"ดินร่วนปนดินเหนียว(Clay Loam)", "1.5"},
    {"ดินร่วน(Loam)", "2.0"},
    {"ดินร่วนปนทราย(Sandy Loam)", "2.5"},
};

}  // namespace tuvo
