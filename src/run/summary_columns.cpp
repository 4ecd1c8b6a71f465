#include "run/summary_columns.h"

#include <stdexcept>
#include <string>
#include <string_view>

#include "calcsheet/summary_cells.h"
#include "eto/select_station_eto.h"
#include "platform/locale.h"
#include "platform/sheet/sheet.h"
#include "season/progress.h"
#include "season/workbook_layout.h"

namespace tuvo {

namespace {

// Entries of the per-group work tables: the area and crop tables hold 30, the preparation-water
// tables 20. A group count beyond them is refused rather than read past the table.
constexpr int AreaTableEntries = 30;
constexpr int WaterTableEntries = 20;

// One cell of the calculation sheet.
sheet::Range Cell(sheet::Workbook& workbook, int row, int column) {
  return workbook.Worksheets(CalcSheetIndex).Cells(row, column);
}

// The value of a cell taken as a number (empty 0, a number held as text its number).
double CellNumber(sheet::Workbook& workbook, int row, int column) {
  return Cell(workbook, row, column).AsNumber();
}

// Rereads the week fields and gives the season's week count; `previous` when no rule applies.
std::int16_t RecountWeeks(ColumnRun& run, std::int16_t previous) {
  WeekFields weeks = ReadWeekFields(run.texts);
  weeks.GroupCount = GroupCountByLocaleNumber(run.texts);
  run.fields.weeks = weeks;
  return ScheduleWeeksFor(run.texts.cboCroptype, run.fields.weeks).value_or(previous);
}

// Refuses a group count that the per-group work table of a column cannot hold.
void CheckGroupCount(int groupCount, int entries, std::string_view column) {
  if (groupCount > entries) {
    throw std::out_of_range("group count " + std::to_string(groupCount) + " exceeds the " +
                            std::to_string(entries) + " groups of the " + std::string(column) +
                            " column");
  }
}

// The sum over groups 1 .. groupCount of one term per group, added in group order.
template <typename Term>
double SumOverGroups(int groupCount, const Term& term) {
  double sum = 0;
  for (int g = 1; g <= groupCount; ++g) sum += term(g);
  return sum;
}

// The sheet column of a summary column, as an int for cell addressing.
int Column(std::int16_t groupCount, SummaryColumn which) { return SummaryColumnNumber(groupCount, which); }

// An accumulated-area column: per week the sum over the groups of one group-block column.
void WriteAreaTotalColumn(ColumnRun& run, SummaryColumn which, std::string_view name,
                          BlockColumn area, std::int16_t groupCount, std::int16_t weekCount) {
  CheckGroupCount(groupCount, AreaTableEntries, name);
  const int column = Column(groupCount, which);
  WriteColumnHeader(run.workbook, column, which);
  for (int w = 1; w <= weekCount; ++w) {
    const int row = WeekRow(w);
    const double sum = SumOverGroups(
        groupCount, [&](int g) { return CellNumber(run.workbook, row, GroupColumn(g, area)); });
    WriteWeekCell(run.workbook, row, column, sum);
  }
}

// A preparation-water column: per group 1600 × area × depth ÷ 1000, summed over the groups; the
// season total is the sum of the week cells as read back.
void WriteGroupWaterColumn(ColumnRun& run, SummaryColumn which, std::string_view name,
                           BlockColumn area, BlockColumn depth, double& total) {
  const int column = Column(run.fields.weeks.GroupCount, which);
  WriteColumnHeader(run.workbook, column, which);
  const std::int16_t weekCount = RecountWeeks(run, run.fields.WeekRowCount);
  run.fields.WeekRowCount = weekCount;
  const std::int16_t groupCount = run.fields.weeks.GroupCount;
  // The total belongs to this run even when the crop gives no week values.
  total = 0;
  if (!IsSeasonCrop(run.texts.cboCroptype)) return;
  CheckGroupCount(groupCount, WaterTableEntries, name);
  WriteWeeksAndTotal(run.workbook, column, weekCount, total, [&](int w) {
    const int row = WeekRow(w);
    return SumOverGroups(groupCount, [&](int g) {
      return SquareMetresPerRai * CellNumber(run.workbook, row, GroupColumn(g, area)) *
             CellNumber(run.workbook, row, GroupColumn(g, depth)) / MillimetresPerMetre;
    });
  });
}

}  // namespace

void WriteEToColumn(ColumnRun& run, const std::function<void()>& selectStationETo) {
  const std::int16_t groupCount = GroupCountByLocaleNumber(run.texts);
  run.fields.weeks.GroupCount = groupCount;
  const int column = Column(groupCount, SummaryColumn::ETo);
  run.loop.OutputColumn = static_cast<std::int16_t>(column);
  WriteColumnHeader(run.workbook, column, SummaryColumn::ETo);
  selectStationETo();
  // The week cells are formatted even when no station table matched and they stay empty.
  for (run.loop.EToWeekRow = 1; run.loop.EToWeekRow <= run.fields.WeekRowCount; ++run.loop.EToWeekRow) {
    const sheet::Range cell = Cell(run.workbook, WeekRow(run.loop.EToWeekRow), column);
    cell.SetNumberFormat("0.00");
    cell.Select();
    cell.SetStyle(sheet::CommaStyle);
  }
  run.progress.ShowProgress(42);
}

void WriteAreaAndPrepWaterColumns(ColumnRun& run) {
  run.fields.WeekRowCount = RecountWeeks(run, run.fields.WeekRowCount);
  const std::int16_t groupCount = run.fields.weeks.GroupCount;
  const std::int16_t weekCount = run.fields.WeekRowCount;

  WriteAreaTotalColumn(run, SummaryColumn::NurseryAreaTotal, "accumulated nursery area",
                       BlockColumn::NurseryArea, groupCount, weekCount);
  run.progress.ShowProgress(43);
  WriteAreaTotalColumn(run, SummaryColumn::PrepAreaTotal, "accumulated land-preparation area",
                       BlockColumn::PrepArea, groupCount, weekCount);
  run.progress.ShowProgress(46);
  WriteAreaTotalColumn(run, SummaryColumn::PlantedAreaTotal, "accumulated planted area",
                       BlockColumn::PlantedArea, groupCount, weekCount);
  run.progress.ShowProgress(49);

  WriteGroupWaterColumn(run, SummaryColumn::NurseryWater, "nursery water",
                        BlockColumn::NurseryArea, BlockColumn::NurseryDepth,
                        run.totals.TotalNurseryWater);
  run.progress.ShowProgress(52);
  WriteGroupWaterColumn(run, SummaryColumn::PrepWater, "land-preparation water",
                        BlockColumn::PrepArea, BlockColumn::PrepDepth, run.totals.TotalPrepWater);
  run.progress.ShowProgress(55);
}

void WriteCropUseAndPercolationColumns(ColumnRun& run) {
  // Crop water use: planted area × Kc × 1600 summed over the groups, × ETo ÷ 1000, rounded.
  {
    WriteColumnHeader(run.workbook, Column(run.fields.weeks.GroupCount, SummaryColumn::CropWaterUse),
                      SummaryColumn::CropWaterUse);
    run.totals.TotalCropWaterUse = 0;
    if (IsSeasonCrop(run.texts.cboCroptype)) {
      run.loop.EToLastWeek = RecountWeeks(run, run.loop.EToLastWeek);
      const std::int16_t groupCount = run.fields.weeks.GroupCount;
      const std::int16_t weekCount = run.loop.EToLastWeek;
      CheckGroupCount(groupCount, AreaTableEntries, "crop water use");
      const int etoColumn = Column(groupCount, SummaryColumn::ETo);
      const int useColumn = Column(groupCount, SummaryColumn::CropWaterUse);
      const auto weekUse = [&](int w) {
        const int row = WeekRow(w);
        const double sum = SumOverGroups(groupCount, [&](int g) {
          return CellNumber(run.workbook, row, GroupColumn(g, BlockColumn::PlantedArea)) *
                 CellNumber(run.workbook, row, GroupColumn(g, BlockColumn::Kc)) *
                 SquareMetresPerRai;
        });
        return locale::Round2(sum * CellNumber(run.workbook, row, etoColumn) / MillimetresPerMetre);
      };
      WriteWeeksAndTotal(run.workbook, useColumn, weekCount, run.totals.TotalCropWaterUse, weekUse);
    }
    run.progress.ShowProgress(58);
  }

  // Percolation: only the planted area percolates, at the rate × 7 days, in metres, × 1600.
  {
    WriteColumnHeader(run.workbook, Column(run.fields.weeks.GroupCount, SummaryColumn::Percolation),
                      SummaryColumn::Percolation);
    run.fields.PercolationRate = locale::LeadingNumber(run.texts.cboDeeper);
    if (IsSeasonCrop(run.texts.cboCroptype)) {
      run.fields.WeekRowCount = RecountWeeks(run, run.fields.WeekRowCount);
    }
    const std::int16_t groupCount = run.fields.weeks.GroupCount;
    const std::int16_t weekCount = run.fields.WeekRowCount;
    CheckGroupCount(groupCount, AreaTableEntries, "percolation");
    const int column = Column(groupCount, SummaryColumn::Percolation);
    const double depthMetres = run.fields.PercolationRate * 7 / MillimetresPerMetre;
    run.totals.TotalPercolation = 0;
    WriteWeeksAndTotal(run.workbook, column, weekCount, run.totals.TotalPercolation, [&](int w) {
      const int row = WeekRow(w);
      return SumOverGroups(groupCount, [&](int g) {
        return CellNumber(run.workbook, row, GroupColumn(g, BlockColumn::PlantedArea)) *
               depthMetres * SquareMetresPerRai;
      });
    });
    run.progress.ShowProgress(61);
  }
}

void WriteEToColumn(ColumnRun& run, const StationEToFields& etoFields) {
  WriteEToColumn(run, [&] { SelectStationETo(run.texts, run.loop, run.workbook, etoFields); });
}

void WriteEffectiveRainHeader(ColumnRun& run) {
  const std::int16_t groupCount = GroupCountByLocaleNumber(run.texts);
  run.fields.weeks.GroupCount = groupCount;
  run.loop.OutputColumn = Column(groupCount, SummaryColumn::EffectiveRain);
  WriteColumnHeader(run.workbook, run.loop.OutputColumn, SummaryColumn::EffectiveRain);
}

void WriteEffectiveRainColumn(ColumnRun& run, const std::function<void()>& fillStation,
                              const std::function<void()>& fillUser) {
  WriteEffectiveRainHeader(run);
  if (run.texts.optRe01) {
    fillStation();
  } else if (run.texts.optRe02) {
    fillUser();
  }
  run.progress.ShowProgress(75);
}

void WriteNetAndGrossColumns(ColumnRun& run) {
  std::int16_t groupCount = GroupCountByLocaleNumber(run.texts);
  run.fields.weeks.GroupCount = groupCount;
  run.fields.EfficiencyPercent = locale::LeadingNumber(run.texts.cboEfficiency);
  // The run refuses to start without an efficiency; a zero here must not become a division.
  if (!(run.fields.EfficiencyPercent > 0)) {
    throw std::invalid_argument("the irrigation efficiency must be greater than 0 % (cboEfficiency: \"" +
                                run.texts.cboEfficiency + "\")");
  }
  WriteColumnHeader(run.workbook, Column(groupCount, SummaryColumn::NetWater), SummaryColumn::NetWater);
  WriteColumnHeader(run.workbook, Column(groupCount, SummaryColumn::GrossWater), SummaryColumn::GrossWater);
  run.progress.ShowProgress(77);

  if (IsSeasonCrop(run.texts.cboCroptype)) {
    run.fields.ScheduleWeeks = RecountWeeks(run, run.fields.ScheduleWeeks);
    groupCount = run.fields.weeks.GroupCount;
  }
  const std::int16_t weekCount = run.fields.ScheduleWeeks;
  const int nurseryColumn = Column(groupCount, SummaryColumn::NurseryWater);
  const int prepColumn = Column(groupCount, SummaryColumn::PrepWater);
  const int useColumn = Column(groupCount, SummaryColumn::CropWaterUse);
  const int percolationColumn = Column(groupCount, SummaryColumn::Percolation);
  const int rainColumn = Column(groupCount, SummaryColumn::EffectiveRain);
  const int netColumn = Column(groupCount, SummaryColumn::NetWater);
  const int grossColumn = Column(groupCount, SummaryColumn::GrossWater);
  sheet::Workbook& wb = run.workbook;
  run.totals.TotalNetWater = 0;
  run.totals.TotalGrossWater = 0;
  for (int w = 1; w <= weekCount; ++w) {
    const int row = WeekRow(w);
    const double net = (((CellNumber(wb, row, useColumn) + CellNumber(wb, row, prepColumn)) +
                         CellNumber(wb, row, nurseryColumn)) +
                        CellNumber(wb, row, percolationColumn)) -
                       CellNumber(wb, row, rainColumn);
    const sheet::Range netCell = Cell(wb, row, netColumn);
    netCell.SetValue(net);
    // Fields cannot give water back: a negative balance shows as "0".
    if (netCell.AsNumber() < 0) netCell.SetValue(std::string_view("0"));
    netCell.Select();
    netCell.SetStyle(sheet::CommaStyle);
    WriteWeekCell(wb, row, grossColumn, netCell.AsNumber() * 100 / run.fields.EfficiencyPercent);
    run.totals.TotalNetWater += CellNumber(wb, row, netColumn);
    run.totals.TotalGrossWater += CellNumber(wb, row, grossColumn);
  }
  WriteTotalsCell(wb, weekCount, netColumn, run.totals.TotalNetWater);
  WriteTotalsCell(wb, weekCount, grossColumn, run.totals.TotalGrossWater);
  run.progress.ShowProgress(80);
}

}  // namespace tuvo
