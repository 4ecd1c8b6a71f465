// Outlines the current selection of the active sheet with thin continuous lines.
#pragma once

namespace tuvo {
namespace sheet {
class Workbook;
}

// Four edges thin, continuous, automatic colour; diagonals and inside horizontals none;
// inside verticals left as they are.
void FrameSelection(sheet::Workbook& workbook);

}  // namespace tuvo
