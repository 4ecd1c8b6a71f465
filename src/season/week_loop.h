// The week-loop variables the run shares with the ETo procedures and the effective-rainfall writer.
#pragma once

#include <cstdint>

namespace tuvo {

struct WeekLoop {
  std::int16_t EToWeekRow = 0;    // current week w; its sheet row is w + 5
  std::int16_t EToLastWeek = 0;   // last week of the loop
  std::int16_t OutputColumn = 0;  // calculation-sheet column being written
  double EToWeekSum = 0;          // the week's ETo sum
};

}  // namespace tuvo
