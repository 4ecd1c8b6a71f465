// The eleven summary columns of the calculation sheet that stand right of the last group block:
// weekly ETo, the accumulated areas and the water balance in m³ with its season totals.
//
// Each Write... function is one step of the Compute run, called in this order: WriteEToColumn,
// WriteAreaAndPrepWaterColumns, WriteCropUseAndPercolationColumns, (day calendar again),
// WriteEffectiveRainColumn, WriteNetAndGrossColumns. Every term is read back from the cells an
// earlier step wrote, and every total is the sum of its week cells as read back.
#pragma once

#include <cstdint>
#include <functional>

#include "season/season.h"
#include "season/season_inputs.h"
#include "season/summary_layout.h"
#include "season/week_loop.h"

namespace tuvo {

class Progress;
struct StationEToFields;
namespace sheet {
class Workbook;
}

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
