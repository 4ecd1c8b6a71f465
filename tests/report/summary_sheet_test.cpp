// The summary sheet on a workbook in the state the run leaves it in before the call: "Sheet1"
// empty, the calculation sheet second with the season's first and last day, the day calendar gone,
// two chart sheets behind. Expected texts are written out in full, blanks included.
#include "report/summary_sheet.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

#include "forms/frmTUVO.h"
#include "forms/location_catalogue.h"
#include "platform/locale.h"
#include "platform/sheet/sheet.h"
#include "platform/xls/office_application.h"
#include "rain/eff_rain_methods.h"
#include "rain/station_rain.h"
#include "season/progress.h"
#include "support/temp_folder.h"
#include "support/xls_reader.h"

namespace tuvo {
namespace {

using namespace std::chrono;
using sheet::Value;

// Records each progress step with the last row of the summary sheet written by then.
class RowProgress : public Progress {
 public:
  void ShowProgress(int value) override {
    int last = 0;
    if (sheet != nullptr) {
      for (const auto& [key, cell] : sheet->UsedCells()) {
        if (!std::holds_alternative<std::monostate>(cell.value)) last = std::max(last, key.first);
      }
    }
    steps.push_back({value, last});
  }
  void SetBar(double) override {}
  const sheet::Worksheet* sheet = nullptr;
  std::vector<std::pair<int, int>> steps;  // (value, last written row)
};

std::string Str(const Value& v) {
  if (const auto* s = std::get_if<std::string>(&v)) return *s;
  return std::holds_alternative<std::monostate>(v) ? "" : "<not a text>";
}

// Expected texts, copied from the report's layout.
const std::string Dash = "-";
const std::string Weeks = "สัปดาห์";
const std::string Mm = "มม.";
const std::string Rai = "ไร่";
const std::string CubicMetres = "ลบ.ม.";
const std::string Soil = "ดินร่วน(Loam)";
const std::string Office = "สำนักชลประทานที่ 1";

// Rows 19 to 23, 26, 27 and 30 to 33 for the lists of the fixture, each block as its values or
// its dashes.
std::map<int, std::string> BlockRows(bool nurseryDashes, bool wetSeededDashes) {
  const auto v = [](bool dashes, const std::string& text) { return dashes ? Dash : text; };
  const bool n = nurseryDashes;
  const bool w = wetSeededDashes;
  const std::string june = locale::ThaiMonthName(6);
  return {
      {19, "- เริ่มเตรียมแปลงกล้า   วันที่   " + v(n, "1") + "   เดือน   " + v(n, june) + "   ปี   " + v(n, "2552")},
      {20, "- ระยะเวลาเตรียมแปลงกล้าและตกกล้า   " + v(n, "1") + "   " + Weeks},
      {21, "- กำหนดพื้นที่ตกกล้า 1 ไร่ปักดำได้   " + v(n, "15") + "   " + Rai},
      {22, "- ปริมาณน้ำที่ใช้เพื่อการเตรียมดินแปลงกล้า   " + v(n, "100") + "   " + Mm},
      {23, "- ปริมาณน้ำที่ใช้เพื่อการเลี้ยงกล้า   " + v(n, "250") + "   " + Mm},
      {26, "- ระยะเวลาเตรียมแปลงนาดำ   " + v(n, "2") + "   " + Weeks},
      {27, "- ปริมาณน้ำที่ใช้เพื่อการเตรียมดิน   " + v(n, "300") + "   " + Mm},
      {30, "- เริ่มเตรียมแปลง   วันที่   " + v(w, "1") + "   เดือน   " + v(w, june) + "   ปี   " + v(w, "2552")},
      {31, "- ระยะเวลาเตรียมแปลงนาหว่านน้ำตม   " + v(w, "1") + "   " + Weeks},
      {32, "- ระยะเวลาหยุดส่งน้ำหลังจากหว่านข้าว   " + v(w, "2") + "   " + Weeks},
      {33, "- ปริมาณน้ำที่ใช้เพื่อการเตรียมดิน   " + v(w, "200") + "   " + Mm},
  };
}

// A month row: abbreviation, mean rainfall text, effective rainfall text.
std::string MonthRow(const std::string& abbrev, const std::string& rain, const std::string& eff) {
  return "- เดือน  " + abbrev + "  ปริมาณฝนเฉลี่ยรายเดือน  " + rain + "  " + Mm + "  ปริมาณฝนใช้การเฉลี่ยรายเดือน  " + eff +
         "  " + Mm;
}

const std::vector<std::string> TotalLabels = {
    "- รวมปริมาณน้ำที่ใช้ในการตกกล้า",
    "- รวมปริมาณน้ำที่ใช้ในการเตรียมแปลง",
    "- รวมปริมาณการใช้น้ำของข้าว (ET)",
    "- รวมปริมาณการซึมเลยเขตราก (Deepercolation)",
    "- รวมปริมาณฝนใช้การ (Effective Rainfall)",
    "- รวมปริมาณความต้องการใช้น้ำชลประทานของข้าว",
};
std::string GrossLabel(const std::string& efficiency) {
  return "- รวมปริมาณน้ำชลประทานที่ต้องส่งในแปลงนาที่ประสิทธิภาพ " + efficiency + " % เป็นจำนวน";
}

class SummarySheetTest : public ::testing::Test {
 protected:
  SummarySheetTest() {
    // An RD transplanted season of 3 groups with 1 + 4 nursery weeks: 20 weeks.
    texts.cboCroptype = std::string(RDTransplanted);
    texts.cboGroup = "3";
    texts.cboFirstdate = "1";
    texts.cboFirstmonth = locale::ThaiMonthName(6);
    texts.cboFirstyear = "2552";
    texts.cboTriamplangKla = "1";
    texts.cboLiengklatime = "4";
    texts.cboATokla = "15";
    texts.cboTriamdinkla = "100";
    texts.cboLiengkla = "250";
    texts.cboTriamplangNaDam = "2";
    texts.cboNadam1 = "300";
    texts.cboTriamplangNaWan = "1";
    texts.cboStop = "2";
    texts.cboNawan1 = "200";
    texts.cboSoiltype = Soil;
    texts.cboDeeper = "1.5";
    texts.cboEfficiency = "75";
    texts.optRe01 = true;
    texts.optRe1 = true;
    SetGroups(3);
    station = std::string(StationRainTables[0].StationName);
    texts.cboProvince = station;
    crop = texts.cboCroptype;
    selectedCrop = crop;
    weeks.NurseryPrepWeeks = 1;
    weeks.SeedlingWeeks = 4;
    weeks.NurseryWeeks = 5;
    for (int m = 1; m <= 12; ++m) {
      const auto i = static_cast<std::size_t>(m);
      rain.ReDepartment[i] = "1" + std::to_string(m);
      rain.ReECI[i] = "2" + std::to_string(m);
      rain.ReAcres1[i] = "3" + std::to_string(m);
      rain.ReAcres2[i] = "4" + std::to_string(m);
      rain.ReAcres3[i] = "5" + std::to_string(m);
      rain.ReUSDA[i] = "6" + std::to_string(m);
    }
    NewWorkbook();
    Season(2009y / June / 1d, 20);
  }

  // txtGroup and the stored groups 1 to g, areas 100, 200, ...
  void SetGroups(int g) {
    texts.txtGroup = std::to_string(g);
    for (int i = 1; i <= g; ++i) {
      labels[static_cast<std::size_t>(i)] = std::to_string(i);
      areas[static_cast<std::size_t>(i)] = std::to_string(100 * i);
    }
  }

  // A new workbook as the run leaves it: calculation sheet renamed, day calendar deleted, two
  // chart sheets behind the calculation sheet, the calculation sheet active.
  void NewWorkbook() {
    workbook = &app.Workbooks().Add();
    workbook->Sheets("Sheet2").SetName("calc");
    workbook->Worksheets(3).Delete();
    sheet::Sheet& calc = workbook->Sheets("calc");
    calc.Select();
    workbook->AddChart().Move(calc);
    calc.Select();
    workbook->AddChart().Move(workbook->Sheets(3));
    calc.Select();
    progress.sheet = &Summary();
    progress.steps.clear();
  }

  // The first day of week 1 and the last day of week n as the time axis writes them.
  void Season(year_month_day start, int n) {
    Calc().Cells(6, 3).SetValue(locale::LongDate(start));
    Calc().Cells(n + 5, 4).SetValue(locale::LongDate(sys_days(start) + days(7 * n - 1)));
  }

  sheet::Worksheet& Summary() { return workbook->Worksheets(1); }
  sheet::Worksheet& Calc() { return workbook->Worksheets(2); }
  std::string A(int row) { return Str(Summary().ValueAt(row, 1)); }
  bool Bold(int row, int column = 1) { return Summary().FormatAt(row, column).bold; }
  std::string StyleAt(int row, int column) { return Summary().FormatAt(row, column).style; }

  SummaryTotalTexts Run() {
    return StartSheet1({*workbook, texts,
                        {office, project, section, station, crop, selectedCrop},
                        areas, labels, MonthAbbrevTable(), totals, efficiency, rain, weeks,
                        scheduleWeeks, groupCounter, progress});
  }

  // The station's rainfall text of month m.
  std::string Rain(int m) const {
    return std::string(FindStationRain(station)->months[static_cast<std::size_t>(m - 1)]);
  }
  // The month abbreviation of month m.
  std::string Abbrev(int m) const { return MonthAbbrevTable()[static_cast<std::size_t>(m)]; }

  xls::OfficeApplication app;
  sheet::Workbook* workbook = nullptr;
  SeasonTexts texts;
  std::string office = Office, project = "Project A", section = "Section B";
  std::string station, crop, selectedCrop;
  GroupAreaTable areas{};
  std::array<std::string, 21> labels{};
  SeasonTotals totals;
  double efficiency = 75;
  EffRainState rain;
  WeekFields weeks;
  std::int16_t scheduleWeeks = 0;
  double groupCounter = 4;  // as the area entry leaves it: the last group + 1
  RowProgress progress;
};

TEST_F(SummarySheetTest, InputRowsOfATransplantedCropWithProgressBetweenTheBlocks) {
  Run();
  std::map<int, std::string> rows = {
      {1, "โปรแกรมคำนวณความต้องการน้ำชลประทานของข้าว"},
      {2, "TUVO"},
      {4, "สถานที่ :"},
      {5, "- " + Office},
      {6, "- Project A"},
      {7, "- Section B"},
      {9, "พื้นที่เพาะปลูกอยู่ในจังหวัด :"},
      {10, "- จังหวัด " + station},
      {12, "ชนิดข้าวที่ปลูก :"},
      {13, "- " + std::string(RDTransplanted)},
      {15, "จำนวนกลุ่มพื้นที่เตรียมแปลง :"},
      {16, "- แบ่งพื้นที่เตรียมแปลงออกเป็น 3 กลุ่ม"},
      {18, "การเตรียมแปลงกล้าและตกกล้า :"},
      {25, "การเตรียมแปลงนาดำ :"},
      {29, "การเตรียมแปลงนาหว่านน้ำตม :"},
      {35, "คุณสมบัติของดิน :"},
      {36, "- ชนิดของเนื้อดิน   " + Soil},
      {37, "- อัตราการรั่วซึมในแปลงนา   1.5   มม./วัน"},
      {39, "ประสิทธิภาพ :"},
      {40, "- ประสิทธิภาพการส่งน้ำ   75   %"},
  };
  rows.merge(BlockRows(false, true));
  const std::vector<int> headings = {1, 2, 4, 9, 12, 15, 18, 25, 29, 35, 39};

  for (int row = 1; row <= 41; ++row) {
    const auto expected = rows.find(row);
    EXPECT_EQ(A(row), expected == rows.end() ? "" : expected->second) << "row " << row;
    EXPECT_EQ(Bold(row), std::find(headings.begin(), headings.end(), row) != headings.end())
        << "row " << row;
    EXPECT_EQ(StyleAt(row, 1), "") << "row " << row;
    for (int column = 2; column <= 10; ++column) {
      EXPECT_EQ(Str(Summary().ValueAt(row, column)), "") << "row " << row << " column " << column;
    }
  }
  // 93 after the title, 94 after row 7, 95 after 13, 96 after the nursery block, 97 after the
  // wet-seeded block, 98 after the efficiency, 100 after the three group rows; never 99.
  EXPECT_EQ(progress.steps,
            (std::vector<std::pair<int, int>>{
                {93, 1}, {94, 7}, {95, 13}, {96, 23}, {97, 33}, {98, 40}, {100, 45}}));
  EXPECT_EQ(workbook->ActiveSheet().Name(), "Sheet1");
}

TEST_F(SummarySheetTest, EachCropShowsTheBlocksThatApplyToItAndDashesForTheOthers) {
  struct Case {
    std::string crop;
    bool nurseryDashes;
    bool wetSeededDashes;
  };
  const std::vector<Case> cases = {
      {std::string(RDTransplanted), false, true},
      {std::string(KDML105Transplanted), false, true},
      {std::string(RDWetSeeded), true, false},
      {"", false, false},
      {std::string(RDWetSeeded) + " ", false, false},  // compared whole
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("crop [" + c.crop + "]");
    NewWorkbook();
    Season(2009y / June / 1d, 20);
    texts.cboCroptype = c.crop;
    Run();
    for (const auto& [row, text] : BlockRows(c.nurseryDashes, c.wetSeededDashes)) {
      EXPECT_EQ(A(row), text) << "row " << row;
    }
  }
}

TEST_F(SummarySheetTest, EmptyListTextsLeaveLabelsBlanksAndUnits) {
  texts.cboSoiltype.clear();
  texts.cboDeeper.clear();
  texts.cboGroup = "3";
  office.clear();
  Run();
  EXPECT_EQ(A(5), "- ");
  EXPECT_EQ(A(36), "- ชนิดของเนื้อดิน   ");
  EXPECT_EQ(A(37), "- อัตราการรั่วซึมในแปลงนา      มม./วัน");
}

TEST_F(SummarySheetTest, FiveGroupsThenTheRainfallHeading) {
  texts.cboGroup = "5";
  texts.cboTriamplangKla = "1";
  SetGroups(5);
  areas[2] = "1,250.5";
  areas[5] = "1";  // an area stored from an empty field
  NewWorkbook();
  Season(2009y / June / 1d, 22);
  Run();

  EXPECT_EQ(A(42), "ขนาดพื้นที่ :");
  EXPECT_TRUE(Bold(42));
  const std::vector<double> expected = {100, 1250.5, 300, 400, 1};
  for (int i = 1; i <= 5; ++i) {
    const int row = 42 + i;
    SCOPED_TRACE("group " + std::to_string(i));
    EXPECT_EQ(A(row), "- กลุ่มที่ " + std::to_string(i) + "   พื้นที่");
    EXPECT_EQ(Summary().ValueAt(row, 2), Value(expected[static_cast<std::size_t>(i - 1)]));
    EXPECT_EQ(StyleAt(row, 2), std::string(sheet::CommaStyle));
    EXPECT_FALSE(Bold(row, 2));
    EXPECT_EQ(Str(Summary().ValueAt(row, 3)), Rai);
  }
  EXPECT_EQ(A(48), "");
  EXPECT_EQ(A(49), "ปริมาณน้ำฝนเฉลี่ยรายเดือน :");
  EXPECT_TRUE(Bold(49));
  EXPECT_EQ(A(50), MonthRow(Abbrev(6), Rain(6), "16"));
  EXPECT_EQ(Summary().ColumnWidth(1), 15);
  EXPECT_EQ(groupCounter, 5);
  EXPECT_EQ(progress.steps.back(), (std::pair<int, int>{100, 47}));
}

TEST_F(SummarySheetTest, NoGroupEnteredLeavesColumnAAndPutsTheRainfallHeadingInRow44) {
  texts.txtGroup = "?";
  Run();
  EXPECT_EQ(A(43), "");
  EXPECT_EQ(A(44), "ปริมาณน้ำฝนเฉลี่ยรายเดือน :");
  EXPECT_EQ(A(45), MonthRow(Abbrev(6), Rain(6), "16"));
  EXPECT_EQ(Summary().ColumnWidth(1), sheet::StandardColumnWidth);
  EXPECT_EQ(groupCounter, 0);
}

TEST_F(SummarySheetTest, SeasonFromFirstJuneHasTheMonthsJuneToOctober) {
  Run();
  EXPECT_EQ(A(47), "ปริมาณน้ำฝนเฉลี่ยรายเดือน :");
  for (int m = 6; m <= 10; ++m) {
    EXPECT_EQ(A(42 + m), MonthRow(Abbrev(m), Rain(m), "1" + std::to_string(m))) << "month " << m;
  }
  EXPECT_EQ(A(53), "");
  EXPECT_EQ(A(54), "ปริมาณการใช้น้ำชลประทานของข้าว :");
  EXPECT_EQ(scheduleWeeks, 20);
}

TEST_F(SummarySheetTest, SeasonFrom15NovemberRunsOnAcrossTheTurnOfTheYear) {
  // RD wet-seeded, 5 groups, 1 preparation week, 2 stop weeks: 21 weeks, 15 November 2552 to
  // 10 April 2553.
  texts.cboCroptype = selectedCrop = std::string(RDWetSeeded);
  texts.cboGroup = "5";
  SetGroups(5);
  NewWorkbook();
  Season(2009y / November / 15d, 21);
  Run();
  EXPECT_EQ(scheduleWeeks, 21);
  EXPECT_EQ(weeks.GroupCount, 5);
  EXPECT_EQ(weeks.WetPrepWeeks, 1);
  EXPECT_EQ(weeks.StopWeeks, 2);
  EXPECT_EQ(A(49), "ปริมาณน้ำฝนเฉลี่ยรายเดือน :");
  const std::vector<int> months = {11, 12, 1, 2, 3, 4};
  for (std::size_t j = 0; j < months.size(); ++j) {
    const int m = months[j];
    EXPECT_EQ(A(50 + static_cast<int>(j)), MonthRow(Abbrev(m), Rain(m), "1" + std::to_string(m)))
        << "month " << m;
  }
  EXPECT_EQ(A(56), "");
  EXPECT_EQ(A(57), "ปริมาณการใช้น้ำชลประทานของข้าว :");
  EXPECT_EQ(A(64), GrossLabel("75"));
}

TEST_F(SummarySheetTest, EachMethodButtonShowsItsOwnTableTheFirstSetOneWinning) {
  struct Case {
    const char* name;
    bool SeasonTexts::*button;
    const char* prefix;
  };
  const std::vector<Case> cases = {
      {"optRe1", &SeasonTexts::optRe1, "1"},       {"optRe2", &SeasonTexts::optRe2, "2"},
      {"optAcres1", &SeasonTexts::optAcres1, "3"}, {"optAcres2", &SeasonTexts::optAcres2, "4"},
      {"optAcres3", &SeasonTexts::optAcres3, "5"}, {"optUSDA", &SeasonTexts::optUSDA, "6"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    texts.optRe1 = texts.optRe2 = texts.optAcres1 = texts.optAcres2 = texts.optAcres3 =
        texts.optUSDA = false;
    texts.*(c.button) = true;
    texts.optUSDA = true;  // set as well: loses to every button tested before it
    NewWorkbook();
    Season(2009y / June / 1d, 20);
    Run();
    EXPECT_EQ(A(48), MonthRow(Abbrev(6), Rain(6), std::string(c.prefix) + "6"));
  }
}

TEST_F(SummarySheetTest, OwnRainfallShowsTheTypedMonthsWithoutAStationLookup) {
  texts.optRe01 = false;
  texts.optRe02 = true;
  rain.StationMonthRain[6] = "120.5";
  rain.StationMonthRain[7] = "";
  Run();
  EXPECT_EQ(A(48), MonthRow(Abbrev(6), "120.5", "16"));
  EXPECT_EQ(A(49), "- เดือน  " + Abbrev(7) +
                        "  ปริมาณฝนเฉลี่ยรายเดือน    " + Mm + "  ปริมาณฝนใช้การเฉลี่ยรายเดือน  17  " + Mm);
}

TEST_F(SummarySheetTest, NoRainfallSourceLeavesTheHeadingAloneAndTheTotalsTwoRowsBelow) {
  texts.optRe01 = false;
  texts.optRe02 = false;
  Run();
  EXPECT_EQ(A(47), "ปริมาณน้ำฝนเฉลี่ยรายเดือน :");
  EXPECT_EQ(A(48), "");
  EXPECT_EQ(A(49), "ปริมาณการใช้น้ำชลประทานของข้าว :");
  EXPECT_EQ(A(50), TotalLabels[0]);
}

// A second season on a fresh workbook, with another station, another method and another
// season: no month row shows anything of the first.
TEST_F(SummarySheetTest, ASecondSeasonShowsOnlyItsOwnStationAndMethod) {
  // What the effective-rainfall column leaves under the station source: the station's months
  // and all six methods evaluated on them.
  const auto loadStation = [this](const std::string& name) {
    texts.cboProvince = station = name;
    TUVORainDatabase2(name, rain);
    for (int m = 1; m <= 12; ++m) {
      rain.EffRainInput = locale::LeadingNumber(rain.StationMonthRain[static_cast<std::size_t>(m)]);
      rain.EffRainMonth = static_cast<float>(m);
      EvaluateEffRainMonth(rain);
    }
  };
  loadStation(std::string(StationRainTables[0].StationName));
  Run();
  EXPECT_EQ(A(48), MonthRow(Abbrev(6), Rain(6), rain.ReDepartment[6]));

  const std::string first6 = Rain(6);
  const EffRainState firstRain = rain;
  texts.cboCroptype = selectedCrop = std::string(RDWetSeeded);
  texts.cboGroup = "5";
  SetGroups(5);
  texts.optRe1 = false;
  texts.optUSDA = true;
  loadStation(std::string(StationRainTables[4].StationName));
  ASSERT_NE(Rain(11), std::string(StationRainTables[0].months[10]));
  NewWorkbook();
  Season(2009y / November / 15d, 21);
  Run();
  const std::vector<int> months = {11, 12, 1, 2, 3, 4};
  for (std::size_t j = 0; j < months.size(); ++j) {
    const auto m = static_cast<std::size_t>(months[j]);
    EXPECT_EQ(A(50 + static_cast<int>(j)),
              MonthRow(Abbrev(months[j]), Rain(months[j]), rain.ReUSDA[m]))
        << "month " << m;
    EXPECT_NE(rain.ReUSDA[m], firstRain.ReDepartment[m]);
  }

  // Without any method button the effective rainfall stays empty rather than repeating the last
  // run's text.
  texts.optUSDA = false;
  NewWorkbook();
  Season(2009y / November / 15d, 21);
  Run();
  EXPECT_EQ(A(50), MonthRow(Abbrev(11), Rain(11), ""));
}

// The summary's station source reloads the station named by the list; every station the office
// lists offer has rainfall tables of its own, so no earlier station's months can remain.
TEST(SummarySheetStations, EveryOfferedStationLoadsItsOwnRainfall) {
  for (const std::string_view office : OfficeList()) {
    for (const std::string_view name : OfficeStationList(office)) {
      EXPECT_NE(FindStationRain(name), nullptr) << office << ": " << name;
    }
  }
}

TEST_F(SummarySheetTest, TotalsAreTheCalculationSheetsTotalsRoundedToTwoDecimals) {
  // The run's totals are the totals cells of the calculation sheet (row n + 6, columns 6G + 9 to
  // 6G + 15, G = 3).
  const std::vector<double> cells = {1234.567, 98765.4321, 5.005, 0.125, 777.775, 2.5, 3000};
  for (std::size_t k = 0; k < cells.size(); ++k) {
    Calc().Cells(26, 27 + static_cast<int>(k)).SetValue(cells[k]);
  }
  const auto cell = [this](int k) { return Calc().Cells(26, 27 + k).AsNumber(); };
  totals.TotalNurseryWater = cell(0);
  totals.TotalPrepWater = cell(1);
  totals.TotalCropWaterUse = cell(2);
  totals.TotalPercolation = cell(3);
  totals.TotalEffRain = cell(4);
  totals.TotalNetWater = cell(5);
  totals.TotalGrossWater = cell(6);
  Run();

  EXPECT_EQ(A(54), "ปริมาณการใช้น้ำชลประทานของข้าว :");
  EXPECT_TRUE(Bold(54));
  for (int k = 0; k < 7; ++k) {
    const int row = 55 + k;
    SCOPED_TRACE("row " + std::to_string(row));
    EXPECT_EQ(A(row), k < 6 ? TotalLabels[static_cast<std::size_t>(k)] : GrossLabel("75"));
    EXPECT_EQ(Summary().ValueAt(row, 7), Value(locale::Round2(cell(k))));
    EXPECT_EQ(StyleAt(row, 7), std::string(sheet::CommaStyle));
    EXPECT_EQ(Str(Summary().ValueAt(row, 8)), CubicMetres);
    EXPECT_FALSE(Bold(row));
    EXPECT_FALSE(Bold(row, 7));
  }
  EXPECT_EQ(A(62), "");
  // Only the area cells and the totals carry the style.
  for (const auto& [key, c] : Summary().UsedCells()) {
    const bool styled = (key.second == 2 && key.first >= 43 && key.first <= 45) ||
                        (key.second == 7 && key.first >= 55 && key.first <= 61);
    EXPECT_EQ(c.format.style, styled ? std::string(sheet::CommaStyle) : "")
        << key.first << "," << key.second;
  }
  EXPECT_EQ(workbook->Selection().Address(), "G61");
}

TEST_F(SummarySheetTest, TotalTextsRoundHalvesToEvenWithoutTrailingZeros) {
  totals.TotalNurseryWater = 0.125;
  totals.TotalPrepWater = 0.375;
  totals.TotalCropWaterUse = 2.5;
  totals.TotalPercolation = 1500;
  totals.TotalEffRain = 0;
  totals.TotalNetWater = 123456.789;
  totals.TotalGrossWater = 164609.052;
  efficiency = 72.345;
  const SummaryTotalTexts t = Run();
  EXPECT_EQ(t.TotalNurseryWaterText, "0.12");
  EXPECT_EQ(t.TotalPrepWaterText, "0.38");
  EXPECT_EQ(t.TotalCropWaterUseText, "2.5");
  EXPECT_EQ(t.TotalPercolationText, "1500");
  EXPECT_EQ(t.TotalEffRainText, "0");
  EXPECT_EQ(t.TotalNetWaterText, "123456.79");
  EXPECT_EQ(t.TotalGrossWaterText, "164609.05");
  EXPECT_EQ(t.EfficiencyText, "72.345");
  EXPECT_EQ(Summary().ValueAt(55, 7), Value(0.12));
  EXPECT_EQ(Summary().ValueAt(56, 7), Value(0.38));
  EXPECT_EQ(Summary().ValueAt(59, 7), Value(0.0));
  EXPECT_EQ(A(61), GrossLabel("72.345"));
}

TEST_F(SummarySheetTest, FailuresEndTheSheetWhereTheyHappen) {
  // No date in the season's first day: the rows up to the rainfall heading stay.
  Calc().Cells(6, 3).SetValue("week one");
  EXPECT_THROW(Run(), locale::ConversionError);
  EXPECT_EQ(A(47), "ปริมาณน้ำฝนเฉลี่ยรายเดือน :");
  EXPECT_EQ(A(48), "");

  // More groups than the group tables hold.
  NewWorkbook();
  Season(2009y / June / 1d, 20);
  texts.txtGroup = "21";
  EXPECT_THROW(Run(), std::out_of_range);
  EXPECT_EQ(A(43), "");

  // No sheet "Sheet1": nothing is written.
  NewWorkbook();
  workbook->Sheets("Sheet1").SetName("other");
  EXPECT_THROW(Run(), sheet::SheetError);
  EXPECT_TRUE(workbook->Worksheets(1).UsedCells().empty());
}

// One summary saved as .xls through LibreOffice and read back: texts with their blanks, the area
// and total numbers, the Thai units.
TEST_F(SummarySheetTest, SavedWorkbookReadsBackWithItsTextsAndNumbers) {
  namespace fs = std::filesystem;
  const test::TempFolder folder{"tuvo-summary-test"};
  totals.TotalGrossWater = 164609.052;
  Run();
  // The chart sheets have no series in this test; they are not what is read back.
  workbook->Sheets("Chart1").Delete();
  workbook->Sheets("Chart2").Delete();
  const fs::path file = folder.Path() / "summary.xls";
  workbook->SaveAs(file.string());

  const test::XlsReader xls(file);
  EXPECT_EQ(xls.SheetNames().front(), "Sheet1");
  EXPECT_EQ(xls.Cell(1, 1, 1), Value(std::string("โปรแกรมคำนวณความต้องการน้ำชลประทานของข้าว")));
  EXPECT_EQ(xls.Cell(1, 30, 1), Value(BlockRows(false, true).at(30)));
  EXPECT_EQ(xls.Cell(1, 43, 2), Value(100.0));
  EXPECT_EQ(xls.Cell(1, 43, 3), Value(Rai));
  EXPECT_EQ(xls.Cell(1, 48, 1), Value(MonthRow(Abbrev(6), Rain(6), "16")));
  EXPECT_EQ(xls.Cell(1, 61, 1), Value(GrossLabel("75")));
  EXPECT_EQ(xls.Cell(1, 61, 7), Value(164609.05));
  EXPECT_EQ(xls.Cell(1, 61, 8), Value(CubicMetres));
}

}  // namespace
}  // namespace tuvo
