// Season length by crop (the schedule-length step), the start date and the season calendar.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "forms/frmTUVO.h"
#include "forms/season_calendar.h"
#include "platform/locale.h"

namespace tuvo {
namespace {

using namespace std::chrono;

struct WeekTexts {
  std::string_view crop;
  const char* groups;
  const char* nurseryPrep;  // cboTriamplangKla
  const char* seedling;     // cboLiengklatime
  const char* wetPrep;      // cboTriamplangNaWan
  const char* stop;         // cboStop
};

void Write(frmTUVO& frm, const WeekTexts& t) {
  frm.cboCroptype.SetText(t.crop);
  frm.cboGroup.SetText(t.groups);
  frm.cboTriamplangKla.SetText(t.nurseryPrep);
  frm.cboLiengklatime.SetText(t.seedling);
  frm.cboTriamplangNaWan.SetText(t.wetPrep);
  frm.cboStop.SetText(t.stop);
}

struct LengthCase {
  WeekTexts texts;
  int scheduleWeeks;
};

TEST(SeasonLength, ByCropTable) {
  const LengthCase cases[] = {
      {{RDTransplanted, "3", "2", "3", "", ""}, 21},       // 3 + 5 + 13
      {{RDTransplanted, "3", "2", "4", "", ""}, 21},       // 3 + 6 + 12
      {{KDML105Transplanted, "1", "1", "4", "", ""}, 19},  // 1 + 5 + 13
      {{KDML105Transplanted, "1", "1", "3", "", ""}, 19},  // 1 + 4 + 14
      {{RDWetSeeded, "20", "", "", "2", "3"}, 37},         // the longest wet-seeded season
      {{KDML105Transplanted, "20", "2", "4", "", ""}, 39}, // the longest of all
      {{RDWetSeeded, "1", "", "", "1", "1"}, 17},          // the shortest
      {{RDWetSeeded, "1", "", "", "1", "2"}, 17},
      {{RDTransplanted, "12", "2", "3", "", ""}, 30},
      {{RDTransplanted, "2.5", "1", "3", "", ""}, 19},     // whole numbers round halves to even: 2
  };
  for (const LengthCase& c : cases) {
    MainFields fields;
    frmTUVO frm(fields);
    Write(frm, c.texts);
    frm.ScheduleLengthStep();
    EXPECT_EQ(fields.ScheduleWeeks, c.scheduleWeeks)
        << c.texts.crop << " G=" << c.texts.groups << " TK=" << c.texts.nurseryPrep << " LK=" << c.texts.seedling
        << " W=" << c.texts.wetPrep << " S=" << c.texts.stop;
  }
}

TEST(SeasonLength, FieldsFollowTheListsOfTheChosenCropOnly) {
  MainFields fields;
  frmTUVO frm(fields);
  Write(frm, {RDTransplanted, "3", "2", "3", "2", "3"});
  frm.ScheduleLengthStep();
  EXPECT_EQ(fields.NurseryPrepWeeks, 2);
  EXPECT_EQ(fields.SeedlingWeeks, 3);
  EXPECT_EQ(fields.NurseryWeeks, 5);
  EXPECT_EQ(fields.GroupCount, 3);
  EXPECT_EQ(fields.WetPrepWeeks, 0) << "the transplanted rule reads no wet-seeded list";
  EXPECT_EQ(fields.StopWeeks, 0);
  frm.cboCroptype.SetText(RDWetSeeded);
  frm.ScheduleLengthStep();
  EXPECT_EQ(fields.WetPrepWeeks, 2);
  EXPECT_EQ(fields.StopWeeks, 3);
  EXPECT_EQ(fields.NurseryWeeks, 5);
  EXPECT_EQ(fields.ScheduleWeeks, 20);  // 3 + 2 + 15
}

TEST(SeasonLength, SeedlingWeeksWithoutARuleKeepThePreviousLength) {
  MainFields fields;
  frmTUVO frm(fields);
  Write(frm, {RDTransplanted, "3", "2", "5", "", ""});
  frm.ScheduleLengthStep();
  EXPECT_EQ(fields.SeedlingWeeks, 5) << "the week fields take the typed value";
  EXPECT_EQ(fields.NurseryWeeks, 7);
  EXPECT_EQ(fields.ScheduleWeeks, 0) << "nothing computed before";

  frm.cboLiengklatime.SetText("3");
  frm.ScheduleLengthStep();
  ASSERT_EQ(fields.ScheduleWeeks, 21);
  frm.cboLiengklatime.SetText("5");
  frm.cboGroup.SetText("10");
  frm.ScheduleLengthStep();
  EXPECT_EQ(fields.GroupCount, 10);
  EXPECT_EQ(fields.ScheduleWeeks, 21);
  frm.cboStop.SetText("4");
  frm.cboCroptype.SetText(RDWetSeeded);
  frm.ScheduleLengthStep();
  EXPECT_EQ(fields.StopWeeks, 4);
  EXPECT_EQ(fields.ScheduleWeeks, 21);
}

TEST(SeasonLength, AnotherCropTextOrWeeksBeyondSixteenBitsChangeNothing) {
  MainFields fields;
  frmTUVO frm(fields);
  Write(frm, {RDTransplanted, "3", "2", "3", "", ""});
  frm.ScheduleLengthStep();
  ASSERT_EQ(fields.ScheduleWeeks, 21);
  const MainFields before = fields;

  frm.cboCroptype.SetText("");
  frm.cboGroup.SetText("7");
  frm.ScheduleLengthStep();
  EXPECT_EQ(fields.GroupCount, before.GroupCount);
  EXPECT_EQ(fields.ScheduleWeeks, 21);

  frm.cboCroptype.SetText(RDTransplanted);
  // The group list refuses such texts itself; without its handler the step's own guard shows.
  frm.cboGroup.Change = nullptr;
  for (const char* huge : {"40000", "32767"}) {  // 32767 + 2 + 16 overflows the sum
    frm.cboGroup.SetText(huge);
    EXPECT_NO_THROW(frm.ScheduleLengthStep()) << huge;
    EXPECT_EQ(fields.GroupCount, before.GroupCount) << huge;
    EXPECT_EQ(fields.ScheduleWeeks, 21) << huge;
  }
  frm.cboGroup.SetText("3");
  frm.cboTriamplangKla.SetText("99999");
  EXPECT_NO_THROW(frm.ScheduleLengthStep());
  EXPECT_EQ(fields.NurseryPrepWeeks, 2);
  EXPECT_EQ(fields.ScheduleWeeks, 21);
}

locale::Date Ymd(int y, unsigned m, unsigned d) { return year{y} / month{m} / day{d}; }

struct CalendarCase {
  const char* day;
  unsigned month;
  const char* buddhistYear;
  WeekTexts weeks;
  int scheduleWeeks;
  locale::Date start, end;
  float firstMonth, lastMonth;
};

TEST(SeasonCalendar, StartYearPickedFixesTheSeasonMonths) {
  const CalendarCase cases[] = {
      {"1", 1, "2552", {RDTransplanted, "3", "2", "3", "", ""}, 21, Ymd(2009, 1, 1), Ymd(2009, 5, 27), 1, 5},
      {"1", 10, "2551", {RDTransplanted, "12", "2", "3", "", ""}, 30, Ymd(2008, 10, 1), Ymd(2009, 4, 28), 10, 4},
      {"29", 2, "2551", {RDWetSeeded, "1", "", "", "1", "1"}, 17, Ymd(2008, 2, 29), Ymd(2008, 6, 26), 2, 6},
      // No crop chosen yet: the length is still 0 and the season ends on its first day.
      {"15", 7, "2553", {"", "3", "", "", "", ""}, 0, Ymd(2010, 7, 15), Ymd(2010, 7, 15), 7, 7},
  };
  for (const CalendarCase& c : cases) {
    MainFields fields;
    frmTUVO frm(fields);
    Write(frm, c.weeks);
    frm.cboFirstdate.SetText(c.day);
    frm.cboFirstmonth.SetText(locale::ThaiMonthName(c.month));
    frm.cboFirstyear.SetText(c.buddhistYear);
    frm.cboFirstyear_Click();
    SCOPED_TRACE(std::string(c.day) + "/" + std::to_string(c.month) + "/" + c.buddhistYear);
    EXPECT_EQ(fields.ScheduleWeeks, c.scheduleWeeks);
    ASSERT_EQ(frm.SeasonStart(), c.start);
    EXPECT_EQ(SeasonEnd(c.start, fields.ScheduleWeeks), c.end);
    EXPECT_EQ(fields.SeasonFirstMonth, c.firstMonth);
    EXPECT_EQ(fields.SeasonLastMonth, c.lastMonth);
    EXPECT_EQ(fields.RainEntryMonth, c.firstMonth);
    EXPECT_EQ(fields.Rain.EffRainMonth, c.firstMonth - 1);
    EXPECT_TRUE(frm.optRe01.Enabled());
    EXPECT_TRUE(frm.optRe02.Enabled());
    EXPECT_EQ(frm.lblFirst.Caption(), "?") << "picking the year shows nothing";
    EXPECT_EQ(frm.lbllast.Caption(), "?");
  }
}

TEST(SeasonCalendar, WeeksAreConsecutiveSevenDayBlocks) {
  const locale::Date start = Ymd(2009, 1, 1);
  EXPECT_EQ(WeekStart(start, 1), start);
  EXPECT_EQ(WeekEnd(start, 1), Ymd(2009, 1, 7));
  EXPECT_EQ(WeekStart(start, 2), Ymd(2009, 1, 8));
  EXPECT_EQ(WeekEnd(start, 21), Ymd(2009, 5, 27));
  EXPECT_EQ(SeasonEnd(start, 21), WeekEnd(start, 21));
  EXPECT_EQ(SeasonEnd(start, -3), start);
}

TEST(SeasonCalendar, TimeControl04ShowsTheSeasonAndKeepsTheMonths) {
  MainFields fields;
  frmTUVO frm(fields);
  Write(frm, {RDTransplanted, "3", "2", "3", "", ""});
  frm.cboFirstdate.SetText("1");
  frm.cboFirstmonth.SetText(locale::ThaiMonthName(1));
  frm.cboFirstyear.SetText("2552");
  frm.cboFirstyear_Click();
  frm.cboGroup.SetText("4");  // one group more: one week more
  frm.TimeControl04();
  EXPECT_EQ(frm.lblFirst.Caption(), "1/1/2552");
  EXPECT_EQ(frm.lbllast.Caption(), "3/6/2552");
  EXPECT_EQ(frm.lblweek.Caption(), "22");
  EXPECT_EQ(fields.SeasonLastMonth, 5) << "only a year pick moves the season months";
  EXPECT_EQ(fields.RainEntryMonth, 1);
}

TEST(SeasonCalendar, TextsThatNameNoDateAreNotAFailure) {
  MainFields fields;
  frmTUVO frm(fields);
  Write(frm, {RDTransplanted, "3", "2", "3", "", ""});
  fields.SeasonFirstMonth = 4;
  frm.cboFirstdate.SetText("31");
  frm.cboFirstmonth.SetText(locale::ThaiMonthName(2));
  frm.cboFirstyear.SetText("2552");
  EXPECT_FALSE(frm.SeasonStart().has_value());
  EXPECT_NO_THROW(frm.cboFirstyear_Click());
  EXPECT_EQ(fields.SeasonFirstMonth, 4);
  EXPECT_EQ(fields.ScheduleWeeks, 21);
  EXPECT_NO_THROW(frm.TimeControl04());
  EXPECT_EQ(frm.lblFirst.Caption(), "?");
  EXPECT_EQ(frm.lblweek.Caption(), "21");
}

}  // namespace
}  // namespace tuvo
