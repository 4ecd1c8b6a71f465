// The area group entry as a person uses it: the group count, the click that opens the entry and
// locks the lists, one store per group, the end of the entry, editing, and what Compute waits for.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "entry_fixture.h"
#include "entry_texts.h"

namespace tuvo {
namespace {

using namespace testing_texts;
using testing::BeepsDuring;
using testing::Usable;

// The 22 lists the entry locks.
std::vector<const controls::ComboBox*> AllLists(const frmTUVO& frm) {
  return {&frm.cboSamnuk,      &frm.cboKrongkan,  &frm.cboFai,       &frm.cboProvince,        &frm.cboCroptype,
          &frm.cboGroup,       &frm.cboTriamplangKla, &frm.cboATokla, &frm.cboTriamdinkla,   &frm.cboLiengkla,
          &frm.cboTriamplangNaDam, &frm.cboNadam1, &frm.cboTriamplangNaWan, &frm.cboStop,    &frm.cboNawan1,
          &frm.cboSoiltype,    &frm.cboDeeper,    &frm.cboEfficiency, &frm.cboFirstdate,      &frm.cboFirstmonth,
          &frm.cboFirstyear,   &frm.cboLiengklatime};
}

// Every list locked (true) or every list of the chosen crop usable (false).
void ExpectLocked(const frmTUVO& frm, bool locked) {
  for (const controls::ComboBox* list : AllLists(frm)) {
    if (locked) {
      EXPECT_FALSE(list->Enabled()) << list->Name();
    } else if (list->Widget()->parentWidget()->isEnabled()) {
      EXPECT_TRUE(Usable(*list)) << list->Name();
    }
  }
}

class AreaEntry : public ::testing::Test {
 protected:
  testing::SeasonWindow w;  // RD transplanted, 3 groups, 21 weeks from 1 มกราคม 2552
  frmTUVO& frm = w.frm;
  MainFields& fields = w.fields;
};

TEST_F(AreaEntry, ThreeGroupsFromClickToCompute) {
  ASSERT_EQ(frm.txtGroup.Text(), "1");
  ASSERT_FALSE(Usable(frm.cmdInputArea));
  frm.txtArea2.ClickIn();
  EXPECT_TRUE(Usable(frm.cmdInputArea));
  EXPECT_TRUE(Usable(frm.cmdEdit1));
  EXPECT_FALSE(Usable(frm.cmdRun));
  ExpectLocked(frm, true);
  EXPECT_EQ(AllLists(frm).size(), 22u);

  EXPECT_EQ(BeepsDuring([&] { w.Store("150"); }), 1) << "the field is emptied after the store";
  EXPECT_EQ(frm.txtGroup.Text(), "2");
  EXPECT_TRUE(frm.txtArea2.HasFocus());
  EXPECT_EQ(BeepsDuring([&] { frm.cmdInputArea.Press(); }), 0) << "an empty field is stored as 1";
  EXPECT_EQ(frm.txtGroup.Text(), "3");
  EXPECT_EQ(BeepsDuring([&] { w.Store("2000"); }), 1);

  EXPECT_EQ(fields.GroupArea[1], "150");
  EXPECT_EQ(fields.GroupArea[2], "1");
  EXPECT_EQ(fields.GroupArea[3], "2000");
  EXPECT_EQ(fields.GroupLabel[1], "1");
  EXPECT_EQ(fields.GroupLabel[2], "2");
  EXPECT_EQ(fields.GroupLabel[3], "3");
  EXPECT_EQ(fields.GroupCount, 3);
  EXPECT_EQ(fields.GroupCounter, 4);
  EXPECT_EQ(frm.txtGroup.Text(), "3") << "the last group stored";
  EXPECT_EQ(frm.txtArea2.Text(), "2000");
  EXPECT_FALSE(frm.txtArea2.Enabled());
  EXPECT_FALSE(frm.cmdInputArea.Enabled());
  EXPECT_TRUE(Usable(frm.cmdRun));
  EXPECT_TRUE(frm.AreasComplete());
  EXPECT_EQ(frm.ComputeRefusal(), std::nullopt);
  EXPECT_EQ(frm.lblFirst.Caption(), "1/1/2552");
  EXPECT_EQ(frm.lbllast.Caption(), "27/5/2552");
  EXPECT_EQ(frm.lblweek.Caption(), "21");
  EXPECT_EQ(fields.RainEntryMonth, 0);
  EXPECT_EQ(fields.RainEntryLastMonth, 0);
  EXPECT_EQ(fields.Rain.EffRainMonth, 0);
  ExpectLocked(frm, true);
}

struct AreaCase {
  const char* pasted;
  bool accepted;
};

TEST_F(AreaEntry, AreasOutsideOneToTenMillionRaiAreRefusedAtEveryChange) {
  const AreaCase cases[] = {
      {"0", false},        {"1", true},         {"0.5", false},  {"10000000", true}, {"10000001", false},
      {"-5", false},       {"abc", false},      {"150abc", true},  // only the leading number counts
      {"1e999", false},                                            // beyond a double: refused, no failure
  };
  for (const AreaCase& c : cases) {
    SCOPED_TRACE(c.pasted);
    frm.txtArea2.SetText("");
    const int beeps = BeepsDuring([&] { frm.txtArea2.Paste(c.pasted); });
    EXPECT_EQ(frm.txtArea2.Text(), c.accepted ? c.pasted : "");
    EXPECT_EQ(beeps > 0, !c.accepted);
  }
  frm.txtArea2.SetText("");
  EXPECT_GT(BeepsDuring([&] { frm.txtArea2.Type("0"); }), 0) << "typing 0 beeps at once";
  EXPECT_EQ(frm.txtArea2.Text(), "");
}

TEST_F(AreaEntry, AnAreaTheRunCannotReadIsNotStored) {
  frm.txtArea2.ClickIn();
  const std::string withUnit = "150 " + kRai;
  frm.txtArea2.Paste(withUnit);
  ASSERT_EQ(frm.txtArea2.Text(), withUnit) << "its leading number passes the range check";
  EXPECT_EQ(BeepsDuring([&] { frm.cmdInputArea.Press(); }), 1);
  EXPECT_EQ(frm.txtArea2.Text(), withUnit) << "kept to be corrected";
  EXPECT_EQ(frm.txtGroup.Text(), "1");
  EXPECT_EQ(fields.GroupArea[1], "");
  EXPECT_EQ(fields.GroupCounter, 0);

  // "10,000,001" passes the typing check as 10 but reads as more than ten million rai.
  frm.txtArea2.SetText("");
  frm.txtArea2.Paste("10,000,001");
  ASSERT_EQ(frm.txtArea2.Text(), "10,000,001");
  EXPECT_EQ(BeepsDuring([&] { frm.cmdInputArea.Press(); }), 1);
  EXPECT_EQ(fields.GroupArea[1], "");

  frm.txtArea2.SetText("");
  w.Store("1,500");  // read as 1500 by the locale's conversion
  w.Store("1500.5");
  w.Store("900");
  EXPECT_EQ(fields.GroupArea[1], "1,500");
  EXPECT_EQ(fields.GroupArea[2], "1500.5");
  EXPECT_TRUE(Usable(frm.cmdRun));
}

TEST_F(AreaEntry, ComputeWaitsUntilEveryGroupHasAReadableArea) {
  frm.txtArea2.ClickIn();
  for (const char* area : {"100", "200", "300"}) w.Store(area);
  ASSERT_TRUE(Usable(frm.cmdRun));

  // As a reset leaves the tables, and the end of an own-rainfall entry closes the area entry.
  for (std::string& area : fields.GroupArea) area.clear();
  frm.FinishAreaEntry();
  EXPECT_FALSE(frm.cmdRun.Enabled());
  EXPECT_FALSE(frm.AreasComplete());
  const std::optional<std::string> refusal = frm.ComputeRefusal();
  ASSERT_TRUE(refusal);
  EXPECT_NE(refusal->find(" 1:"), std::string::npos) << *refusal << " names group 1";

  fields.GroupArea[1] = "1,500";
  fields.GroupArea[2] = "1";
  EXPECT_FALSE(frm.AreasComplete()) << "group 3 still has none";
  fields.GroupArea[3] = "150 " + kRai;
  EXPECT_FALSE(frm.AreasComplete());
  ASSERT_TRUE(frm.ComputeRefusal());
  EXPECT_NE(frm.ComputeRefusal()->find(" 3:"), std::string::npos) << *frm.ComputeRefusal();
  fields.GroupArea[3] = "2000";
  EXPECT_TRUE(frm.AreasComplete());
  EXPECT_EQ(frm.ComputeRefusal(), std::nullopt);
  fields.GroupArea[4] = "";  // beyond the season's groups: not looked at
  EXPECT_TRUE(frm.AreasComplete());
}

TEST_F(AreaEntry, EditRestartsAtGroupOneWithComputeDisabled) {
  frm.txtArea2.ClickIn();
  for (const char* area : {"150", "", "2000"}) w.Store(area);
  ASSERT_TRUE(Usable(frm.cmdRun));

  EXPECT_EQ(BeepsDuring([&] { frm.cmdEdit1.Press(); }), 1) << "the shown area is emptied";
  EXPECT_EQ(frm.txtGroup.Text(), "1");
  EXPECT_EQ(frm.txtArea2.Text(), "");
  EXPECT_TRUE(Usable(frm.txtArea2));
  EXPECT_TRUE(Usable(frm.cmdInputArea));
  EXPECT_TRUE(frm.txtArea2.HasFocus());
  EXPECT_FALSE(frm.cmdRun.Enabled());
  EXPECT_EQ(fields.GroupCount, 3);
  ExpectLocked(frm, true);

  w.Store("500");
  EXPECT_FALSE(frm.cmdRun.Enabled());
  w.Store("600");
  w.Store("700");
  EXPECT_TRUE(Usable(frm.cmdRun));
  EXPECT_EQ(fields.GroupArea[1], "500");
  EXPECT_EQ(fields.GroupArea[3], "700");
  EXPECT_EQ(frm.txtArea2.Text(), "700");
}

TEST_F(AreaEntry, AMissingRateLeavesTheEntryClosedAndTheListsOpen) {
  frm.cboSoiltype.Pick(kSoils[2]);  // a soil without a chosen rate
  ASSERT_EQ(frm.cboDeeper.Text(), "");
  frm.txtArea2.ClickIn();
  EXPECT_FALSE(Usable(frm.cmdInputArea));
  EXPECT_FALSE(Usable(frm.cmdEdit1));
  EXPECT_FALSE(Usable(frm.cmdRun));
  ExpectLocked(frm, false);
  EXPECT_TRUE(Usable(frm.cboDeeper));

  frm.cboDeeper.Pick("2.0");
  frm.txtArea2.ClickIn();
  EXPECT_TRUE(Usable(frm.cmdInputArea));
  ExpectLocked(frm, true);
}

// Compute refuses to start without an efficiency above 0, so the entry must not lock the list
// before one is chosen.
TEST_F(AreaEntry, NoEfficiencyLeavesTheEntryClosedAndTheListsOpen) {
  for (const char* efficiency : {"", "0", "-5", "0.0", "abc", "1e999"}) {
    SCOPED_TRACE(std::string("cboEfficiency \"") + efficiency + "\"");
    frm.cboEfficiency.SetText(efficiency);
    frm.txtArea2.ClickIn();
    EXPECT_FALSE(Usable(frm.cmdInputArea));
    EXPECT_FALSE(Usable(frm.cmdEdit1));
    EXPECT_FALSE(Usable(frm.cmdRun));
    ExpectLocked(frm, false);
    EXPECT_TRUE(Usable(frm.cboEfficiency));
  }

  frm.cboEfficiency.Pick("10");
  frm.txtArea2.ClickIn();
  EXPECT_TRUE(Usable(frm.cmdInputArea));
  ExpectLocked(frm, true);
  for (const char* area : {"100", "200", "300"}) w.Store(area);
  EXPECT_TRUE(Usable(frm.cmdRun));
  EXPECT_EQ(frm.ComputeRefusal(), std::nullopt);
}

TEST_F(AreaEntry, OvertypedGroupNumberIsStoredWhenTheTablesHoldIt) {
  frm.txtArea2.ClickIn();
  frm.txtGroup.SetText("2");
  w.Store("400");
  EXPECT_EQ(fields.GroupArea[2], "400");
  EXPECT_EQ(fields.GroupLabel[2], "2");
  EXPECT_EQ(frm.txtGroup.Text(), "3");

  for (const char* group : {"0", "21", "abc", "", "99999", "1e999"}) {
    SCOPED_TRACE(std::string("txtGroup ") + group);
    const MainFields before = fields;
    frm.txtGroup.SetText(group);
    frm.txtArea2.SetText("");
    frm.txtArea2.Paste("800");
    EXPECT_EQ(BeepsDuring([&] { EXPECT_NO_THROW(frm.cmdInputArea.Press()); }), 1);
    EXPECT_EQ(frm.txtGroup.Text(), group) << "nothing stored, nothing moved on";
    EXPECT_EQ(frm.txtArea2.Text(), "800");
    EXPECT_EQ(fields.GroupArea, before.GroupArea);
    EXPECT_EQ(fields.GroupLabel, before.GroupLabel);
    EXPECT_EQ(fields.GroupCounter, before.GroupCounter);
  }
  frm.txtGroup.SetText("20");  // the last element of the tables
  frm.txtArea2.SetText("");
  w.Store("800");
  EXPECT_EQ(fields.GroupArea[20], "800");
  EXPECT_EQ(frm.txtArea2.Text(), "") << "21 > 3 groups: the entry closed, showing group 3's area, never stored";
  EXPECT_FALSE(frm.txtArea2.Enabled());
  EXPECT_FALSE(frm.cmdRun.Enabled()) << "group 1 and 3 have no area";
}

struct GroupCase {
  const char* pasted;
  bool accepted;
};

TEST(AreaEntryGroupCount, CountsOutsideTheTablesAreRefused) {
  testing::ShownWindow w;
  frmTUVO& frm = w.frm;
  frm.cboCroptype.Pick(std::string(RDTransplanted));
  const GroupCase cases[] = {
      {"1", true}, {"20", true}, {"2.5", true},  // 2.5 reads as 2, halves to even
      {"0", false}, {"21", false}, {"abc", false}, {"-3", false}, {"40000", false}, {"1e999", false},
      // The run reads the whole text as a number: a leading count with more after it is none.
      {" 7 ", true}, {"1,5", false}, {"3 กลุ่ม", false}, {"1,000", false}, {"1 2", false},
  };
  for (const GroupCase& c : cases) {
    SCOPED_TRACE(c.pasted);
    frm.cboGroup.SetText("");
    frm.txtArea2.SetText("");
    frm.txtArea2.Paste("150");
    frm.lblweek.SetCaption("21");
    const int beeps = BeepsDuring([&] { EXPECT_NO_THROW(frm.cboGroup.Paste(c.pasted)); });
    EXPECT_EQ(frm.cboGroup.Text(), c.accepted ? c.pasted : "");
    if (c.accepted) {
      EXPECT_EQ(beeps, 1) << "only the emptied area beeps";
      EXPECT_EQ(frm.txtGroup.Text(), "1");
      EXPECT_EQ(frm.txtArea2.Text(), "");
      EXPECT_EQ(frm.lblweek.Caption(), "?");
      EXPECT_TRUE(Usable(frm.cboFirstdate));
    } else {
      EXPECT_GT(beeps, 0);
      EXPECT_EQ(frm.txtArea2.Text(), "150") << "a refused count restarts nothing";
    }
    EXPECT_GE(w.fields.GroupCount, 0);
    EXPECT_LE(w.fields.GroupCount, 20);
  }
  frm.cboGroup.SetText("5");
  EXPECT_GT(BeepsDuring([&] { frm.cboGroup.Backspace(); }), 0) << "emptying by hand is refused too";
  EXPECT_EQ(w.fields.GroupCount, 5) << "the count stays as last accepted";
}

// A count typed key by key: the text after each key ("" where the key was refused).
struct TypedCount {
  std::vector<std::string> keys;
  std::vector<std::string> shown;
  int count;  // GroupCount afterwards
};

TEST(AreaEntryGroupCount, ACountTheRunCannotReadIsRefusedAtTheKeyThatBreaksIt) {
  testing::ShownWindow w;
  frmTUVO& frm = w.frm;
  frm.cboCroptype.Pick(std::string(RDTransplanted));
  const std::string word = "กลุ่ม";
  const TypedCount cases[] = {
      {{"1", "2"}, {"1", "12"}, 12},
      {{"7", " "}, {"7", "7 "}, 7},  // a blank after the count is allowed
      {{"1", ",", "5"}, {"1", "", "5"}, 5},
      {{"1", " ", word}, {"1", "1 ", ""}, 1},
  };
  for (const TypedCount& c : cases) {
    frm.cboGroup.SetText("");
    for (std::size_t k = 0; k < c.keys.size(); ++k) {
      SCOPED_TRACE("key " + std::to_string(k) + " \"" + c.keys[k] + "\"");
      const int beeps = BeepsDuring([&] { frm.cboGroup.Type(c.keys[k]); });
      EXPECT_EQ(frm.cboGroup.Text(), c.shown[k]);
      EXPECT_EQ(beeps > 0, c.shown[k].empty()) << "a beep only where the key was refused";
    }
    EXPECT_EQ(w.fields.GroupCount, c.count) << "the count stays as last accepted";
    EXPECT_EQ(frm.txtGroup.Text(), "1");
  }
}

TEST(AreaEntryGroupCount, APickedCountResetsTheSummaryAndTheRainfallLabels) {
  testing::SeasonWindow w("2");
  frmTUVO& frm = w.frm;
  for (controls::Label* l : {&frm.lblMonth, &frm.lblweek, &frm.Label13, &frm.Label17}) l->SetCaption("x");
  frm.cboGroup.Pick("5");
  for (controls::Label* l : {&frm.lblMonth, &frm.lblweek, &frm.Label13, &frm.Label17}) {
    EXPECT_EQ(l->Caption(), "?") << l->Name();
  }
  EXPECT_EQ(frm.txtGroup.Text(), "1");
  EXPECT_EQ(w.fields.GroupCount, 5);
  EXPECT_EQ(w.fields.ScheduleWeeks, 23);  // 5 + 2 + 16

  frm.lblweek.SetCaption("x");
  frm.Label13.SetCaption("x");
  frm.cboGroup.SetText("6");  // typed or written: Change, which leaves the rainfall range labels
  EXPECT_EQ(frm.lblweek.Caption(), "?");
  EXPECT_EQ(frm.Label13.Caption(), "x");
  EXPECT_EQ(w.fields.ScheduleWeeks, 24);
}

TEST(AreaEntryWeekLists, ComputeNamesAWeekListItCannotRead) {
  testing::SeasonWindow w;
  frmTUVO& frm = w.frm;
  ASSERT_TRUE(frm.ComputeRefusal()) << "no area stored yet";
  EXPECT_NE(frm.ComputeRefusal()->find(" 1:"), std::string::npos);
  frm.cboTriamplangKla.SetText("40000");
  EXPECT_EQ(w.fields.ScheduleWeeks, 21) << "the text reaches no field";
  std::optional<std::string> refusal = frm.ComputeRefusal();
  ASSERT_TRUE(refusal);
  const std::string label5 = frm.Label5.Caption().substr(0, frm.Label5.Caption().find('.'));
  EXPECT_EQ(refusal->rfind(label5, 0), 0u) << *refusal;
  EXPECT_NE(refusal->find("40000"), std::string::npos) << *refusal;

  frm.txtArea2.ClickIn();
  EXPECT_FALSE(Usable(frm.cmdInputArea)) << "the lists stay open so the text can be corrected";
  ExpectLocked(frm, false);

  frm.cboTriamplangKla.SetText("30000");  // each reads, their sum does not
  frm.cboLiengklatime.SetText("30000");
  ASSERT_TRUE(frm.ComputeRefusal());
  EXPECT_EQ(frm.ComputeRefusal()->rfind(label5, 0), 0u) << *frm.ComputeRefusal();

  frm.cboTriamplangKla.SetText("2");
  frm.cboLiengklatime.SetText("3");
  frm.txtArea2.ClickIn();
  EXPECT_TRUE(Usable(frm.cmdInputArea));
  for (const char* area : {"1", "2", "3"}) w.Store(area);
  EXPECT_EQ(frm.ComputeRefusal(), std::nullopt);

  // A group count with a word after it has the leading number 3, but the run reads it as a
  // number text: the list refuses it at once, and Compute, which it would reach only past that
  // check, names the list.
  EXPECT_GT(BeepsDuring([&] { frm.cboGroup.SetText("3 กลุ่ม"); }), 0);
  EXPECT_EQ(frm.cboGroup.Text(), "");
  frm.cboGroup.Change = nullptr;
  frm.cboGroup.SetText("3 กลุ่ม");
  refusal = frm.ComputeRefusal();
  ASSERT_TRUE(refusal);
  EXPECT_NE(refusal->find("3 กลุ่ม"), std::string::npos) << *refusal;
}

}  // namespace
}  // namespace tuvo
