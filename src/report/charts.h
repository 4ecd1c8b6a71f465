// The two weekly chart sheets of the result workbook: the water to deliver and the water used in
// the paddy fields, week by week, each a line chart with markers of three volume columns of the
// calculation sheet (worksheet 2).
#pragma once

#include <cstdint>
#include <string_view>

#include "season/season.h"
#include "season/season_inputs.h"
#include "season/summary_layout.h"

namespace tuvo {

namespace sheet {
class Workbook;
}

// Final names of the two chart sheets.
inline constexpr std::string_view DeliveryChartName = "กราฟแสดงปริมาณน้ำที่ต้องส่ง";
inline constexpr std::string_view FieldUseChartName = "กราฟแสดงปริมาณน้ำที่ใช้ในแปลง";

// Names of the first two series, shared by both charts.
inline constexpr std::string_view PercolationSeriesName = "การซึมลึก";
inline constexpr std::string_view EffectiveRainSeriesName = "ฝนใช้การ";

// What the two chart sheets differ in.
struct WeeklyChart {
  std::string_view defaultName;     // the name the new chart sheet is given on creation
  int movedAfter;                   // position of the sheet it is moved behind
  std::string_view sheetName;
  SummaryColumn thirdColumn;        // column of the third series
  std::string_view thirdSeriesName;
  int firstMarkerSize;              // marker size of series 1; the others have 7
  std::string_view title;
  std::string_view valueAxisTitle;
  bool valueAxisFromZero;           // value axis minimum fixed at 0, else automatic
  bool activateCalcSheet;           // the calculation sheet is made active first
};

// The delivery chart (percolation, effective rainfall, gross water) and the field-use chart
// (percolation, effective rainfall, net water).
inline constexpr WeeklyChart DeliveryChart = {
    .defaultName = "Chart1",
    .movedAfter = 4,
    .sheetName = DeliveryChartName,
    .thirdColumn = SummaryColumn::GrossWater,
    .thirdSeriesName = "ปริมาณน้ำที่ต้องส่ง",
    .firstMarkerSize = 7,
    .title = "กราฟแสดงปริมาณน้ำที่ต้องส่งให้แปลงนา - รายสัปดาห์",
    .valueAxisTitle = "ปริมาณน้ำที่ต้องส่ง (ลบ.ม.)",
    .valueAxisFromZero = true,
    .activateCalcSheet = false,
};
inline constexpr WeeklyChart FieldUseChart = {
    .defaultName = "Chart2",
    .movedAfter = 5,
    .sheetName = FieldUseChartName,
    .thirdColumn = SummaryColumn::NetWater,
    .thirdSeriesName = "ปริมาณน้ำใช้ในแปลงนา",
    .firstMarkerSize = 8,
    .title = "กราฟแสดงปริมาณน้ำใช้ในแปลงนา - รายสัปดาห์",
    .valueAxisTitle = "ปริมาณน้ำใช้ในแปลงนา (ลบ.ม.)",
    .valueAxisFromZero = false,
    .activateCalcSheet = true,
};

// The calculation-sheet columns a chart plots, for G groups.
struct ChartColumns {
  std::int16_t PercolationCol = 0;    // 6G + 12
  std::int16_t EffectiveRainCol = 0;  // 6G + 13
  std::int16_t ThirdCol = 0;          // GrossWaterCol 6G + 15 or NetWaterCol 6G + 14
};
ChartColumns ChartColumnsFor(std::int16_t groupCount, const WeeklyChart& chart);

// What the chart operations read and rewrite of the main window's fields, by reference.
struct ChartRun {
  sheet::Workbook& workbook;  // the run's workbook, the calculation sheet active for Graph01
  const SeasonTexts& texts;   // cboLiengklatime, cboGroup, cboTriamplangNaWan, cboCroptype read
  WeekFields& weeks;          // NurseryPrepWeeks, StopWeeks read as the run stored them;
                              // SeedlingWeeks, NurseryWeeks, GroupCount, WetPrepWeeks recomputed
  std::int16_t& WeekRowCount; // n: recomputed by the season rule, kept where no rule applies
};

// Adds the delivery chart sheet behind the fourth sheet; it is left active with its chart area
// selected. A failing sheet operation throws sheet::SheetError, the chart keeping what was done.
void Graph01(const ChartRun& run);
// Adds the field-use chart sheet behind the fifth sheet, after Graph01; the same otherwise.
void Graph02(const ChartRun& run);

// The one routine behind both.
void AddWeeklyChart(const ChartRun& run, const WeeklyChart& chart);

}  // namespace tuvo
