#include "calcsheet/time_control.h"

#include <array>
#include <chrono>
#include <string>
#include <string_view>

#include "calcsheet/frame_selection.h"
#include "calcsheet/group_headers.h"
#include "platform/locale.h"
#include "platform/sheet/sheet.h"
#include "season/progress.h"
#include "season/season.h"
#include "season/season_inputs.h"
#include "season/workbook_layout.h"

namespace tuvo {

namespace {

namespace xl = sheet::xl;
using locale::Date;

inline constexpr std::string_view WeekCaption = "สัปดาห์";
inline constexpr std::string_view DateCaption = "วัน-เดือน-ปี";
inline constexpr std::string_view GroupCaption = "กลุ่มที่";
inline constexpr std::string_view RaiUnit = "(ไร่)";
inline constexpr std::string_view MmUnit = "(มม.)";
inline constexpr std::string_view TransplantedCaption = "พ.ท.ปักดำ";
inline constexpr std::string_view SownCaption = "พ.ท.หว่าน";

// Header rows of the calculation sheet: the group caption over its block, each column's caption
// and its unit; a time-axis caption stands in the middle row, merged over all three.
constexpr int GroupCaptionRow = FirstHeaderRow;
constexpr int ColumnCaptionRow = FirstHeaderRow + 1;
constexpr int ColumnUnitRow = LastHeaderRow;

// One column of a group block: caption (the planted-area caption depends on the crop), unit,
// width.
struct BlockColumnHeader {
  std::string_view caption;
  std::string_view unit;
  double width;
};

// The columns of a group block in order; the planted area takes its caption from the crop.
inline constexpr std::array<BlockColumnHeader, GroupBlockWidth> GroupBlockColumns = {{
    {"พ.ท.ตกกล้า", RaiUnit, 10},
    {"น้ำเตรียมแปลงและเลี้ยงกล้า", MmUnit, 25},
    {"พ.ท.เตรียมแปลง", RaiUnit, 13},
    {"น้ำเตรียมแปลง", MmUnit, 15},
    {"", RaiUnit, 10},
    {"Kc", "", 7},
}};
inline constexpr int PlantedAreaOffset = static_cast<int>(BlockColumn::PlantedArea);

// The planted-area caption of the crop; nothing for a crop text that is none of the three.
std::string_view PlantedAreaCaption(std::string_view crop) {
  if (crop == RDTransplanted || crop == KDML105Transplanted) return TransplantedCaption;
  if (crop == RDWetSeeded) return SownCaption;
  return {};
}

Date AddDays(Date date, int days) {
  return Date{std::chrono::sys_days{date} + std::chrono::days{days}};
}

// A caption over the header rows of a time-axis column, merged, centred both ways and outlined.
void TimeAxisHeader(sheet::Workbook& workbook, int column, std::string_view caption, double width) {
  sheet::Worksheet& calc = workbook.Worksheets(CalcSheetIndex);
  calc.Cells(ColumnCaptionRow, column).SetValue(caption);
  calc.Cells(ColumnCaptionRow, column).SetColumnWidth(width);
  sheet::Range(calc, {sheet::Area{FirstHeaderRow, column, LastHeaderRow, column}}).Select();
  sheet::Range selection = workbook.Selection();
  selection.Merge();
  selection.SetHorizontalAlignment(xl::Center);
  selection.SetVerticalAlignment(xl::Center);
  FrameSelection(workbook);
}

// The season's first day from the three date lists, as the window's date conversion reads them.
Date SeasonStart(const SeasonTexts& texts) {
  const std::string text =
      texts.cboFirstdate + "/" + texts.cboFirstmonth + "/" + texts.cboFirstyear;
  if (auto date = locale::TryParseThaiDate(text)) return *date;
  throw CalcSheetLayoutError("calculation sheet: the season's first day \"" + text +
                             "\" is not a date");
}

// The group count of cboGroup by the locale's whole-text conversion.
std::int16_t GroupCountOf(const SeasonTexts& texts) {
  const auto number = locale::TryToNumber(texts.cboGroup);
  if (!number) {
    throw CalcSheetLayoutError("calculation sheet: the group count \"" + texts.cboGroup +
                               "\" is not a number");
  }
  try {
    return locale::ToInt16(*number);
  } catch (const locale::OverflowError&) {
    throw CalcSheetLayoutError("calculation sheet: the group count \"" + texts.cboGroup +
                               "\" is out of range");
  }
}

// The header rows of the six columns of group g.
void GroupBlockHeader(sheet::Workbook& workbook, const SeasonTexts& texts, int g) {
  sheet::Worksheet& calc = workbook.Worksheets(CalcSheetIndex);
  const int first = GroupColumn(g, BlockColumn::NurseryArea);
  calc.Cells(GroupCaptionRow, first).SetValue(std::string(GroupCaption) + " " + std::to_string(g));
  for (int offset = 0; offset < static_cast<int>(GroupBlockColumns.size()); ++offset) {
    const BlockColumnHeader& column = GroupBlockColumns[offset];
    const int c = first + offset;
    // The crop text is read again for every group, as the window's list may say.
    const std::string_view caption =
        offset == PlantedAreaOffset ? PlantedAreaCaption(texts.cboCroptype) : column.caption;
    if (!caption.empty()) calc.Cells(ColumnCaptionRow, c).SetValue(caption);
    if (!column.unit.empty()) calc.Cells(ColumnUnitRow, c).SetValue(column.unit);
    sheet::Range(calc, {sheet::Area{ColumnCaptionRow, c, ColumnUnitRow, c}}).Select();
    sheet::Range selection = workbook.Selection();
    selection.SetColumnWidth(column.width);
    selection.SetHorizontalAlignment(xl::Center);
    FrameSelection(workbook);
  }
}

}  // namespace

std::int16_t LayOutCalcSheet(const SeasonTexts& texts, std::int16_t scheduleWeeks,
                             sheet::Workbook& workbook, Progress& progress) {
  TimeAxisHeader(workbook, WeekNumberColumn, WeekCaption, 8);
  TimeAxisHeader(workbook, WeekStartColumn, DateCaption, 15);
  TimeAxisHeader(workbook, WeekEndColumn, DateCaption, 15);

  sheet::Worksheet& calc = workbook.Worksheets(CalcSheetIndex);
  Date day = SeasonStart(texts);
  calc.Cells(WeekRow(1), WeekStartColumn).SetValue(locale::LongDate(day));
  const int n = scheduleWeeks;
  for (int w = 1; w <= n; ++w) {
    calc.Cells(WeekRow(w), WeekNumberColumn).SetValue(static_cast<double>(w));
    day = AddDays(day, 6);
    calc.Cells(WeekRow(w), WeekEndColumn).SetValue(locale::LongDate(day));
    if (w == n) break;
    day = AddDays(day, 1);
    calc.Cells(WeekRow(w + 1), WeekStartColumn).SetValue(locale::LongDate(day));
  }
  progress.ShowProgress(3);

  const std::int16_t groupCount = GroupCountOf(texts);
  for (int g = 1; g <= groupCount; ++g) GroupBlockHeader(workbook, texts, g);
  progress.ShowProgress(5);

  // More than twenty blocks have no header address; they stay unmerged.
  if (groupCount >= 1 && groupCount <= static_cast<int>(GroupHeaderAddresses.size())) {
    MergeGroupHeaders(workbook, groupCount);
  }
  return groupCount;
}

}  // namespace tuvo
