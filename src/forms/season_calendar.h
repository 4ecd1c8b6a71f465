// The season calendar: consecutive seven-day weeks from the season's first day.
#pragma once

#include "platform/locale.h"

namespace tuvo {

// First day of season week w (1 = the season's first week).
locale::Date WeekStart(locale::Date seasonStart, int week);
// Last day of season week w.
locale::Date WeekEnd(locale::Date seasonStart, int week);
// Last day of a season of `scheduleWeeks` weeks; the first day itself while no length is known.
locale::Date SeasonEnd(locale::Date seasonStart, int scheduleWeeks);

}  // namespace tuvo
