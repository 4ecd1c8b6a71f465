// The group schedule of a run: every area group starts one week after the one before and goes
// through nursery, land preparation and crop weeks. This pass writes the nursery and
// land-preparation weeks of every group's block on the calculation sheet.
#pragma once

#include <stdexcept>
#include <string>

#include "season/season.h"
#include "season/season_inputs.h"

namespace tuvo {

class Progress;
namespace sheet {
class Workbook;
}

// A group pass cannot place a group (its area is no number, the group count exceeds the area
// table). The run ends with it rather than writing a wrong table.
class GroupScheduleError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Checks that groups 1 .. groupCount have an entry in the area table.
void CheckGroupCount(int groupCount);

// The first group pass: for groups 1 .. G on worksheet 2, the nursery area and depth of every
// nursery week and the land-preparation area and depth (transplanted crops), or the
// land-preparation weeks (wet-seeded crop); the bar moves to 8 + G / 20 after each group, then
// progress 26. Reads NurseryPrepWeeks and SeedlingWeeks of `weeks` as the run set them; refreshes
// NurseryWeeks, WetPrepWeeks and GroupCount of `weeks` and `selectedCrop` (the window's
// SelectedCrop) from the lists.
void FillNurseryPrepWeeks(const SeasonTexts& texts, const GroupAreaTable& areas, WeekFields& weeks,
                          std::string& selectedCrop, sheet::Workbook& workbook,
                          Progress& progress);

}  // namespace tuvo
