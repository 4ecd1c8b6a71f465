// The summary columns on a workbook whose group cells are written directly, as the group passes
// leave them; the ETo and effective-rainfall writers are stand-ins that write known week values.
#include "run/summary_columns.h"

#include <gtest/gtest.h>

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "calcsheet/summary_cells.h"
#include "eto/select_station_eto.h"
#include "eto/station_eto.h"
#include "platform/locale.h"
#include "platform/sheet/sheet.h"
#include "season/progress.h"

namespace tuvo {
namespace {

using sheet::CellFormat;
using sheet::Value;

class RecordingProgress : public Progress {
 public:
  void ShowProgress(int value) override { values.push_back(value); }
  void SetBar(double) override {}
  std::vector<int> values;
};

// Group-block column offsets from the block's first column 6g - 1.
enum Block { NurseryArea = 0, NurseryDepth, PrepArea, PrepDepth, PlantedArea, Kc };

bool IsEmpty(const Value& v) { return std::holds_alternative<std::monostate>(v); }

bool Outlined(const CellFormat& top, const CellFormat& bottom) {
  auto thin = [](const sheet::Border& b) {
    return b.lineStyle == sheet::xl::Continuous && b.weight == sheet::xl::Thin &&
           b.colorIndex == sheet::xl::Automatic;
  };
  return thin(top.top) && thin(bottom.bottom) && thin(top.left) && thin(top.right) &&
         thin(bottom.left) && thin(bottom.right);
}

class SummaryColumnsTest : public ::testing::Test {
 protected:
  SummaryColumnsTest() {
    texts.cboCroptype = std::string(RDTransplanted);
    texts.cboTriamplangKla = "1";
    texts.cboLiengklatime = "4";
    texts.cboDeeper = "2.5";
    texts.cboEfficiency = "75";
    texts.optRe01 = true;
    SetGroups(1);
    calc.Select();
  }

  // G groups of an RD transplanted season with 1 + 4 nursery weeks: n = G + 17.
  void SetGroups(int g) {
    texts.cboGroup = std::to_string(g);
    weeks = g + 17;
    fields.WeekRowCount = static_cast<std::int16_t>(weeks);  // as the day calendar leaves it
    fields.ScheduleWeeks = static_cast<std::int16_t>(weeks);
  }

  int Col(SummaryColumn which) const {
    return 6 * std::stoi(texts.cboGroup) + 5 + static_cast<int>(which);
  }
  void SetGroup(int g, int w, Block offset, double value) {
    calc.Cells(w + 5, 6 * g - 1 + offset).SetValue(value);
  }
  double At(int w, SummaryColumn which) { return calc.Cells(w + 5, Col(which)).AsNumber(); }
  const Value& ValueAt(int row, SummaryColumn which) { return calc.ValueAt(row, Col(which)); }

  void RunETo() {
    WriteEToColumn(run, [&] {
      etoColumnSeen = loop.OutputColumn;
      for (auto [w, v] : eto) calc.Cells(w + 5, loop.OutputColumn).SetValue(v);
    });
  }
  // A stand-in for the effective-rainfall writer: week cells and totals cell, with the shared
  // summary-column routines.
  std::function<void()> RainFill(std::string name) {
    return [this, name] {
      fillsRun.push_back(name);
      rainColumnSeen = loop.OutputColumn;
      totals.TotalEffRain = 0;
      for (int w = 1; w <= weeks; ++w) {
        WriteWeekCell(book, w + 5, loop.OutputColumn, rain.count(w) ? rain[w] : 0.0);
        totals.TotalEffRain += calc.Cells(w + 5, loop.OutputColumn).AsNumber();
      }
      WriteTotalsCell(book, weeks, loop.OutputColumn, totals.TotalEffRain);
    };
  }
  void RunAll() {
    RunETo();
    WriteAreaAndPrepWaterColumns(run);
    WriteCropUseAndPercolationColumns(run);
    WriteEffectiveRainColumn(run, RainFill("station"), RainFill("user"));
    WriteNetAndGrossColumns(run);
  }

  sheet::Application app;
  sheet::Workbook& book = app.Workbooks().Add();
  sheet::Worksheet& calc = book.Worksheets(2);
  SeasonTexts texts;
  WeekLoop loop;
  SeasonTotals totals;
  ColumnFields fields;
  RecordingProgress progress;
  ColumnRun run{book, texts, loop, totals, fields, progress};
  int weeks = 0;
  std::map<int, double> eto, rain;  // week -> value written by the stand-ins
  int etoColumnSeen = 0, rainColumnSeen = 0;
  std::vector<std::string> fillsRun;
};

TEST_F(SummaryColumnsTest, WorkedWeekOfOneGroupGivesCropUsePercolationNetAndGross) {
  SetGroup(1, 3, PlantedArea, 5);
  SetGroup(1, 3, Kc, 1.2);
  eto[3] = 35;
  rain[3] = 101;
  RunAll();
  EXPECT_DOUBLE_EQ(At(3, SummaryColumn::CropWaterUse), 336);
  EXPECT_DOUBLE_EQ(At(3, SummaryColumn::Percolation), 140);
  EXPECT_DOUBLE_EQ(At(3, SummaryColumn::NetWater), 375);
  EXPECT_DOUBLE_EQ(At(3, SummaryColumn::GrossWater), 500);
  EXPECT_EQ(etoColumnSeen, 11);   // K
  EXPECT_EQ(rainColumnSeen, 19);  // S
  EXPECT_EQ(fillsRun, std::vector<std::string>{"station"});
  EXPECT_EQ(progress.values, (std::vector<int>{42, 43, 46, 49, 52, 55, 58, 61, 75, 77, 80}));
}

TEST_F(SummaryColumnsTest, NurseryAndPrepWaterAreAreaTimesDepthWhileAreasAccumulate) {
  SetGroups(2);
  SetGroup(1, 2, NurseryArea, 100);
  SetGroup(1, 2, NurseryDepth, 50);
  // The first seedling week holds its depth as the text "0.00": no water, but the area counts.
  SetGroup(1, 3, NurseryArea, 100);
  calc.Cells(8, 6).SetValue(Value(std::string("0.00")));
  SetGroup(2, 3, NurseryArea, 40);
  SetGroup(2, 3, NurseryDepth, 50);
  SetGroup(2, 4, PrepArea, 12.5);
  SetGroup(2, 4, PrepDepth, 160);
  SetGroup(1, 4, PlantedArea, 7);
  SetGroup(2, 4, PlantedArea, 3);
  RunAll();
  EXPECT_DOUBLE_EQ(At(2, SummaryColumn::NurseryWater), 8000);
  EXPECT_DOUBLE_EQ(At(3, SummaryColumn::NurseryWater), 3200);
  EXPECT_DOUBLE_EQ(At(3, SummaryColumn::NurseryAreaTotal), 140);
  EXPECT_DOUBLE_EQ(At(4, SummaryColumn::PrepAreaTotal), 12.5);
  EXPECT_DOUBLE_EQ(At(4, SummaryColumn::PrepWater), 3200);
  EXPECT_DOUBLE_EQ(At(4, SummaryColumn::PlantedAreaTotal), 10);
  EXPECT_DOUBLE_EQ(totals.TotalNurseryWater, 11200);
  EXPECT_DOUBLE_EQ(totals.TotalPrepWater, 3200);
  // Preparation water and nursery water enter the net with the crop terms.
  EXPECT_DOUBLE_EQ(At(3, SummaryColumn::NetWater), 3200);  // nursery water only
  EXPECT_DOUBLE_EQ(At(4, SummaryColumn::NetWater), 3200 + 10 * 2.5 * 7 / 1000 * 1600);
}

TEST_F(SummaryColumnsTest, WeeksWithoutAnyGroupInTheStageHoldTheNumberZero) {
  SetGroup(1, 5, PlantedArea, 5);
  SetGroup(1, 5, Kc, 1);
  eto[5] = 30;
  RunAll();
  for (SummaryColumn which : {SummaryColumn::NurseryAreaTotal, SummaryColumn::PrepAreaTotal,
                              SummaryColumn::PlantedAreaTotal, SummaryColumn::NurseryWater,
                              SummaryColumn::PrepWater, SummaryColumn::CropWaterUse,
                              SummaryColumn::Percolation, SummaryColumn::NetWater, SummaryColumn::GrossWater}) {
    const Value& first = ValueAt(6, which);
    ASSERT_TRUE(std::holds_alternative<double>(first)) << static_cast<int>(which);
    EXPECT_EQ(std::get<double>(first), 0) << static_cast<int>(which);
  }
}

TEST_F(SummaryColumnsTest, PercolationCountsThePlantedAreaOnly) {
  SetGroup(1, 2, NurseryArea, 100);
  SetGroup(1, 2, PrepArea, 50);
  SetGroup(1, 3, PlantedArea, 5);
  texts.cboDeeper = "2.5";
  RunAll();
  EXPECT_EQ(At(2, SummaryColumn::Percolation), 0);
  EXPECT_DOUBLE_EQ(At(3, SummaryColumn::Percolation), 140);
  EXPECT_DOUBLE_EQ(fields.PercolationRate, 2.5);
}

TEST_F(SummaryColumnsTest, CropUseIsRoundedHalfToEvenAndItsTotalSumsTheRoundedCells) {
  SetGroup(1, 4, PlantedArea, 1);
  SetGroup(1, 4, Kc, 0.5);
  eto[4] = 0.15625;  // 800 × 0.15625 ÷ 1000 = 0.125 exactly
  SetGroup(1, 5, PlantedArea, 1);
  SetGroup(1, 5, Kc, 1.1);
  eto[5] = 0.01;  // 0.0176
  RunAll();
  EXPECT_EQ(At(4, SummaryColumn::CropWaterUse), 0.12);
  EXPECT_EQ(At(5, SummaryColumn::CropWaterUse), 0.02);
  EXPECT_EQ(totals.TotalCropWaterUse, 0.12 + 0.02);
  // Percolation carries full precision.
  EXPECT_EQ(At(5, SummaryColumn::Percolation), 1 * (2.5 * 7 / 1000) * 1600);
}

TEST_F(SummaryColumnsTest, NegativeBalanceBecomesTheTextZeroAndAddsNothing) {
  // Crop use 50, percolation 30, effective rain 100: N = -20. Week 5 balances to exactly 0.
  const int r = 4 + 5;
  calc.Cells(r, Col(SummaryColumn::CropWaterUse)).SetValue(50.0);
  calc.Cells(r, Col(SummaryColumn::Percolation)).SetValue(30.0);
  calc.Cells(r, Col(SummaryColumn::EffectiveRain)).SetValue(100.0);
  calc.Cells(r + 1, Col(SummaryColumn::CropWaterUse)).SetValue(60.0);
  calc.Cells(r + 1, Col(SummaryColumn::EffectiveRain)).SetValue(60.0);
  calc.Cells(r + 2, Col(SummaryColumn::NurseryWater)).SetValue(75.0);
  WriteNetAndGrossColumns(run);
  EXPECT_EQ(calc.ValueAt(r, Col(SummaryColumn::NetWater)), sheet::TypedEntry("0"));
  EXPECT_EQ(At(4, SummaryColumn::NetWater), 0);
  EXPECT_EQ(At(4, SummaryColumn::GrossWater), 0);
  EXPECT_EQ(calc.FormatAt(r, Col(SummaryColumn::NetWater)).style, "comma");
  EXPECT_EQ(ValueAt(r + 1, SummaryColumn::NetWater), Value(0.0));
  EXPECT_DOUBLE_EQ(At(6, SummaryColumn::GrossWater), 100);
  EXPECT_DOUBLE_EQ(totals.TotalNetWater, 75);
  EXPECT_DOUBLE_EQ(totals.TotalGrossWater, 100);
}

TEST_F(SummaryColumnsTest, GrossIsNetAtTheChosenEfficiency) {
  const int r = 2 + 5;
  calc.Cells(r, Col(SummaryColumn::CropWaterUse)).SetValue(336.0);
  calc.Cells(r, Col(SummaryColumn::Percolation)).SetValue(140.0);
  calc.Cells(r, Col(SummaryColumn::EffectiveRain)).SetValue(101.0);
  calc.Cells(r + 1, Col(SummaryColumn::PrepWater)).SetValue(1234.5);
  struct Case {
    const char* efficiency;
    double factor;
  };
  for (Case c : {Case{"75", 100.0 / 75}, Case{"50", 2.0}, Case{"95", 100.0 / 95}, Case{"10", 10.0}}) {
    texts.cboEfficiency = c.efficiency;
    WriteNetAndGrossColumns(run);
    EXPECT_EQ(fields.EfficiencyPercent, std::stod(c.efficiency));
    for (int w : {2, 3}) {
      EXPECT_DOUBLE_EQ(At(w, SummaryColumn::GrossWater), At(w, SummaryColumn::NetWater) * c.factor)
          << c.efficiency << " week " << w;
    }
    EXPECT_DOUBLE_EQ(totals.TotalGrossWater, (375 + 1234.5) * c.factor) << c.efficiency;
  }
  EXPECT_DOUBLE_EQ(At(2, SummaryColumn::GrossWater), 375 * 100.0 / 10);
}

TEST_F(SummaryColumnsTest, NoEfficiencyIsRefusedBeforeEitherColumnIsWritten) {
  calc.Cells(7, Col(SummaryColumn::CropWaterUse)).SetValue(10.0);
  for (const char* efficiency : {"", "0", "-5", "abc"}) {
    texts.cboEfficiency = efficiency;
    EXPECT_THROW(WriteNetAndGrossColumns(run), std::invalid_argument) << efficiency;
  }
  for (int row = 3; row <= weeks + 6; ++row) {
    EXPECT_TRUE(IsEmpty(ValueAt(row, SummaryColumn::NetWater))) << row;
    EXPECT_TRUE(IsEmpty(ValueAt(row, SummaryColumn::GrossWater))) << row;
  }
  EXPECT_TRUE(progress.values.empty());
}

TEST_F(SummaryColumnsTest, TotalsStandOnlyInTheSevenVolumeColumnsAndSumTheirWeekCells) {
  SetGroup(1, 2, NurseryArea, 10);
  SetGroup(1, 2, NurseryDepth, 33.3);
  SetGroup(1, 3, PrepArea, 7.7);
  SetGroup(1, 3, PrepDepth, 151);
  for (int w = 4; w <= weeks; ++w) {
    SetGroup(1, w, PlantedArea, 3.3);
    SetGroup(1, w, Kc, 0.9 + w / 100.0);
    eto[w] = 20 + w * 1.37;
    rain[w] = w % 3 == 0 ? 400.0 : 11.11 * w;
  }
  for (int pass = 1; pass <= 2; ++pass) {  // a second run must not add to the first
    RunAll();
    const int totalsRow = weeks + 6;
    EXPECT_EQ(totalsRow, 24);
    for (int c = 2; c <= Col(SummaryColumn::PlantedAreaTotal); ++c) {
      EXPECT_TRUE(IsEmpty(calc.ValueAt(totalsRow, c))) << "column " << c;
    }
    struct Volume {
      SummaryColumn column;
      double total;
    };
    for (Volume v : {Volume{SummaryColumn::NurseryWater, totals.TotalNurseryWater},
                     Volume{SummaryColumn::PrepWater, totals.TotalPrepWater},
                     Volume{SummaryColumn::CropWaterUse, totals.TotalCropWaterUse},
                     Volume{SummaryColumn::Percolation, totals.TotalPercolation},
                     Volume{SummaryColumn::EffectiveRain, totals.TotalEffRain},
                     Volume{SummaryColumn::NetWater, totals.TotalNetWater},
                     Volume{SummaryColumn::GrossWater, totals.TotalGrossWater}}) {
      double sum = 0;
      for (int w = 1; w <= weeks; ++w) sum += At(w, v.column);
      const int c = Col(v.column);
      EXPECT_GT(sum, 0) << c;
      EXPECT_EQ(calc.Cells(totalsRow, c).AsNumber(), sum) << "column " << c;
      EXPECT_EQ(v.total, sum) << "column " << c;
      const CellFormat& f = calc.FormatAt(totalsRow, c);
      EXPECT_EQ(f.style, "comma") << c;
      EXPECT_TRUE(Outlined(f, f)) << c;
      EXPECT_TRUE(IsEmpty(calc.ValueAt(totalsRow + 1, c))) << c;
    }
    // Some weeks drown in rain: their net is "0" and the totals count them as 0.
    EXPECT_EQ(At(6, SummaryColumn::NetWater), 0);
  }
  EXPECT_EQ(book.Selection().Areas().front(), (sheet::Area{24, 21, 24, 21}));
}

TEST_F(SummaryColumnsTest, HeadersOfOneGroupStandInKToUAndOfTwentyGroupsInDUToEE) {
  struct Layout {
    int groups;
    const char* first;
    const char* last;
    const char* before;
    const char* after;
  };
  for (Layout layout : {Layout{1, "K", "U", "J", "V"}, Layout{20, "DU", "EE", "DT", "EF"}}) {
    SetGroups(layout.groups);
    progress.values.clear();
    RunAll();
    const int first = calc.Range(std::string(layout.first) + "3").Areas().front().firstColumn;
    EXPECT_EQ(calc.Range(std::string(layout.last) + "3").Areas().front().firstColumn, first + 10);
    EXPECT_EQ(etoColumnSeen, first);
    EXPECT_EQ(rainColumnSeen, first + 8);
    for (int k = 0; k < 11; ++k) {
      const int c = first + k;
      const SummaryColumnHeader& h = SummaryColumnHeaders[k];
      EXPECT_EQ(calc.ValueAt(3, c), Value(std::string(h.caption))) << c;
      EXPECT_EQ(calc.ValueAt(4, c), Value(std::string(h.unit))) << c;
      EXPECT_TRUE(IsEmpty(calc.ValueAt(5, c))) << c;
      EXPECT_EQ(calc.ColumnWidth(c), h.width) << c;
      for (int row = 3; row <= 5; ++row) {
        EXPECT_EQ(calc.FormatAt(row, c).horizontalAlignment, sheet::xl::Center) << row << "," << c;
      }
      EXPECT_TRUE(Outlined(calc.FormatAt(3, c), calc.FormatAt(5, c))) << c;
    }
    for (const char* outside : {layout.before, layout.after}) {
      for (int row = 3; row <= 4; ++row) {
        EXPECT_TRUE(IsEmpty(calc.Range(std::string(outside) + std::to_string(row)).GetValue())) << outside;
      }
    }
    EXPECT_EQ(progress.values.back(), 80);
  }
  EXPECT_EQ(calc.ValueAt(3, 125), Value(std::string("ETo-PenMon")));
  EXPECT_EQ(calc.ValueAt(3, 135), Value(std::string(SummaryColumnHeaders[10].caption)));
}

TEST_F(SummaryColumnsTest, TwentyGroupsAddEveryGroupIntoTheirWeek) {
  SetGroups(20);
  for (int g = 1; g <= 20; ++g) {
    SetGroup(g, g + 1, NurseryArea, g);
    SetGroup(g, g + 1, NurseryDepth, 10);
    SetGroup(g, 21, PlantedArea, 1);
    SetGroup(g, 21, Kc, 1);
  }
  eto[21] = 10;
  RunAll();
  EXPECT_DOUBLE_EQ(At(21, SummaryColumn::PlantedAreaTotal), 20);
  EXPECT_DOUBLE_EQ(At(21, SummaryColumn::CropWaterUse), 20 * 1600 * 10 / 1000.0);
  EXPECT_DOUBLE_EQ(At(21, SummaryColumn::NurseryWater), 1600 * 20 * 10 / 1000.0);
  EXPECT_DOUBLE_EQ(totals.TotalNurseryWater, 1600 * 210 * 10 / 1000.0);
  EXPECT_DOUBLE_EQ(calc.Cells(weeks + 6, Col(SummaryColumn::NurseryWater)).AsNumber(), totals.TotalNurseryWater);
}

TEST_F(SummaryColumnsTest, EToWeekCellsAreFormattedEvenWhenNoStationFilledThem) {
  RunETo();
  EXPECT_EQ(fields.weeks.GroupCount, 1);
  for (int w = 1; w <= weeks; ++w) {
    EXPECT_TRUE(IsEmpty(ValueAt(w + 5, SummaryColumn::ETo))) << w;
    EXPECT_EQ(calc.FormatAt(w + 5, Col(SummaryColumn::ETo)).style, "comma") << w;
  }
  EXPECT_EQ(calc.FormatAt(weeks + 6, Col(SummaryColumn::ETo)).style, "");
  EXPECT_EQ(progress.values, std::vector<int>{42});
}

TEST_F(SummaryColumnsTest, TheSelectedRainSourceChoosesTheWriter) {
  struct Case {
    bool station, own;
    std::vector<std::string> fills;
  };
  for (const Case& c : {Case{true, false, {"station"}}, Case{false, true, {"user"}}, Case{false, false, {}}}) {
    texts.optRe01 = c.station;
    texts.optRe02 = c.own;
    fillsRun.clear();
    progress.values.clear();
    WriteEffectiveRainColumn(run, RainFill("station"), RainFill("user"));
    EXPECT_EQ(fillsRun, c.fills);
    EXPECT_EQ(loop.OutputColumn, 19);
    EXPECT_EQ(calc.ValueAt(3, 19), Value(std::string(SummaryColumnHeaders[8].caption)));
    EXPECT_EQ(progress.values, std::vector<int>{75});
  }
}

TEST_F(SummaryColumnsTest, WetSeededSeasonHasNoNurseryWaterButAFramedZeroTotal) {
  texts.cboCroptype = std::string(RDWetSeeded);
  texts.cboTriamplangNaWan = "1";
  texts.cboStop = "2";
  fields.WeekRowCount = 0;  // the step counts the weeks itself
  weeks = 1 + 13 + 1 + 2;
  SetGroup(1, 2, PrepArea, 4);
  SetGroup(1, 2, PrepDepth, 100);
  RunAll();
  EXPECT_EQ(fields.WeekRowCount, weeks);
  for (int w = 1; w <= weeks; ++w) EXPECT_EQ(ValueAt(w + 5, SummaryColumn::NurseryWater), Value(0.0)) << w;
  EXPECT_EQ(calc.ValueAt(weeks + 6, Col(SummaryColumn::NurseryWater)), Value(0.0));
  const CellFormat& f = calc.FormatAt(weeks + 6, Col(SummaryColumn::NurseryWater));
  EXPECT_TRUE(Outlined(f, f));
  EXPECT_DOUBLE_EQ(totals.TotalPrepWater, 640);
}

TEST_F(SummaryColumnsTest, AnUnknownCropLeavesNoTotalOfAnEarlierRun) {
  totals.TotalNurseryWater = totals.TotalPrepWater = totals.TotalCropWaterUse = 999;
  texts.cboCroptype = "";
  SetGroup(1, 2, NurseryArea, 100);
  SetGroup(1, 2, NurseryDepth, 50);
  RunETo();
  WriteAreaAndPrepWaterColumns(run);
  WriteCropUseAndPercolationColumns(run);
  EXPECT_EQ(totals.TotalNurseryWater, 0);
  EXPECT_EQ(totals.TotalPrepWater, 0);
  EXPECT_EQ(totals.TotalCropWaterUse, 0);
  EXPECT_DOUBLE_EQ(At(2, SummaryColumn::NurseryAreaTotal), 100);  // the areas still add up
  EXPECT_TRUE(IsEmpty(ValueAt(7, SummaryColumn::NurseryWater)));
}

TEST_F(SummaryColumnsTest, MoreGroupsThanTheWaterTablesHoldAreRefused) {
  SetGroups(21);
  EXPECT_THROW(WriteAreaAndPrepWaterColumns(run), std::out_of_range);
  EXPECT_EQ(progress.values, (std::vector<int>{43, 46, 49}));
}

TEST_F(SummaryColumnsTest, TheStationDispatchFillsTheColumnThatCropUseReads) {
  SetGroups(2);
  const StationDispatchEntry& station = StationDispatchList[0];
  texts.cboProvince = std::string(station.StationName);
  // Every week of the calendar sheet is days 1 to 7 of one month, a different month each week.
  sheet::Worksheet& calendar = book.Worksheets(3);
  std::vector<double> expected(weeks + 1);
  const StationDailyETo daily = FillDailyETo(*station.table);
  for (int w = 1; w <= weeks; ++w) {
    std::array<CalendarDay, 7> week;
    for (int i = 0; i < 7; ++i) {
      week[i] = {i + 1, (w - 1) % 12 + 1};
      calendar.Cells(w, 8 + 2 * i).SetValue(static_cast<double>(week[i].day));
      calendar.Cells(w, 9 + 2 * i).SetValue(static_cast<double>(week[i].month));
    }
    expected[w] = RoundWeekETo(WeekETo(daily, week));
  }
  SetGroup(2, 3, PlantedArea, 5);
  SetGroup(2, 3, Kc, 1);
  WeekFields dispatchWeeks;
  std::string selectedCrop, selectedStation;
  WriteEToColumn(run, StationEToFields{dispatchWeeks, selectedCrop, selectedStation});
  EXPECT_EQ(loop.OutputColumn, 17);  // Q
  EXPECT_EQ(loop.EToLastWeek, weeks);
  EXPECT_EQ(selectedStation, texts.cboProvince);
  for (int w = 1; w <= weeks; ++w) {
    EXPECT_EQ(At(w, SummaryColumn::ETo), expected[w]) << w;
    EXPECT_EQ(calc.FormatAt(w + 5, 17).style, "comma") << w;
  }
  WriteAreaAndPrepWaterColumns(run);
  WriteCropUseAndPercolationColumns(run);
  EXPECT_EQ(At(3, SummaryColumn::CropWaterUse), locale::Round2(5 * 1 * 1600.0 * expected[3] / 1000));
  EXPECT_GT(At(3, SummaryColumn::CropWaterUse), 0);
}

}  // namespace
}  // namespace tuvo
