// New computation after a run: the spreadsheet is let go of, the window is back in the state for
// entering a new season, and what the run left (or what the user closed) never stops it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "entry_fixture.h"
#include "forms/location_catalogue.h"
#include "platform/sheet/sheet.h"
#include "support/temp_folder.h"

namespace tuvo {
namespace {

namespace fs = std::filesystem;
using controls::ComboBox;
using controls::OptionButton;
using testing::Items;
using testing::Usable;

// The 22 lists of the window.
constexpr ComboBox frmTUVO::*kLists[] = {
    &frmTUVO::cboSamnuk,          &frmTUVO::cboKrongkan,        &frmTUVO::cboFai,
    &frmTUVO::cboProvince,        &frmTUVO::cboCroptype,        &frmTUVO::cboGroup,
    &frmTUVO::cboTriamplangKla,   &frmTUVO::cboLiengklatime,    &frmTUVO::cboATokla,
    &frmTUVO::cboTriamdinkla,     &frmTUVO::cboLiengkla,        &frmTUVO::cboTriamplangNaDam,
    &frmTUVO::cboNadam1,          &frmTUVO::cboTriamplangNaWan, &frmTUVO::cboStop,
    &frmTUVO::cboNawan1,          &frmTUVO::cboSoiltype,        &frmTUVO::cboDeeper,
    &frmTUVO::cboEfficiency,      &frmTUVO::cboFirstdate,       &frmTUVO::cboFirstmonth,
    &frmTUVO::cboFirstyear,
};

constexpr OptionButton frmTUVO::*kMethods[] = {&frmTUVO::optRe1,    &frmTUVO::optRe2,    &frmTUVO::optAcres1,
                                                &frmTUVO::optAcres2, &frmTUVO::optAcres3, &frmTUVO::optUSDA};

std::vector<std::string> Numbers(int first, int last, int step = 1) {
  std::vector<std::string> items;
  for (int n = first; n <= last; n += step) items.push_back(std::to_string(n));
  return items;
}

// Which of the six method buttons are selected.
std::vector<bool> MethodSelection(const frmTUVO& frm) {
  std::vector<bool> selected;
  for (OptionButton frmTUVO::*method : kMethods) selected.push_back((frm.*method).Value());
  return selected;
}

// The window as a finished run hands it back: a season of three groups entered by hand, the own
// rainfall of January to May stored, then what the run changes, with a held application whose
// result workbook is still open.
class AfterRun : public ::testing::Test {
 protected:
  test::TempHome home{"tuvo-reset"};
  testing::SeasonWindow w{"3"};
  frmTUVO& frm = w.frm;
  MainFields& fields = w.fields;
  std::shared_ptr<sheet::Application> app;  // the test's own hold on the run's application
  sheet::Workbook* workbook = nullptr;

  AfterRun() {
    frm.txtArea2.ClickIn();
    for (const char* area : {"150", "200", "2000"}) w.Store(area);

    frm.optRe02.SetValue(true);
    for (int m = 1; m <= 12; ++m) {
      const auto i = static_cast<std::size_t>(m);
      fields.Rain.StationMonthRain[i] = "120";
      for (MonthTextTable* t : {&fields.Rain.ReDepartment, &fields.Rain.ReECI, &fields.Rain.ReAcres1,
                                &fields.Rain.ReAcres2, &fields.Rain.ReAcres3, &fields.Rain.ReUSDA}) {
        (*t)[i] = "96";
      }
    }
    fields.Rain.EffRainMonth = 5;
    fields.RainEntryMonth = 6;
    fields.RainEntryLastMonth = 5;
    frm.lblMonth.SetCaption("พ.ค.");
    frm.Label13.SetCaption("ม.ค.");
    frm.Label17.SetCaption("พ.ค.");
    frm.txtRain.SetText("120");
    frm.txtRain.SetEnabled(false);
    frm.cmdRe.SetEnabled(false);
    fields.TotalGrossWater = 12345.5;

    app = std::make_shared<sheet::Application>();
    fields.ExcelApp = app;
    workbook = &app->Workbooks().Add();
    workbook->Worksheets(2).Cells(2, 2).SetValue("result");
    for (ComboBox frmTUVO::*list : kLists) (frm.*list).SetEnabled(false);
    for (controls::CommandButton* b : {&frm.cmdEdit1, &frm.cmdEdit2, &frm.cmdHelp}) b->SetEnabled(false);
    frm.cmdRun.SetVisible(false);
    frm.cmdRun2.SetVisible(true);
    frm.cmdRun2.SetEnabled(true);
  }
};

// What a window ready for a new season looks like after the reset, whatever the spreadsheet was.
void ExpectReadyForNewSeason(const frmTUVO& frm) {
  for (ComboBox frmTUVO::*list : kLists) {
    const ComboBox& l = frm.*list;
    EXPECT_TRUE(l.Enabled()) << l.Name();
    if (&l != &frm.cboDeeper && &l != &frm.cboATokla) {
      EXPECT_EQ(l.Text(), "") << l.Name();
    }
  }
  EXPECT_EQ(frm.cboDeeper.Text(), "2");
  EXPECT_EQ(frm.cboATokla.Text(), "15");
  EXPECT_TRUE(frm.cmdRun.Visible());
  EXPECT_FALSE(frm.cmdRun.Enabled());
  EXPECT_FALSE(frm.cmdRun2.Visible());
  EXPECT_FALSE(frm.cmdRun2.Enabled());
  EXPECT_TRUE(Usable(frm.cmdHelp));
  EXPECT_TRUE(Usable(frm.txtArea2));
  EXPECT_EQ(frm.txtArea2.Text(), "");
  EXPECT_FALSE(frm.Fields().ExcelApp) << "the next run must start a spreadsheet of its own";
}

TEST_F(AfterRun, LetsGoOfTheSpreadsheetWithoutSavingTheWorkbookAgain) {
  frm.cmdRun2.Press();

  EXPECT_FALSE(workbook->IsOpen());
  EXPECT_TRUE(workbook->FullName().empty()) << "closed without saving";
  EXPECT_TRUE(app->HasQuit());
  EXPECT_FALSE(fields.ExcelApp);
  EXPECT_FALSE(fs::exists(home.Path() / "TUVO_Output")) << "the reset writes no file";
}

TEST_F(AfterRun, WindowIsBackInTheStateForANewSeason) {
  frm.cmdRun2.Press();
  ExpectReadyForNewSeason(frm);

  // Every list holds the items a freshly loaded window offers, once, and nothing is chosen but
  // the usual rate and ratio.
  MainFields freshFields;
  const frmTUVO fresh(freshFields);
  for (ComboBox frmTUVO::*list : kLists) {
    EXPECT_EQ(Items(frm.*list), Items(fresh.*list)) << (frm.*list).Name();
  }
  EXPECT_EQ(Items(frm.cboLiengklatime), (std::vector<std::string>{"3", "4"}));
  EXPECT_EQ(frm.cboDeeper.ListCount(), 0);
  EXPECT_EQ(Items(frm.cboATokla), Numbers(10, 17));
  EXPECT_EQ(Items(frm.cboEfficiency), Numbers(10, 95, 5));
  EXPECT_EQ(Items(frm.cboGroup), Numbers(1, 20));
  EXPECT_EQ(Items(frm.cboFirstdate), Numbers(1, 31));
  ASSERT_EQ(frm.cboSamnuk.ListCount(), static_cast<int>(OfficeList().size()));
  EXPECT_EQ(frm.cboSamnuk.Item(16), OfficeList()[16]);
  for (const ComboBox* cascade : {&frm.cboKrongkan, &frm.cboFai, &frm.cboProvince, &frm.cboFirstmonth,
                                  &frm.cboFirstyear, &frm.cboLiengkla, &frm.cboNadam1, &frm.cboNawan1}) {
    EXPECT_EQ(cascade->ListCount(), 0) << cascade->Name();
  }

  // Labels and the group field show nothing known yet.
  for (const controls::Label* l : {&frm.lblFirst, &frm.lbllast, &frm.lblweek, &frm.lblMonth, &frm.Label13, &frm.Label17}) {
    EXPECT_EQ(l->Caption(), "?") << l->Name();
  }
  EXPECT_EQ(frm.txtGroup.Text(), "?");

  // Station rainfall again; the own-rainfall entry locked until a start year is picked, its box
  // open and empty.
  EXPECT_TRUE(frm.optRe01.Value());
  EXPECT_FALSE(frm.optRe02.Value());
  EXPECT_FALSE(frm.optRe01.Enabled());
  EXPECT_FALSE(frm.optRe02.Enabled());
  for (const controls::Control* c : std::initializer_list<const controls::Control*>{
           &frm.Label9, &frm.Label3, &frm.Label13, &frm.Label17, &frm.lblMonth, &frm.cmdRe, &frm.cmdEdit2}) {
    EXPECT_FALSE(c->Enabled()) << c->Name();
  }
  EXPECT_TRUE(frm.txtRain.Enabled());
  EXPECT_EQ(frm.txtRain.Text(), "");
}

TEST_F(AfterRun, ClearsTheSeasonsTablesAndCountersAndKeepsItsOtherValues) {
  const std::int16_t groups = fields.GroupCount;
  const std::int16_t weeks = fields.ScheduleWeeks;
  const double counter = fields.GroupCounter;
  const float firstMonth = fields.SeasonFirstMonth;
  ASSERT_EQ(groups, 3);
  ASSERT_EQ(weeks, 21);

  frm.cmdRun2.Press();

  for (std::size_t g = 0; g < fields.GroupArea.size(); ++g) {
    EXPECT_EQ(fields.GroupArea[g], "") << g;
    EXPECT_EQ(fields.GroupLabel[g], "") << g;
  }
  for (const MonthTextTable* t : {&fields.Rain.StationMonthRain, &fields.Rain.ReDepartment, &fields.Rain.ReECI,
                                  &fields.Rain.ReAcres1, &fields.Rain.ReAcres2, &fields.Rain.ReAcres3,
                                  &fields.Rain.ReUSDA}) {
    for (std::size_t m = 1; m <= 12; ++m) EXPECT_EQ((*t)[m], "") << m;
  }
  EXPECT_EQ(fields.Rain.EffRainMonth, 0);
  EXPECT_EQ(fields.RainEntryMonth, 0);
  EXPECT_EQ(fields.RainEntryLastMonth, 0);

  EXPECT_EQ(fields.GroupCount, groups);
  EXPECT_EQ(fields.ScheduleWeeks, weeks);
  EXPECT_EQ(fields.GroupCounter, counter);
  EXPECT_EQ(fields.SeasonFirstMonth, firstMonth);
  EXPECT_EQ(fields.TotalGrossWater, 12345.5);
}

TEST_F(AfterRun, KeepsTheSelectedEffectiveRainfallMethod) {
  for (OptionButton frmTUVO::*method : kMethods) {
    (frm.*method).SetValue(true);
    const std::vector<bool> before = MethodSelection(frm);
    frm.cmdRun2.SetVisible(true);
    frm.cmdRun2.SetEnabled(true);
    frm.cmdRun2.Press();
    EXPECT_EQ(MethodSelection(frm), before) << (frm.*method).Name();
    EXPECT_TRUE((frm.*method).Value()) << (frm.*method).Name();
  }
}

// The reset must finish all its work when the workbook or the application is gone already.
struct GoneCase {
  const char* what;
  std::function<void(MainFields&, sheet::Application&, sheet::Workbook&)> before;
};

TEST(ResetAfterRunWithoutSpreadsheet, FinishesWhenTheWorkbookOrTheApplicationIsGoneAlready) {
  const test::TempHome home{"tuvo-reset"};
  const GoneCase cases[] = {
      {"the user closed the result workbook; a failed run closes its unfinished one",
       [](MainFields&, sheet::Application&, sheet::Workbook& wb) { wb.Close(false); }},
      {"the user closed the spreadsheet; a run without a crop discards its workbook and quits",
       [](MainFields&, sheet::Application& a, sheet::Workbook& wb) {
         wb.Close(false);
         a.Quit();
       }},
      {"a run failed before it started a spreadsheet",
       [](MainFields& f, sheet::Application&, sheet::Workbook&) { f.ExcelApp.reset(); }},
      {"the spreadsheet's window is closed while the workbook stays open", {}},
  };
  for (const GoneCase& c : cases) {
    SCOPED_TRACE(c.what);
    testing::SeasonWindow season{"2"};
    season.frm.txtArea2.ClickIn();
    season.Store("100");
    season.Store("100");
    auto held = std::make_shared<sheet::Application>();
    season.fields.ExcelApp = held;
    sheet::Workbook& wb = held->Workbooks().Add();
    season.frm.cmdRun.SetVisible(false);
    season.frm.cmdRun2.SetVisible(true);
    season.frm.cmdRun2.SetEnabled(true);
    if (c.before) c.before(season.fields, *held, wb);
    const bool heldByWindow = season.fields.ExcelApp != nullptr;

    EXPECT_NO_THROW(season.frm.cmdRun2.Press());

    ExpectReadyForNewSeason(season.frm);
    EXPECT_EQ(Items(season.frm.cboCroptype).size(), 3u);
    EXPECT_EQ(season.fields.GroupArea[1], "");
    if (heldByWindow) {
      EXPECT_TRUE(held->HasQuit());
    }
  }
}

TEST_F(AfterRun, ASecondSeasonCanBeEnteredUpToCompute) {
  frm.cmdRun2.Press();

  frm.cboSamnuk.Pick(1);
  frm.cboProvince.Pick(0);
  frm.cboCroptype.Pick(std::string(RDWetSeeded));
  frm.cboTriamplangNaWan.Pick("2");
  frm.cboStop.Pick("3");
  frm.cboNawan1.Pick(0);
  frm.cboGroup.Pick("2");
  w.PickDate("1", testing_texts::kMonths[5], "2553");
  frm.cboSoiltype.Pick(0);
  frm.cboDeeper.Pick(0);
  frm.cboEfficiency.Pick("60");
  EXPECT_TRUE(frm.optRe01.Enabled()) << "the year opens the rainfall choice again";

  frm.txtArea2.ClickIn();
  for (ComboBox frmTUVO::*list : kLists) EXPECT_FALSE((frm.*list).Enabled()) << (frm.*list).Name();
  w.Store("300");
  w.Store("400");

  EXPECT_TRUE(frm.cmdRun.Enabled());
  EXPECT_EQ(fields.GroupArea[1], "300");
  EXPECT_EQ(fields.GroupArea[2], "400");
  EXPECT_EQ(fields.ScheduleWeeks, 2 + 2 + 15);
  EXPECT_EQ(frm.lblweek.Caption(), "19");
}

TEST_F(AfterRun, AnUnforeseenFailureStillLeavesComputeShownAndTheResetHidden) {
  frm.txtArea2.Change = [] { throw std::runtime_error("unforeseen"); };

  EXPECT_NO_THROW(frm.cmdRun2.Press());

  EXPECT_TRUE(frm.cmdRun.Visible());
  EXPECT_FALSE(frm.cmdRun.Enabled());
  EXPECT_FALSE(frm.cmdRun2.Visible());
  EXPECT_TRUE(frm.cmdHelp.Enabled());
  EXPECT_TRUE(app->HasQuit());
}

}  // namespace
}  // namespace tuvo
