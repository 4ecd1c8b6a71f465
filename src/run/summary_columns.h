// The eleven summary columns of the calculation sheet that stand right of the last group block:
// weekly ETo, the accumulated areas and the water balance in m³ with its season totals.
//
// Each Write... function is one step of the Compute run, called in this order: WriteEToColumn,
// WriteAreaAndPrepWaterColumns, WriteCropUseAndPercolationColumns, (day calendar again),
// WriteEffectiveRainColumn, WriteNetAndGrossColumns. Every term is read back from the cells an
// earlier step wrote, and every total is the sum of its week cells as read back.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string_view>

#include "run/season.h"
#include "run/season_inputs.h"
#include "run/week_loop.h"

namespace tuvo {

class Progress;
struct StationEToFields;
namespace sheet {
class Workbook;
}

// The summary columns in sheet order; column 6G + 5 + k for G groups.
enum class SummaryColumn : int {
  ETo = 0,
  NurseryAreaTotal,
  PrepAreaTotal,
  PlantedAreaTotal,
  NurseryWater,
  PrepWater,
  CropWaterUse,
  Percolation,
  EffectiveRain,
  NetWater,
  GrossWater,
};

// Caption (row 3), unit (row 4) and width of one summary column.
struct SummaryColumnHeader {
  std::string_view caption;
  std::string_view unit;
  double width;
};

// Headers of the summary columns, indexed by SummaryColumn.
inline constexpr std::array<SummaryColumnHeader, 11> SummaryColumnHeaders = {{
    {"ETo-PenMon", "(มม./สัปดาห์)", 12},  // EToColumn
    {"พ.ท.ตกกล้าสะสม", "(ไร่)", 17},  // NurseryAreaTotalColumn
    {"พ.ท.เตรียมแปลงสะสม", "(ไร่)", 20},  // PrepAreaTotalColumn
    {"พ.ท.ปลูกข้าวสะสม", "(ไร่)", 17},  // PlantedAreaTotalColumn
    {"ปริมาณน้ำตกกล้าสะสม", "(ลบ.ม.)", 23},  // NurseryWaterColumn
    {"ปริมาณน้ำเตรียมแปลงสะสม", "(ลบ.ม.)", 23},  // PrepWaterColumn
    {"ปริมาณการใช้น้ำของข้าว", "(ลบ.ม.)", 20},  // CropWaterUseColumn
    {"ปริมาณการซึมลึก", "(ลบ.ม.)", 18},  // PercolationColumn
    {"ปริมาณฝนใช้การ", "(ลบ.ม.)", 18},  // EffectiveRainColumn
    {"ปริมาณน้ำสุทธิที่ต้องให้แก่แปลงนา", "(ลบ.ม.)", 29},  // NetWaterColumn
    {"ปริมาณน้ำทั้งหมดที่ต้องส่งให้แปลงนา", "(ลบ.ม.)", 29},  // GrossWaterColumn
}};

// Sheet column of a summary column for `groupCount` groups: 6G + 5 + k, a 16-bit number.
std::int16_t SummaryColumnNumber(std::int16_t groupCount, SummaryColumn which);

// The shared summary-column routines. They act on worksheet 2 (the calculation sheet) and move
// the workbook's selection as they go.

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

// Fields of the main window that the column steps set and that outlive the run.
struct ColumnFields {
  WeekFields weeks;                // read afresh from the lists by every step
  std::int16_t WeekRowCount = 0;   // n: as the day calendar left it; recounted by the area and
                                   // percolation steps
  std::int16_t ScheduleWeeks = 0;  // n of the net and gross step; kept when no rule applies
  double PercolationRate = 0;      // mm/day, from cboDeeper
  double EfficiencyPercent = 0;    // percent, from cboEfficiency; printed by the summary sheet
};

// What every column step works with.
struct ColumnRun {
  sheet::Workbook& workbook;  // the run's workbook; the calculation sheet is worksheet 2
  const SeasonTexts& texts;   // the window's lists as the run left them
  WeekLoop& loop;             // OutputColumn, EToWeekRow, EToLastWeek shared with the ETo fill
  SeasonTotals& totals;
  ColumnFields& fields;
  Progress& progress;
};

// EToColumn: header, the station's weekly ETo through `selectStationETo` (which reads
// loop.OutputColumn), the number format "0.00" and style "comma" on the week cells; progress 42.
void WriteEToColumn(ColumnRun& run, const std::function<void()>& selectStationETo);
// The same with the station dispatch itself, refreshing `etoFields` as it does.
void WriteEToColumn(ColumnRun& run, const StationEToFields& etoFields);

// NurseryAreaTotalColumn, PrepAreaTotalColumn, PlantedAreaTotalColumn, NurseryWaterColumn and
// PrepWaterColumn with their totals; progress 43, 46, 49, 52, 55.
void WriteAreaAndPrepWaterColumns(ColumnRun& run);

// CropWaterUseColumn (rounded to 2 decimals) and PercolationColumn with totals; progress 58, 61.
void WriteCropUseAndPercolationColumns(ColumnRun& run);

// Sets loop.OutputColumn to 6G + 13 and writes the header of EffectiveRainColumn.
void WriteEffectiveRainHeader(ColumnRun& run);

// The effective-rainfall step: the header, then `fillStation` when optRe01 is set, otherwise
// `fillUser` when optRe02 is set (they write the week cells and the total); progress 75.
void WriteEffectiveRainColumn(ColumnRun& run, const std::function<void()>& fillStation,
                              const std::function<void()>& fillUser);

// NetWaterColumn and GrossWaterColumn: headers, progress 77; week values and totals, progress 80.
// A negative net is replaced by the text "0". Throws std::invalid_argument when the efficiency
// is not greater than 0, before either column gets a week value.
void WriteNetAndGrossColumns(ColumnRun& run);

}  // namespace tuvo
