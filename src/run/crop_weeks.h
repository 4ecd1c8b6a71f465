// The second group pass of a run: the planted area and the Kc of every crop week of each group.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "run/kc_tables.h"
#include "season/season.h"
#include "season/season_inputs.h"

namespace tuvo {

class Progress;
namespace sheet {
class Workbook;
}

// Where a group's crop weeks stand in its schedule: after `preCropWeeks` nursery or
// preparation-and-stop weeks come kc.size() crop weeks with these Kc.
struct CropWeekShape {
  int preCropWeeks = 0;
  KcWeeks kc;
};

// The shape for the crop and week counts, or nothing for another crop text or seedling or stop
// weeks the crop has no Kc option for.
std::optional<CropWeekShape> CropWeeksFor(std::string_view crop, const WeekFields& weeks);

// For groups 1 .. G on worksheet 2, each crop week's planted area (the area text, style "comma")
// and Kc (centred); then progress 35. Refreshes the week counts, GroupCount and `selectedCrop`
// (the window's SelectedCrop) from the lists first.
void FillCropWeeks(const SeasonTexts& texts, const GroupAreaTable& areas, WeekFields& weeks,
                   std::string& selectedCrop, sheet::Workbook& workbook, Progress& progress);

}  // namespace tuvo
