// Crop, start-date and preparation inputs as a person uses them: the planting-system frames, the
// date cascade, the dependent depth lists, the soil's rate and the checks of typed values.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "entry_fixture.h"
#include "entry_texts.h"

namespace tuvo {
namespace {

using namespace testing_texts;
using testing::BeepsDuring;
using testing::Items;
using testing::Usable;

std::vector<std::string> Months(std::initializer_list<int> numbers) {
  std::vector<std::string> names;
  for (int m : numbers) names.push_back(kMonths[static_cast<std::size_t>(m - 1)]);
  return names;
}

std::vector<std::string> Years(int first, int last, int step) {
  std::vector<std::string> years;
  for (int y = first; y <= last; y += step) years.push_back(std::to_string(y));
  return years;
}

class CropInputs : public ::testing::Test {
 protected:
  testing::ShownWindow w;
  frmTUVO& frm = w.frm;
  MainFields& fields = w.fields;

  // A group count opens the date lists.
  void OpenDates() { frm.cboGroup.Pick("3"); }
};

struct CascadeCase {
  const char* day;
  std::optional<int> month;  // picked after the day; none: only the day
  std::vector<std::string> months;
  std::vector<std::string> years;
};

TEST_F(CropInputs, DateCascadeOffersOnlyExistingDates) {
  const std::vector<std::string> all = Months({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
  const std::vector<std::string> normalYears = Years(2549, 2580, 1);
  const CascadeCase cases[] = {
      {"31", std::nullopt, Months({1, 3, 5, 7, 8, 10, 12}), {}},
      {"30", std::nullopt, Months({1, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}), {}},
      {"29", std::nullopt, all, {}},
      {"1", std::nullopt, all, {}},
      {"29", 2, all, Years(2551, 2587, 4)},  // the ten leap years only
      {"28", 2, all, normalYears},
      {"29", 3, all, normalYears},
      {"31", 12, Months({1, 3, 5, 7, 8, 10, 12}), normalYears},
  };
  OpenDates();
  for (const CascadeCase& c : cases) {
    SCOPED_TRACE(std::string("day ") + c.day + (c.month ? " month " + std::to_string(*c.month) : ""));
    frm.cboFirstdate.Pick(c.day);
    EXPECT_EQ(Items(frm.cboFirstmonth), c.months);
    EXPECT_EQ(frm.cboFirstmonth.Text(), "") << "nothing is chosen";
    if (c.month) {
      frm.cboFirstmonth.Pick(kMonths[static_cast<std::size_t>(*c.month - 1)]);
      EXPECT_EQ(Items(frm.cboFirstyear), c.years);
      EXPECT_EQ(frm.cboFirstyear.Text(), "");
    } else {
      EXPECT_EQ(frm.cboFirstyear.ListCount(), 0);
    }
  }
  EXPECT_EQ(normalYears.size(), 32u);
}

TEST_F(CropInputs, ANewDayOrMonthAsksForTheYearAgainBeforeTheRainfallSource) {
  OpenDates();
  frm.cboFirstdate.Pick("29");
  frm.cboFirstmonth.Pick(kMonths[1]);
  frm.cboFirstyear.Pick("2555");
  ASSERT_TRUE(Usable(frm.optRe01));
  ASSERT_TRUE(Usable(frm.optRe02));

  frm.cboFirstdate.Pick("15");
  EXPECT_EQ(frm.cboFirstmonth.Text(), "");
  EXPECT_EQ(frm.cboFirstyear.Text(), "");
  EXPECT_EQ(frm.cboFirstyear.ListCount(), 0);
  EXPECT_EQ(frm.cboFirstmonth.ListCount(), 12);
  EXPECT_FALSE(Usable(frm.optRe01));
  EXPECT_FALSE(Usable(frm.optRe02));

  frm.cboFirstmonth.Pick(kMonths[1]);
  EXPECT_FALSE(Usable(frm.optRe01)) << "a month alone is no date";
  frm.cboFirstyear.Pick("2552");
  EXPECT_TRUE(Usable(frm.optRe01));
  EXPECT_TRUE(Usable(frm.optRe02));

  frm.cboFirstmonth.Pick(kMonths[2]);
  EXPECT_FALSE(Usable(frm.optRe01));
  EXPECT_EQ(frm.cboFirstyear.Text(), "");
}

TEST_F(CropInputs, CropChoosesThePlantingFramesAndKeepsEveryText) {
  const std::vector<const controls::Control*> transplanted = {
      &frm.Frame5, &frm.cboTriamplangKla, &frm.cboLiengklatime, &frm.cboATokla, &frm.cboTriamdinkla,
      &frm.cboLiengkla, &frm.Label5, &frm.Frame3, &frm.cboTriamplangNaDam, &frm.cboNadam1, &frm.Label20};
  const std::vector<const controls::Control*> wetSeeded = {&frm.Frame21, &frm.cboTriamplangNaWan, &frm.cboStop,
                                                          &frm.cboNawan1, &frm.Label25, &frm.Label33};
  const auto expectUsable = [](const std::vector<const controls::Control*>& group, bool usable) {
    for (const controls::Control* c : group) EXPECT_EQ(Usable(*c), usable) << c->Name();
  };

  frm.cboCroptype.Pick(std::string(KDML105Transplanted));
  expectUsable(transplanted, true);
  expectUsable(wetSeeded, false);
  EXPECT_EQ(frm.Frame10.Caption(), kFrame10Transplanted);
  frm.cboTriamplangKla.Pick("2");
  frm.cboLiengklatime.Pick("4");
  frm.cboATokla.Pick("12");

  frm.cboCroptype.Pick(std::string(RDWetSeeded));
  expectUsable(transplanted, false);
  expectUsable(wetSeeded, true);
  EXPECT_EQ(frm.Frame10.Caption(), kFrame10WetSeeded);
  EXPECT_EQ(frm.cboTriamplangKla.Text(), "2");
  EXPECT_EQ(frm.cboLiengklatime.Text(), "4");
  EXPECT_EQ(frm.cboATokla.Text(), "12");
  EXPECT_EQ(fields.ScheduleWeeks, 0) << "choosing a crop computes no season";

  frm.cboCroptype.Pick(std::string(RDTransplanted));
  expectUsable(transplanted, true);
  expectUsable(wetSeeded, false);
  EXPECT_EQ(frm.Frame10.Caption(), kFrame10Transplanted);
  EXPECT_EQ(frm.cboTriamplangKla.Text(), "2");
}

struct DependentCase {
  controls::ComboBox frmTUVO::*source;
  const char* text;
  controls::ComboBox frmTUVO::*dependent;
  std::vector<std::string> items;
};

TEST_F(CropInputs, DependentListsFollowTheirSourceAndChooseNothing) {
  const DependentCase cases[] = {
      {&frmTUVO::cboTriamplangKla, "1", &frmTUVO::cboTriamdinkla, {"100", "150"}},
      {&frmTUVO::cboTriamplangKla, "2", &frmTUVO::cboTriamdinkla, {"150", "200"}},
      {&frmTUVO::cboLiengklatime, "3", &frmTUVO::cboLiengkla, {"250", "300"}},
      {&frmTUVO::cboLiengklatime, "4", &frmTUVO::cboLiengkla, {"300", "350"}},
      {&frmTUVO::cboTriamplangNaDam, "1", &frmTUVO::cboNadam1, {"250", "300"}},
      {&frmTUVO::cboTriamplangNaDam, "2", &frmTUVO::cboNadam1, {"300", "350"}},
      {&frmTUVO::cboTriamplangNaWan, "1", &frmTUVO::cboNawan1, {"200", "250"}},
      {&frmTUVO::cboTriamplangNaWan, "2", &frmTUVO::cboNawan1, {"250", "300"}},
      {&frmTUVO::cboSoiltype, kSoils[0].c_str(), &frmTUVO::cboDeeper, {"1.0"}},
      {&frmTUVO::cboSoiltype, kSoils[1].c_str(), &frmTUVO::cboDeeper, {"1.5"}},
      {&frmTUVO::cboSoiltype, kSoils[2].c_str(), &frmTUVO::cboDeeper, {"2.0"}},
      {&frmTUVO::cboSoiltype, kSoils[3].c_str(), &frmTUVO::cboDeeper, {"2.5"}},
  };
  for (const DependentCase& c : cases) {
    controls::ComboBox& source = frm.*c.source;
    controls::ComboBox& dependent = frm.*c.dependent;
    SCOPED_TRACE(source.Name() + " " + c.text);
    frm.cboCroptype.Pick(std::string(c.source == &frmTUVO::cboTriamplangNaWan ? RDWetSeeded : RDTransplanted));
    dependent.SetText("3");  // a value shown before: the refill empties it
    source.Pick(c.text);
    EXPECT_EQ(Items(dependent), c.items);
    EXPECT_EQ(dependent.Text(), "");
  }
}

TEST_F(CropInputs, SeedlingWeeksRefillOnlyTheirWaterList) {
  frm.cboCroptype.Pick(std::string(RDTransplanted));
  frm.cboGroup.Pick("3");
  frm.cboTriamplangKla.Pick("2");
  frm.cboLiengklatime.Pick("3");
  frm.cboGroup.Pick("3");  // a schedule-length step with seedling weeks 3
  ASSERT_EQ(fields.ScheduleWeeks, 21);
  frm.cboLiengkla.Pick("300");

  frm.cboLiengklatime.Pick("4");
  EXPECT_EQ(Items(frm.cboLiengkla), (std::vector<std::string>{"300", "350"}));
  EXPECT_EQ(frm.cboLiengkla.Text(), "");
  EXPECT_EQ(fields.SeedlingWeeks, 3) << "the weeks reach the fields at the next step";
  EXPECT_EQ(fields.ScheduleWeeks, 21);

  frm.cboLiengklatime.Backspace();
  frm.cboLiengklatime.Type("5");  // typed: a text without a row empties the list
  EXPECT_EQ(frm.cboLiengkla.ListCount(), 0);
  EXPECT_EQ(frm.cboLiengklatime.Text(), "5");
}

TEST_F(CropInputs, WrittenWetSeededWeeksSetTheLengthButNotTheWaterList) {
  frm.cboCroptype.Pick(std::string(RDWetSeeded));
  frm.cboGroup.Pick("20");
  frm.cboStop.Pick("3");
  frm.cboTriamplangNaWan.Pick("1");
  ASSERT_EQ(fields.ScheduleWeeks, 36);
  ASSERT_EQ(Items(frm.cboNawan1), (std::vector<std::string>{"200", "250"}));

  frm.cmdHelp.SetFocus();
  frm.cboTriamplangNaWan.SetText("2");  // a write raises Change, as typing does
  EXPECT_EQ(fields.WetPrepWeeks, 2);
  EXPECT_EQ(fields.ScheduleWeeks, 37);
  EXPECT_EQ(Items(frm.cboNawan1), (std::vector<std::string>{"200", "250"})) << "kept until the weeks are picked";
  EXPECT_TRUE(frm.txtArea2.HasFocus()) << "the weeks lead on to the area";
}

TEST_F(CropInputs, NurseryBedWeeksRestartTheAreaEntry) {
  frm.cboCroptype.Pick(std::string(KDML105Transplanted));
  frm.cboLiengklatime.Pick("4");
  frm.cboGroup.Pick("1");
  frm.txtArea2.Type("150");
  frm.txtGroup.SetText("3");

  EXPECT_EQ(BeepsDuring([&] { frm.cboTriamplangKla.Pick("1"); }), 1) << "the typed area is emptied";
  EXPECT_EQ(frm.txtArea2.Text(), "");
  EXPECT_EQ(frm.txtGroup.Text(), "1");
  EXPECT_EQ(Items(frm.cboTriamdinkla), (std::vector<std::string>{"100", "150"}));
  EXPECT_EQ(fields.ScheduleWeeks, 19);  // 1 + 5 + 13
  EXPECT_FALSE(frm.txtArea2.HasFocus()) << "a pick leaves the focus where it is";

  frm.cboTriamplangKla.Backspace();  // typed: the same steps, then the focus goes to the area
  frm.cboTriamplangKla.Type("2");
  EXPECT_EQ(Items(frm.cboTriamdinkla), (std::vector<std::string>{"150", "200"}));
  EXPECT_EQ(fields.ScheduleWeeks, 20);
  EXPECT_TRUE(frm.txtArea2.HasFocus());
}

TEST_F(CropInputs, WeekTextsBeyondSixteenBitsReachNoField) {
  frm.cboCroptype.Pick(std::string(RDTransplanted));
  frm.cboGroup.Pick("3");
  frm.cboTriamplangKla.Pick("2");
  frm.cboLiengklatime.Pick("3");
  frm.cboGroup.Pick("3");
  frm.cboTriamplangNaWan.SetText("1");
  frm.cboStop.SetText("2");
  frm.cboTriamplangKla.Pick("2");
  ASSERT_EQ(fields.ScheduleWeeks, 21);
  ASSERT_EQ(fields.WetPrepWeeks, 1);
  const MainFields before = fields;

  EXPECT_NO_THROW(frm.cboTriamplangKla.Paste("99999"));  // "299999" in one edit
  EXPECT_EQ(fields.NurseryPrepWeeks, before.NurseryPrepWeeks);
  EXPECT_EQ(fields.ScheduleWeeks, 21);
  EXPECT_EQ(frm.cboTriamdinkla.ListCount(), 0) << "no row for that text";
  EXPECT_EQ(frm.txtGroup.Text(), "1");

  frm.cboTriamplangKla.SetText("2");
  frm.cboStop.SetText("40000");  // only code can write this list
  EXPECT_NO_THROW(frm.cboTriamplangKla.Pick("1"));
  EXPECT_EQ(fields.StopWeeks, 2) << "none of the three values the handler reads is taken";
  EXPECT_EQ(fields.WetPrepWeeks, 1);
  EXPECT_EQ(fields.NurseryPrepWeeks, 1) << "the schedule-length step reads its own lists";
  EXPECT_EQ(fields.ScheduleWeeks, 20);
}

struct TypedCase {
  controls::ComboBox frmTUVO::*list;
  const char* typed;  // one key at a time
  const char* text;   // what the field holds afterwards
  bool beeps;
};

TEST_F(CropInputs, RatioAndPercolationRefuseValuesOutsideTheirRange) {
  const TypedCase cases[] = {
      {&frmTUVO::cboDeeper, "0", "", true},
      {&frmTUVO::cboDeeper, "0.5", "5", true},  // "0" and "0." are refused, then "5" is typed afresh
      {&frmTUVO::cboDeeper, "5", "5", false},
      {&frmTUVO::cboDeeper, "5.5", "", true},
      {&frmTUVO::cboDeeper, "1", "1", false},
      {&frmTUVO::cboDeeper, "2.5", "2.5", false},
      {&frmTUVO::cboDeeper, "6", "", true},
      {&frmTUVO::cboDeeper, "-1", "1", true},  // "-" alone reads as 0
      {&frmTUVO::cboATokla, "100", "100", false},
      {&frmTUVO::cboATokla, "101", "", true},
      {&frmTUVO::cboATokla, "12abc", "12abc", false},  // only the leading number counts
      {&frmTUVO::cboATokla, "1e2", "1e2", false},
  };
  frm.cboCroptype.Pick(std::string(RDTransplanted));
  for (const TypedCase& c : cases) {
    controls::ComboBox& list = frm.*c.list;
    SCOPED_TRACE(list.Name() + " typed " + c.typed);
    list.SetText("");
    const int beeps = BeepsDuring([&] { list.Type(c.typed); });
    EXPECT_EQ(list.Text(), c.text);
    EXPECT_EQ(beeps > 0, c.beeps);
  }
}

TEST_F(CropInputs, TheChecksRunOnEveryChangeOfTheText) {
  frm.cboCroptype.Pick(std::string(RDTransplanted));
  frm.cboDeeper.SetText("2");
  frm.cboDeeper.Type("0");  // "20"
  EXPECT_EQ(frm.cboDeeper.Text(), "");
  EXPECT_GT(BeepsDuring([&] { frm.cboDeeper.Paste("0.5"); }), 0) << "pasted in one edit: 0.5 is below 1";
  EXPECT_EQ(frm.cboDeeper.Text(), "");
  EXPECT_EQ(BeepsDuring([&] { frm.cboDeeper.SetText("2"); frm.cboATokla.SetText("15"); }), 0)
      << "values written by code pass like typed ones";
  EXPECT_EQ(BeepsDuring([&] { frm.cboATokla.Backspace(2); }), 1) << "emptying by hand beeps: \"1\" is kept, \"\" is not";
  EXPECT_EQ(frm.cboATokla.Text(), "");

  EXPECT_GT(BeepsDuring([&] { frm.cboATokla.Paste("1e999"); }), 0) << "beyond a double: refused, the window goes on";
  EXPECT_EQ(frm.cboATokla.Text(), "");

  frm.cboDeeper.SetText("2.5");
  EXPECT_EQ(BeepsDuring([&] { frm.cboSoiltype.Pick(kSoils[0]); }), 0) << "a refill empties the rate without a check";
  EXPECT_EQ(frm.cboDeeper.Text(), "");
}

}  // namespace
}  // namespace tuvo
