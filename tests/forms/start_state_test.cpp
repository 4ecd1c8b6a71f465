// The main window as it comes up: enabled, disabled, hidden and selected controls, the fixed
// lists, MonthAbbrev, the About round trip and Exit.
#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QPointer>
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "forms/frmTUVO.h"
#include "forms/frmTUVO3.h"
#include "forms/tuvo_app.h"
#include "platform/controls.h"
#include "window_fixture.h"

namespace tuvo {
namespace {

using controls::ComboBox;
using controls::Control;

// Usable as a person sees it: its own flag and every frame around it enabled.
bool Usable(const Control& c) { return c.Widget()->isEnabled(); }

std::set<std::string> Names(std::initializer_list<const char*> names) { return {names.begin(), names.end()}; }

// What a person can use after start-up, and what not.
void ExpectStartState(frmTUVO& frm) {
  const std::set<std::string> usable = Names(
      {"cboSamnuk", "cboKrongkan", "cboFai", "cboProvince", "cboCroptype", "cboGroup", "cboSoiltype",
       "cboDeeper", "cboEfficiency", "txtArea2", "txtGroup", "optRe1", "optRe2", "optUSDA", "optAcres1",
       "optAcres2", "optAcres3", "cmdEND", "cmdHelp", "lblAboutus"});
  const std::set<std::string> unusable = Names(
      {"cboFirstdate", "cboFirstmonth", "cboFirstyear", "cboTriamplangKla", "cboLiengklatime", "cboATokla",
       "cboTriamdinkla", "cboLiengkla", "cboTriamplangNaDam", "cboNadam1", "cboTriamplangNaWan", "cboStop",
       "cboNawan1", "optRe01", "optRe02", "txtRain", "cmdRe", "cmdEdit2", "cmdRun", "cmdInputArea", "cmdEdit1",
       "Label9", "Label3", "Label13", "Label17", "lblMonth", "Label5", "Label22", "Label18", "Label11",
       "Label12", "Label19", "Label20", "Label25", "Label21", "Label33", "Frame5", "Frame3", "Frame21"});
  for (const std::string& name : usable) {
    const Control* c = frm.FindControl(name);
    ASSERT_NE(c, nullptr) << name;
    EXPECT_TRUE(Usable(*c)) << name << " should be usable after start";
  }
  for (const std::string& name : unusable) {
    const Control* c = frm.FindControl(name);
    ASSERT_NE(c, nullptr) << name;
    EXPECT_FALSE(Usable(*c)) << name << " should be disabled after start";
  }
  EXPECT_FALSE(frm.cmdRun2.Visible());
  EXPECT_TRUE(frm.cmdRun.Visible());

  EXPECT_TRUE(frm.optRe01.Value());
  EXPECT_TRUE(frm.optRe1.Value());
  for (const auto* o : {&frm.optRe02, &frm.optRe2, &frm.optUSDA, &frm.optAcres1, &frm.optAcres2, &frm.optAcres3}) {
    EXPECT_FALSE(o->Value()) << o->Name();
  }
  for (const auto* l : {&frm.lblweek, &frm.lblFirst, &frm.lbllast, &frm.lblMonth, &frm.Label13, &frm.Label17}) {
    EXPECT_EQ(l->Caption(), "?") << l->Name();
  }
  EXPECT_EQ(frm.txtGroup.Text(), "?");
  EXPECT_EQ(frm.txtArea2.Text(), "");
  EXPECT_EQ(frm.txtRain.Text(), "");

  // Every list once, in table order, nothing chosen.
  const SeasonTexts texts = frm.Texts();
  for (const std::string* t : {&texts.cboSamnuk, &texts.cboKrongkan, &texts.cboFai, &texts.cboProvince,
                               &texts.cboCroptype, &texts.cboGroup, &texts.cboEfficiency, &texts.cboFirstdate,
                               &texts.cboSoiltype, &texts.cboDeeper, &texts.cboTriamdinkla}) {
    EXPECT_EQ(*t, "");
  }
  EXPECT_EQ(frm.cboSamnuk.ListCount(), 17);
  for (const ComboBox* empty : {&frm.cboKrongkan, &frm.cboFai, &frm.cboProvince, &frm.cboFirstmonth,
                                &frm.cboFirstyear, &frm.cboLiengkla, &frm.cboNadam1, &frm.cboNawan1, &frm.cboDeeper}) {
    EXPECT_EQ(empty->ListCount(), 0) << empty->Name();
  }
  ASSERT_EQ(frm.cboEfficiency.ListCount(), 18);
  EXPECT_EQ(frm.cboEfficiency.Item(0), "10");
  EXPECT_EQ(frm.cboEfficiency.Item(17), "95");
  ASSERT_EQ(frm.cboGroup.ListCount(), 20);
  EXPECT_EQ(frm.cboGroup.Item(19), "20");
  ASSERT_EQ(frm.cboFirstdate.ListCount(), 31);
  EXPECT_EQ(frm.cboFirstdate.Item(30), "31");
  ASSERT_EQ(frm.cboATokla.ListCount(), 8);
  EXPECT_EQ(frm.cboATokla.Item(0), "10");
  EXPECT_EQ(frm.cboATokla.Item(7), "17");
  EXPECT_EQ(frm.cboStop.ListCount(), 3);
  EXPECT_EQ(frm.cboTriamdinkla.Item(0), "100");
  EXPECT_EQ(frm.cboTriamdinkla.Item(1), "150");
  EXPECT_EQ(frm.cboLiengklatime.Item(0), "3");
  ASSERT_EQ(frm.cboCroptype.ListCount(), 3);
  EXPECT_EQ(frm.cboCroptype.Item(0), RDTransplanted);
  EXPECT_EQ(frm.cboCroptype.Item(1), KDML105Transplanted);
  EXPECT_EQ(frm.cboCroptype.Item(2), RDWetSeeded);
  EXPECT_EQ(frm.cboSoiltype.ListCount(), 4);
}

TEST(StartState, AfterStartOnlyTheFirstStepsAreUsable) {
  testing::ShownWindow w;
  EXPECT_EQ(w.frm.windowTitle().toStdString(), frmTUVO::Caption);
  ExpectStartState(w.frm);
}

TEST(StartState, StartUpTouchesNoFieldButMonthAbbrev) {
  MainFields fields;
  fields.ScheduleWeeks = 21;
  fields.GroupArea[3] = "12.5";
  frmTUVO frm(fields);
  EXPECT_EQ(fields.ScheduleWeeks, 21);
  EXPECT_EQ(fields.GroupArea[3], "12.5");
  EXPECT_EQ(fields.GroupCount, 0);
}

TEST(StartState, OnlyTheListsWithAChangeHandlerTakeTyping) {
  MainFields fields;
  frmTUVO frm(fields);
  const std::set<std::string> typing =
      Names({"cboTriamplangKla", "cboLiengklatime", "cboTriamplangNaWan", "cboATokla", "cboDeeper", "cboGroup"});
  int lists = 0;
  for (Control* c : frm.AllControls()) {
    if (auto* list = dynamic_cast<ComboBox*>(c)) {
      ++lists;
      EXPECT_EQ(list->AcceptsTyping(), typing.count(list->Name()) == 1) << list->Name();
    }
  }
  EXPECT_EQ(lists, 22);
}

TEST(StartState, EveryControlHasADistinctNameAndTheOutputTextsAreBlue) {
  MainFields fields;
  frmTUVO frm(fields);
  std::set<std::string> names;
  for (Control* c : frm.AllControls()) EXPECT_TRUE(names.insert(c->Name()).second) << c->Name();
  for (const auto* l : {&frm.lblweek, &frm.lblFirst, &frm.lbllast, &frm.lblMonth, &frm.Label13, &frm.Label17}) {
    EXPECT_EQ(l->QtLabel()->palette().color(QPalette::Active, QPalette::WindowText), QColor(0, 0, 255)) << l->Name();
  }
  EXPECT_NE(frm.Label14.QtLabel()->palette().color(QPalette::Active, QPalette::WindowText), QColor(0, 0, 255));
}

TEST(MonthAbbrev, TwelveMonthsDecemberTwiceAndElementZeroEmpty) {
  MainFields fields;
  frmTUVO frm(fields);
  const auto& m = fields.MonthAbbrev;
  EXPECT_EQ(m[0], "");
  EXPECT_EQ(m[1], "\xE0\xB8\xA1.\xE0\xB8\x84.");  // January
  for (int i = 1; i <= 13; ++i) EXPECT_FALSE(m[i].empty()) << i;
  EXPECT_EQ(m[12], m[13]);
  EXPECT_NE(m[11], m[12]);
  std::set<std::string> distinct(m.begin() + 1, m.begin() + 13);
  EXPECT_EQ(distinct.size(), 12u);
  EXPECT_EQ(m, MonthAbbrevTable());
}

// Runs the deferred deletions of windows closed by a handler.
void Settle() {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QCoreApplication::processEvents();
}

TEST(AboutBox, ClosingItBringsBackAFreshWindowAndTheFieldsStay) {
  TuvoApp app;
  int ends = 0;
  app.End = [&] { ++ends; };
  app.Start();
  QPointer<frmTUVO> first = app.Main();
  ASSERT_TRUE(first);
  testing::ShowNow(*first);

  // Leave the window far from its start state, as after an entry with the lists locked.
  first->cboSamnuk.Pick(6);
  first->cboGroup.SetText("3");
  first->cboSamnuk.SetEnabled(false);
  first->cmdRun2.SetVisible(true);
  first->optRe2.SetValue(true);
  app.Fields().ScheduleWeeks = 21;
  app.Fields().GroupArea[1] = "250";
  app.Fields().GroupCounter = 2;

  first->lblAboutus.UserClick();
  ASSERT_NE(app.About(), nullptr);
  EXPECT_TRUE(app.About()->isVisible());
  EXPECT_EQ(app.About()->windowTitle().toStdString(), frmTUVO3::Caption);
  EXPECT_EQ(app.Main(), nullptr);
  Settle();
  EXPECT_TRUE(first.isNull()) << "the main window is closed and destroyed";

  testing::ShowNow(*app.About());
  app.About()->Command1.Press();
  ASSERT_NE(app.Main(), nullptr);
  EXPECT_EQ(app.About(), nullptr);
  Settle();
  frmTUVO& again = *app.Main();
  EXPECT_TRUE(again.isVisible());
  testing::ShowNow(again);
  ExpectStartState(again);
  EXPECT_EQ(app.Fields().ScheduleWeeks, 21);
  EXPECT_EQ(app.Fields().GroupArea[1], "250");
  EXPECT_EQ(app.Fields().GroupCounter, 2);
  EXPECT_EQ(app.Fields().MonthAbbrev, MonthAbbrevTable());
  EXPECT_EQ(ends, 0);

  again.cmdEND.Press();
  EXPECT_EQ(ends, 1) << "Exit ends the program";
}

}  // namespace
}  // namespace tuvo
