// The summary sheet of the saved workbook, read back with FreeXL: the input rows with the
// crop's dash blocks, one area row per group, one rainfall row per month of the season (also over
// the turn of the year and after New computation) and the season totals beside the calculation
// sheet's totals row. The window is filled through the controls' user actions; HOME is a
// temporary folder, so the output folder is never the real one.
#include <QCoreApplication>
#include <QMessageBox>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include <stdlib.h>

#include "forms/frmTUVO.h"
#include "forms/location_catalogue.h"
#include "forms/main_fields.h"
#include "platform/controls.h"
#include "platform/locale.h"
#include "platform/sheet/sheet.h"
#include "platform/system.h"
#include "season/season.h"
#include "support/temp_folder.h"
#include "support/xls_reader.h"

namespace tuvo {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view SummarySheet = "สรุป";
constexpr std::string_view CalcSheet = "ตารางแสดงรายการคำนวณ";

// Two stations of the rainfall tables, with their months (January first) as stored.
constexpr std::string_view Ubon = "อุบลราชธานี";
constexpr std::string_view UbonRain[12] = {"1.2", "16.5", "24.9", "85.8", "210.1", "261",
                                           "251.9", "308.3", "289.7", "108", "22.7", "1.3"};
constexpr std::string_view ChiangMai = "เชียงใหม่";
constexpr std::string_view ChiangMaiRain[12] = {"7.7", "9.2", "17.3", "54.5", "155.4", "119.4",
                                                "157.6", "224.4", "202.4", "116.6", "51.4", "18.1"};

constexpr std::string_view MonthAbbrev[12] = {"ม.ค.", "ก.พ.", "มี.ค.", "เม.ย.", "พ.ค.", "มิ.ย.", "ก.ค.", "ส.ค.", "ก.ย.", "ต.ค.", "พ.ย.", "ธ.ค."};

// ---- Rows 1 to 40: each row's text joined from literals, runs of blanks and list texts.

struct Piece {
  enum Kind { Literal, Blank, ListText } kind;
  std::string_view text;  // the literal, or the list's (or form field's) name
  int blanks = 0;
};
Piece Lit(std::string_view text) { return {Piece::Literal, text}; }
Piece Blanks(int count) { return {Piece::Blank, {}, count}; }
Piece List(std::string_view name) { return {Piece::ListText, name}; }

struct InputRow {
  int row;
  bool heading;
  std::vector<Piece> pieces;
};

const std::vector<InputRow> InputRows = {
    {1, true, {Lit("โปรแกรมคำนวณความต้องการน้ำชลประทานของข้าว")}},
    {2, true, {Lit("TUVO")}},
    {4, true, {Lit("สถานที่ :")}},
    {5, false, {Lit("-"), Blanks(1), List("OfficeText")}},
    {6, false, {Lit("-"), Blanks(1), List("ProjectText")}},
    {7, false, {Lit("-"), Blanks(1), List("SectionText")}},
    {9, true, {Lit("พื้นที่เพาะปลูกอยู่ในจังหวัด :")}},
    {10, false, {Lit("-"), Blanks(1), Lit("จังหวัด"), Blanks(1), List("ProvinceText")}},
    {12, true, {Lit("ชนิดข้าวที่ปลูก :")}},
    {13, false, {Lit("-"), Blanks(1), List("CropText")}},
    {15, true, {Lit("จำนวนกลุ่มพื้นที่เตรียมแปลง :")}},
    {16, false, {Lit("-"), Blanks(1), Lit("แบ่งพื้นที่เตรียมแปลงออกเป็น"), Blanks(1), List("cboGroup"), Blanks(1), Lit("กลุ่ม")}},
    {18, true, {Lit("การเตรียมแปลงกล้าและตกกล้า :")}},
    {19, false, {Lit("- เริ่มเตรียมแปลงกล้า   วันที่"), Blanks(3), List("cboFirstdate"), Blanks(3), Lit("เดือน"), Blanks(3), List("cboFirstmonth"), Blanks(3), Lit("ปี"), Blanks(3), List("cboFirstyear")}},
    {20, false, {Lit("- ระยะเวลาเตรียมแปลงกล้าและตกกล้า"), Blanks(3), List("cboTriamplangKla"), Blanks(3), Lit("สัปดาห์")}},
    {21, false, {Lit("- กำหนดพื้นที่ตกกล้า 1 ไร่ปักดำได้"), Blanks(3), List("cboATokla"), Blanks(3), Lit("ไร่")}},
    {22, false, {Lit("- ปริมาณน้ำที่ใช้เพื่อการเตรียมดินแปลงกล้า"), Blanks(3), List("cboTriamdinkla"), Blanks(3), Lit("มม.")}},
    {23, false, {Lit("- ปริมาณน้ำที่ใช้เพื่อการเลี้ยงกล้า"), Blanks(3), List("cboLiengkla"), Blanks(3), Lit("มม.")}},
    {25, true, {Lit("การเตรียมแปลงนาดำ :")}},
    {26, false, {Lit("- ระยะเวลาเตรียมแปลงนาดำ"), Blanks(3), List("cboTriamplangNaDam"), Blanks(3), Lit("สัปดาห์")}},
    {27, false, {Lit("- ปริมาณน้ำที่ใช้เพื่อการเตรียมดิน"), Blanks(3), List("cboNadam1"), Blanks(3), Lit("มม.")}},
    {29, true, {Lit("การเตรียมแปลงนาหว่านน้ำตม :")}},
    {30, false, {Lit("- เริ่มเตรียมแปลง   วันที่"), Blanks(3), List("cboFirstdate"), Blanks(3), Lit("เดือน"), Blanks(3), List("cboFirstmonth"), Blanks(3), Lit("ปี"), Blanks(3), List("cboFirstyear")}},
    {31, false, {Lit("- ระยะเวลาเตรียมแปลงนาหว่านน้ำตม"), Blanks(3), List("cboTriamplangNaWan"), Blanks(3), Lit("สัปดาห์")}},
    {32, false, {Lit("- ระยะเวลาหยุดส่งน้ำหลังจากหว่านข้าว"), Blanks(3), List("cboStop"), Blanks(3), Lit("สัปดาห์")}},
    {33, false, {Lit("- ปริมาณน้ำที่ใช้เพื่อการเตรียมดิน"), Blanks(3), List("cboNawan1"), Blanks(3), Lit("มม.")}},
    {35, true, {Lit("คุณสมบัติของดิน :")}},
    {36, false, {Lit("- ชนิดของเนื้อดิน"), Blanks(3), List("cboSoiltype")}},
    {37, false, {Lit("- อัตราการรั่วซึมในแปลงนา"), Blanks(3), List("cboDeeper"), Blanks(3), Lit("มม./วัน")}},
    {39, true, {Lit("ประสิทธิภาพ :")}},
    {40, false, {Lit("- ประสิทธิภาพการส่งน้ำ"), Blanks(3), List("cboEfficiency"), Blanks(3), Lit("%")}},
};

// The form fields the run copies from its lists at its start.
constexpr std::pair<std::string_view, std::string_view> CopiedLists[] = {
    {"OfficeText", "cboSamnuk"}, {"ProjectText", "cboKrongkan"}, {"SectionText", "cboFai"},
    {"ProvinceText", "cboProvince"}, {"CropText", "cboCroptype"}};

// The list whose text a piece names.
std::string ListTextOf(const frmTUVO& w, std::string_view name) {
  for (auto [field, list] : CopiedLists) {
    if (field == name) name = list;
  }
  const auto* list = dynamic_cast<const controls::ComboBox*>(w.FindControl(name));
  if (list == nullptr) throw std::logic_error("no list " + std::string(name));
  return list->Text();
}

// Rows of the nursery and transplanted-field blocks, and of the wet-seeded block.
bool TransplantedBlockRow(int row) { return (row >= 19 && row <= 23) || row == 26 || row == 27; }
bool WetSeededBlockRow(int row) { return row >= 30 && row <= 33; }

// The text of an input row for the crop: a block that does not apply to the crop shows "-" in
// place of each list text.
std::string ExpectedText(const InputRow& r, const frmTUVO& w, std::string_view crop) {
  const bool dashes = (crop == RDWetSeeded && TransplantedBlockRow(r.row)) ||
                      ((crop == RDTransplanted || crop == KDML105Transplanted) && WetSeededBlockRow(r.row));
  std::string text;
  for (const Piece& p : r.pieces) {
    switch (p.kind) {
      case Piece::Literal: text += p.text; break;
      case Piece::Blank: text += std::string(static_cast<std::size_t>(p.blanks), ' '); break;
      case Piece::ListText: text += dashes ? std::string("-") : ListTextOf(w, p.text); break;
    }
  }
  return text;
}

// ---- Area, rainfall and totals rows.

constexpr std::string_view AreaHeading = "ขนาดพื้นที่ :";
constexpr std::string_view AreaDash = "-", AreaGroup = "กลุ่มที่", AreaWord = "พื้นที่";
constexpr std::string_view AreaUnit = "ไร่";
constexpr std::string_view RainHeading = "ปริมาณน้ำฝนเฉลี่ยรายเดือน :";
constexpr std::string_view MonthDash = "-", MonthWord = "เดือน", MonthMean = "ปริมาณฝนเฉลี่ยรายเดือน",
                           MonthMm = "มม.", MonthEff = "ปริมาณฝนใช้การเฉลี่ยรายเดือน", MonthMm2 = "มม.";
constexpr std::string_view TotalsHeading = "ปริมาณการใช้น้ำชลประทานของข้าว :";
// The six labels above the gross line, nursery water to net water.
constexpr std::string_view TotalLabels[6] = {"- รวมปริมาณน้ำที่ใช้ในการตกกล้า", "- รวมปริมาณน้ำที่ใช้ในการเตรียมแปลง", "- รวมปริมาณการใช้น้ำของข้าว (ET)", "- รวมปริมาณการซึมเลยเขตราก (Deepercolation)", "- รวมปริมาณฝนใช้การ (Effective Rainfall)", "- รวมปริมาณความต้องการใช้น้ำชลประทานของข้าว"};
constexpr std::string_view TotalUnit = "ลบ.ม.";
constexpr std::string_view GrossLabel = "- รวมปริมาณน้ำชลประทานที่ต้องส่งในแปลงนาที่ประสิทธิภาพ", GrossPercent = "%",
                           GrossAmount = "เป็นจำนวน";

// One month row as the rules build it: month m (1 to 12), its mean rainfall as stored and its
// effective rainfall by the chosen method, both in mm.
struct MonthRain {
  unsigned month;
  std::string_view rain, effective;
};
std::string MonthRow(const MonthRain& m) {
  const std::string two = "  ";
  return std::string(MonthDash) + " " + std::string(MonthWord) + two + std::string(MonthAbbrev[m.month - 1]) + two +
         std::string(MonthMean) + two + std::string(m.rain) + two + std::string(MonthMm) + two +
         std::string(MonthEff) + two + std::string(m.effective) + two + std::string(MonthMm2);
}

// The month rows of a station by the monthly percentage (June to October at 75, 75, 75, 75, 65).
std::vector<MonthRain> UbonJuneToOctoberByPercentage() {
  return {{6, UbonRain[5], "195.75"}, {7, UbonRain[6], "188.925"}, {8, UbonRain[7], "231.225"},
          {9, UbonRain[8], "217.275"}, {10, UbonRain[9], "70.2"}};
}

// ---- The fixture.

// A season as the user enters it.
struct Season {
  std::string_view station;
  std::string_view crop;
  std::vector<std::string> areas;  // typed, one per group
  std::string day;
  unsigned month;
  std::string year;  // Buddhist era
  std::string efficiency;
  controls::OptionButton frmTUVO::*method;  // effective-rainfall method
};

class SummaryE2ETest : public ::testing::Test {
 protected:
  SummaryE2ETest() {
    frm_ = std::make_unique<frmTUVO>(fields_);
    frm_->show();
    frm_->activateWindow();
    QCoreApplication::processEvents();
  }

  ~SummaryE2ETest() override {
    frm_.reset();
    system::SetClock({});
  }

  frmTUVO& frm() { return *frm_; }

  // Fills the window through the user's actions up to an open Compute button.
  void Enter(const Season& s) {
    frmTUVO& w = frm();
    std::string_view office;
    for (std::string_view o : OfficeList()) {
      const auto stations = OfficeStationList(o);
      if (std::find(stations.begin(), stations.end(), s.station) != stations.end()) office = o;
    }
    ASSERT_FALSE(office.empty()) << s.station;
    w.cboSamnuk.Pick(office);
    const std::string_view project = OfficeProjectList(office).front();
    w.cboKrongkan.Pick(project);
    w.cboFai.Pick(ProjectSectionList(project).front());
    w.cboProvince.Pick(s.station);
    w.cboCroptype.Pick(s.crop);
    if (s.crop == RDWetSeeded) {
      w.cboTriamplangNaWan.Pick("1");
      w.cboStop.Pick("2");
      w.cboNawan1.Pick(0);
    } else {
      w.cboTriamplangKla.Pick("1");
      w.cboLiengklatime.Pick("4");
      w.cboATokla.Pick("15");
      w.cboTriamdinkla.Pick(0);
      w.cboLiengkla.Pick(0);
      w.cboTriamplangNaDam.Pick("1");
      w.cboNadam1.Pick(0);
    }
    w.cboSoiltype.Pick(2);
    w.cboDeeper.Pick(0);
    w.cboEfficiency.Pick(s.efficiency);
    w.cboGroup.Pick(std::to_string(s.areas.size()));
    w.cboFirstdate.Pick(s.day);
    w.cboFirstmonth.Pick(locale::ThaiMonthName(s.month));
    w.cboFirstyear.Pick(s.year);
    (w.*s.method).UserClick();
    w.txtArea2.ClickIn();
    for (const std::string& area : s.areas) {
      w.txtArea2.Type(area);
      w.cmdInputArea.Press();
    }
    ASSERT_TRUE(w.cmdRun.Enabled()) << "the area entry has finished";
  }

  // Compute at the given second of 20 May 2552; the files it added to the output folder.
  std::vector<fs::path> Compute(int second) {
    const std::vector<fs::path> before = OutputFiles();
    system::SetClock([this, second] {
      if (duringRun) duringRun();
      return locale::DateTime{std::chrono::year{2009} / 5 / 20, 9, 0, second};
    });
    frm().cmdRun.Press();
    system::SetClock({});
    std::vector<fs::path> added;
    for (const fs::path& p : OutputFiles()) {
      if (std::find(before.begin(), before.end(), p) == before.end()) added.push_back(p);
    }
    return added;
  }

  // Compute, expecting one saved workbook and no message.
  fs::path ComputeOne(int second) {
    const std::vector<fs::path> added = Compute(second);
    EXPECT_EQ(Message("RunFailure"), nullptr);
    EXPECT_EQ(Message("RunRefusal"), nullptr);
    EXPECT_EQ(added.size(), 1u);
    return added.empty() ? fs::path() : added.front();
  }

  std::vector<fs::path> OutputFiles() const {
    std::vector<fs::path> files;
    const fs::path folder = home_.Path() / "TUVO_Output";
    if (!fs::exists(folder)) return files;
    for (const auto& entry : fs::directory_iterator(folder)) files.push_back(entry.path());
    return files;
  }

  QMessageBox* Message(const char* name) { return frm().findChild<QMessageBox*>(name); }

  MainFields fields_;
  std::function<void()> duringRun;  // called when the run reads the clock, after its checks

 private:
  test::TempHome home_{"tuvo-summary-e2e"};  // HOME while the test runs; given back after the window has gone
  std::unique_ptr<frmTUVO> frm_;
};

// The saved summary of a season of `groups` groups and `weeks` weeks, with the month rows
// `months`, checked against the rules and against the saved calculation sheet's totals row.
void ExpectSummary(const test::XlsReader& xls, const frmTUVO& w, const Season& s, int weeks,
                   const std::vector<MonthRain>& months) {
  const std::string summary(SummarySheet), calc(CalcSheet);
  const auto text = [&](int row, int column) { return xls.Cell(summary, row, column); };
  const auto empty = [&](int row, int column) { return std::holds_alternative<std::monostate>(text(row, column)); };
  const int K = static_cast<int>(s.areas.size());
  const int M = static_cast<int>(months.size());

  // Rows 1 to 41: column A only; the rows between the blocks stay empty.
  std::vector<bool> written(42, false);
  for (const InputRow& r : InputRows) {
    written[static_cast<std::size_t>(r.row)] = true;
    EXPECT_EQ(text(r.row, 1), sheet::Value{ExpectedText(r, w, s.crop)}) << "A" << r.row;
  }
  for (int row = 1; row <= 41; ++row) {
    if (!written[static_cast<std::size_t>(row)]) {
      EXPECT_TRUE(empty(row, 1)) << "A" << row;
    }
    for (int column = 2; column <= 8; ++column) EXPECT_TRUE(empty(row, column)) << row << "," << column;
  }

  // Group areas: rows 43 to 42 + K, then an empty row.
  EXPECT_EQ(text(42, 1), sheet::Value{std::string(AreaHeading)});
  for (int g = 1; g <= K; ++g) {
    const int row = 42 + g;
    EXPECT_EQ(text(row, 1), sheet::Value{std::string(AreaDash) + " " + std::string(AreaGroup) + " " +
                                         std::to_string(g) + "   " + std::string(AreaWord)})
        << "A" << row;
    const double area = *locale::TryToNumber(s.areas[static_cast<std::size_t>(g - 1)]);
    EXPECT_EQ(text(row, 2), sheet::Value{area}) << "B" << row;
    EXPECT_EQ(text(row, 3), sheet::Value{std::string(AreaUnit)}) << "C" << row;
  }
  for (int column = 1; column <= 8; ++column) EXPECT_TRUE(empty(K + 43, column)) << "row K + 43, " << column;

  // Monthly rainfall: heading in row K + 44, then one row per month, then an empty row.
  EXPECT_EQ(text(K + 44, 1), sheet::Value{std::string(RainHeading)});
  for (int j = 1; j <= M; ++j) {
    const int row = K + 44 + j;
    EXPECT_EQ(text(row, 1), sheet::Value{MonthRow(months[static_cast<std::size_t>(j - 1)])}) << "A" << row;
    for (int column = 2; column <= 8; ++column) EXPECT_TRUE(empty(row, column)) << row << "," << column;
  }
  for (int column = 1; column <= 8; ++column) EXPECT_TRUE(empty(K + M + 45, column)) << "row K + M + 45, " << column;

  // Season totals: heading in row K + M + 46, seven lines below it; each value is the total of
  // the calculation sheet's totals row (the columns 6G + 9 to 6G + 15) to 2 decimals.
  const int heading = K + M + 46;
  EXPECT_EQ(text(heading, 1), sheet::Value{std::string(TotalsHeading)});
  EXPECT_TRUE(empty(heading, 7) && empty(heading, 8));
  ASSERT_EQ(xls.Cell(calc, weeks + 5, 2), sheet::Value{static_cast<double>(weeks)}) << "the season's last week";
  const std::string gross = std::string(GrossLabel) + " " + s.efficiency + " " + std::string(GrossPercent) + " " +
                            std::string(GrossAmount);
  for (int i = 0; i < 7; ++i) {
    const int row = heading + 1 + i;
    EXPECT_EQ(text(row, 1), sheet::Value{i < 6 ? std::string(TotalLabels[i]) : gross}) << "A" << row;
    const sheet::Value total = xls.Cell(calc, weeks + 6, 6 * K + 9 + i);
    const sheet::Value shown = text(row, 7);
    ASSERT_TRUE(std::holds_alternative<double>(total)) << "calculation total " << i;
    ASSERT_TRUE(std::holds_alternative<double>(shown)) << "G" << row;
    EXPECT_NEAR(std::get<double>(shown), std::nearbyint(std::get<double>(total) * 100) / 100, 1e-7) << "G" << row;
    EXPECT_EQ(text(row, 8), sheet::Value{std::string(TotalUnit)}) << "H" << row;
    if (i == 6) {
      EXPECT_GT(std::get<double>(shown), 0) << "water to deliver";
    }
  }
  EXPECT_EQ(xls.RowCount(1), heading + 7) << "nothing below the totals";
}

// RD rice wet-seeded in five groups from 1 June 2552, 1 + 15 weeks after the groups: 21 weeks to
// 25 October, five month rows; the nursery and transplanted-field blocks show dashes.
TEST_F(SummaryE2ETest, WetSeededFiveGroupsFromJuneShowsItsBlocksAreasMonthsAndTotals) {
  const Season season{Ubon, RDWetSeeded, {"1000", "1200", "900", "1500", "750"}, "1", 6, "2552", "75",
                      &frmTUVO::optRe1};
  Enter(season);
  const fs::path file = ComputeOne(1);
  ASSERT_FALSE(file.empty());
  const test::XlsReader xls(file);
  ASSERT_EQ(xls.SheetNames().front(), SummarySheet);
  ExpectSummary(xls, frm(), season, 21, UbonJuneToOctoberByPercentage());
  // Five groups: areas in rows 43 to 47, the rainfall heading in row 49, June in row 50.
  EXPECT_EQ(xls.Cell(1, 47, 2), sheet::Value{750.0});
  EXPECT_EQ(xls.Cell(1, 49, 1), sheet::Value{std::string(RainHeading)});
  EXPECT_EQ(xls.Cell(1, 50, 1), sheet::Value{MonthRow({6, UbonRain[5], "195.75"})});
}

// A first season on one station by ECI, New computation, then KDML 105 rice from 15 November 2551
// on another station by USDA SCS: 3 + 1 + 17 = 21 weeks to 10 April 2552, six month rows over the
// turn of the year; the second summary shows only the second station's rainfall and the second
// method's values, and its wet-seeded block shows dashes.
TEST_F(SummaryE2ETest, SecondSeasonAfterNewComputationShowsOnlyItsStationAndMethodAcrossTheYear) {
  const Season first{Ubon, RDTransplanted, {"1000", "1200", "900"}, "1", 6, "2552", "70", &frmTUVO::optRe2};
  Enter(first);
  const fs::path firstFile = ComputeOne(1);
  ASSERT_FALSE(firstFile.empty());
  {
    // 3 + 1 + 16 = 20 weeks to 18 October; ECI counts the first 200 mm whole, then 65 % of the
    // next 50 and 45 % of the 50 after.
    const test::XlsReader xls(firstFile);
    ExpectSummary(xls, frm(), first, 20,
                  {{6, UbonRain[5], "244.65"}, {7, UbonRain[6], "238.735"}, {8, UbonRain[7], "273.735"},
                   {9, UbonRain[8], "263.305"}, {10, UbonRain[9], "108"}});
  }

  frm().cmdRun2.Press();
  const Season second{ChiangMai, KDML105Transplanted, {"800", "600", "400"}, "15", 11, "2551", "60",
                      &frmTUVO::optUSDA};
  Enter(second);
  const fs::path secondFile = ComputeOne(2);
  ASSERT_FALSE(secondFile.empty());
  const test::XlsReader xls(secondFile);
  // USDA SCS below 250 mm: R x (125 - 0.2 R) / 125.
  ExpectSummary(xls, frm(), second, 21,
                {{11, ChiangMaiRain[10], "47.172864"}, {12, ChiangMaiRain[11], "17.575824"},
                 {1, ChiangMaiRain[0], "7.605136"}, {2, ChiangMaiRain[1], "9.064576"},
                 {3, ChiangMaiRain[2], "16.821136"}, {4, ChiangMaiRain[3], "49.7476"}});
}

// Stored areas with a thousands separator and with a decimal are read by the run as the locale
// reads them: the nursery of group 1 is 1500 / 15 = 100 rai, and the summary shows both areas.
TEST_F(SummaryE2ETest, AreasWithAThousandsSeparatorOrADecimalAreComputedAndSaved) {
  const Season season{Ubon, RDTransplanted, {"1,500", "1500.5"}, "1", 6, "2552", "75", &frmTUVO::optRe1};
  Enter(season);
  const fs::path file = ComputeOne(1);
  ASSERT_FALSE(file.empty());
  const test::XlsReader xls(file);
  const std::string calc(CalcSheet);
  // Group 1 (columns E:J) from week 1, group 2 (K:P) from week 2; field preparation in the fifth
  // nursery week.
  EXPECT_EQ(xls.Cell(calc, 6, 5), sheet::Value{100.0});
  EXPECT_EQ(xls.Cell(calc, 10, 7), sheet::Value{1500.0});
  const sheet::Value second = xls.Cell(calc, 7, 11);
  ASSERT_TRUE(std::holds_alternative<double>(second));
  EXPECT_NEAR(std::get<double>(second), 1500.5 / 15, 1e-9);
  EXPECT_EQ(xls.Cell(calc, 11, 13), sheet::Value{1500.5});
  EXPECT_EQ(xls.Cell(std::string(SummarySheet), 43, 2), sheet::Value{1500.0});
  EXPECT_EQ(xls.Cell(std::string(SummarySheet), 44, 2), sheet::Value{1500.5});
}

// An area the run cannot read (150 and the unit, which the entry refuses) set into the stored areas
// after a completed entry: Compute refuses before the run, or the run, handed it after its
// checks, fails; either way a message box, no file, input released.
TEST_F(SummaryE2ETest, AnUnreadableStoredAreaIsReportedAndNothingIsSaved) {
  const std::string unreadable = "150 " + std::string(AreaUnit);
  const Season season{Ubon, RDTransplanted, {"1500"}, "1", 6, "2552", "75", &frmTUVO::optRe1};

  // Before Compute: refused, the run never starts.
  Enter(season);
  fields_.GroupArea[1] = unreadable;
  EXPECT_TRUE(Compute(1).empty());
  QMessageBox* refusal = Message("RunRefusal");
  ASSERT_NE(refusal, nullptr);
  EXPECT_NE(refusal->text().toStdString().find(unreadable), std::string::npos) << refusal->text().toStdString();
  EXPECT_FALSE(system::InputBlocked());
  EXPECT_TRUE(frm().cmdRun.Visible() && frm().cmdRun.Enabled());
  refusal->close();
  delete refusal;

  // During the run, after its checks: the run fails, saves nothing and hands the window back.
  fields_.GroupArea[1] = "1500";
  duringRun = [this, unreadable] { fields_.GroupArea[1] = unreadable; };
  EXPECT_TRUE(Compute(2).empty());
  QMessageBox* failure = Message("RunFailure");
  ASSERT_NE(failure, nullptr);
  EXPECT_TRUE(failure->isVisible());
  EXPECT_NE(failure->text().toStdString().find(unreadable), std::string::npos) << failure->text().toStdString();
  EXPECT_FALSE(system::InputBlocked());
  EXPECT_EQ(frm().ProgressWindow(), nullptr);
  EXPECT_TRUE(frm().isVisible());
  EXPECT_TRUE(frm().cmdRun2.Visible() && frm().cmdRun2.Enabled());
  if (fields_.ExcelApp) {
    EXPECT_EQ(fields_.ExcelApp->Workbooks().Count(), 0) << "the unsaved workbook is closed";
  }
  EXPECT_TRUE(OutputFiles().empty());
}

}  // namespace
}  // namespace tuvo
