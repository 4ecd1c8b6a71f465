#include "season/summary_layout.h"

#include "platform/locale.h"
#include "season/workbook_layout.h"

namespace tuvo {

static_assert(SummaryColumnHeaders.size() == SummaryColumnCount);

std::int16_t SummaryColumnNumber(std::int16_t groupCount, SummaryColumn which) {
  return locale::ToInt16(FirstSummaryColumn(groupCount) + static_cast<int>(which));
}

}  // namespace tuvo
