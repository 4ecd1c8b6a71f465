#include "calcsheet/group_headers.h"

#include <stdexcept>
#include <string>

#include "calcsheet/frame_selection.h"
#include "platform/sheet/sheet.h"
#include "season/workbook_layout.h"

namespace tuvo {

void MergeGroupHeaders(sheet::Workbook& workbook, int groupCount) {
  if (groupCount < 1 || groupCount > static_cast<int>(GroupHeaderAddresses.size())) {
    throw std::invalid_argument("group headers: no header block for " +
                                std::to_string(groupCount) + " groups");
  }
  for (int g = 1; g <= groupCount; ++g) {
    workbook.Worksheets(CalcSheetIndex).Range(GroupHeaderAddresses[g - 1]).Select();
    // Centred before the merge, so every cell of the block carries it.
    workbook.Selection().SetHorizontalAlignment(sheet::xl::Center);
    workbook.Selection().Merge();
    FrameSelection(workbook);
  }
}

}  // namespace tuvo
