// The outline of the selection: four thin continuous edges of automatic colour, no diagonals,
// no lines between rows, and the lines between columns left as they were.
#include "calcsheet/frame_selection.h"

#include <gtest/gtest.h>

#include "platform/sheet/sheet.h"

namespace tuvo {
namespace {

using sheet::Border;
using sheet::BorderIndex;
namespace xl = sheet::xl;

const Border Thin{xl::Continuous, xl::Thin, xl::Automatic};

bool NoLine(const Border& b) { return b.lineStyle == xl::None; }

class FrameSelectionTest : public ::testing::Test {
 protected:
  FrameSelectionTest() : workbook(app.Workbooks().Add()), calc(workbook.Worksheets(2)) {
    calc.Select();
  }

  sheet::Application app;
  sheet::Workbook& workbook;
  sheet::Worksheet& calc;
};

TEST_F(FrameSelectionTest, SingleCellGetsFourThinEdgesAndLosesItsDiagonals) {
  sheet::Range cell = calc.Range("C5");
  cell.SetBorderLineStyle(BorderIndex::DiagonalDown, xl::Continuous);
  cell.SetBorderLineStyle(BorderIndex::DiagonalUp, xl::Dot);
  cell.Select();
  FrameSelection(workbook);

  const sheet::CellFormat& f = calc.FormatAt(5, 3);
  EXPECT_EQ(f.left, Thin);
  EXPECT_EQ(f.top, Thin);
  EXPECT_EQ(f.bottom, Thin);
  EXPECT_EQ(f.right, Thin);
  EXPECT_TRUE(NoLine(f.diagonalDown));
  EXPECT_TRUE(NoLine(f.diagonalUp));
  // The selection is left where the caller put it.
  EXPECT_EQ(workbook.Selection().Address(), "C5");
}

TEST_F(FrameSelectionTest, BlockBecomesOneBoxWithoutRowLinesAndKeepsItsColumnLines) {
  sheet::Range block = calc.Range("B6:D9");
  block.SetBorderLineStyle(BorderIndex::InsideHorizontal, xl::Continuous);
  block.SetBorderLineStyle(BorderIndex::InsideVertical, xl::Dot);
  // An earlier outline of another kind is replaced.
  block.SetBorderLineStyle(BorderIndex::EdgeTop, xl::Double);
  block.SetBorderWeight(BorderIndex::EdgeTop, xl::Medium);
  block.SetBorderColorIndex(BorderIndex::EdgeLeft, 3);
  block.Select();
  FrameSelection(workbook);

  for (int row = 6; row <= 9; ++row) {
    for (int column = 2; column <= 4; ++column) {
      SCOPED_TRACE(testing::Message() << "row " << row << ", column " << column);
      const sheet::CellFormat& f = calc.FormatAt(row, column);
      if (row == 6) EXPECT_EQ(f.top, Thin); else EXPECT_TRUE(NoLine(f.top));
      if (row == 9) EXPECT_EQ(f.bottom, Thin); else EXPECT_TRUE(NoLine(f.bottom));
      if (column == 2) EXPECT_EQ(f.left, Thin); else EXPECT_EQ(f.left.lineStyle, xl::Dot);
      if (column == 4) EXPECT_EQ(f.right, Thin); else EXPECT_EQ(f.right.lineStyle, xl::Dot);
    }
  }
}

TEST_F(FrameSelectionTest, MergedCellIsBoxedWholeAndASecondCallChangesNothing) {
  calc.Range("E3").SetValue("caption");
  calc.Range("E3:J3").Select();
  workbook.Selection().Merge();
  FrameSelection(workbook);
  const auto cells = calc.UsedCells();
  FrameSelection(workbook);
  EXPECT_EQ(calc.UsedCells().size(), cells.size());
  for (const auto& [key, cell] : cells) {
    EXPECT_EQ(calc.FormatAt(key.first, key.second), cell.format);
  }
  for (int column = 5; column <= 10; ++column) {
    EXPECT_EQ(calc.FormatAt(3, column).top, Thin);
    EXPECT_EQ(calc.FormatAt(3, column).bottom, Thin);
  }
  EXPECT_EQ(calc.FormatAt(3, 5).left, Thin);
  EXPECT_EQ(calc.FormatAt(3, 10).right, Thin);
  EXPECT_EQ(calc.ValueAt(3, 7), sheet::Value{std::string("caption")});
}

}  // namespace
}  // namespace tuvo
