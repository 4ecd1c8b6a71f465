#include "calcsheet/summary_cells.h"

#include "calcsheet/frame_selection.h"
#include "platform/sheet/sheet.h"
#include "season/workbook_layout.h"

namespace tuvo {

namespace {

// A summary column's caption and unit stand in the first two header rows.
constexpr int CaptionRow = FirstHeaderRow;
constexpr int UnitRow = FirstHeaderRow + 1;

// One cell of the calculation sheet.
sheet::Range Cell(sheet::Workbook& workbook, int row, int column) {
  return workbook.Worksheets(CalcSheetIndex).Cells(row, column);
}

}  // namespace

void WriteColumnHeader(sheet::Workbook& workbook, int column, std::string_view caption,
                       std::string_view unit, double width) {
  Cell(workbook, CaptionRow, column).SetValue(caption);
  Cell(workbook, UnitRow, column).SetValue(unit);
  sheet::Worksheet& calc = workbook.Worksheets(CalcSheetIndex);
  const sheet::Range header = calc.Range(calc.Cells(CaptionRow, column), calc.Cells(LastHeaderRow, column));
  header.Select();
  header.SetColumnWidth(width);
  header.SetHorizontalAlignment(sheet::xl::Center);
  FrameSelection(workbook);
}

void WriteColumnHeader(sheet::Workbook& workbook, int column, SummaryColumn which) {
  const SummaryColumnHeader& header = SummaryColumnHeaders[static_cast<int>(which)];
  WriteColumnHeader(workbook, column, header.caption, header.unit, header.width);
}

void WriteWeekCell(sheet::Workbook& workbook, int row, int column, double value) {
  const sheet::Range cell = Cell(workbook, row, column);
  cell.SetValue(value);
  cell.Select();
  cell.SetStyle(sheet::CommaStyle);
}

void WriteTotalsCell(sheet::Workbook& workbook, int weekCount, int column, double total) {
  WriteWeekCell(workbook, TotalsRow(weekCount), column, total);
  FrameSelection(workbook);
}

void WriteWeeksAndTotal(sheet::Workbook& workbook, int column, int weekCount, double& total,
                        const std::function<double(int week)>& weekValue) {
  for (int w = 1; w <= weekCount; ++w) {
    const int row = WeekRow(w);
    WriteWeekCell(workbook, row, column, weekValue(w));
    total += Cell(workbook, row, column).AsNumber();
  }
  WriteTotalsCell(workbook, weekCount, column, total);
}

}  // namespace tuvo
