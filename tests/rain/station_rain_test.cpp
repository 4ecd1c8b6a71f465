// The station rainfall tables and the lookup that loads them.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "platform/locale.h"
#include "rain/station_rain.h"

namespace tuvo {
namespace {

const MonthTextTable& Loaded(EffRainState& state, std::string_view station) {
  TUVORainDatabase2(station, state);
  return state.StationMonthRain;
}

TEST(StationRainTables, NamesAreDistinctAndValuesAreTheirOwnNumberText) {
  std::set<std::string_view> names;
  for (const StationRainTable& station : StationRainTables) {
    EXPECT_TRUE(names.insert(station.StationName).second) << station.StationName;
    for (std::string_view text : station.months) {
      // Stored as the plain number text: reading it back and writing it again gives it unchanged.
      const double value = locale::ToNumber(text);
      EXPECT_EQ(locale::NumberText(value), text) << station.StationName;
      EXPECT_GE(value, 0.5) << station.StationName;
      EXPECT_LE(value, 1071.4) << station.StationName;
      EXPECT_EQ(locale::LeadingNumber(text), value) << station.StationName;
    }
  }
}

TEST(TUVORainDatabase2, LoadsTheStationNamedExactly) {
  EffRainState state;
  const MonthTextTable expected = {"",      "7.7",   "9.2",   "17.3",  "54.5",  "155.4", "119.4",
                                   "157.6", "224.4", "202.4", "116.6", "51.4",  "18.1"};
  EXPECT_EQ(Loaded(state, "เชียงใหม่"), expected);

  EffRainState saKaeo;
  EXPECT_EQ(Loaded(saKaeo, "สระแก้ว")[1], "36");
  EXPECT_EQ(saKaeo.StationMonthRain[12], "0.5");

  // Above the 1000 mm the own-rainfall entry accepts: the table holds it as it is.
  EffRainState khlongYai;
  EXPECT_EQ(Loaded(khlongYai, "คลองใหญ่_ตราด")[8], "1071.4");

  // Stations that share their values still load by their own names.
  EffRainState chiangRai;
  EXPECT_EQ(Loaded(chiangRai, "เชียงราย"), expected);
}

TEST(TUVORainDatabase2, DistrictStationIsNotItsProvince) {
  EffRainState district;
  EffRainState province;
  const MonthTextTable& thaWangPha = Loaded(district, "ท่าวังผา_น่าน");
  const MonthTextTable& nan = Loaded(province, "น่าน");
  EXPECT_EQ(thaWangPha[1], "3");
  EXPECT_EQ(thaWangPha[12], "1.9");
  EXPECT_EQ(nan[1], "7.3");
  EXPECT_NE(thaWangPha, nan);
}

TEST(TUVORainDatabase2, UnmatchedTextLoadsNothing) {
  for (std::string_view text : {"", "เชียงใหม่ ", " เชียงใหม่", "อุตรดิตถ์อุตรดิตถ์", "unknown"}) {
    EffRainState state;
    state.StationMonthRain = {"x", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"};
    const MonthTextTable before = state.StationMonthRain;
    EXPECT_EQ(Loaded(state, text), before) << text;
  }

  // A later unmatched text leaves the earlier station's values.
  EffRainState state;
  TUVORainDatabase2("เชียงราย", state);
  const MonthTextTable chiangRai = state.StationMonthRain;
  TUVORainDatabase2("no such station", state);
  EXPECT_EQ(state.StationMonthRain, chiangRai);
}

TEST(TUVORainDatabase2, LoadReplacesTypedMonthsAndKeepsElementZero) {
  EffRainState state;
  state.StationMonthRain.fill("typed");
  TUVORainDatabase2("สระแก้ว", state);
  EXPECT_EQ(state.StationMonthRain[0], "typed");
  for (std::size_t m = 1; m <= 12; ++m) EXPECT_NE(state.StationMonthRain[m], "typed") << m;

  const MonthTextTable once = state.StationMonthRain;
  TUVORainDatabase2("สระแก้ว", state);
  EXPECT_EQ(state.StationMonthRain, once);
}

TEST(TUVORainDatabase2, OfficeTextsWithoutTablesOfTheirOwnUseTheServingStation) {
  EffRainState city;
  EffRainState bangkok;
  EXPECT_EQ(Loaded(city, "กรุงเทพมหานคร"), Loaded(bangkok, "กรุงเทพ"));
  EXPECT_EQ(city.StationMonthRain[9], "345.3");

  EffRainState samui;
  EffRainState suratThani;
  EXPECT_EQ(Loaded(samui, "เกาะสมุย_สุราษฏร์ธานี"), Loaded(suratThani, "สุราษฏร์ธานี"));
  EXPECT_EQ(samui.StationMonthRain[1], "35.4");
}

}  // namespace
}  // namespace tuvo
