// The season's shared scheme as every writer reads it: the season-length rule and where the
// summary columns stand.
#include "season/season.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/locale.h"
#include "season/summary_layout.h"

namespace tuvo {
namespace {

struct LengthCase {
  const char* what;
  std::string_view crop;
  WeekFields weeks;
  std::optional<std::int16_t> expected;
};

TEST(SeasonLength, EachCropHasItsRuleAndAnyOtherChoiceHasNone) {
  const LengthCase cases[] = {
      {"RD transplanted, 3 seedling weeks: G + nursery + 13", RDTransplanted,
       {.SeedlingWeeks = 3, .NurseryWeeks = 5, .GroupCount = 3}, 21},
      {"RD transplanted, 4 seedling weeks: G + nursery + 12", RDTransplanted,
       {.SeedlingWeeks = 4, .NurseryWeeks = 6, .GroupCount = 1}, 19},
      {"KDML 105, 3 seedling weeks: G + nursery + 14", KDML105Transplanted,
       {.SeedlingWeeks = 3, .NurseryWeeks = 5, .GroupCount = 2}, 21},
      {"KDML 105, 4 seedling weeks, the largest season", KDML105Transplanted,
       {.SeedlingWeeks = 4, .NurseryWeeks = 6, .GroupCount = 20}, 39},
      {"the nursery weeks count as given, not as their parts add up", RDTransplanted,
       {.NurseryPrepWeeks = 2, .SeedlingWeeks = 3, .NurseryWeeks = 10, .GroupCount = 1}, 24},
      {"wet-seeded, 1 stop week: G + preparation + 1 + 14", RDWetSeeded,
       {.WetPrepWeeks = 2, .StopWeeks = 1, .GroupCount = 1}, 18},
      {"wet-seeded, 2 stop weeks: the same length", RDWetSeeded,
       {.WetPrepWeeks = 2, .StopWeeks = 2, .GroupCount = 1}, 18},
      {"wet-seeded, 3 stop weeks: the same length", RDWetSeeded,
       {.WetPrepWeeks = 2, .StopWeeks = 3, .GroupCount = 1}, 18},
      {"transplanted with 2 seedling weeks", RDTransplanted, {.SeedlingWeeks = 2, .GroupCount = 1}, std::nullopt},
      {"KDML 105 with 5 seedling weeks", KDML105Transplanted, {.SeedlingWeeks = 5, .GroupCount = 1}, std::nullopt},
      {"wet-seeded with 4 stop weeks", RDWetSeeded, {.StopWeeks = 4, .GroupCount = 1}, std::nullopt},
      {"another crop text", "ข้าวเหนียว", {.SeedlingWeeks = 3, .GroupCount = 1}, std::nullopt},
  };
  for (const LengthCase& c : cases) {
    EXPECT_EQ(ScheduleWeeksFor(c.crop, c.weeks), c.expected) << c.what;
    EXPECT_EQ(IsSeasonCrop(c.crop), c.crop != "ข้าวเหนียว") << c.what;
  }
}

TEST(SeasonLength, ASumBeyondSixteenBitsIsAnOverflow) {
  const WeekFields weeks{.SeedlingWeeks = 3, .NurseryWeeks = 32000, .GroupCount = 1000};
  EXPECT_THROW(ScheduleWeeksFor(RDTransplanted, weeks), locale::OverflowError);
}

struct ColumnCase {
  std::int16_t groups;
  SummaryColumn column;
  std::int16_t expected;
};

TEST(SummaryLayout, TheSummaryColumnsStandRightOfTheLastGroupBlock) {
  const ColumnCase cases[] = {
      {1, SummaryColumn::ETo, 11},             // K
      {1, SummaryColumn::EffectiveRain, 19},   // S
      {1, SummaryColumn::GrossWater, 21},      // U
      {20, SummaryColumn::ETo, 125},           // DU
      {20, SummaryColumn::Percolation, 132},   // EB
      {20, SummaryColumn::GrossWater, 135},    // EE
  };
  for (const ColumnCase& c : cases) {
    EXPECT_EQ(SummaryColumnNumber(c.groups, c.column), c.expected)
        << c.groups << " groups, summary column " << static_cast<int>(c.column);
  }
}

}  // namespace
}  // namespace tuvo
