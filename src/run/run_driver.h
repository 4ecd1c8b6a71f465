// The work the Compute run does on the result workbook itself, between the steps of the other
// writers: the sheet formatting and title rows of the calculation sheet, the colour and frame pass,
// the final sheet names, the file name and the save. The window side of the run (input blocking,
// the defaults, hiding and locking the window, the progress window) is frmTUVO::cmdRun_Click.
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

namespace tuvo {

class Progress;
namespace sheet {
class Application;
class Workbook;
}  // namespace sheet

// Final names of the calculation sheet (worksheet 2) and the summary sheet (worksheet 1).
inline constexpr std::string_view CalcSheetName = "ตารางแสดงรายการคำนวณ";
inline constexpr std::string_view SummarySheetName = "สรุป";

// A default the run writes into a preparation list whose text is "" or "0".
struct PreparationDefault {
  std::string_view list;  // control name
  std::string_view text;
};

// The defaults of the two transplanted crops and of every other crop text, in the order the
// lists are tested and written.
inline constexpr std::array<PreparationDefault, 7> TransplantedDefaults = {{
    {"cboTriamplangKla", "1"},
    {"cboLiengklatime", "4"},
    {"cboATokla", "15"},
    {"cboTriamdinkla", "100"},
    {"cboLiengkla", "200"},
    {"cboTriamplangNaDam", "1"},
    {"cboNadam1", "250"},
}};
inline constexpr std::array<PreparationDefault, 3> WetSeededDefaults = {{
    {"cboTriamplangNaWan", "1"},
    {"cboStop", "2"},
    {"cboNawan1", "200"},
}};

// Whether a list's text is replaced by its default: exactly "" or exactly "0".
bool NeedsDefault(std::string_view text);

// Sheet formatting before anything is written: "Sheet2" selected, worksheet 3 emptied, the whole
// calculation sheet in Cordia New 14 without effects, column C 10 wide, the fixed ranges
// A3:D17, B3:M4 and B3:D50 centred.
void FormatCalcSheet(sheet::Workbook& workbook);

// The heading texts of the title rows.
struct TitleTexts {
  std::string office, project, section, crop, province;
};

// B1 (office, project, section) and B2 (crop and station) of the calculation sheet; worksheet 3 is
// emptied once more between the two.
void WriteTitleRows(sheet::Workbook& workbook, const TitleTexts& titles);

// The B1 and B2 texts.
std::string TitleRow1(const TitleTexts& titles);
std::string TitleRow2(const TitleTexts& titles);

// The colour and frame pass over columns B to 6G + 15 of the calculation sheet: rows 3 to 5
// filled with colour 35, rows 6 to n + 5 outlined column by column; progress 83 at the middle
// column (3G + 7) and 85 at the end.
void ColourAndFramePass(sheet::Workbook& workbook, int groupCount, int weekCount,
                        Progress& progress);

// After the charts: "Sheet2" gets its final name, alerts go off and worksheet 3 (the day calendar)
// is deleted.
void NameCalcSheetAndDropCalendar(sheet::Application& application, sheet::Workbook& workbook);

// After the summary sheet: "Sheet1" gets its final name and A1 of the active sheet is selected.
void NameSummarySheet(sheet::Workbook& workbook);

// The result file: "<folder>/ <crop> <timestamp> .xls", every blank kept.
std::filesystem::path OutputFileName(const std::filesystem::path& folder, std::string_view crop,
                                     std::string_view runTimestamp);

// Saves the workbook under the file name in the normal workbook format, then once more in place.
void SaveResultWorkbook(sheet::Workbook& workbook, const std::filesystem::path& file);

}  // namespace tuvo
