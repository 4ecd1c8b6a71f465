// The cell routines the summary columns share: their headers, week cells and totals. They act on
// worksheet 2 (the calculation sheet) and move the workbook's selection as they go.
#pragma once

#include <functional>
#include <string_view>

#include "season/summary_layout.h"

namespace tuvo {

namespace sheet {
class Workbook;
}

// Caption into row 3, unit into row 4; rows 3 to 5 selected, given the width, centred, outlined.
void WriteColumnHeader(sheet::Workbook& workbook, int column, std::string_view caption,
                       std::string_view unit, double width);
// The header of one summary column from SummaryColumnHeaders.
void WriteColumnHeader(sheet::Workbook& workbook, int column, SummaryColumn which);
// Writes the value, selects the cell and gives it the style "comma".
void WriteWeekCell(sheet::Workbook& workbook, int row, int column, double value);
// A week cell in the totals row (weekCount + 6), outlined as well.
void WriteTotalsCell(sheet::Workbook& workbook, int weekCount, int column, double total);
// Weeks 1 .. weekCount of one column: weekValue(w) written by WriteWeekCell and added to `total`
// as the cell then holds it, so the total is the sum of the week cells; then WriteTotalsCell.
// `total` is not reset; a failing week leaves the weeks before it written and counted.
void WriteWeeksAndTotal(sheet::Workbook& workbook, int column, int weekCount, double& total,
                        const std::function<double(int week)>& weekValue);

}  // namespace tuvo
