#include "run/run_driver.h"

#include "calcsheet/frame_selection.h"
#include "platform/sheet/sheet.h"
#include "season/progress.h"
#include "season/workbook_layout.h"

namespace tuvo {

namespace {

namespace xl = sheet::xl;

// The header rows get the palette's light green, solid.
constexpr int HeaderColorIndex = 35;

// The fixed ranges centred before anything is written, in order.
constexpr std::array<std::string_view, 3> CentredRanges = {"A3:D17", "B3:M4", "B3:D50"};

// Three blanks between the parts of a title row.
constexpr std::string_view Gap = "   ";
constexpr std::string_view CropLabel = "ชนิดพืช   :";
constexpr std::string_view ProvinceLabel = "จังหวัด   :";

// Every cell of the workbook's day calendar deleted.
void ClearCalendarSheet(sheet::Workbook& workbook) {
  workbook.Worksheets(CalendarSheetIndex).AllCells().Delete();
}

// One column's rows first .. last of the calculation sheet.
sheet::Range ColumnRows(sheet::Worksheet& calc, int column, int first, int last) {
  return calc.Range(calc.Cells(first, column), calc.Cells(last, column));
}

}  // namespace

bool NeedsDefault(std::string_view text) { return text.empty() || text == "0"; }

void FormatCalcSheet(sheet::Workbook& workbook) {
  workbook.Sheets("Sheet2").Select();
  ClearCalendarSheet(workbook);
  sheet::Worksheet& calc = workbook.Worksheets(CalcSheetIndex);
  calc.AllCells().Select();
  const sheet::Range all = workbook.Selection();
  all.SetFontName("Cordia New");
  all.SetFontSize(14);
  all.SetFontStrikethrough(false);
  all.SetFontSuperscript(false);
  all.SetFontSubscript(false);
  all.SetFontOutline(false);
  all.SetFontShadow(false);
  all.SetFontUnderline(xl::None);
  all.SetFontColorIndex(xl::Automatic);
  calc.Columns("C:C").SetColumnWidth(10);
  for (std::string_view address : CentredRanges) {
    calc.Range(address).Select();
    workbook.Selection().SetHorizontalAlignment(xl::Center);
  }
}

std::string TitleRow1(const TitleTexts& titles) {
  return titles.office + "," + std::string(Gap) + titles.project + "," + std::string(Gap) +
         titles.section;
}

std::string TitleRow2(const TitleTexts& titles) {
  return std::string(CropLabel) + std::string(Gap) + titles.crop + std::string(Gap) +
         std::string(ProvinceLabel) + std::string(Gap) + titles.province;
}

void WriteTitleRows(sheet::Workbook& workbook, const TitleTexts& titles) {
  workbook.Worksheets(CalcSheetIndex).Cells(1, 2).SetValue(TitleRow1(titles));
  ClearCalendarSheet(workbook);
  workbook.Worksheets(CalcSheetIndex).Cells(2, 2).SetValue(TitleRow2(titles));
}

void ColourAndFramePass(sheet::Workbook& workbook, int groupCount, int weekCount,
                        Progress& progress) {
  workbook.Sheets("Sheet2").Select();
  sheet::Worksheet& calc = workbook.Worksheets(CalcSheetIndex);
  // Columns B to the last summary column.
  const int columns = LastSummaryColumn(groupCount) - WeekNumberColumn + 1;
  for (int i = 1; i <= columns; ++i) {
    const int column = WeekNumberColumn + i - 1;
    ColumnRows(calc, column, FirstHeaderRow, LastHeaderRow).Select();
    workbook.Selection().SetInteriorColorIndex(HeaderColorIndex);
    workbook.Selection().SetInteriorPattern(xl::Solid);
    ColumnRows(calc, column, FirstWeekRow, WeekRow(weekCount)).Select();
    FrameSelection(workbook);
    if (2 * i == columns) progress.ShowProgress(83);
  }
  progress.ShowProgress(85);
}

void NameCalcSheetAndDropCalendar(sheet::Application& application, sheet::Workbook& workbook) {
  workbook.Sheets("Sheet2").SetName(CalcSheetName);
  // Left off for the rest of the run: the save replaces a file of the same name without asking.
  application.SetDisplayAlerts(false);
  workbook.Worksheets(CalendarSheetIndex).Delete();
}

void NameSummarySheet(sheet::Workbook& workbook) {
  workbook.Sheets("Sheet1").SetName(SummarySheetName);
  auto& active = workbook.ActiveSheet();
  if (auto* worksheet = dynamic_cast<sheet::Worksheet*>(&active)) worksheet->Cells(1, 1).Select();
  else throw sheet::SheetError("the active sheet \"" + active.Name() + "\" has no cell A1");
}

std::filesystem::path OutputFileName(const std::filesystem::path& folder, std::string_view crop,
                                     std::string_view runTimestamp) {
  return folder / (" " + std::string(crop) + " " + std::string(runTimestamp) + " .xls");
}

void SaveResultWorkbook(sheet::Workbook& workbook, const std::filesystem::path& file) {
  workbook.SaveAs(file.string(), xl::Normal);
  workbook.Save();
}

}  // namespace tuvo
