// The effective-rainfall method buttons, the rainfall source and the own monthly rainfall entry
// as a person uses them: one month per click, converted at once by all six methods, the end of
// the entry, the restart, the range check, and the season the entry and Compute must agree on.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>

#include <algorithm>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "entry_fixture.h"
#include "platform/locale.h"

namespace tuvo {
namespace {

using testing::BeepsDuring;
using testing::Usable;

const std::string& Abbrev(unsigned month) { return MonthAbbrevTable().at(month); }

// The six effective-rainfall tables, in the order the methods run.
std::vector<const MonthTextTable*> SixTables(const EffRainState& rain) {
  return {&rain.ReDepartment, &rain.ReECI, &rain.ReAcres1, &rain.ReAcres2, &rain.ReAcres3, &rain.ReUSDA};
}

// A window picked up to the area entry (RD transplanted: groups + 18 weeks; wet-seeded:
// groups + 16 weeks), with the start date picked again and helpers for the rainfall entry.
struct RainWindow : testing::SeasonWindow {
  RainWindow(const std::string& groups, std::string_view crop, const std::string& day, unsigned month)
      : SeasonWindow(groups, crop) {
    PickDate(day, locale::ThaiMonthName(month), "2552");
  }

  // The areas of every group, so that Compute can open.
  void EnterAreas() {
    frm.txtArea2.ClickIn();
    while (frm.txtArea2.Enabled()) Store("100");
  }

  // Types the month's rainfall (nothing for an empty box) and stores it.
  void Rain(const std::string& mm) {
    if (!mm.empty()) frm.txtRain.Paste(mm);
    frm.cmdRe.Press();
  }

  const EffRainState& rain() const { return fields.Rain; }
};

struct EntryCase {
  const char* name;
  std::string_view crop;
  const char* groups;
  unsigned startMonth;
  std::vector<unsigned> months;      // the season's months, in entry order
  std::vector<std::string> values;  // typed for them
};

// One click per month from the season's first to its last month, across the year's end too; the
// label always names the month the next click stores, and the last month ends the entry.
TEST(OwnRainEntry, OneClickPerMonthOfTheSeason) {
  const EntryCase cases[] = {
      {"June to October", RDTransplanted, "3", 6, {6, 7, 8, 9, 10}, {"123.4", "210", "120", "123.4", "125"}},
      {"November to February", RDWetSeeded, "1", 11, {11, 12, 1, 2}, {"50", "12.5", "0.5", "300"}},
      {"August to December", RDTransplanted, "3", 8, {8, 9, 10, 11, 12}, {"120", "99", "125", "80", "45"}},
  };
  for (const EntryCase& c : cases) {
    SCOPED_TRACE(c.name);
    RainWindow w(c.groups, c.crop, "1", c.startMonth);
    frmTUVO& frm = w.frm;
    w.EnterAreas();
    frm.optRe02.UserClick();
    const unsigned first = c.months.front();
    const unsigned last = c.months.back();
    EXPECT_EQ(frm.lblMonth.Caption(), Abbrev(first));
    EXPECT_EQ(frm.Label13.Caption(), Abbrev(first));
    EXPECT_EQ(frm.Label17.Caption(), Abbrev(last));
    EXPECT_TRUE(Usable(frm.txtRain));
    EXPECT_FALSE(frm.optRe01.Value());

    for (std::size_t i = 0; i < c.months.size(); ++i) {
      const unsigned m = c.months[i];
      ASSERT_TRUE(Usable(frm.cmdRe)) << "month " << m;
      w.Rain(c.values[i]);
      EXPECT_EQ(w.rain().StationMonthRain[m], c.values[i]) << "month " << m;
      EXPECT_EQ(w.rain().EffRainMonth, static_cast<float>(m));
      for (const MonthTextTable* table : SixTables(w.rain())) EXPECT_FALSE((*table)[m].empty()) << "month " << m;
      const bool lastClick = i + 1 == c.months.size();
      EXPECT_EQ(frm.lblMonth.Caption(), Abbrev(lastClick ? last : c.months[i + 1])) << "after month " << m;
      EXPECT_EQ(Usable(frm.cmdRe), !lastClick) << "after month " << m;
    }
    // Complete: the last value on view, the box closed, Compute open and focused, restart possible.
    EXPECT_EQ(frm.txtRain.Text(), c.values.back());
    EXPECT_FALSE(frm.txtRain.Enabled());
    EXPECT_TRUE(Usable(frm.cmdEdit2));
    EXPECT_TRUE(Usable(frm.cmdRun));
    EXPECT_TRUE(frm.cmdRun.HasFocus());
    // Months outside the season were never written.
    for (unsigned m = 1; m <= 12; ++m) {
      if (std::find(c.months.begin(), c.months.end(), m) != c.months.end()) continue;
      EXPECT_EQ(w.rain().StationMonthRain[m], "") << "month " << m;
      for (const MonthTextTable* table : SixTables(w.rain())) EXPECT_EQ((*table)[m], "") << "month " << m;
    }
  }
}

// Each click converts its own month: the monthly percentage and the Acres tables depend on the
// month, so a wrong month number shows in the values.
TEST(OwnRainEntry, EachMonthConvertedByAllSixMethodsForItsOwnMonth) {
  RainWindow w("3", RDTransplanted, "1", 6);
  w.frm.optRe02.UserClick();
  for (const char* mm : {"123.4", "210", "120", "123.4", "125"}) w.Rain(mm);
  const EffRainState& r = w.rain();
  EXPECT_EQ(r.ReDepartment[6], "92.55");  // June: 75 per cent
  EXPECT_EQ(r.ReECI[7], "207.5");
  EXPECT_EQ(r.ReUSDA[8], "96.96");
  EXPECT_EQ(r.ReAcres3[8], "120");        // case 3, August table
  EXPECT_EQ(r.ReAcres3[9], "118.72");     // case 3, September table
  EXPECT_EQ(r.ReAcres3[10], "110");       // case 3, October table
  EXPECT_EQ(r.ReAcres1[10], "64.5");      // case 1, October table
  EXPECT_EQ(r.ReDepartment[10], "81.25"); // October: 65 per cent
}

// The November to February season folds both counters at the turn of the year.
TEST(OwnRainEntry, CountersFoldAtTheTurnOfTheYear) {
  RainWindow w("1", RDWetSeeded, "1", 11);
  w.frm.optRe02.UserClick();
  EXPECT_EQ(w.fields.RainEntryMonth, 11);
  EXPECT_EQ(w.rain().EffRainMonth, 10);
  w.Rain("50");
  w.Rain("60");
  EXPECT_EQ(w.fields.RainEntryMonth, 1);
  EXPECT_EQ(w.rain().EffRainMonth, 12);
  w.Rain("70");
  EXPECT_EQ(w.fields.RainEntryMonth, 2);
  EXPECT_EQ(w.rain().EffRainMonth, 1);
  EXPECT_EQ(w.rain().StationMonthRain[1], "70");
  EXPECT_TRUE(Usable(w.frm.cmdRe)) << "January is not the season's last month";
  w.Rain("80");
  EXPECT_FALSE(Usable(w.frm.cmdRe));
  EXPECT_EQ(w.frm.lblMonth.Caption(), Abbrev(2));
}

// A click with an empty box stores 0 mm and converts it: every table holds the text 0.
TEST(OwnRainEntry, EmptyClickStoresZero) {
  RainWindow w("3", RDTransplanted, "1", 6);
  w.frm.optRe02.UserClick();
  w.Rain("");
  EXPECT_EQ(w.rain().StationMonthRain[6], "0");
  for (const MonthTextTable* table : SixTables(w.rain())) EXPECT_EQ((*table)[6], "0");
  EXPECT_EQ(w.frm.lblMonth.Caption(), Abbrev(7));
}

// The restart empties the six tables and starts again at the first month; the typed rainfall
// stays until its month is stored again.
TEST(OwnRainEntry, RestartAfterTwoMonths) {
  RainWindow w("3", RDTransplanted, "1", 6);
  w.EnterAreas();
  frmTUVO& frm = w.frm;
  frm.optRe02.UserClick();
  w.Rain("150");
  w.Rain("200");
  ASSERT_EQ(frm.lblMonth.Caption(), Abbrev(8));
  const std::string storeCaption = frm.cmdRe.Caption();
  frm.cmdRe.SetCaption("");
  frm.cmdEdit2.Press();
  for (const MonthTextTable* table : SixTables(w.rain())) {
    for (unsigned m = 1; m <= 12; ++m) EXPECT_EQ((*table)[m], "") << m;
  }
  EXPECT_EQ(frm.lblMonth.Caption(), Abbrev(6));
  EXPECT_EQ(frm.cmdRe.Caption(), storeCaption);
  EXPECT_TRUE(Usable(frm.cmdRe));
  EXPECT_TRUE(Usable(frm.txtRain));
  EXPECT_EQ(w.rain().StationMonthRain[6], "150");
  EXPECT_EQ(w.rain().StationMonthRain[7], "200");
  w.Rain("50");
  EXPECT_EQ(w.rain().StationMonthRain[6], "50") << "the next click stores the month on view";
  EXPECT_EQ(w.rain().StationMonthRain[7], "200");
  EXPECT_EQ(w.rain().ReECI[6], "50");
  EXPECT_EQ(w.rain().ReECI[7], "") << "July must be typed again";
  EXPECT_EQ(frm.lblMonth.Caption(), Abbrev(7));
}

// 0 to 1000 mm is accepted and stays as typed; anything outside beeps and empties the box.
TEST(OwnRainEntry, RainfallRangeCheck) {
  struct Case {
    const char* typed;
    bool accepted;
  };
  const Case cases[] = {{"1000", true}, {"1000.5", false}, {"0", true},   {"-1", false},
                        {"-0.01", false}, {"12mm", true},  {"999.99", true}, {"1e4", false}};
  RainWindow w("3", RDTransplanted, "1", 6);
  frmTUVO& frm = w.frm;
  frm.optRe02.UserClick();
  for (const Case& c : cases) {
    frm.txtRain.SetText("");
    EXPECT_EQ(BeepsDuring([&] { frm.txtRain.Paste(c.typed); }), c.accepted ? 0 : 1) << c.typed;
    EXPECT_EQ(frm.txtRain.Text(), c.accepted ? c.typed : "") << c.typed;
  }
  // Typed key by key, 1000.5 passes until its last key.
  frm.txtRain.SetText("");
  EXPECT_EQ(BeepsDuring([&] { frm.txtRain.Type("1000.5"); }), 1);
  EXPECT_EQ(frm.txtRain.Text(), "");
  frm.txtRain.Type("1000");
  frm.cmdRe.Press();
  EXPECT_EQ(w.rain().StationMonthRain[6], "1000");
  frm.txtRain.Paste("12mm");
  frm.cmdRe.Press();
  EXPECT_EQ(w.rain().StationMonthRain[7], "12") << "the leading number is stored";
}

// With the soil rate still empty, a change of the box closes the store button and Compute, so no
// month can be stored until the rate is chosen and the box changes again.
TEST(OwnRainEntry, NineListsWhileTyping) {
  RainWindow w("3", RDTransplanted, "1", 6);
  frmTUVO& frm = w.frm;
  frm.cboDeeper.SetText("");
  frm.optRe02.UserClick();
  EXPECT_TRUE(Usable(frm.cmdRe)) << "choosing the source checks seven lists";
  frm.txtRain.Paste("100");
  EXPECT_FALSE(Usable(frm.cmdRe));
  EXPECT_FALSE(Usable(frm.cmdEdit2));
  EXPECT_FALSE(Usable(frm.cmdRun));
  EXPECT_THROW(frm.cmdRe.Press(), controls::UserActionRefused);
  frm.cboDeeper.Pick(0);
  frm.txtRain.Backspace();
  EXPECT_TRUE(Usable(frm.cmdRe));
  frm.cmdRe.Press();
  EXPECT_EQ(w.rain().StationMonthRain[6], "10");
}

// Each method button clears the other five, across their frames; the focus alone chooses the
// button and clears them too. Choosing a method changes no table and opens nothing.
TEST(MethodButtons, ExactlyOneChosenAcrossFrames) {
  RainWindow w("3", RDTransplanted, "1", 6);
  frmTUVO& frm = w.frm;
  std::vector<controls::OptionButton*> six = {&frm.optRe1,    &frm.optRe2,    &frm.optAcres1,
                                              &frm.optAcres2, &frm.optAcres3, &frm.optUSDA};
  ASSERT_TRUE(frm.optRe1.Value());
  for (controls::OptionButton* chosen : {&frm.optUSDA, &frm.optAcres2, &frm.optRe2, &frm.optAcres3,
                                         &frm.optRe1, &frm.optAcres1}) {
    chosen->UserClick();
    for (controls::OptionButton* b : six) EXPECT_EQ(b->Value(), b == chosen) << chosen->Name() << " " << b->Name();
  }
  for (std::size_t i = 0; i < six.size(); ++i) {
    controls::OptionButton* focused = six[i];
    controls::OptionButton* before = six[(i + 1) % six.size()];
    before->UserClick();
    focused->SetFocus();
    ASSERT_TRUE(focused->HasFocus());
    for (controls::OptionButton* b : six) {
      EXPECT_EQ(b->Value(), b == focused) << "focus on " << focused->Name() << ": " << b->Name();
    }
    focused->UserClick();  // a click on the button that has the focus and is chosen changes nothing
    for (controls::OptionButton* b : six) EXPECT_EQ(b->Value(), b == focused) << "click on " << focused->Name();
  }

  // After a complete entry.
  frm.optRe02.UserClick();
  for (const char* mm : {"100", "200", "300", "400", "500"}) w.Rain(mm);
  const EffRainState before = w.rain();
  const bool runUsable = Usable(frm.cmdRun);
  frm.optAcres2.UserClick();
  EXPECT_EQ(w.rain().ReAcres2, before.ReAcres2);
  EXPECT_EQ(w.rain().ReECI, before.ReECI);
  EXPECT_EQ(w.rain().StationMonthRain, before.StationMonthRain);
  EXPECT_FALSE(Usable(frm.cmdRe));
  EXPECT_FALSE(Usable(frm.txtRain));
  EXPECT_EQ(Usable(frm.cmdRun), runUsable);
}

// The key a person presses to move the focus on (Tab) or back (Shift+Tab).
void PressFocusKey(Qt::Key key) {
  QWidget* focused = QApplication::focusWidget();
  ASSERT_NE(focused, nullptr);
  QKeyEvent press(QEvent::KeyPress, key, key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
  QApplication::sendEvent(focused, &press);
  QKeyEvent release(QEvent::KeyRelease, key, press.modifiers());
  QApplication::sendEvent(focused, &release);
}

// Tab does not select the button it reaches, while the button's focus handling clears the other
// five: the button is chosen, so exactly one method stays chosen wherever the focus goes, and the
// focus passing over the other controls changes no method.
TEST(MethodButtons, TabbingAcrossThemKeepsExactlyOneChosen) {
  RainWindow w("3", RDTransplanted, "1", 6);
  frmTUVO& frm = w.frm;
  const std::vector<controls::OptionButton*> six = {&frm.optRe1,    &frm.optRe2,    &frm.optAcres1,
                                                    &frm.optAcres2, &frm.optAcres3, &frm.optUSDA};
  frm.optAcres3.UserClick();
  controls::OptionButton* chosen = &frm.optAcres3;
  ASSERT_TRUE(frm.cboSamnuk.SetFocus());
  std::vector<const controls::OptionButton*> reached;
  for (int step = 0; step < 160; ++step) {
    PressFocusKey(step < 80 ? Qt::Key_Tab : Qt::Key_Backtab);
    const auto focused = std::find_if(six.begin(), six.end(), [](controls::OptionButton* b) { return b->HasFocus(); });
    if (focused != six.end()) {
      chosen = *focused;
      if (std::find(reached.begin(), reached.end(), chosen) == reached.end()) reached.push_back(chosen);
    }
    const QWidget* at = QApplication::focusWidget();
    SCOPED_TRACE("step " + std::to_string(step) + ", focus on " + (at ? at->objectName().toStdString() : "nothing"));
    for (controls::OptionButton* b : six) EXPECT_EQ(b->Value(), b == chosen) << b->Name();
  }
  EXPECT_EQ(reached.size(), six.size()) << "the focus reached every method button";

  // The entries move the focus and close the boxes that hold it; no method is chosen on the way.
  frm.optAcres1.UserClick();
  w.EnterAreas();
  frm.optRe02.UserClick();
  for (const char* mm : {"100", "200", "300", "400", "500"}) w.Rain(mm);
  ASSERT_FALSE(frm.txtRain.Enabled()) << "the entry ended";
  for (controls::OptionButton* b : six) EXPECT_EQ(b->Value(), b == &frm.optAcres1) << b->Name();
}

// The station database closes the entry and keeps what was typed; own rainfall again reopens it
// at the first month.
TEST(RainfallSource, SwitchingKeepsTheTables) {
  RainWindow w("3", RDTransplanted, "1", 6);
  frmTUVO& frm = w.frm;
  frm.optRe02.UserClick();
  w.Rain("150");
  w.Rain("200");
  const EffRainState typed = w.rain();
  frm.optRe01.UserClick();
  EXPECT_FALSE(frm.optRe02.Value());
  for (controls::Label* l : {&frm.lblMonth, &frm.Label13, &frm.Label17}) EXPECT_EQ(l->Caption(), "?") << l->Name();
  for (controls::Control* c : std::initializer_list<controls::Control*>{
           &frm.Label9, &frm.Label3, &frm.Label13, &frm.Label17, &frm.lblMonth, &frm.txtRain, &frm.cmdRe, &frm.cmdEdit2}) {
    EXPECT_FALSE(c->Enabled()) << c->Name();
  }
  EXPECT_EQ(w.rain().StationMonthRain, typed.StationMonthRain);
  EXPECT_EQ(w.rain().ReECI, typed.ReECI);

  frm.optRe02.UserClick();
  EXPECT_FALSE(frm.optRe01.Value());
  EXPECT_EQ(frm.lblMonth.Caption(), Abbrev(6));
  EXPECT_EQ(w.rain().ReECI, typed.ReECI);
  w.Rain("10");
  EXPECT_EQ(w.rain().StationMonthRain[6], "10");
  EXPECT_EQ(w.rain().StationMonthRain[7], "200");
}

// The month on view is the month stored next, whatever happens around the entry.

// A start year picked again during the entry starts it over at the new season, labels included.
TEST(RainEntryMonthOnView, NewStartYearDuringTheEntry) {
  RainWindow w("3", RDTransplanted, "1", 6);
  frmTUVO& frm = w.frm;
  frm.optRe02.UserClick();
  w.Rain("150");
  w.Rain("200");
  w.PickDate("1", locale::ThaiMonthName(8), "2552");
  EXPECT_EQ(frm.lblMonth.Caption(), Abbrev(8));
  EXPECT_EQ(frm.Label13.Caption(), Abbrev(8));
  EXPECT_EQ(frm.Label17.Caption(), Abbrev(12));
  w.Rain("80");
  EXPECT_EQ(w.rain().StationMonthRain[8], "80");
  EXPECT_EQ(frm.lblMonth.Caption(), Abbrev(9));
}

// With the station database chosen, the end of the area entry sets the counters back to 0.
TEST(RainEntryMonthOnView, CountersAtTheEndOfTheAreaEntryOnTheStationDatabase) {
  RainWindow w("3", RDTransplanted, "1", 6);
  frmTUVO& frm = w.frm;
  frm.optRe02.UserClick();
  w.Rain("150");
  frm.optRe01.UserClick();
  w.EnterAreas();
  EXPECT_EQ(w.fields.RainEntryMonth, 0);
  EXPECT_EQ(w.fields.RainEntryLastMonth, 0);
  EXPECT_EQ(w.rain().EffRainMonth, 0);
}

// Finishing the area entry in the middle of an own-rainfall entry: the next click still stores
// the month on view, and the entry still ends at the season's last month.
TEST(RainEntryMonthOnView, AreaEntryFinishedDuringTheEntry) {
  RainWindow w("3", RDTransplanted, "1", 6);
  frmTUVO& frm = w.frm;
  frm.optRe02.UserClick();
  w.Rain("150");
  w.Rain("200");
  w.EnterAreas();
  ASSERT_FALSE(frm.txtArea2.Enabled());
  EXPECT_EQ(frm.lblMonth.Caption(), Abbrev(8));
  w.Rain("250");
  EXPECT_EQ(w.rain().StationMonthRain[8], "250");
  EXPECT_EQ(w.rain().StationMonthRain[1], "") << "nothing went to January";
  EXPECT_EQ(frm.lblMonth.Caption(), Abbrev(9));
  w.Rain("300");
  w.Rain("350");
  EXPECT_FALSE(Usable(frm.cmdRe));
  EXPECT_TRUE(frm.cmdRun.HasFocus());
  EXPECT_EQ(frm.OwnRainRefusal(), std::nullopt);
}

// Restarting the rainfall entry while the areas are still being entered leaves the area entry
// open at its group; it closes only when its own last group is stored.
TEST(RainEntryRestart, AreaEntryUnderWayStaysOpen) {
  RainWindow w("3", RDTransplanted, "1", 6);
  frmTUVO& frm = w.frm;
  frm.txtArea2.ClickIn();
  w.Store("100");
  frm.optRe02.UserClick();
  w.Rain("150");
  frm.cmdEdit2.Press();
  EXPECT_EQ(frm.txtGroup.Text(), "2");
  EXPECT_TRUE(Usable(frm.txtArea2));
  EXPECT_TRUE(Usable(frm.cmdInputArea));
  EXPECT_FALSE(Usable(frm.cmdRun));
  EXPECT_EQ(frm.lblMonth.Caption(), Abbrev(6));
  w.Store("200");
  w.Store("300");
  EXPECT_EQ(w.fields.GroupArea[3], "300");
  EXPECT_FALSE(frm.txtArea2.Enabled());
  EXPECT_TRUE(Usable(frm.cmdRun));
}

// A complete rainfall entry opens Compute only when every group has its area.
TEST(OwnRainEntry, CompleteEntryWaitsForTheAreas) {
  RainWindow w("3", RDTransplanted, "1", 6);
  frmTUVO& frm = w.frm;
  frm.optRe02.UserClick();
  for (const char* mm : {"100", "200", "300", "400", "500"}) w.Rain(mm);
  EXPECT_FALSE(Usable(frm.cmdRun));
  w.EnterAreas();
  EXPECT_TRUE(Usable(frm.cmdRun));
}

// ---- The season the entry covers and the season Compute runs

// The entry covers the season as it stands when it starts, not as the start year left it.
TEST(RainEntrySeason, CoversTheSeasonAtItsStart) {
  RainWindow w("1", RDTransplanted, "14", 6);  // 19 weeks: 14 June to 24 October
  frmTUVO& frm = w.frm;
  ASSERT_EQ(w.fields.SeasonLastMonth, 10);
  frm.cboGroup.Pick("3");  // 21 weeks: to 7 November
  frm.optRe02.UserClick();
  EXPECT_EQ(frm.Label17.Caption(), Abbrev(11));
  for (const char* mm : {"100", "200", "300", "400", "500"}) w.Rain(mm);
  EXPECT_TRUE(Usable(frm.cmdRe)) << "November is still to come";
  w.Rain("600");
  EXPECT_FALSE(Usable(frm.cmdRe));
  EXPECT_EQ(frm.OwnRainRefusal(), std::nullopt);
}

// Week lists left empty are filled in by the run; the entry covers the season the run computes.
TEST(RainEntrySeason, WeekListsTheRunFillsIn) {
  testing::ShownWindow w;
  frmTUVO& frm = w.frm;
  frm.cboSamnuk.Pick(0);
  frm.cboProvince.Pick(0);
  frm.cboCroptype.Pick(std::string(RDTransplanted));
  frm.cboGroup.Pick("3");
  frm.cboFirstdate.Pick("1");
  frm.cboFirstmonth.Pick(locale::ThaiMonthName(6));
  frm.cboFirstyear.Pick("2552");
  frm.cboSoiltype.Pick(0);
  frm.cboDeeper.Pick(0);
  ASSERT_EQ(w.fields.ScheduleWeeks, 0) << "no length before the nursery weeks are chosen";
  frm.optRe02.UserClick();
  // The run writes 1 nursery-bed week and 4 seedling weeks: 3 + 5 + 12 = 20 weeks, to 18 October.
  EXPECT_EQ(frm.Label17.Caption(), Abbrev(10));
}

// Compute refuses an own-rainfall season that reaches a month the entry did not store, names the
// months, and accepts it once the restarted entry has covered the season.
TEST(RainEntrySeason, ComputeRefusesAnUntypedMonth) {
  RainWindow w("1", RDTransplanted, "14", 6);
  frmTUVO& frm = w.frm;
  frm.optRe02.UserClick();
  for (const char* mm : {"100", "200", "300", "400", "500"}) w.Rain(mm);
  ASSERT_FALSE(Usable(frm.cmdRe));
  EXPECT_EQ(frm.OwnRainRefusal(), std::nullopt);

  frm.cboGroup.Pick("3");  // the season now reaches November
  const std::optional<std::string> refusal = frm.OwnRainRefusal();
  ASSERT_TRUE(refusal.has_value());
  EXPECT_EQ(refusal->rfind(frm.Frame7.Caption(), 0), 0u) << *refusal;
  EXPECT_NE(refusal->find("ยังไม่ได้ใส่ข้อมูลของเดือน " + Abbrev(11) + " "), std::string::npos) << *refusal;
  EXPECT_NE(refusal->find("(" + Abbrev(6) + " - " + Abbrev(11) + ")"), std::string::npos) << *refusal;
  EXPECT_NE(refusal->find("\"" + frm.cmdEdit2.Caption() + "\""), std::string::npos) << *refusal;

  frm.cmdEdit2.Press();
  EXPECT_NE(frm.OwnRainRefusal(), std::nullopt) << "the restart empties the tables";
  EXPECT_EQ(frm.Label17.Caption(), Abbrev(11));
  for (const char* mm : {"100", "200", "300", "400", "500", "600"}) w.Rain(mm);
  EXPECT_EQ(frm.OwnRainRefusal(), std::nullopt);

  frm.optRe01.UserClick();
  EXPECT_EQ(frm.OwnRainRefusal(), std::nullopt) << "the station database needs no typed month";
}

// Across the turn of the year the months are named in the season's order.
TEST(RainEntrySeason, RefusalNamesTheMonthsInSeasonOrder) {
  RainWindow w("1", RDWetSeeded, "1", 11);
  w.frm.optRe02.UserClick();
  w.Rain("50");
  const std::optional<std::string> refusal = w.frm.OwnRainRefusal();
  ASSERT_TRUE(refusal.has_value());
  EXPECT_NE(refusal->find("ยังไม่ได้ใส่ข้อมูลของเดือน " + Abbrev(12) + " " + Abbrev(1) + " " + Abbrev(2) + " "),
            std::string::npos) << *refusal;
  EXPECT_NE(refusal->find("(" + Abbrev(11) + " - " + Abbrev(2) + ")"), std::string::npos) << *refusal;
}

// A month counts as typed only while the monthly rainfall still holds what was typed: the reset
// empties it (here done on the fields, as the reset does) and a station load replaces it.
TEST(RainEntrySeason, TypedMonthsLostToAResetOrAStationLoad) {
  RainWindow w("3", RDTransplanted, "1", 6);
  frmTUVO& frm = w.frm;
  frm.optRe02.UserClick();
  for (const char* mm : {"100", "200", "300", "400", "500"}) w.Rain(mm);
  ASSERT_EQ(frm.OwnRainRefusal(), std::nullopt);
  w.fields.Rain.StationMonthRain[7] = "";
  std::optional<std::string> refusal = frm.OwnRainRefusal();
  ASSERT_TRUE(refusal.has_value());
  EXPECT_NE(refusal->find("ยังไม่ได้ใส่ข้อมูลของเดือน " + Abbrev(7) + " "), std::string::npos) << *refusal;
  w.fields.Rain.StationMonthRain[7] = "200";
  EXPECT_EQ(frm.OwnRainRefusal(), std::nullopt);
  w.fields.Rain.StationMonthRain[9] = "371.2";
  refusal = frm.OwnRainRefusal();
  ASSERT_TRUE(refusal.has_value());
  EXPECT_NE(refusal->find(Abbrev(9)), std::string::npos);
}

// The restart empties the six tables but not the monthly rainfall: until the months are typed
// again the season counts as untyped, though nothing about it changed.
TEST(RainEntrySeason, RestartLeavesEveryMonthUntyped) {
  RainWindow w("3", RDTransplanted, "1", 6);
  frmTUVO& frm = w.frm;
  frm.optRe02.UserClick();
  for (const char* mm : {"100", "200", "300", "400", "500"}) w.Rain(mm);
  ASSERT_EQ(frm.OwnRainRefusal(), std::nullopt);
  frm.cmdEdit2.Press();
  ASSERT_EQ(w.rain().StationMonthRain[6], "100");
  const std::optional<std::string> refusal = frm.OwnRainRefusal();
  ASSERT_TRUE(refusal.has_value());
  std::string months;
  for (unsigned m = 6; m <= 10; ++m) months += (m == 6 ? "" : " ") + Abbrev(m);
  EXPECT_NE(refusal->find("ยังไม่ได้ใส่ข้อมูลของเดือน " + months + " "), std::string::npos) << *refusal;
  for (const char* mm : {"100", "200", "300", "400"}) w.Rain(mm);
  EXPECT_NE(frm.OwnRainRefusal(), std::nullopt) << "October still to come";
  w.Rain("500");
  EXPECT_EQ(frm.OwnRainRefusal(), std::nullopt);
}

}  // namespace
}  // namespace tuvo
