// The fixed frame of the calculation sheet: the dated time axis of the season's weeks and the
// caption block of every area group in the header rows 3 to 5.
#pragma once

#include <cstdint>
#include <stdexcept>

namespace tuvo {

struct SeasonTexts;
class Progress;
namespace sheet {
class Workbook;
}

// The frame cannot be drawn from the window's texts (a start date that is no date, a group count
// that is no number). The run ends with it: an emptied table must never be saved as a result.
class CalcSheetLayoutError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The sheet work of the window's TimeControl, done after its schedule-length step has set
// scheduleWeeks: on worksheet 2 (the active sheet) the time-axis header B3:D5, the week rows
// 6 .. scheduleWeeks + 5 (number, first day, last day as long-date texts), progress 3, the six
// captioned columns of every group, progress 5, then the merged group headers. Returns the group
// count read from cboGroup, which the window stores as GroupCount. Failures propagate.
std::int16_t LayOutCalcSheet(const SeasonTexts& texts, std::int16_t scheduleWeeks,
                             sheet::Workbook& workbook, Progress& progress);

}  // namespace tuvo
