// Weekly crop coefficients of the three crops and the fills that pick a crop's weeks from them.
#pragma once

#include <array>
#include <span>

namespace tuvo {

// Kc of every crop week of the longest option of each crop: element 0 is crop week 1. The shorter
// options start later in the crop's life and drop the first one or two weeks.
inline constexpr std::array<double, 14> KcRDTransplanted = {
    0.72, 1.03, 1.07, 1.12, 1.29, 1.38, 1.45, 1.50, 1.48, 1.42, 1.34, 1.23, 0.94, 0.86};
inline constexpr std::array<double, 15> KcKDML105Transplanted = {
    0.27, 0.66, 0.79, 0.97, 1.18, 1.35, 1.51, 1.61, 1.64, 1.62, 1.60, 1.55, 1.46, 1.28, 1.08};
inline constexpr std::array<double, 15> KcRDWetSeeded = {
    0.47, 0.80, 1.05, 1.25, 1.40, 1.50, 1.55, 1.60, 1.63, 1.68, 1.60, 1.50, 1.36, 1.08, 0.65};

// The Kc of crop weeks 1 .. L of one option: element i - 1 is crop week i, the size is L.
using KcWeeks = std::span<const double>;

// Seedling weeks 3: 14 crop weeks.
KcWeeks FillKcRDTransplanted3();
// Seedling weeks 4: 13 crop weeks (the fourth seedling week has no Kc).
KcWeeks FillKcRDTransplanted4();
// Seedling weeks 3: 15 crop weeks.
KcWeeks FillKcKDML105Transplanted3();
// Seedling weeks 4: 14 crop weeks.
KcWeeks FillKcKDML105Transplanted4();
// Stop weeks 1: 15 crop weeks.
KcWeeks FillKcRDWetSeeded1();
// Stop weeks 2: 14 crop weeks.
KcWeeks FillKcRDWetSeeded2();
// Stop weeks 3: 13 crop weeks.
KcWeeks FillKcRDWetSeeded3();

}  // namespace tuvo
