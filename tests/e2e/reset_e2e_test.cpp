// A second season after New computation, from the user's side: the first result stays as it was
// saved, and the second result is the very workbook a freshly started program computes for that
// season, written in a spreadsheet application of its own. HOME is a temporary folder.
#include <QCoreApplication>
#include <QMessageBox>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include <stdlib.h>

#include "eto/select_station_eto.h"
#include "forms/frmTUVO.h"
#include "forms/location_catalogue.h"
#include "forms/main_fields.h"
#include "platform/locale.h"
#include "platform/sheet/sheet.h"
#include "platform/system.h"
#include "season/season.h"
#include "support/temp_folder.h"
#include "support/xls_reader.h"

namespace tuvo {
namespace {

namespace fs = std::filesystem;

// Temporary home folders; HOME names one of them at a time and is restored at the end.
class Homes {
 public:
  Homes() {
    if (const char* old = std::getenv("HOME")) old_ = old;
  }
  // HOME first; the folders go with made_ after this body.
  ~Homes() {
    if (old_) setenv("HOME", old_->c_str(), 1);
    else unsetenv("HOME");
  }
  Homes(const Homes&) = delete;
  Homes& operator=(const Homes&) = delete;

  // A new empty folder, made HOME.
  fs::path UseNew() {
    made_.push_back(std::make_unique<test::TempFolder>("tuvo-reset-e2e"));
    setenv("HOME", made_.back()->Path().c_str(), 1);
    return made_.back()->Path();
  }

 private:
  std::optional<std::string> old_;
  std::vector<std::unique_ptr<test::TempFolder>> made_;
};

// A main window on fresh fields, shown as at program start.
struct Program {
  MainFields fields;
  frmTUVO frm{fields};
  Program() {
    frm.show();
    frm.activateWindow();
    QCoreApplication::processEvents();
  }
};

// One season as the user enters it.
struct Season {
  std::string_view crop;
  int groups;
  std::string day;
  unsigned month;
  int section;    // index into the project's sections
  bool ownRain;   // the user's monthly rainfall, every month 120 mm; otherwise the station's
};

// Fills the window through the user's actions up to an open Compute button.
void Enter(frmTUVO& w, const Season& s) {
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
  if (s.crop == RDWetSeeded) {
    w.cboTriamplangNaWan.Pick("2");
    w.cboStop.Pick("1");
    w.cboNawan1.Pick(0);
  } else {
    w.cboTriamplangKla.Pick("1");
    w.cboLiengklatime.Pick("4");
    w.cboATokla.Pick("12");
    w.cboTriamdinkla.Pick(1);
    w.cboLiengkla.Pick(0);
    w.cboTriamplangNaDam.Pick("2");
    w.cboNadam1.Pick(1);
  }
  w.cboSoiltype.Pick(1);
  w.cboDeeper.Pick(0);
  w.cboEfficiency.Pick("70");
  w.cboGroup.Pick(std::to_string(s.groups));
  w.cboFirstdate.Pick(s.day);
  w.cboFirstmonth.Pick(locale::ThaiMonthName(s.month));
  w.cboFirstyear.Pick("2552");
  w.txtArea2.ClickIn();
  for (int g = 1; g <= s.groups; ++g) {
    w.txtArea2.Type(std::to_string(100 * g + 50));
    w.cmdInputArea.Press();
  }
  if (s.ownRain) {
    w.optRe02.UserClick();
    for (int m = 0; m < 12 && w.cmdRe.Widget()->isEnabled(); ++m) {
      w.txtRain.Paste("120");
      w.cmdRe.Press();
    }
    ASSERT_FALSE(w.txtRain.Enabled()) << "the own rainfall is complete";
  }
  ASSERT_TRUE(w.cmdRun.Enabled());
}

// Compute, with the clock at the given second of 20 May 2552; returns the new output files.
std::vector<fs::path> ComputeFiles(frmTUVO& w, int second) {
  const fs::path folder = system::OutputFolder();
  std::vector<fs::path> before;
  if (fs::exists(folder)) {
    for (const auto& e : fs::directory_iterator(folder)) before.push_back(e.path());
  }
  system::SetClock([second] { return locale::DateTime{std::chrono::year{2009} / 5 / 20, 10, 0, second}; });
  w.cmdRun.Press();
  system::SetClock({});
  EXPECT_EQ(w.findChild<QMessageBox*>("RunFailure"), nullptr);
  std::vector<fs::path> made;
  if (!fs::exists(folder)) return made;
  for (const auto& e : fs::directory_iterator(folder)) {
    if (std::find(before.begin(), before.end(), e.path()) == before.end()) made.push_back(e.path());
  }
  return made;
}

// Compute, expecting one new output file.
fs::path Compute(frmTUVO& w, int second) {
  const std::vector<fs::path> made = ComputeFiles(w, second);
  if (made.size() != 1) throw std::runtime_error("expected one new result file, found " + std::to_string(made.size()));
  return made.front();
}

std::string Bytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Both files hold the same sheets with the same values in every cell.
void ExpectSameWorkbook(const fs::path& actual, const fs::path& expected) {
  const test::XlsReader a(actual), e(expected);
  ASSERT_EQ(a.SheetNames(), e.SheetNames());
  for (int s = 1; s <= static_cast<int>(e.SheetNames().size()); ++s) {
    const std::string& name = e.SheetNames()[static_cast<std::size_t>(s - 1)];
    ASSERT_EQ(a.RowCount(s), e.RowCount(s)) << name;
    ASSERT_EQ(a.ColumnCount(s), e.ColumnCount(s)) << name;
    int differences = 0;
    for (int row = 1; row <= e.RowCount(s) && differences < 10; ++row) {
      for (int column = 1; column <= e.ColumnCount(s) && differences < 10; ++column) {
        const sheet::Value got = a.Cell(s, row, column), want = e.Cell(s, row, column);
        if (got == want) continue;
        ++differences;
        ADD_FAILURE() << name << " " << sheet::ColumnLetters(column) << row << " holds "
                      << ::testing::PrintToString(got) << ", a fresh program's " << ::testing::PrintToString(want);
      }
    }
  }
}

TEST(SecondSeason, AfterNewComputationIsWhatAFreshProgramComputesAndTheFirstFileStaysAsSaved) {
  Homes homes;
  const Season first{KDML105Transplanted, 3, "1", 1, 0, true};
  const Season second{RDWetSeeded, 2, "20", 6, 1, false};

  // The second season in a program of its own: the result to match.
  homes.UseNew();
  fs::path fresh;
  {
    Program p;
    Enter(p.frm, second);
    p.frm.optAcres2.UserClick();
    fresh = Compute(p.frm, 2);
  }

  // The first season, New computation, then the second season in the same window, with the
  // rainfall method chosen in the first season.
  homes.UseNew();
  Program p;
  Enter(p.frm, first);
  p.frm.optAcres2.UserClick();
  const fs::path firstFile = Compute(p.frm, 1);
  const std::string firstBytes = Bytes(firstFile);
  const fs::file_time_type firstWritten = fs::last_write_time(firstFile);
  const std::shared_ptr<sheet::Application> firstApp = p.fields.ExcelApp;
  ASSERT_NE(firstApp, nullptr);

  p.frm.cmdRun2.Press();
  EXPECT_TRUE(firstApp->HasQuit());
  EXPECT_EQ(p.fields.ExcelApp, nullptr);
  EXPECT_TRUE(p.frm.optAcres2.Value()) << "the method stays chosen";

  Enter(p.frm, second);
  const fs::path secondFile = Compute(p.frm, 2);

  ASSERT_NE(p.fields.ExcelApp, nullptr);
  EXPECT_NE(p.fields.ExcelApp, firstApp) << "the second run works in a new application";
  EXPECT_FALSE(p.fields.ExcelApp->HasQuit());
  EXPECT_EQ(p.fields.ExcelApp->Workbooks().Count(), 1);
  EXPECT_EQ(p.fields.ExcelApp->ActiveWorkbook().FullName(), fs::absolute(secondFile).string());
  ExpectSameWorkbook(secondFile, fresh);

  // The first result was neither saved again nor touched.
  EXPECT_EQ(fs::last_write_time(firstFile), firstWritten);
  EXPECT_EQ(Bytes(firstFile), firstBytes);
}

// What can leave the reset without a workbook or an application to close.
struct GoneCase {
  const char* name;
  std::function<void(frmTUVO&, MainFields&)> after;  // after the first run, before the reset
  bool firstSaved;
};

TEST(NewComputationWithoutSpreadsheet, TheNextSeasonIsComputedAsUsual) {
  const GoneCase cases[] = {
      {"a run without a crop discarded its workbook", nullptr, false},
      {"the user closed the result workbook",
       [](frmTUVO&, MainFields& f) { f.ExcelApp->ActiveWorkbook().Close(false); }, true},
      {"the user closed the spreadsheet", [](frmTUVO&, MainFields& f) { f.ExcelApp->Quit(); }, true},
  };
  const Season season{RDTransplanted, 1, "1", 3, 0, false};
  for (const GoneCase& c : cases) {
    SCOPED_TRACE(c.name);
    Homes homes;
    homes.UseNew();
    Program p;
    Enter(p.frm, season);
    if (!c.firstSaved) p.frm.cboCroptype.SetText("");  // only code can empty it
    ASSERT_EQ(ComputeFiles(p.frm, 1).size(), c.firstSaved ? 1u : 0u);
    ASSERT_NE(p.fields.ExcelApp, nullptr) << "the run held an application";
    EXPECT_EQ(p.fields.ExcelApp->HasQuit(), !c.firstSaved);
    if (c.after) c.after(p.frm, p.fields);

    p.frm.cmdRun2.Press();
    EXPECT_TRUE(p.frm.cboSamnuk.Enabled());
    EXPECT_TRUE(p.frm.cmdRun.Visible());
    EXPECT_FALSE(p.frm.cmdRun2.Visible());
    EXPECT_EQ(p.fields.ExcelApp, nullptr);

    Enter(p.frm, season);
    const fs::path file = Compute(p.frm, 2);
    const test::XlsReader xls(file);
    const std::vector<std::string>& names = xls.SheetNames();
    EXPECT_NE(std::find(names.begin(), names.end(), "ตารางแสดงรายการคำนวณ"), names.end()) << "the calculation sheet";
    EXPECT_NE(std::find(names.begin(), names.end(), "สรุป"), names.end()) << "the summary sheet";
    ASSERT_NE(p.fields.ExcelApp, nullptr);
    EXPECT_EQ(p.fields.ExcelApp->ActiveWorkbook().FullName(), fs::absolute(file).string());
  }
}

}  // namespace
}  // namespace tuvo
