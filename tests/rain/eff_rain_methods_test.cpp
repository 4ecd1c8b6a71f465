// The six effective-rainfall methods: values and text forms, month rules, what they leave alone.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "rain/eff_rain_methods.h"

namespace tuvo {
namespace {

struct MethodCase {
  double rain;
  float month;
  std::string text;
};

using Method = void (*)(EffRainState&);

// Runs one method for one case and returns the element it wrote.
std::string Evaluate(Method method, MonthTextTable EffRainState::*table, const MethodCase& c) {
  EffRainState state;
  state.EffRainInput = c.rain;
  state.EffRainMonth = c.month;
  method(state);
  return (state.*table)[static_cast<std::size_t>(c.month)];
}

void ExpectCases(Method method, MonthTextTable EffRainState::*table,
                 const std::vector<MethodCase>& cases) {
  for (const MethodCase& c : cases) {
    EXPECT_EQ(Evaluate(method, table, c), c.text) << "rain " << c.rain << " month " << c.month;
  }
}

TEST(EffRainDepartment, MonthlyPercentage) {
  ExpectCases(EffRainDepartment, &EffRainState::ReDepartment,
              {{123.4, 1, "111.06"},
               {123.4, 2, "111.06"},
               {123.4, 3, "111.06"},
               {123.4, 4, "92.55"},
               {123.4, 9, "92.55"},
               {123.4, 10, "80.21"},
               {123.4, 11, "98.72"},
               {123.4, 12, "98.72"},
               {0, 6, "0"},
               {1000, 10, "650"},
               {0.5, 1, "0.45"}});
}

TEST(EffRainDepartment, MonthOutsideOneToTwelveWritesNothing) {
  for (float month : {0.0f, 13.0f, 4.5f, -1.0f}) {
    EffRainState state;
    state.ReDepartment.fill("old");
    state.EffRainInput = 123.4;
    state.EffRainMonth = month;
    EXPECT_NO_THROW(EffRainDepartment(state));
    for (const std::string& element : state.ReDepartment) EXPECT_EQ(element, "old") << month;
  }
}

TEST(EffRainECI, BandsAndFixedPoints) {
  ExpectCases(EffRainECI, &EffRainState::ReECI,
              {{0.5, 1, "0.5"},
               {150, 1, "150"},
               {199.9, 1, "199.9"},
               {200, 1, "200"},
               {210, 1, "207.5"},
               {210.5, 1, "207.875"},
               {249, 1, "236.75"},
               {250, 1, "237.5"},
               {260, 1, "244"},
               {300, 1, "270"},
               {350, 1, "292.5"},
               {375, 1, "301.25"},
               {400, 1, "310"},
               {450, 1, "320"},
               {475, 1, "322.5"},
               {500, 1, "325"},
               {500.01, 1, "325"},
               {1000, 7, "325"},
               {0, 1, "0"},
               {-3, 1, "0"}});
}

TEST(EffRainECI, KeepsBandWorkingValuesUntilTheNextBandCall) {
  EffRainState state;
  state.EffRainMonth = 3;
  state.EffRainInput = 210;
  EffRainECI(state);
  EXPECT_EQ(state.ECIBase, 200);
  EXPECT_EQ(state.ECIIncrement, 7.5);
  state.EffRainInput = 150;  // below the bands: the working values stay
  EffRainECI(state);
  state.EffRainInput = 250;  // a band end: fixed result, working values stay
  EffRainECI(state);
  EXPECT_EQ(state.ECIBase, 200);
  EXPECT_EQ(state.ECIIncrement, 7.5);
  state.EffRainInput = 410;
  EffRainECI(state);
  EXPECT_EQ(state.ECIBase, 310);
  EXPECT_EQ(state.ECIIncrement, 2);
  EXPECT_EQ(state.ReECI[3], "312");
}

TEST(EffRainUSDA, MonthlyFormula) {
  ExpectCases(EffRainUSDA, &EffRainState::ReUSDA,
              {{0, 1, "0"},
               {100, 1, "84"},
               {120, 5, "96.96"},
               {240, 1, "147.84"},
               {250, 1, "150"},
               {250.01, 1, "150.001"},
               {400, 1, "165"},
               {1000, 12, "225"}});
}

TEST(EffRainAcres1, OctoberAndOtherMonths) {
  ExpectCases(EffRainAcres1, &EffRainState::ReAcres1,
              {{12.5, 10, "12.5"},
               {25, 10, "25"},
               {30, 10, "28.6"},
               {33.3, 10, "30.976"},
               {50, 10, "43"},
               {75, 10, "50.5"},
               {260, 10, "84"},
               {5000, 10, "84"},
               {37.5, 5, "37.5"},
               {75, 5, "65"},
               {225, 5, "105"},
               {275, 5, "115"},
               {301, 5, "120"},
               {0, 10, "0"},
               {0, 5, "0"},
               {-1, 5, "0"}});
}

TEST(EffRainAcres2, OctoberAndOtherMonths) {
  ExpectCases(EffRainAcres2, &EffRainState::ReAcres2,
              {{75, 10, "71"},
               {125, 10, "93.5"},
               {210, 10, "100"},
               {40, 5, "40"},
               {75, 5, "75"},
               {125, 5, "113"},
               {275, 5, "151.5"},
               {300, 5, "156"},
               {300.5, 5, "160"},
               {350, 5, "160"},
               {0, 10, "0"},
               {0, 5, "0"}});
}

TEST(EffRainAcres3, AugustSeptemberOctoberAndOtherMonths) {
  ExpectCases(EffRainAcres3, &EffRainState::ReAcres3,
              {{120, 8, "120"},
               {175, 8, "170"},
               {350, 8, "249"},
               {450, 8, "264"},
               {123.4, 9, "118.72"},
               {450, 9, "213.5"},
               {600, 9, "215"},
               {125, 10, "110"},
               {200, 10, "120"},
               {275, 5, "262.5"},
               {350, 5, "287.5"},
               {225, 5, "225"},
               {450, 5, "300"},
               {0, 8, "0"},
               {0, 9, "0"},
               {0, 10, "0"},
               {0, 5, "0"}});
}

TEST(EffRainAcres, AugustAndSeptemberHaveTablesOnlyInCaseThree) {
  // 125 mm: case 1 other months 86.5, case 2 other months 113, case 3 August 125, September 120.
  ExpectCases(EffRainAcres1, &EffRainState::ReAcres1, {{125, 8, "86.5"}, {125, 9, "86.5"}});
  ExpectCases(EffRainAcres2, &EffRainState::ReAcres2, {{125, 8, "113"}, {125, 9, "113"}});
  ExpectCases(EffRainAcres3, &EffRainState::ReAcres3,
              {{125, 8, "125"}, {125, 9, "120"}, {125, 10, "110"}, {125, 11, "125"}});
}

TEST(EffRainMethods, MonthIsRoundedHalfToEvenAndBoundsAreChecked) {
  const std::vector<std::pair<Method, MonthTextTable EffRainState::*>> methods = {
      {EffRainECI, &EffRainState::ReECI},
      {EffRainAcres1, &EffRainState::ReAcres1},
      {EffRainAcres2, &EffRainState::ReAcres2},
      {EffRainAcres3, &EffRainState::ReAcres3},
      {EffRainUSDA, &EffRainState::ReUSDA}};
  for (const auto& [method, table] : methods) {
    EffRainState state;
    state.EffRainInput = 100;
    state.EffRainMonth = 12.5f;  // half: to the even 12
    method(state);
    EXPECT_FALSE((state.*table)[12].empty());
    state.EffRainMonth = 0.5f;  // half: to the even 0
    method(state);
    EXPECT_FALSE((state.*table)[0].empty());

    for (float month : {12.6f, 13.0f, -0.6f}) {
      EffRainState fresh;
      fresh.EffRainInput = 100;
      fresh.EffRainMonth = month;
      EXPECT_THROW(method(fresh), std::out_of_range) << month;
      for (const std::string& element : fresh.*table) EXPECT_EQ(element, "") << month;
    }
  }
}

TEST(EffRainMethods, EvaluatingAMonthWritesOnlyThatElementOfEachTable) {
  EffRainState state;
  for (MonthTextTable* table : {&state.ReDepartment, &state.ReECI, &state.ReAcres1,
                                &state.ReAcres2, &state.ReAcres3, &state.ReUSDA}) {
    table->fill("kept");
  }
  state.StationMonthRain.fill("rain");
  state.EffRainInput = 100;
  state.EffRainMonth = 5;
  EvaluateEffRainMonth(state);

  EXPECT_EQ(state.ReDepartment[5], "75");
  EXPECT_EQ(state.ReECI[5], "100");
  EXPECT_EQ(state.ReAcres1[5], "80");
  EXPECT_EQ(state.ReAcres2[5], "100");
  EXPECT_EQ(state.ReAcres3[5], "100");
  EXPECT_EQ(state.ReUSDA[5], "84");
  for (const MonthTextTable* table : {&state.ReDepartment, &state.ReECI, &state.ReAcres1,
                                      &state.ReAcres2, &state.ReAcres3, &state.ReUSDA}) {
    for (std::size_t m = 0; m <= 12; ++m) {
      if (m != 5) {
        EXPECT_EQ((*table)[m], "kept") << m;
      }
    }
  }
  EXPECT_EQ(state.EffRainInput, 100);
  EXPECT_EQ(state.EffRainMonth, 5);
  for (const std::string& element : state.StationMonthRain) EXPECT_EQ(element, "rain");
}

}  // namespace
}  // namespace tuvo
