#include "calcsheet/frame_selection.h"

#include "platform/sheet/sheet.h"

namespace tuvo {

void FrameSelection(sheet::Workbook& workbook) {
  using sheet::BorderIndex;
  namespace xl = sheet::xl;
  sheet::Range selection = workbook.Selection();
  selection.SetBorderLineStyle(BorderIndex::DiagonalDown, xl::None);
  selection.SetBorderLineStyle(BorderIndex::DiagonalUp, xl::None);
  for (BorderIndex edge : {BorderIndex::EdgeLeft, BorderIndex::EdgeTop, BorderIndex::EdgeBottom,
                           BorderIndex::EdgeRight}) {
    selection.SetBorderLineStyle(edge, xl::Continuous);
    selection.SetBorderWeight(edge, xl::Thin);
    selection.SetBorderColorIndex(edge, xl::Automatic);
  }
  // Inside verticals stay: the week columns keep the lines between them.
  selection.SetBorderLineStyle(BorderIndex::InsideHorizontal, xl::None);
}

}  // namespace tuvo
