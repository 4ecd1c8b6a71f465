// End-to-end scenarios: the scenario driver `tuvo-drive` plays a file of scenarios/ on the real
// main window, in a process of its own with a fresh home folder, and the saved workbook is read
// back with FreeXL. The expected cells are worked out from the season's inputs in the comments.
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <variant>
#include <vector>

#include <stdlib.h>

#include "platform/sheet/cell.h"
#include "support/temp_folder.h"
#include "support/xls_reader.h"

namespace tuvo {
namespace {

namespace fs = std::filesystem;
using test::XlsReader;

const std::string kSummarySheet = "สรุป";
const std::string kCalcSheet = "ตารางแสดงรายการคำนวณ";
const std::string kDeliveryChart = "กราฟแสดงปริมาณน้ำที่ต้องส่ง";
const std::string kFieldUseChart = "กราฟแสดงปริมาณน้ำที่ใช้ในแปลง";
const std::vector<std::string> kSavedSheets = {kSummarySheet, kCalcSheet, kDeliveryChart, kFieldUseChart};

const std::string kRDTransplanted = "ข้าว กข. (นาดำ)";
const std::string kKDML105Transplanted = "ข้าวขาวดอกมะลิ 105 (นาดำ)";
const std::string kRDWetSeeded = "ข้าว กข. (นาหว่านน้ำตม)";

const char* const kMonthNames[12] = {"มกราคม", "กุมภาพันธ์", "มีนาคม", "เมษายน", "พฤษภาคม", "มิถุนายน",
                                     "กรกฎาคม", "สิงหาคม", "กันยายน", "ตุลาคม", "พฤศจิกายน", "ธันวาคม"};

// What one play of the driver printed and returned, and the days it ran between.
struct Played {
  int status = -1;
  std::string output;
  std::vector<fs::path> saved;
  std::vector<std::string> messages;
  std::chrono::year_month_day firstDay{}, lastDay{};
};

// The local date now.
std::chrono::year_month_day Today() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return std::chrono::year{local.tm_year + 1900} / std::chrono::month(static_cast<unsigned>(local.tm_mon + 1)) /
         std::chrono::day(static_cast<unsigned>(local.tm_mday));
}

// Runs `tuvo-drive` on the scenario file with HOME at `home`, on the offscreen platform.
Played Drive(const fs::path& scenario, const fs::path& home, const QStringList& arguments = {}) {
  QProcess drive;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("HOME", QString::fromStdString(home.string()));
  environment.insert("QT_QPA_PLATFORM", "offscreen");
  drive.setProcessEnvironment(environment);
  drive.setProcessChannelMode(QProcess::SeparateChannels);
  Played played;
  played.firstDay = Today();
  drive.start(TUVO_DRIVE_PROGRAM,
              arguments.isEmpty() ? QStringList{QString::fromStdString(scenario.string())} : arguments);
  const bool finished = drive.waitForFinished(300000);
  played.lastDay = Today();
  EXPECT_TRUE(finished) << "tuvo-drive did not end";
  if (!finished) {
    drive.kill();
    drive.waitForFinished();
  }
  played.status = drive.exitStatus() == QProcess::NormalExit ? drive.exitCode() : -1;
  played.output = drive.readAllStandardOutput().toStdString();
  std::istringstream lines(played.output);
  for (std::string line; std::getline(lines, line);) {
    if (line.starts_with("saved: ")) played.saved.emplace_back(line.substr(7));
    if (line.starts_with("message: ")) played.messages.push_back(line.substr(9));
  }
  return played;
}

// Plays a file of the scenario folder with `home`, a folder of the test's own, as HOME: the
// program saves into its TUVO_Output.
Played DriveScenario(const std::string& name, const fs::path& home) {
  return Drive(fs::path(TUVO_SCENARIO_FOLDER) / name, home);
}

// Column and row of an A1 reference such as "DT43".
std::pair<int, int> RowColumn(std::string_view a1) {
  int column = 0;
  std::size_t i = 0;
  for (; i < a1.size() && a1[i] >= 'A' && a1[i] <= 'Z'; ++i) column = column * 26 + (a1[i] - 'A' + 1);
  return {std::stoi(std::string(a1.substr(i))), column};
}

// The cell at the A1 reference of the named sheet.
sheet::Value CellAt(const XlsReader& book, const std::string& sheetName, std::string_view a1) {
  const auto [row, column] = RowColumn(a1);
  return book.Cell(sheetName, row, column);
}

// A number cell of the calculation sheet, for EXPECT_NEAR.
struct NumberCell {
  const char* cell;
  double value;
};

// Each cell holds its number.
void ExpectNumbers(const XlsReader& book, std::initializer_list<NumberCell> cells) {
  for (const NumberCell& c : cells) {
    const sheet::Value value = CellAt(book, kCalcSheet, c.cell);
    const double* number = std::get_if<double>(&value);
    if (number == nullptr) {
      ADD_FAILURE() << c.cell << " holds no number";
      continue;
    }
    // Week ETo values are held in single precision; every other value is exact to far less.
    EXPECT_NEAR(*number, c.value, 1e-4) << c.cell;
  }
}

// Each cell is empty.
void ExpectEmpty(const XlsReader& book, std::initializer_list<const char*> cells) {
  for (const char* cell : cells) {
    EXPECT_TRUE(std::holds_alternative<std::monostate>(CellAt(book, kCalcSheet, cell))) << cell << " is not empty";
  }
}

// The cell holds the text.
void ExpectText(const XlsReader& book, const char* cell, const std::string& text) {
  EXPECT_EQ(CellAt(book, kCalcSheet, cell), sheet::Value(text)) << cell;
}

// The cell holds the date.
void ExpectDate(const XlsReader& book, const char* cell, std::chrono::year_month_day date) {
  EXPECT_EQ(CellAt(book, kCalcSheet, cell), sheet::Value(sheet::DateValue{date})) << cell;
}

// The day as the file name writes it: day, Thai month name, Buddhist-era year.
std::string ThaiLongDate(std::chrono::year_month_day day) {
  return std::to_string(static_cast<unsigned>(day.day())) + " " +
         kMonthNames[static_cast<unsigned>(day.month()) - 1] + " " +
         std::to_string(static_cast<int>(day.year()) + 543);
}

// The one workbook of the play: in $HOME/TUVO_Output, named " CROP d mmmm yyyy h-m-s .xls" for
// the day of the run, the time without leading zeros.
fs::path ExpectOneSavedWorkbook(const Played& played, const fs::path& home, const std::string& crop) {
  EXPECT_EQ(played.status, 0) << played.output;
  EXPECT_TRUE(played.messages.empty()) << played.output;
  if (played.saved.size() != 1) {
    ADD_FAILURE() << "expected one saved workbook:\n" << played.output;
    return {};
  }
  const fs::path& saved = played.saved.front();
  EXPECT_EQ(saved.parent_path(), home / "TUVO_Output");
  EXPECT_TRUE(fs::is_regular_file(saved)) << saved;
  const std::string name = saved.filename().string();
  const std::string prefix = " " + crop + " ";
  const std::string suffix = " .xls";
  EXPECT_TRUE(name.starts_with(prefix) && name.ends_with(suffix)) << name;
  if (name.size() > prefix.size() + suffix.size()) {
    const std::string stamp = name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
    std::smatch parts;
    const std::regex form("(.+) (0|[1-9][0-9]?)-(0|[1-9][0-9]?)-(0|[1-9][0-9]?)");
    EXPECT_TRUE(std::regex_match(stamp, parts, form)) << stamp;
    if (parts.size() == 5) {
      const std::string date = parts[1];
      EXPECT_TRUE(date == ThaiLongDate(played.firstDay) || date == ThaiLongDate(played.lastDay)) << date;
      EXPECT_LT(std::stoi(parts[2]), 24);
      EXPECT_LT(std::stoi(parts[3]), 60);
      EXPECT_LT(std::stoi(parts[4]), 60);
    }
  }
  return saved;
}

using std::chrono::February;
using std::chrono::January;
using std::chrono::July;
using std::chrono::June;
using std::chrono::March;
using std::chrono::May;
using std::chrono::November;
using std::chrono::December;
using std::chrono::April;
using std::chrono::year;

// RD rice transplanted, one group of 1500 rai from 1 January 2009: nursery bed 1 week (100 mm),
// seedlings 4 weeks (300 mm), field preparation 1 week (250 mm), ratio 15, percolation 2 mm/day
// (after 6 was refused), efficiency 50 %, Ubon Ratchathani (ETo January 3.98, February 4.61;
// rainfall January 1.2, February 16.5 mm), monthly percentage (90 % in both months).
// Season: 1 + 1 + 16 = 18 weeks, rows 6 to 23, totals in row 24; block E:J, summary K:U.
TEST(Scenario, RDTransplantedOneGroupOnStationRainfall) {
  const test::TempFolder home{"tuvo-e2e-home"};
  const Played played = DriveScenario("rd_transplanted_one_group.txt", home.Path());
  const fs::path saved = ExpectOneSavedWorkbook(played, home.Path(), kRDTransplanted);
  ASSERT_FALSE(saved.empty());
  const XlsReader book(saved);
  EXPECT_EQ(book.SheetNames(), kSavedSheets);

  ExpectText(book, "B1", "สำนักชลประทานที่ 7" + std::string(",   ") + "โครงการชลประทานอุบลราชธานี" + ",   " +
                             "ฝ่ายส่งน้ำและบำรุงรักษาที่ 2");
  ExpectText(book, "B2", "ชนิดพืช   :" + std::string("   ") + kRDTransplanted + "   " + "จังหวัด   :" + "   " +
                             "อุบลราชธานี");
  ExpectText(book, "E3", "กลุ่มที่" + std::string(" 1"));
  ExpectText(book, "K3", "ETo-PenMon");
  ExpectDate(book, "C6", year{2009} / January / 1);
  ExpectDate(book, "D6", year{2009} / January / 7);
  ExpectDate(book, "C23", year{2009} / April / 30);
  ExpectDate(book, "D23", year{2009} / May / 6);
  ExpectNumbers(book, {
      {"B6", 1}, {"B23", 18},
      // Nursery: 1500 / 15 = 100 rai in weeks 1 to 5; 100 mm, the first seedling week 0, then
      // 300 / 3 mm; the field is prepared in week 5 with 250 mm; crop weeks 6 to 18 (Kc 1.03 .. 0.86).
      {"E6", 100}, {"E10", 100}, {"F6", 100}, {"F7", 0}, {"F8", 100}, {"F10", 100},
      {"G10", 1500}, {"H10", 250}, {"I11", 1500}, {"J11", 1.03}, {"I23", 1500}, {"J23", 0.86},
      // ETo: 7 x 3.98; 29 January to 4 February 3 x 3.98 + 4 x 4.61; 5 to 11 February 7 x 4.61.
      {"K6", 27.86}, {"K10", 30.38}, {"K11", 32.27},
      {"L6", 100}, {"M10", 1500}, {"N11", 1500},
      // Nursery water 100 rai x 1.6 x 100 mm in weeks 1, 3, 4, 5; field 1500 x 1.6 x 250.
      {"O6", 16000}, {"O7", 0}, {"O8", 16000}, {"O24", 64000}, {"P9", 0}, {"P10", 600000}, {"P24", 600000},
      // Crop use 1500 x 1.03 x 1600 x 32.27 / 1000; percolation 1500 x 0.014 x 1600 per crop week.
      {"Q6", 0}, {"Q11", 79771.44}, {"R10", 0}, {"R11", 33600}, {"R24", 13 * 33600.0},
      // Effective rain 1.08 mm in January (31 days), 14.85 in February 2009 (28 days), on the
      // week's nursery, preparation and planted rai.
      {"S6", 39.02},      // 100 x 7 x 1.08 / 31 x 1.6
      {"S10", 5698.42},   // 1600 x (3 x 1.08 / 31 + 4 x 14.85 / 28) x 1.6
      {"S11", 8910},      // 1500 x 7 x 14.85 / 28 x 1.6
      {"T6", 15960.98}, {"U6", 31921.96},
      {"T10", 610301.58}, {"U10", 1220603.16},
      {"T11", 104461.44}, {"U11", 208922.88},
  });
  ExpectEmpty(book, {"E11", "G9", "I10", "B24", "K24", "N24"});
}

// KDML 105 transplanted, groups of 800 and 1200 rai from 1 November 2008 to 27 March 2009:
// nursery bed 2 weeks (150 mm as 50 and 100), seedlings 3 weeks (250 mm as 125 and 125), field
// preparation 2 weeks (300 mm as 100 and 200), ratio 10, clay 1 mm/day, efficiency 70 %, Chiang
// Mai (ETo November 2.60, December 2.26, January 2.98, February 3.96), own rainfall by USDA SCS:
// November 40 -> 37.44, December 10 -> 9.84, January 0 -> 0, February 30 -> 28.56, March 120 -> 96.96.
// Season: 2 + 2 + 17 = 21 weeks, rows 6 to 26, totals in row 27; blocks E:J and K:P, summary Q:AA.
TEST(Scenario, KDML105AcrossTheTurnOfTheYearOnOwnRainfall) {
  const test::TempFolder home{"tuvo-e2e-home"};
  const Played played = DriveScenario("kdml105_across_new_year_own_rain.txt", home.Path());
  const fs::path saved = ExpectOneSavedWorkbook(played, home.Path(), kKDML105Transplanted);
  ASSERT_FALSE(saved.empty());
  const XlsReader book(saved);
  EXPECT_EQ(book.SheetNames(), kSavedSheets);

  ExpectText(book, "K3", "กลุ่มที่" + std::string(" 2"));
  ExpectDate(book, "C6", year{2008} / November / 1);
  ExpectDate(book, "C14", year{2008} / December / 27);
  ExpectDate(book, "D14", year{2009} / January / 2);
  ExpectDate(book, "D26", year{2009} / March / 27);
  ExpectNumbers(book, {
      {"B26", 21},
      {"E6", 80}, {"E10", 80}, {"F6", 50}, {"F7", 100}, {"F8", 0}, {"F9", 125}, {"F10", 125},
      {"G9", 800}, {"H9", 100}, {"G10", 800}, {"H10", 200},
      {"K7", 120}, {"K11", 120}, {"L7", 50}, {"M10", 1200}, {"N10", 100}, {"M11", 1200}, {"N11", 200},
      // Crop weeks 6 to 20 of each group, Kc 0.27 .. 1.08.
      {"I11", 800}, {"J11", 0.27}, {"J25", 1.08}, {"O12", 1200}, {"P12", 0.27}, {"P26", 1.08},
      // ETo: 7 x 2.60; 27 December to 2 January 5 x 2.26 + 2 x 2.98; 31 January to 6 February.
      {"Q6", 18.2}, {"Q14", 17.26}, {"Q19", 2.98 + 6 * 3.96},
      {"T14", 2000},
      {"U6", 6400},      // 80 rai x 1.6 x 50 mm
      {"U7", 22400},     // 80 x 1.6 x 100 + 120 x 1.6 x 50
      {"U27", 128000},   // (80 + 120) x 1.6 x 400 mm
      {"V10", 448000},   // 800 x 1.6 x 200 + 1200 x 1.6 x 100
      {"V27", 960000},   // 2000 x 1.6 x 300
      // Week 9: group 1 in crop week 4 (Kc 0.97), group 2 in crop week 3 (0.79).
      {"W14", 47609.98},  // (800 x 0.97 + 1200 x 0.79) x 1600 x 17.26 / 1000
      {"X14", 22400},     // 2000 x 0.007 x 1600
      {"X27", 15 * 22400.0},
      {"Y6", 1118.21},    // 80 x 7 x 37.44 / 30 x 1.6
      {"Y14", 5078.71},   // 2000 x 5 x 9.84 / 31 x 1.6
      // February 2009 has 28 days: the season's own February, not the start year's.
      {"Y19", 19584},     // 2000 x 6 x 28.56 / 28 x 1.6
      {"Y22", 22848},     // 2000 x 7 x 1.02 x 1.6
      {"Y23", 63316.65},  // 2000 x (1.02 + 6 x 96.96 / 31) x 1.6
      {"Z14", 64931.27}, {"AA14", 64931.27 * 100 / 70},
  });
  ExpectEmpty(book, {"K6", "E11", "I10", "O11", "Q27"});
}

// RD rice wet-seeded, one group of 1200 rai from 29 February 2008 to 3 July 2008: field
// preparation 2 weeks (300 mm as 100 and 200), 3 weeks without delivery, sandy loam 2.5 mm/day,
// efficiency 80 %, Pathum Thani (ETo February 4.29, March 5.10, April 5.27; rainfall February
// 23.2, March 53 mm), ECI (both months below 200 mm count whole; February 2008 has 29 days).
// Season: 1 + 2 + 15 = 18 weeks, rows 6 to 23, totals in row 24; block E:J, summary K:U.
TEST(Scenario, RDWetSeededFromALeapDay) {
  const test::TempFolder home{"tuvo-e2e-home"};
  const Played played = DriveScenario("wet_seeded_leap_day.txt", home.Path());
  const fs::path saved = ExpectOneSavedWorkbook(played, home.Path(), kRDWetSeeded);
  ASSERT_FALSE(saved.empty());
  const XlsReader book(saved);
  EXPECT_EQ(book.SheetNames(), kSavedSheets);

  ExpectText(book, "I4", "พ.ท.หว่าน");
  ExpectDate(book, "C6", year{2008} / February / 29);
  ExpectDate(book, "D6", year{2008} / March / 6);
  ExpectDate(book, "C7", year{2008} / March / 7);
  ExpectDate(book, "D23", year{2008} / July / 3);
  ExpectNumbers(book, {
      {"G6", 1200}, {"H6", 100}, {"G7", 1200}, {"H7", 200},
      // Crop weeks 6 to 18 after 2 preparation and 3 stop weeks, Kc 1.05 .. 0.65.
      {"I11", 1200}, {"J11", 1.05}, {"I23", 1200}, {"J23", 0.65},
      // ETo: 29 February and 1 to 6 March; 4 to 10 April.
      {"K6", 34.89}, {"K11", 36.89},
      {"M6", 1200}, {"M7", 1200}, {"M8", 0}, {"N11", 1200},
      {"O6", 0}, {"O24", 0},
      {"P6", 192000}, {"P7", 384000}, {"P24", 576000},
      {"Q11", 74370.24},  // 1200 x 1.05 x 1600 x 36.89 / 1000
      {"R10", 0}, {"R11", 33600}, {"R24", 13 * 33600.0},
      {"S6", 21231.48},   // 1200 x (23.2 / 29 + 6 x 53 / 31) x 1.6
      {"S7", 22978.06},   // 1200 x 7 x 53 / 31 x 1.6
      {"T6", 170768.52}, {"U6", 213460.65},
      // A stop week: no area in the field, nothing to deliver.
      {"S8", 0}, {"T8", 0}, {"U8", 0},
  });
  ExpectEmpty(book, {"E6", "F6", "G8", "I10"});
}

// RD rice transplanted in twenty groups from 1 June 2010 to 21 February 2011: group 1 stored
// without an area (1 rai), groups 2 to 19 of 1000 rai, group 20 of 2000 rai (20001 rai in all);
// nursery bed 2 weeks (200 mm), seedlings 4 weeks (350 mm), field preparation 2 weeks (300 mm),
// ratio 12 typed, clay loam 1.5 mm/day, efficiency 60 %, Chiang Mai (ETo June 4.33, October
// 3.67; rainfall June 119.4 mm), monthly percentage (75 % in June).
// Season: 20 + 2 + 16 = 38 weeks, rows 6 to 43, totals in row 44; blocks E:J .. DO:DT, summary DU:EE.
TEST(Scenario, RDTransplantedInTwentyGroups) {
  const test::TempFolder home{"tuvo-e2e-home"};
  const Played played = DriveScenario("twenty_groups.txt", home.Path());
  const fs::path saved = ExpectOneSavedWorkbook(played, home.Path(), kRDTransplanted);
  ASSERT_FALSE(saved.empty());
  const XlsReader book(saved);
  EXPECT_EQ(book.SheetNames(), kSavedSheets);

  ExpectText(book, "DO3", "กลุ่มที่" + std::string(" 20"));
  ExpectText(book, "EC3", "ปริมาณฝนใช้การ");
  ExpectDate(book, "C6", year{2010} / June / 1);
  ExpectDate(book, "D43", year{2011} / February / 21);
  ExpectNumbers(book, {
      {"B43", 38},
      // Group 1: nursery 1 / 12 rai in weeks 1 to 6, 200 / 3 and 400 / 3 mm, 0, 350 / 3 mm.
      {"E6", 1.0 / 12}, {"E11", 1.0 / 12}, {"F6", 200.0 / 3}, {"F7", 400.0 / 3}, {"F8", 0}, {"F9", 350.0 / 3},
      {"G10", 1}, {"H10", 100}, {"G11", 1}, {"H11", 200}, {"I12", 1}, {"J12", 1.03}, {"I24", 1}, {"J24", 0.86},
      // Group 20 starts in week 20: nursery rows 25 to 30, field rows 29 and 30, crop rows 31 to 43.
      {"DO25", 2000.0 / 12}, {"DO30", 2000.0 / 12}, {"DP25", 200.0 / 3}, {"DP27", 0},
      {"DQ29", 2000}, {"DR29", 100}, {"DQ30", 2000}, {"DR30", 200},
      {"DS31", 2000}, {"DT31", 1.03}, {"DS43", 2000}, {"DT43", 0.86},
      {"DU6", 30.31},             // 7 x 4.33
      {"DV11", 5001.0 / 12},      // week 6: groups 1 to 6 in the nursery
      {"DW11", 1001},             // week 6: groups 1 and 2 prepare their fields
      {"DX25", 13000},            // week 20: groups 2 to 14 planted
      {"DX43", 2000},             // the last week: group 20 alone
      {"DY44", 20001.0 / 12 * 880},  // every group's nursery: rai / 12 x 1.6 x (200 + 350) mm
      {"DZ44", 20001.0 * 480},       // every group's field: rai x 1.6 x 300 mm
      // Week 20 (12 to 18 October, ETo 7 x 3.67 held as a single-precision 25.69): the groups
      // 2 to 14 in crop weeks 13 to 1, so the thirteen Kc values once each (16.11) x 1000 rai.
      {"EA25", 662185.45},
      {"EB25", 13000 * 16.8},     // planted rai x 1.5 x 7 / 1000 x 1600
      {"EB44", 20001 * 13 * 16.8},
      {"EC6", 2.79},              // 1 / 12 rai x 7 x 89.55 / 30 mm x 1.6
      {"EC9", 8360.79},           // 3001 / 12 rai x 20.895 mm x 1.6
      {"ED6", 1.6 / 12 * 200 / 3 - 2.79}, {"EE6", (1.6 / 12 * 200 / 3 - 2.79) * 100 / 60},
  });
  ExpectEmpty(book, {"E12", "DO24", "I25", "DS30", "EF6"});
}

// ---- The tool's own form, as a process

TEST(DriveTool, ExitStatusAndReportOfTheProcess) {
  const test::TempFolder home{"tuvo-e2e-home"};
  const fs::path file = home.Path() / "scenario.txt";
  std::ofstream(file) << "# the start state\n"
                         "expect cmdRun enabled false\n"
                         "click cmdRun\n"
                         "expect lblweek text ?\n";
  Played played = Drive(file, home.Path());
  EXPECT_EQ(played.status, 1);
  EXPECT_EQ(played.output, "line 3: cmdRun: cannot press, it is disabled\n");

  std::ofstream(file, std::ios::trunc) << "expect cmdRun enabled false\n\nexpect lblweek text ?\n";
  played = Drive(file, home.Path());
  EXPECT_EQ(played.status, 0);
  EXPECT_EQ(played.output, "");

  std::ofstream(file, std::ios::trunc) << "expect lblweek text ?\nexpect lblweek\n";
  played = Drive(file, home.Path());
  EXPECT_EQ(played.status, 1);
  EXPECT_TRUE(played.output.starts_with("line 2: ")) << played.output;

  played = Drive(home.Path() / "missing.txt", home.Path());
  EXPECT_EQ(played.status, 2);

  played = Drive({}, home.Path(), {"one", "two"});
  EXPECT_EQ(played.status, 2);
  EXPECT_FALSE(fs::exists(home.Path() / "TUVO_Output"));
}

// Compute refused for want of an efficiency: the program's message box is printed and answered,
// the window goes on, and nothing is saved.
TEST(DriveTool, AMessageOfTheProgramIsPrintedAndAnswered) {
  const test::TempFolder home{"tuvo-e2e-home"};
  const fs::path file = home.Path() / "scenario.txt";
  std::ofstream(file) << "pick cboSamnuk " << "สำนักชลประทานที่ 7" << "\n"
                      << "pick cboProvince " << "อุบลราชธานี" << "\n"
                      << "pick cboCroptype " << kRDTransplanted << "\n"
                      << "pick cboSoiltype " << "ดินเหนียว(Clay)" << "\n"
                      << "pick cboDeeper 1.0\n"
                         "pick cboEfficiency 50\n"
                         "pick cboGroup 1\n"
                         "pick cboFirstdate 1\n"
                      << "pick cboFirstmonth " << kMonthNames[0] << "\n"
                      << "pick cboFirstyear 2552\n"
                      // Own rainfall chosen and no month typed: Compute refuses with a message.
                      << "click optRe02\n"
                         "click txtArea2\n"
                         "click cmdInputArea\n"
                         "click cmdRun\n"
                         "expect cmdRun visible true\n"
                         "expect cmdRun2 visible false\n";
  const Played played = Drive(file, home.Path());
  EXPECT_EQ(played.status, 0) << played.output;
  ASSERT_EQ(played.messages.size(), 1u) << played.output;
  EXPECT_FALSE(played.messages[0].empty());
  EXPECT_TRUE(played.saved.empty());
}

}  // namespace
}  // namespace tuvo
