// A workbook whose second worksheet is set up as the calculation sheet is, for tests of how rows
// and columns fit the text written into it.
#pragma once

#include <gtest/gtest.h>

#include "platform/sheet/sheet.h"

namespace tuvo::test {

// The second worksheet set up as the calculation sheet is: every cell in 14 pt Cordia New.
class CalcSheetFixture : public ::testing::Test {
 protected:
  CalcSheetFixture() {
    calc.AllCells().SetFontName("Cordia New");
    calc.AllCells().SetFontSize(14);
  }

  sheet::Application app;
  sheet::Workbook& wb = app.Workbooks().Add();
  sheet::Worksheet& plain = wb.Worksheets(1);
  sheet::Worksheet& calc = wb.Worksheets(2);
};

}  // namespace tuvo::test
