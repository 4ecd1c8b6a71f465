// Compute from the user's side: the window is filled through the controls' user actions, Compute
// is clicked, and the saved file (read back with FreeXL) and the open result workbook are checked.
// HOME is a temporary folder, so the output folder is never the real one.
#include <QCoreApplication>
#include <QMessageBox>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <memory>
#include <utility>
#include <variant>
#include <thread>
#include <vector>

#include <stdlib.h>
#include <unistd.h>

#include "eto/select_station_eto.h"
#include "forms/frmTUVO.h"
#include "forms/location_catalogue.h"
#include "forms/main_fields.h"
#include "platform/controls.h"
#include "platform/locale.h"
#include "platform/office/office_service.h"
#include "platform/process/process.h"
#include "platform/sheet/sheet.h"
#include "platform/system.h"
#include "platform/xls/office_application.h"
#include "season/season.h"
#include "support/office_wait.h"
#include "support/processes.h"
#include "support/stand_in_office.h"
#include "support/temp_folder.h"
#include "support/xls_reader.h"

namespace tuvo {
namespace {

namespace fs = std::filesystem;
namespace xl = sheet::xl;
using std::chrono::days;
using std::chrono::sys_days;

// Texts of the result workbook.
constexpr std::string_view CalcSheet = "ตารางแสดงรายการคำนวณ";
constexpr std::string_view SummarySheet = "สรุป";
constexpr std::string_view DeliveryChart = "กราฟแสดงปริมาณน้ำที่ต้องส่ง";
constexpr std::string_view FieldUseChart = "กราฟแสดงปริมาณน้ำที่ใช้ในแปลง";
constexpr std::string_view GroupCaption = "กลุ่มที่";

// Row 4, row 5 and width of the six columns of a group block, offset 4 taking the crop's caption.
struct BlockColumn {
  std::string_view caption, unit;
  double width;
};
constexpr BlockColumn GroupBlock[] = {
    {"พ.ท.ตกกล้า", "(ไร่)", 10},  {"น้ำเตรียมแปลงและเลี้ยงกล้า", "(มม.)", 25},
    {"พ.ท.เตรียมแปลง", "(ไร่)", 13}, {"น้ำเตรียมแปลง", "(มม.)", 15},
    {"พ.ท.ปักดำ", "(ไร่)", 10},    {"Kc", "", 7},
};
constexpr std::string_view SownCaption = "พ.ท.หว่าน";

// The 22 lists the run locks.
constexpr std::string_view LockedLists[] = {
    "cboSamnuk", "cboKrongkan", "cboFai", "cboProvince", "cboCroptype", "cboGroup",
    "cboTriamplangKla", "cboLiengklatime", "cboATokla", "cboTriamdinkla", "cboLiengkla",
    "cboTriamplangNaDam", "cboNadam1", "cboTriamplangNaWan", "cboStop", "cboNawan1",
    "cboSoiltype", "cboDeeper", "cboEfficiency", "cboFirstdate", "cboFirstmonth", "cboFirstyear"};

// The clock at the run: 20 May 2009 (2552 in the Buddhist era), 14:03:09.
const locale::DateTime RunClock{std::chrono::year{2009} / 5 / 20, 14, 3, 9};
// The file name's time stamp for that clock, without leading zeros.
std::string RunStamp() { return "20 " + locale::ThaiMonthName(5) + " 2552 14-3-9"; }

// The season's first day as the user picks it: 20 พฤษภาคม 2552.
const locale::Date SeasonStart = std::chrono::year{2009} / 5 / 20;

bool Thin(const sheet::Border& b) {
  return b.lineStyle == xl::Continuous && b.weight == xl::Thin && b.colorIndex == xl::Automatic;
}
bool NoLine(const sheet::Border& b) { return b.lineStyle == xl::None; }
bool HeaderFill(const sheet::CellFormat& f) { return f.interiorColorIndex == 35 && f.interiorPattern == xl::Solid; }

// The four edges of rows first .. last of one column are thin lines.
bool OutlinedColumn(const sheet::Worksheet& sheet, int column, int first, int last) {
  for (int row = first; row <= last; ++row) {
    const sheet::CellFormat& f = sheet.FormatAt(row, column);
    if (!Thin(f.left) || !Thin(f.right)) return false;
  }
  return Thin(sheet.FormatAt(first, column).top) && Thin(sheet.FormatAt(last, column).bottom);
}

// A season as the user enters it.
struct Season {
  std::string_view crop = RDTransplanted;
  int groups = 1;
  bool pickPreparation = true;  // false leaves every preparation list empty
  std::string efficiency = "75";
  int section = 0;  // index into the project's sections
  std::string area(int g) const { return std::to_string(100 + 10 * g); }
};

// Weeks of the season of an RD transplanted crop with 1 + 4 nursery weeks, or of the wet-seeded
// crop with 2 preparation and 2 stop weeks.
int WeeksOf(const Season& s) { return s.crop == RDWetSeeded ? s.groups + 13 + 2 + 2 : s.groups + 12 + 5; }

// The progress a run shows, as (bar, text), by the fixed table.
std::vector<frmTUVO2::Step> ExpectedProgress(int groups) {
  std::vector<frmTUVO2::Step> steps;
  const auto text = [](int value) { return std::to_string(value) + " % Completed"; };
  for (int value : {1, 3, 5, 8}) steps.push_back({static_cast<double>(value), text(value)});
  for (int g = 1; g <= groups; ++g) steps.push_back({8 + groups / 20.0, text(8)});
  for (int value : {26, 35, 37, 39, 42, 43, 46, 49, 52, 55, 58, 61, 64, 67, 75, 77, 80, 83, 85, 88, 91,
                    93, 94, 95, 96, 97, 98, 100}) {
    steps.push_back({static_cast<double>(value), text(value)});
  }
  return steps;
}

class ComputeTest : public ::testing::Test {
 protected:
  ComputeTest() {
    system::SetClock([this] {
      ++clockReads;
      blockedAtClock = system::InputBlocked();
      return RunClock;
    });
    NewWindow();
  }

  ~ComputeTest() override {
    frm_.reset();
    fields_.reset();
    system::SetClock({});
    office::OfficeService::Install(nullptr);
    // The offices a test started end after it, by their watchdogs; they use HOME until they end.
    EXPECT_TRUE(test::NoneLeft(test::OfficesOf(getpid())));
  }

  // A main window of its own on fresh fields, shown as at program start.
  void NewWindow() {
    frm_.reset();
    fields_ = std::make_unique<MainFields>();
    frm_ = std::make_unique<frmTUVO>(*fields_);
    frm_->show();
    frm_->activateWindow();
    QCoreApplication::processEvents();
  }

  frmTUVO& frm() { return *frm_; }
  MainFields& fields() { return *fields_; }

  // Fills the window as a user does, up to the last group's area; Compute is then enabled.
  void Fill(const Season& s) {
    frmTUVO& w = frm();
    const std::string_view office = OfficeList().front();
    w.cboSamnuk.Pick(office);
    const std::string_view project = OfficeProjectList(office).front();
    w.cboKrongkan.Pick(project);
    w.cboFai.Pick(ProjectSectionList(project)[static_cast<std::size_t>(s.section)]);
    for (std::string_view station : OfficeStationList(office)) {
      if (HasStationETo(station)) {
        w.cboProvince.Pick(station);
        break;
      }
    }
    w.cboCroptype.Pick(s.crop);
    if (s.pickPreparation && s.crop != RDWetSeeded) {
      w.cboTriamplangKla.Pick("1");
      w.cboLiengklatime.Pick("4");
      w.cboATokla.Pick("15");
      w.cboTriamdinkla.Pick("100");
      w.cboLiengkla.Pick("300");
      w.cboTriamplangNaDam.Pick("1");
      w.cboNadam1.Pick("250");
    }
    if (s.crop == RDWetSeeded) w.cboTriamplangNaWan.Pick("2");  // stop weeks and water left to the run
    w.cboSoiltype.Pick(2);
    w.cboDeeper.Pick(0);
    if (!s.efficiency.empty()) w.cboEfficiency.Pick(s.efficiency);
    w.cboGroup.Pick(std::to_string(s.groups));
    w.cboFirstdate.Pick("20");
    w.cboFirstmonth.Pick(locale::ThaiMonthName(5));
    w.cboFirstyear.Pick("2552");
    w.txtArea2.ClickIn();
    for (int g = 1; g <= s.groups; ++g) {
      w.txtArea2.Type(s.area(g));
      w.cmdInputArea.Press();
    }
    ASSERT_TRUE(w.cmdRun.Enabled()) << "the area entry has finished";
  }

  void Compute() { frm().cmdRun.Press(); }

  // New computation, then another section of the same season (its name tells the results apart).
  void NewComputationOfSection(int section) {
    frm().cmdRun2.Press();
    Season next;
    next.section = section;
    Fill(next);
  }

  // The program's office service on `timeouts`, installed and starting, as the program starts it.
  std::shared_ptr<office::OfficeService> StartOffice(office::OfficeTimeouts timeouts = {}) {
    auto office = std::make_shared<office::OfficeService>("soffice", timeouts);
    office::OfficeService::Install(office);
    office->StartInBackground(false);
    return office;
  }

  fs::path OutputFolder() const { return home_.Path() / "TUVO_Output"; }
  // The result's file name: a blank, the crop, a blank, the time stamp, " .xls".
  fs::path ResultFile(std::string_view crop) const {
    return OutputFolder() / (" " + std::string(crop) + " " + RunStamp() + " .xls");
  }
  std::vector<fs::path> OutputFiles() const {
    std::vector<fs::path> files;
    if (!fs::exists(OutputFolder())) return files;
    for (const auto& entry : fs::directory_iterator(OutputFolder())) files.push_back(entry.path());
    return files;
  }

  QMessageBox* Message(const char* name) { return frm().findChild<QMessageBox*>(name); }
  // No run failed, or what its message says.
  ::testing::AssertionResult NoRunFailure() {
    if (QMessageBox* failure = Message("RunFailure")) {
      return ::testing::AssertionFailure() << "the run failed: " << failure->text().toStdString();
    }
    return ::testing::AssertionSuccess();
  }
  sheet::Workbook& Result() { return fields().ExcelApp->ActiveWorkbook(); }

  // The window as every run leaves it, finished or failed.
  void ExpectWindowHandedBack() {
    frmTUVO& w = frm();
    EXPECT_FALSE(system::InputBlocked());
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.ProgressWindow(), nullptr);
    for (std::string_view name : LockedLists) EXPECT_FALSE(w.FindControl(name)->Enabled()) << name;
    EXPECT_FALSE(w.cmdRun.Visible());
    EXPECT_TRUE(w.cmdRun2.Visible());
    EXPECT_TRUE(w.cmdRun2.Enabled());
    EXPECT_FALSE(w.cmdEdit1.Enabled());
    EXPECT_FALSE(w.cmdEdit2.Enabled());
    EXPECT_FALSE(w.cmdHelp.Enabled());
  }

  int clockReads = 0;
  bool blockedAtClock = false;

 private:
  test::TempHome home_{"tuvo-e2e-home"};  // HOME while the test runs; given back after the window has gone
  std::unique_ptr<MainFields> fields_;
  std::unique_ptr<frmTUVO> frm_;
};

// The saved result: its four sheets, and the title row naming the section it was computed for.
void ExpectSavedForSection(const fs::path& file, const std::string& section) {
  const test::XlsReader xls(file);
  EXPECT_EQ(xls.SheetNames().size(), 4u);
  const sheet::Value b1 = xls.Cell(std::string(CalcSheet), 1, 2);
  ASSERT_TRUE(std::holds_alternative<std::string>(b1));
  EXPECT_TRUE(std::get<std::string>(b1).ends_with(",   " + section)) << std::get<std::string>(b1);
}

void ExpectProgress(const std::vector<frmTUVO2::Step>& shown, int groups) {
  const std::vector<frmTUVO2::Step> expected = ExpectedProgress(groups);
  ASSERT_EQ(shown.size(), expected.size()) << groups << " groups";
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_DOUBLE_EQ(shown[i].bar, expected[i].bar) << "step " << i;
    EXPECT_EQ(shown[i].text, expected[i].text) << "step " << i;
  }
}

// The time axis, the group blocks, the merged headers, colours and outlines of a finished
// calculation sheet of `s`.
void ExpectCalcSheetLayout(const sheet::Worksheet& calc, const Season& s) {
  const int n = WeeksOf(s);
  const int last = 6 * s.groups + 15;
  EXPECT_EQ(calc.ValueAt(6, 3), sheet::Value{sheet::DateValue{SeasonStart}});
  EXPECT_EQ(calc.ValueAt(n + 5, 4), sheet::Value{sheet::DateValue{sys_days{SeasonStart} + days{7 * n - 1}}});
  for (int w = 1; w <= n; ++w) EXPECT_EQ(calc.ValueAt(w + 5, 2), sheet::Value{static_cast<double>(w)}) << w;
  EXPECT_EQ(calc.ValueAt(n + 6, 2), sheet::Value{}) << "no week after the last";

  for (int g = 1; g <= s.groups; ++g) {
    EXPECT_EQ(calc.ValueAt(3, 6 * g - 1), sheet::Value{std::string(GroupCaption) + " " + std::to_string(g)});
  }
  for (int offset = 0; offset < 6; ++offset) {
    const int column = 5 + offset;
    const BlockColumn& b = GroupBlock[offset];
    const std::string_view caption = offset == 4 && s.crop == RDWetSeeded ? SownCaption : b.caption;
    EXPECT_EQ(calc.ValueAt(4, column), sheet::Value{std::string(caption)}) << offset;
    EXPECT_EQ(calc.ValueAt(5, column), b.unit.empty() ? sheet::Value{} : sheet::Value{std::string(b.unit)});
    // The group pass widens the nursery-area column of a transplanted crop.
    const double width = offset == 0 && s.crop != RDWetSeeded ? 15 : b.width;
    EXPECT_EQ(calc.ColumnWidth(column), width) << offset;
    EXPECT_TRUE(OutlinedColumn(calc, column, 4, 5)) << offset;
  }

  const std::vector<sheet::Area>& merged = calc.MergedAreas();
  const auto isMerged = [&](std::string_view address) {
    const sheet::Area area = sheet::ParseAddress(address).front();
    return std::find(merged.begin(), merged.end(), area) != merged.end();
  };
  for (std::string_view address : {"B3:B5", "C3:C5", "D3:D5", "E3:J3"}) EXPECT_TRUE(isMerged(address)) << address;
  if (s.groups == 20) {
    EXPECT_TRUE(isMerged("DO3:DT3"));
  }
  EXPECT_EQ(merged.size(), 3u + static_cast<std::size_t>(s.groups));
  // Merged headers are outlined as one cell.
  EXPECT_TRUE(Thin(calc.FormatAt(3, 5).left) && Thin(calc.FormatAt(3, 5).top) && Thin(calc.FormatAt(3, 10).right));
  EXPECT_TRUE(OutlinedColumn(calc, 2, 3, 5));

  for (int column = 1; column <= last + 1; ++column) {
    const bool inTable = column >= 2 && column <= last;
    const std::string at = sheet::ColumnLetters(column);
    for (int row = 3; row <= 5; ++row) EXPECT_EQ(HeaderFill(calc.FormatAt(row, column)), inTable) << at << row;
    if (!inTable) continue;
    EXPECT_TRUE(OutlinedColumn(calc, column, 6, n + 5)) << at;
    for (int row = 7; row <= n + 5; ++row) {
      EXPECT_TRUE(NoLine(calc.FormatAt(row, column).top)) << "no line between two weeks at " << at << row;
    }
  }
  for (int column = last - 10; column <= last; ++column) {
    EXPECT_TRUE(OutlinedColumn(calc, column, 3, 5)) << "summary header " << sheet::ColumnLetters(column);
  }
}

TEST_F(ComputeTest, OneGroupRunSavesTheResultUnderItsExactNameAndLaysOutTheTable) {
  const Season season;
  Fill(season);
  const std::string office = frm().cboSamnuk.Text(), project = frm().cboKrongkan.Text(),
                    section = frm().cboFai.Text(), station = frm().cboProvince.Text();
  Compute();

  EXPECT_TRUE(NoRunFailure());
  EXPECT_EQ(clockReads, 1);
  EXPECT_TRUE(blockedAtClock) << "input is blocked from the start of the run";
  ExpectWindowHandedBack();
  ExpectProgress(frm().LastRunProgress(), 1);

  const fs::path file = ResultFile(RDTransplanted);
  ASSERT_EQ(OutputFiles(), std::vector<fs::path>{file});
  const std::string b1 = office + ",   " + project + ",   " + section;
  const std::string b2 = "ชนิดพืช   :   " + std::string(RDTransplanted) + "   จังหวัด   :   " + station;

  // The file as another program reads it.
  const test::XlsReader xls(file);
  EXPECT_EQ(xls.SheetNames(), (std::vector<std::string>{std::string(SummarySheet), std::string(CalcSheet),
                                                        std::string(DeliveryChart), std::string(FieldUseChart)}));
  const std::string calcName(CalcSheet);
  EXPECT_EQ(xls.Cell(calcName, 1, 2), sheet::Value{b1});
  EXPECT_EQ(xls.Cell(calcName, 2, 2), sheet::Value{b2});
  EXPECT_EQ(xls.Cell(calcName, 6, 3), sheet::Value{sheet::DateValue{SeasonStart}});
  const int n = WeeksOf(season);
  EXPECT_EQ(xls.Cell(calcName, n + 5, 4), sheet::Value{sheet::DateValue{sys_days{SeasonStart} + days{7 * n - 1}}});
  for (int w = 1; w <= n; ++w) EXPECT_EQ(xls.Cell(calcName, w + 5, 2), sheet::Value{static_cast<double>(w)});
  EXPECT_EQ(xls.Cell(calcName, 4, 5), sheet::Value{std::string(GroupBlock[0].caption)});

  // The workbook as the run leaves it open.
  sheet::Workbook& book = Result();
  EXPECT_EQ(book.FullName(), fs::absolute(file).string());
  ASSERT_EQ(book.SheetCount(), 4);
  EXPECT_EQ(book.Sheets(1).Name(), SummarySheet);
  EXPECT_EQ(book.Sheets(2).Name(), CalcSheet);
  EXPECT_EQ(book.Sheets(3).Name(), DeliveryChart);
  EXPECT_EQ(book.Sheets(4).Name(), FieldUseChart);
  EXPECT_EQ(book.Sheets(3).Type(), sheet::Sheet::Kind::Chart);
  EXPECT_EQ(book.Sheets(4).Type(), sheet::Sheet::Kind::Chart);
  EXPECT_EQ(&book.ActiveSheet(), &book.Sheets(1));
  EXPECT_EQ(book.Selection().Address(), "A1");
  EXPECT_FALSE(fields().ExcelApp->DisplayAlerts());
  EXPECT_TRUE(fields().ExcelApp->Visible());
  const sheet::Worksheet& calc = book.Worksheets(2);
  EXPECT_EQ(calc.ValueAt(1, 2), sheet::Value{b1});
  EXPECT_EQ(calc.ValueAt(2, 2), sheet::Value{b2});
  ExpectCalcSheetLayout(calc, season);

  // The rainfall, net and gross steps met in their order: the rainy season's rainfall reaches
  // the table, and the gross water is the net water at 75 % efficiency.
  const int rain = 6 + 13, net = 6 + 14, gross = 6 + 15;
  EXPECT_GT(fields().TotalEffRain, 0);
  EXPECT_EQ(calc.ValueAt(n + 6, rain), sheet::Value{fields().TotalEffRain});
  EXPECT_GT(fields().TotalNetWater, 0);
  EXPECT_NEAR(fields().TotalGrossWater, fields().TotalNetWater * 100 / 75, 1e-6 * fields().TotalGrossWater);
  // The file keeps the totals to the precision the format holds.
  EXPECT_NEAR(sheet::NumberOf(xls.Cell(calcName, n + 6, gross)), fields().TotalGrossWater, 1e-6);
  EXPECT_NEAR(sheet::NumberOf(xls.Cell(calcName, n + 6, net)), fields().TotalNetWater, 1e-6);
  EXPECT_GT(xls.RowCount(1), 0) << "the summary sheet is written";
}

TEST_F(ComputeTest, TwentyGroupsFillTheTableToColumnEE) {
  Season season;
  season.groups = 20;
  Fill(season);
  Compute();

  EXPECT_TRUE(NoRunFailure());
  ExpectWindowHandedBack();
  ExpectProgress(frm().LastRunProgress(), 20);
  ASSERT_EQ(OutputFiles(), std::vector<fs::path>{ResultFile(RDTransplanted)});
  ExpectCalcSheetLayout(Result().Worksheets(2), season);
}

TEST_F(ComputeTest, EmptyPreparationListsGetTheirDefaultsAndTheFinishedAreaEntryStays) {
  struct Case {
    std::string_view crop;
    std::vector<std::pair<std::string_view, std::string_view>> after;  // list, text after the run
  };
  const Case cases[] = {
      {RDTransplanted,
       {{"cboTriamplangKla", "1"}, {"cboLiengklatime", "4"}, {"cboATokla", "15"}, {"cboTriamdinkla", "100"},
        {"cboLiengkla", "200"}, {"cboTriamplangNaDam", "1"}, {"cboNadam1", "250"},
        {"cboTriamplangNaWan", ""}, {"cboStop", ""}, {"cboNawan1", ""}}},
      // The user's "2" stays; the empty stop weeks and water take the defaults.
      {RDWetSeeded,
       {{"cboTriamplangNaWan", "2"}, {"cboStop", "2"}, {"cboNawan1", "200"}, {"cboTriamplangKla", ""},
        {"cboLiengklatime", ""}, {"cboTriamdinkla", ""}}},
  };
  for (const Case& c : cases) {
    NewWindow();
    Season season;
    season.crop = c.crop;
    season.groups = 3;
    season.pickPreparation = false;
    Fill(season);
    const std::string group = frm().txtGroup.Text(), area = frm().txtArea2.Text();
    ASSERT_EQ(group, "3");
    const int beeps = controls::BeepCount();
    Compute();

    EXPECT_TRUE(NoRunFailure()) << c.crop;
    for (auto [list, text] : c.after) {
      EXPECT_EQ(dynamic_cast<controls::ComboBox*>(frm().FindControl(list))->Text(), text) << c.crop << " " << list;
    }
    if (c.crop == RDTransplanted) {
      EXPECT_EQ(frm().cboLiengkla.Item(0), "300") << "the seedling list was refilled before its default";
    }
    EXPECT_EQ(frm().txtGroup.Text(), group) << "the summary lists every group";
    EXPECT_EQ(frm().txtArea2.Text(), area);
    EXPECT_EQ(controls::BeepCount(), beeps) << "the run makes no sound";
    EXPECT_EQ(fields().ScheduleWeeks, WeeksOf(season)) << c.crop;
    EXPECT_TRUE(fs::exists(ResultFile(c.crop))) << c.crop;
  }
}

TEST_F(ComputeTest, OwnRainfallFeedsTheRainfallColumnInsteadOfTheStation) {
  const Season season;
  Fill(season);
  frm().optRe02.UserClick();
  // No rain in any month of the season (May to September): the station would give plenty.
  for (int month = 5; month <= 9; ++month) {
    frm().txtRain.ClickIn();
    frm().txtRain.Type("0");
    frm().cmdRe.Press();
  }
  ASSERT_TRUE(frm().cmdRun.Enabled()) << "the rainfall entry has finished";
  Compute();

  EXPECT_TRUE(NoRunFailure());
  EXPECT_EQ(Message("RunRefusal"), nullptr);
  ExpectWindowHandedBack();
  const int n = WeeksOf(season);
  const sheet::Worksheet& calc = Result().Worksheets(2);
  EXPECT_EQ(fields().TotalEffRain, 0);
  for (int w = 1; w <= n; ++w) EXPECT_EQ(calc.ValueAt(w + 5, 6 + 13), sheet::Value{0.0}) << w;
  EXPECT_GT(fields().TotalNetWater, 0);
  EXPECT_TRUE(fs::exists(ResultFile(RDTransplanted)));
}

// A way to make a run fail, and the stage its message names.
struct FailureCase {
  const char* name;
  std::function<void(frmTUVO&, MainFields&)> breakIt;  // after the window is filled
  std::string_view stage;
  std::vector<int> progress;  // values shown before the failure
};

void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }

class RunFailureTest : public ComputeTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(RunFailureTest, EndsTheRunUnblocksTellsWhatFailedAndKeepsNothing) {
  const FailureCase& c = GetParam();
  Fill(Season{});
  c.breakIt(frm(), fields());
  Compute();

  EXPECT_TRUE(blockedAtClock);
  ExpectWindowHandedBack();
  QMessageBox* box = Message("RunFailure");
  ASSERT_NE(box, nullptr);
  EXPECT_TRUE(box->isVisible());
  const std::string text = box->text().toStdString();
  EXPECT_NE(text.find("การคำนวณไม่สำเร็จ"), std::string::npos) << text;
  EXPECT_NE(text.find(c.stage), std::string::npos) << text;
  EXPECT_NE(text.find("ไม่ได้บันทึกไฟล์ผลการคำนวณ"), std::string::npos) << text;
  EXPECT_TRUE(OutputFiles().empty()) << "nothing is written to the output folder";
  if (fields().ExcelApp) {
    EXPECT_EQ(fields().ExcelApp->Workbooks().Count(), 0) << "the unsaved workbook is closed";
  }
  std::vector<int> shown;
  for (const frmTUVO2::Step& step : frm().LastRunProgress()) shown.push_back(static_cast<int>(step.bar));
  EXPECT_EQ(shown, c.progress);
}

std::vector<int> ProgressBeforeSave() {
  std::vector<int> values;
  for (const frmTUVO2::Step& s : ExpectedProgress(1)) values.push_back(static_cast<int>(s.bar));
  return values;
}

INSTANTIATE_TEST_SUITE_P(
    Compute, RunFailureTest,
    ::testing::Values(
        // The calculation sheet's frame cannot be drawn: the run ends there instead of going on
        // with an emptied table.
        FailureCase{"LayoutOfAStartDateThatIsNoDate",
                    [](frmTUVO& w, MainFields&) {
                      w.cboFirstdate.SetText("31");
                      w.cboFirstmonth.SetText(locale::ThaiMonthName(6));
                    },
                    "สร้างแกนเวลาและหัวตารางของกลุ่มพื้นที่", {1}},
        FailureCase{"SaveWithoutTheConverter",
                    [](frmTUVO&, MainFields& f) {
                      auto excel = std::make_shared<xls::OfficeApplication>();
                      excel->Office().program = "/nonexistent/soffice";
                      f.ExcelApp = std::move(excel);
                    },
                    "บันทึกไฟล์ผลการคำนวณ", ProgressBeforeSave()},
        FailureCase{"OutputFolderWithoutItsParent",
                    [](frmTUVO&, MainFields&) {
                      const fs::path missing = fs::path(std::getenv("HOME")) / "missing" / "home";
                      setenv("HOME", missing.c_str(), 1);
                    },
                    "สร้างโฟลเดอร์เก็บผลการคำนวณ", {}}),
    [](const ::testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });

TEST_F(ComputeTest, ComputeRefusesWithoutEfficiencyOrClimateDataAndStartsNothing) {
  struct Case {
    const char* name;
    std::string efficiency;  // picked by the user; empty: not picked
    std::function<void(frmTUVO&)> change;
    std::string_view says;
  };
  const Case cases[] = {
      // The area entry opens only with an efficiency; code can still empty the list after it.
      {"efficiency emptied", "75", [](frmTUVO& w) { w.cboEfficiency.SetText(""); },
       "กรุณาเลือกประสิทธิภาพการชลประทาน"},
      {"efficiency 0", "75", [](frmTUVO& w) { w.cboEfficiency.SetText("0"); }, "กรุณาเลือกประสิทธิภาพการชลประทาน"},
      {"efficiency below 0", "75", [](frmTUVO& w) { w.cboEfficiency.SetText("-5"); },
       "กรุณาเลือกประสิทธิภาพการชลประทาน"},
      {"station without tables", "75", [](frmTUVO& w) { w.cboProvince.SetText("ไม่มีสถานีนี้"); },
       "ไม่มีข้อมูลภูมิอากาศ"},
      {"own rainfall without its months", "75", [](frmTUVO& w) { w.optRe02.UserClick(); },
       "ยังไม่ได้ใส่ข้อมูลของเดือน"},
  };
  for (const Case& c : cases) {
    NewWindow();
    Season season;
    season.efficiency = c.efficiency;
    season.pickPreparation = false;
    Fill(season);
    if (c.change) c.change(frm());
    clockReads = 0;
    Compute();

    QMessageBox* box = Message("RunRefusal");
    ASSERT_NE(box, nullptr) << c.name;
    EXPECT_NE(box->text().toStdString().find(c.says), std::string::npos) << c.name;
    EXPECT_EQ(clockReads, 0) << c.name << ": the run did not start";
    EXPECT_FALSE(system::InputBlocked());
    EXPECT_TRUE(frm().isVisible());
    EXPECT_TRUE(frm().cmdRun.Visible() && frm().cmdRun.Enabled()) << c.name;
    EXPECT_FALSE(frm().cmdRun2.Visible());
    EXPECT_EQ(frm().cboLiengkla.Text(), "") << "no default written";
    EXPECT_EQ(fields().ExcelApp, nullptr);
    EXPECT_FALSE(fs::exists(OutputFolder()));
    box->close();
  }
}

TEST_F(ComputeTest, EmptyCropSavesNoFileAndTheNextRunStartsANewApplication) {
  Fill(Season{});
  // A crop text the lists can no longer show (written from code; the user cannot clear it).
  frm().cboCroptype.SetText("");
  Compute();

  EXPECT_TRUE(NoRunFailure());
  ExpectWindowHandedBack();
  EXPECT_TRUE(OutputFiles().empty());
  ASSERT_NE(fields().ExcelApp, nullptr);
  EXPECT_TRUE(fields().ExcelApp->HasQuit()) << "the workbook is discarded and the application quit";

  // New computation, the season again, Compute.
  frm().cmdRun2.Press();
  Fill(Season{});
  Compute();
  EXPECT_TRUE(NoRunFailure());
  ASSERT_NE(fields().ExcelApp, nullptr);
  EXPECT_FALSE(fields().ExcelApp->HasQuit());
  EXPECT_EQ(OutputFiles(), std::vector<fs::path>{ResultFile(RDTransplanted)});
}

TEST_F(ComputeTest, AfterAFailedRunNewComputationStartsOver) {
  Fill(Season{});
  frm().cboFirstdate.SetText("31");
  frm().cboFirstmonth.SetText(locale::ThaiMonthName(6));
  Compute();
  ASSERT_NE(Message("RunFailure"), nullptr);
  Message("RunFailure")->close();
  QCoreApplication::processEvents();

  frm().cmdRun2.Press();
  EXPECT_TRUE(frm().cboSamnuk.Enabled());
  EXPECT_TRUE(frm().cmdRun.Visible());
  EXPECT_FALSE(frm().cmdRun2.Visible());
  Fill(Season{});
  Compute();
  EXPECT_TRUE(NoRunFailure());
  ExpectWindowHandedBack();
  EXPECT_EQ(OutputFiles(), std::vector<fs::path>{ResultFile(RDTransplanted)});
}

TEST_F(ComputeTest, ASecondRunOfTheSameNameReplacesTheFile) {
  Fill(Season{});
  Compute();
  const fs::path file = ResultFile(RDTransplanted);
  ASSERT_TRUE(fs::exists(file));
  const sheet::Application* first = fields().ExcelApp.get();

  // New computation, another section (its name tells the second result from the first).
  NewComputationOfSection(1);
  const std::string section = frm().cboFai.Text();
  Compute();
  EXPECT_TRUE(NoRunFailure());
  EXPECT_FALSE(system::InputBlocked());
  EXPECT_NE(fields().ExcelApp.get(), first) << "the reset let go of the first application";
  ASSERT_EQ(OutputFiles(), std::vector<fs::path>{file});
  ExpectSavedForSection(file, section);
}

// The program's converter still starting at Compute: the run waits for it with the progress
// window up, saves through it once, and a second season after New computation goes through the
// same warm converter.
TEST_F(ComputeTest, ARunDuringTheOfficeStartWaitsForTheConverterAndSavesThroughIt) {
  const auto office = StartOffice(test::PatientTimeouts());
  Fill(Season{});
  ASSERT_TRUE(office->ConverterStarting());
  Compute();
  EXPECT_TRUE(NoRunFailure());
  ExpectWindowHandedBack();
  ExpectProgress(frm().LastRunProgress(), 1);
  EXPECT_EQ(office->Conversions(), 1) << "SaveAs and Save of the run convert once";
  EXPECT_EQ(office->OneShots(), 0);
  const fs::path file = ResultFile(RDTransplanted);
  ASSERT_EQ(OutputFiles(), std::vector<fs::path>{file});
  EXPECT_EQ(test::XlsReader(file).SheetNames().size(), 4u);

  const pid_t converter = office->ConverterProcess();
  NewComputationOfSection(1);
  Compute();
  EXPECT_TRUE(NoRunFailure());
  EXPECT_FALSE(system::InputBlocked());
  EXPECT_EQ(office->Conversions(), 2);
  EXPECT_EQ(office->ConverterProcess(), converter) << "the reset leaves the program's converter running";
}


// How long after `click` the conversion at `at` was asked for.
std::chrono::milliseconds After(std::chrono::system_clock::time_point click, std::chrono::system_clock::time_point at) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(at - click);
}

// A converter that starts but never accepts a connection: the first Compute waits for it at most
// its start wait, the next not at all, and both results are saved by the one-shot.
TEST_F(ComputeTest, AConverterThatNeverAcceptsHoldsNoComputeUpLong) {
  using namespace std::chrono;
  const test::StandInOffice standIn(false);
  office::OfficeTimeouts timeouts;
  timeouts.startWait = seconds{4};
  const auto office = StartOffice(timeouts);
  Fill(Season{});
  const auto first = system_clock::now();
  Compute();
  EXPECT_TRUE(NoRunFailure());
  ASSERT_EQ(standIn.OneShots().size(), 1u);
  EXPECT_LT(After(first, standIn.OneShots()[0]), timeouts.startWait + seconds{2});
  ExpectSavedForSection(ResultFile(RDTransplanted), frm().cboFai.Text());

  NewComputationOfSection(1);
  const auto again = system_clock::now();
  Compute();
  EXPECT_TRUE(NoRunFailure());
  ASSERT_EQ(standIn.OneShots().size(), 2u);
  EXPECT_LT(After(again, standIn.OneShots()[1]), seconds{2}) << "the second Compute waited for the converter again";
  EXPECT_EQ(office->Conversions(), 0);
  EXPECT_EQ(office->OneShots(), 2);
  ExpectSavedForSection(ResultFile(RDTransplanted), frm().cboFai.Text());
}

// A converter stopped between two Computes: the second save gives up on it at the conversion's
// deadline and the one-shot saves the result.
TEST_F(ComputeTest, AConverterStoppedBetweenTwoComputesHoldsTheSecondUpOnlyToItsDeadline) {
  using namespace std::chrono;
  const test::StandInOffice standIn(true);
  const auto office = StartOffice(test::PatientTimeouts());
  Fill(Season{});
  Compute();
  EXPECT_TRUE(NoRunFailure());
  ASSERT_EQ(office->Conversions(), 1);
  const pid_t converter = office->ConverterProcess();
  ASSERT_GT(converter, 0);

  NewComputationOfSection(1);
  kill(-converter, SIGSTOP);
  const auto click = system_clock::now();
  Compute();  // the stopped converter is ended at its deadline
  EXPECT_TRUE(NoRunFailure());
  ASSERT_EQ(standIn.OneShots().size(), 1u);
  // The program gives a conversion through its warm converter 10 s (the largest season takes 0.3 s);
  // the run before it, ending the stopped converter and the second its request is given to notice,
  // take a few more.
  EXPECT_LT(After(click, standIn.OneShots()[0]), seconds{10} + seconds{5});
  EXPECT_EQ(office->OneShots(), 1);
  ExpectSavedForSection(ResultFile(RDTransplanted), frm().cboFai.Text());
}

}  // namespace
}  // namespace tuvo
