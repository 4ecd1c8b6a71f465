// The weekly effective-rainfall column on a workbook whose calendar sheet and area columns are
// written directly, as the run leaves them.
#include "rain/eff_rain_column.h"

#include <gtest/gtest.h>

#include <chrono>
#include <stdexcept>
#include <string>
#include <variant>

#include "platform/locale.h"
#include "platform/sheet/sheet.h"
#include "rain/eff_rain_methods.h"
#include "season/season.h"

namespace tuvo {
namespace {

using namespace std::chrono;

bool Thin(const sheet::Border& b) {
  return b.lineStyle == sheet::xl::Continuous && b.weight == sheet::xl::Thin &&
         b.colorIndex == sheet::xl::Automatic;
}

bool IsEmpty(const sheet::Value& v) { return std::holds_alternative<std::monostate>(v); }

// A run's workbook, window texts and shared state, one group unless a test says otherwise.
struct Season {
  Season() {
    texts.cboGroup = "1";
    texts.cboFirstyear = "2552";
    texts.cboCroptype = "";  // no season rule: the week count stays as Calendar sets it
    texts.optRe1 = true;
    calc.Select();
  }

  // Calendar rows 1..weeks of the season starting on `first`: dates, then the (day, month) pairs.
  void Calendar(year_month_day first, int weeks) {
    sys_days day{first};
    for (int w = 1; w <= weeks; ++w) {
      for (int k = 0; k < 7; ++k, day += days{1}) {
        const year_month_day ymd{day};
        calendar.Cells(w, k + 1).SetValue(sheet::Value{sheet::DateValue{ymd}});
        calendar.Cells(w, 8 + 2 * k).SetValue(static_cast<double>(unsigned{ymd.day()}));
        calendar.Cells(w, 9 + 2 * k).SetValue(static_cast<double>(unsigned{ymd.month()}));
      }
    }
    WeekRowCount = static_cast<std::int16_t>(weeks);
  }

  int G() const { return std::stoi(texts.cboGroup); }
  int Column() const { return 6 * G() + 13; }
  // The three accumulated areas of week w (nursery, preparation, planted) in rai.
  void Areas(int w, double nursery, double prep, double planted) {
    calc.Cells(w + 5, 6 * G() + 6).SetValue(nursery);
    calc.Cells(w + 5, 6 * G() + 7).SetValue(prep);
    calc.Cells(w + 5, 6 * G() + 8).SetValue(planted);
  }
  void AreasAllWeeks(double planted) {
    for (int w = 1; w <= WeekRowCount; ++w) Areas(w, 0, 0, planted);
  }
  const sheet::Value& Week(int w) { return calc.ValueAt(w + 5, Column()); }
  double WeekNumber(int w) { return calc.Cells(w + 5, Column()).AsNumber(); }
  const sheet::Value& TotalCell() { return calc.ValueAt(WeekRowCount + 6, Column()); }

  void User() { FillEffRainColumnUser(texts, state, loop, book, totals, WeekRowCount); }
  void Station() { FillEffRainColumnStation(texts, state, loop, book, totals, WeekRowCount); }

  sheet::Application app;
  sheet::Workbook& book = app.Workbooks().Add();
  sheet::Worksheet& calc = book.Worksheets(2);
  sheet::Worksheet& calendar = book.Worksheets(3);
  SeasonTexts texts;
  EffRainState state;
  WeekLoop loop;
  SeasonTotals totals;
  std::int16_t WeekRowCount = 0;
};

TEST(EffRainColumn, VolumeIsAreaTimesDepthInCubicMetres) {
  Season s;
  // 50 mm over the 28 days of February 2009: 12.5 mm in a February week.
  s.state.ReDepartment[2] = "50";
  s.Calendar(2009y / February / 1, 1);
  s.Areas(1, 300, 200, 500);
  s.User();
  EXPECT_DOUBLE_EQ(s.state.WeekEffRainDepth, 12.5);
  EXPECT_EQ(s.Week(1), sheet::Value{20000.0});
  EXPECT_EQ(s.totals.TotalEffRain, 20000);
}

TEST(EffRainColumn, WeekAcrossTheMonthEndTakesEachDayFromItsMonth) {
  Season s;
  // 1 mm a day in January, 2 mm a day in February 2009: 3 x 1 + 4 x 2 = 11 mm.
  s.state.ReDepartment[1] = "31";
  s.state.ReDepartment[2] = "56";
  s.Calendar(2009y / January / 29, 1);
  s.Areas(1, 0, 0, 1000);
  s.User();
  EXPECT_DOUBLE_EQ(s.state.WeekEffRainDepth, 11);
  EXPECT_DOUBLE_EQ(s.WeekNumber(1), 17600);
}

TEST(EffRainColumn, TotalIsTheSumOfTheRoundedWeekCells) {
  Season s;
  // 7.75 mm in January: 0.25 mm a day, 1.75 mm a week; 0.0762 rai gives 0.21336 m³ a week.
  s.state.ReDepartment[1] = "7.75";
  s.Calendar(2009y / January / 1, 3);
  s.AreasAllWeeks(0.0762);
  s.User();
  for (int w = 1; w <= 3; ++w) EXPECT_EQ(s.Week(w), sheet::Value{0.21}) << w;
  // 0.63, not 0.64, the unrounded volumes' sum rounded; written without rounding again.
  EXPECT_DOUBLE_EQ(s.totals.TotalEffRain, 0.21 + 0.21 + 0.21);
  EXPECT_EQ(s.TotalCell(), sheet::Value{s.totals.TotalEffRain});
}

TEST(EffRainColumn, WeekCountColumnsAndLoopFromTheWindowsLists) {
  Season s;
  s.texts.cboGroup = "2";
  s.texts.cboCroptype = std::string(RDTransplanted);
  s.texts.cboTriamplangKla = "1";
  s.texts.cboLiengklatime = "3";
  s.state.ReDepartment.fill("31");
  s.Calendar(2009y / January / 1, 19);
  s.WeekRowCount = 0;  // recomputed: 2 groups + 4 nursery weeks + 13 = 19
  s.User();
  EXPECT_EQ(s.WeekRowCount, 19);
  EXPECT_EQ(s.loop.OutputColumn, 25);
  EXPECT_EQ(s.loop.EToWeekRow, 19);
  EXPECT_EQ(s.state.NurseryAreaTotalCol, 18);
  EXPECT_EQ(s.state.PrepAreaTotalCol, 19);
  EXPECT_EQ(s.state.PlantedAreaTotalCol, 20);
  EXPECT_FALSE(IsEmpty(s.calc.ValueAt(24, 25)));  // week 19
  EXPECT_FALSE(IsEmpty(s.calc.ValueAt(25, 25)));  // totals row n + 6
  EXPECT_TRUE(IsEmpty(s.calc.ValueAt(26, 25)));

  // A crop text none of the three keeps the count as it was.
  Season other;
  other.texts.cboCroptype = "other crop";
  other.Calendar(2009y / January / 1, 3);
  other.User();
  EXPECT_EQ(other.WeekRowCount, 3);
  EXPECT_EQ(other.loop.EToWeekRow, 3);
}

TEST(EffRainColumn, StyleFramesAndSelection) {
  Season s;
  s.state.ReDepartment.fill("31");
  s.Calendar(2009y / March / 1, 4);
  s.AreasAllWeeks(10);
  s.User();
  for (int w = 1; w <= 4; ++w) {
    EXPECT_EQ(s.Week(w), sheet::Value{112.0}) << w;  // 10 rai x 7 mm x 1.6
    const sheet::CellFormat& format = s.calc.FormatAt(w + 5, s.Column());
    EXPECT_EQ(format.style, "comma") << w;
    EXPECT_EQ(format.left.lineStyle, sheet::xl::None) << w;
    EXPECT_EQ(format.right.lineStyle, sheet::xl::None) << w;
  }
  EXPECT_EQ(s.TotalCell(), sheet::Value{448.0});
  const sheet::CellFormat& total = s.calc.FormatAt(10, s.Column());
  EXPECT_EQ(total.style, "comma");
  EXPECT_TRUE(Thin(total.left) && Thin(total.top) && Thin(total.bottom) && Thin(total.right));
  EXPECT_EQ(s.book.Selection().Areas().front(), (sheet::Area{10, s.Column(), 10, s.Column()}));
  for (int row : {1, 2, 3, 4, 5, 11}) EXPECT_TRUE(IsEmpty(s.calc.ValueAt(row, s.Column()))) << row;
}

TEST(EffRainColumn, ChosenTableIsTheFirstSetButton) {
  struct Choice {
    bool SeasonTexts::*button;
    double weekMm;
  };
  const Choice choices[] = {{&SeasonTexts::optRe1, 7},    {&SeasonTexts::optRe2, 14},
                            {&SeasonTexts::optAcres1, 21}, {&SeasonTexts::optAcres2, 28},
                            {&SeasonTexts::optAcres3, 35}, {&SeasonTexts::optUSDA, 42}};
  for (const Choice& c : choices) {
    Season s;
    s.state.ReDepartment[1] = "31";
    s.state.ReECI[1] = "62";
    s.state.ReAcres1[1] = "93";
    s.state.ReAcres2[1] = "124";
    s.state.ReAcres3[1] = "155";
    s.state.ReUSDA[1] = "186";
    s.texts.optRe1 = false;
    s.texts.*c.button = true;
    s.texts.optUSDA = true;  // a later button does not win over an earlier one
    s.Calendar(2009y / January / 1, 1);
    s.User();
    EXPECT_DOUBLE_EQ(s.state.WeekEffRainDepth, c.weekMm);
  }
}

TEST(EffRainColumn, NoMethodChosenKeepsTheDailyValuesOfThePreviousCall) {
  Season s;
  s.state.ReDepartment[1] = "31";
  s.texts.optRe1 = false;
  s.Calendar(2009y / January / 1, 1);
  s.Areas(1, 0, 0, 1);
  s.User();  // nothing computed yet: 0
  EXPECT_EQ(s.Week(1), sheet::Value{0.0});
  s.texts.optRe1 = true;
  s.User();
  EXPECT_DOUBLE_EQ(s.WeekNumber(1), 11.2);
  s.state.ReDepartment[1] = "62";
  s.texts.optRe1 = false;
  s.User();  // still 1 mm a day
  EXPECT_DOUBLE_EQ(s.WeekNumber(1), 11.2);
}

TEST(EffRainColumn, EmptyTablesAndEmptyAreasGiveZero) {
  Season s;
  s.Calendar(2009y / June / 1, 3);
  s.Areas(1, 0, 0, 100);  // weeks 2 and 3 have no area cells at all
  s.state.ReDepartment[7] = "31";
  s.User();
  for (int w = 1; w <= 3; ++w) EXPECT_EQ(s.Week(w), sheet::Value{0.0}) << w;  // June is empty
  EXPECT_EQ(s.totals.TotalEffRain, 0);
  EXPECT_EQ(s.TotalCell(), sheet::Value{0.0});
}

TEST(EffRainColumn, FebruaryIsSpreadOverTheDaysOfTheSeasonsOwnFebruary) {
  // 812 mm = 28 x 29: 28 mm a day over 29 days, 29 mm a day over 28.
  struct Case {
    const char* startYear;
    year_month_day first;
    double dailyMm;
    int leapDayWeek;  // the week of 28 February, 29 February and 1 to 5 March; 0 when none
  };
  const Case cases[] = {
      {"2551", 2008y / January / 3, 28, 9},     // February 2008: 29 days
      {"2552", 2009y / January / 1, 29, 0},     // February 2009: 28 days
      {"2550", 2007y / November / 1, 28, 18},   // into February 2008, from a common start year
      {"2551", 2008y / November / 1, 29, 0},    // into February 2009, from a leap start year
  };
  for (const Case& c : cases) {
    Season s;
    s.texts.cboFirstyear = c.startYear;
    s.state.ReDepartment[2] = "812";
    s.Calendar(c.first, 18);
    s.AreasAllWeeks(1);
    s.User();
    EXPECT_DOUBLE_EQ(s.state.MonthDailyEffRain[2], c.dailyMm) << c.startYear;
    // The 29th of February keeps February's daily value in a common year too.
    EXPECT_DOUBLE_EQ(s.state.DailyEffRain[29][2], c.dailyMm) << c.startYear;
    // Week 6 of a January season and week 15 of a November season lie wholly in February.
    const int februaryWeek = c.first.month() == January ? 6 : 15;
    EXPECT_DOUBLE_EQ(s.WeekNumber(februaryWeek), locale::Round2(7 * c.dailyMm * 1.6))
        << c.startYear;
    if (c.leapDayWeek != 0) {
      EXPECT_DOUBLE_EQ(s.WeekNumber(c.leapDayWeek), locale::Round2(2 * c.dailyMm * 1.6))
          << c.startYear;
    }
  }
}

TEST(EffRainColumn, OwnRainfallUsesTheTypedMonthsAsTheyStand) {
  Season s;
  s.texts.optRe1 = false;
  s.texts.optRe2 = true;
  s.texts.cboProvince = "เชียงใหม่";  // not loaded: the own-rainfall variant ignores the station
  s.state.StationMonthRain[1] = "300";
  s.state.EffRainInput = 300;
  s.state.EffRainMonth = 1;
  EvaluateEffRainMonth(s.state);  // as the entry leaves January: ECI 270
  s.state.ReECI[2] = "56";
  s.Calendar(2009y / January / 29, 1);
  s.Areas(1, 0, 0, 31);
  s.User();
  EXPECT_EQ(s.state.ReECI[1], "270");
  EXPECT_EQ(s.state.StationMonthRain[1], "300");
  EXPECT_TRUE(s.state.StationMonthRain[2].empty());
  // 31 rai x (3 x 270/31 + 4 x 2) mm x 1.6 = 1692.8 m³.
  EXPECT_DOUBLE_EQ(s.WeekNumber(1), 1692.8);
}

TEST(EffRainColumn, StationRainfallReplacesTypedMonthsInAllSixTables) {
  Season s;
  s.texts.cboProvince = "เชียงใหม่";
  for (MonthTextTable* table : {&s.state.ReDepartment, &s.state.ReECI, &s.state.ReAcres1,
                                &s.state.ReAcres2, &s.state.ReAcres3, &s.state.ReUSDA,
                                &s.state.StationMonthRain}) {
    table->fill("999");
  }
  s.Calendar(2009y / January / 1, 1);
  s.Areas(1, 0, 0, 1000);
  s.Station();
  EXPECT_EQ(s.state.StationMonthRain[1], "7.7");
  EXPECT_EQ(s.state.StationMonthRain[12], "18.1");
  EXPECT_EQ(s.state.ReDepartment[1], "6.93");
  EXPECT_EQ(s.state.ReDepartment[10], "75.79");  // 116.6 x 65 / 100
  EXPECT_EQ(s.state.ReECI[8], "218.3");          // 200 + 24.4 x 75 / 100
  EXPECT_EQ(s.state.ReUSDA[5], "116.761344");
  for (const MonthTextTable* table : {&s.state.ReDepartment, &s.state.ReECI, &s.state.ReAcres1,
                                      &s.state.ReAcres2, &s.state.ReAcres3, &s.state.ReUSDA}) {
    for (std::size_t m = 1; m <= 12; ++m) EXPECT_NE((*table)[m], "999") << m;
    EXPECT_EQ((*table)[0], "999");
  }
  EXPECT_EQ(s.state.EffRainMonth, 12);
  EXPECT_EQ(s.state.EffRainInput, 18.1);
  // 1000 rai x 7 x 6.93/31 mm x 1.6.
  EXPECT_DOUBLE_EQ(s.WeekNumber(1), 2503.74);
}

TEST(EffRainColumn, UnmatchedStationEvaluatesTheRainfallTheTableHolds) {
  Season s;
  s.texts.cboProvince = "เชียงใหม่ ";
  s.state.StationMonthRain[1] = "100";  // typed earlier; the other months are empty
  s.Calendar(2009y / January / 1, 1);
  s.Station();
  EXPECT_EQ(s.state.StationMonthRain[1], "100");
  EXPECT_EQ(s.state.ReDepartment[1], "90");
  EXPECT_EQ(s.state.ReUSDA[1], "84");
  EXPECT_EQ(s.state.ReDepartment[2], "0");  // an empty month counts as 0 mm
  EXPECT_EQ(s.state.ReECI[2], "0");
  EXPECT_EQ(s.state.ReAcres3[2], "0");
}

TEST(EffRainColumn, FailuresStopAtTheirStepAndKeepWhatWasWritten) {
  {
    Season s;
    s.state.ReDepartment.fill("31");
    s.Calendar(2009y / January / 1, 3);
    s.calendar.Cells(2, 21).ClearContents();  // week 2, month of its seventh day
    s.AreasAllWeeks(1);
    EXPECT_THROW(s.User(), std::out_of_range);
    EXPECT_DOUBLE_EQ(s.WeekNumber(1), 11.2);
    EXPECT_TRUE(IsEmpty(s.Week(2)));
    EXPECT_TRUE(IsEmpty(s.TotalCell()));
  }
  {
    Season s;
    s.Calendar(2009y / January / 1, 1);
    s.calendar.Cells(1, 8).SetValue(32.0);
    EXPECT_THROW(s.User(), std::out_of_range);
  }
  {
    Season s;
    s.Calendar(2009y / January / 1, 1);
    s.calc.Cells(6, 6 + 7).SetValue("ไร่");
    EXPECT_THROW(s.User(), sheet::SheetError);
  }
  {
    Season s;
    s.texts.cboGroup = "x";
    s.Calendar(2009y / January / 1, 1);
    EXPECT_THROW(s.User(), locale::ConversionError);
  }
}

}  // namespace
}  // namespace tuvo
