// The crop-week pass: planted area and Kc of every group's crop weeks, by crop and option.
#include "run/crop_weeks.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "run/group_schedule.h"
#include "schedule_test_support.h"

namespace tuvo {
namespace {

using namespace testing_schedule;
using sheet::Value;

int PlantedArea(int g) { return 6 * g + 3; }
int KcColumn(int g) { return 6 * g + 4; }

class CropWeeksTest : public ScheduleTest {
 protected:
  void WetSeeded(int w, int s) {
    texts.cboCroptype = std::string(RDWetSeeded);
    texts.cboTriamplangNaWan = std::to_string(w);
    texts.cboStop = std::to_string(s);
  }

  void Fill() { FillCropWeeks(texts, areas, weeks, selectedCrop, workbook, progress); }

  // The rows of a column that hold something.
  std::vector<int> RowsIn(int column) const {
    std::vector<int> rows;
    for (const auto& [key, cell] : calc.UsedCells()) {
      if (key.second == column && !IsEmpty(cell.value)) rows.push_back(key.first);
    }
    return rows;
  }

  static std::vector<int> Span(int first, int last) {
    std::vector<int> rows;
    for (int r = first; r <= last; ++r) rows.push_back(r);
    return rows;
  }

  double KcAt(int row, int g) const { return std::get<double>(calc.ValueAt(row, KcColumn(g))); }
};

TEST_F(CropWeeksTest, RDTransplantedThreeSeedlingWeeks) {
  Transplanted(RDTransplanted, 1, 3);
  Groups({"1500", "900"});
  Fill();

  EXPECT_EQ(RowsIn(PlantedArea(1)), Span(10, 23));
  EXPECT_EQ(RowsIn(KcColumn(1)), Span(10, 23));
  EXPECT_EQ(RowsIn(PlantedArea(2)), Span(11, 24));
  EXPECT_EQ(RowsIn(KcColumn(2)), Span(11, 24));
  EXPECT_EQ(KcAt(10, 1), 0.72);
  EXPECT_EQ(KcAt(23, 1), 0.86);
  EXPECT_EQ(KcAt(11, 2), 0.72);
  EXPECT_EQ(KcAt(24, 2), 0.86);
  for (int r = 10; r <= 23; ++r) {
    EXPECT_EQ(calc.ValueAt(r, PlantedArea(1)), Number(1500));
    EXPECT_EQ(calc.FormatAt(r, PlantedArea(1)).style, "comma");
    EXPECT_EQ(calc.FormatAt(r, KcColumn(1)).horizontalAlignment, sheet::xl::Center);
    EXPECT_EQ(calc.FormatAt(r, KcColumn(1)).numberFormat, "");
  }
  // No column width of its own.
  EXPECT_EQ(calc.ColumnWidth(PlantedArea(1)), calc.StandardWidth());
  // Row 24 is the season's last week row.
  EXPECT_EQ(ScheduleWeeksFor(RDTransplanted, weeks), 19);
  EXPECT_EQ(progress.steps, std::vector<double>{35});
}

TEST_F(CropWeeksTest, FourthSeedlingWeekHasNoKcAndLaterWeeksKeepTheirs) {
  Transplanted(RDTransplanted, 1, 3);
  Groups({"1500"});
  Fill();
  std::vector<double> three;
  for (int r = 11; r <= 23; ++r) three.push_back(KcAt(r, 1));

  calc.AllCells().Clear();
  Transplanted(RDTransplanted, 1, 4);
  Fill();
  EXPECT_EQ(RowsIn(KcColumn(1)), Span(11, 23));
  EXPECT_EQ(KcAt(11, 1), 1.03);
  std::vector<double> four;
  for (int r = 11; r <= 23; ++r) four.push_back(KcAt(r, 1));
  EXPECT_EQ(four, three);
}

TEST_F(CropWeeksTest, RDWetSeededAfterItsStopWeeks) {
  WetSeeded(1, 2);
  Groups({"1200"});
  Fill();
  EXPECT_EQ(RowsIn(PlantedArea(1)), Span(9, 22));
  EXPECT_EQ(KcAt(9, 1), 0.80);
  EXPECT_EQ(KcAt(22, 1), 0.65);
  EXPECT_EQ(ScheduleWeeksFor(RDWetSeeded, weeks), 17);
}

TEST_F(CropWeeksTest, KDML105TwentyGroupsEndInColumnsDSAndDT) {
  Transplanted(KDML105Transplanted, 2, 3);
  Groups(std::vector<std::string>(20, "1"));
  Fill();
  EXPECT_EQ(PlantedArea(20), 123);
  EXPECT_EQ(RowsIn(123), Span(30, 44));
  EXPECT_EQ(RowsIn(124), Span(30, 44));
  EXPECT_EQ(KcAt(30, 20), 0.27);
  EXPECT_EQ(KcAt(44, 20), 1.08);
  EXPECT_EQ(calc.ValueAt(30, 123), Number(1));  // an area entered empty is stored as 1
  EXPECT_EQ(ScheduleWeeksFor(KDML105Transplanted, weeks), 39);
}

// Kc follows the crop's age: every option of a crop gives the same Kc on the same crop age and
// ends on the season's last week row.
TEST_F(CropWeeksTest, EveryOptionEndsOnTheLastWeekRowAtTheSameCropAge) {
  const struct {
    std::string_view crop;
    std::vector<std::pair<int, int>> options;  // (TK, LK) or (W, S)
    std::vector<double> firstKcByAge;  // Kc of the first crop week of each option
  } cases[] = {
      {RDTransplanted, {{1, 3}, {1, 4}, {2, 3}, {2, 4}}, {0.72, 1.03, 0.72, 1.03}},
      {KDML105Transplanted, {{1, 3}, {1, 4}, {2, 3}, {2, 4}}, {0.27, 0.66, 0.27, 0.66}},
      {RDWetSeeded, {{1, 1}, {1, 2}, {1, 3}, {2, 1}, {2, 2}, {2, 3}},
       {0.47, 0.80, 1.05, 0.47, 0.80, 1.05}},
  };
  for (const auto& c : cases) {
    for (std::size_t k = 0; k < c.options.size(); ++k) {
      const auto [a, b] = c.options[k];
      for (int groups : {1, 7, 20}) {
        SCOPED_TRACE(testing::Message() << c.crop << " " << a << "/" << b << ", " << groups
                                        << " groups");
        calc.AllCells().Clear();
        if (c.crop == RDWetSeeded) WetSeeded(a, b); else Transplanted(c.crop, a, b);
        Groups(std::vector<std::string>(groups, "10"));
        Fill();
        const std::optional<std::int16_t> n = ScheduleWeeksFor(c.crop, weeks);
        ASSERT_TRUE(n.has_value());
        const std::vector<int> rows = RowsIn(KcColumn(groups));
        ASSERT_FALSE(rows.empty());
        EXPECT_EQ(rows.back(), *n + 5);
        EXPECT_EQ(KcAt(rows.front(), groups), c.firstKcByAge[k]);
        // The crop weeks start right after the nursery weeks (TK + LK) or the preparation and
        // stop weeks (W + S) of the group.
        EXPECT_EQ(rows.front(), groups + a + b + 5);
      }
    }
  }
}

TEST_F(CropWeeksTest, CropTextOfNoneOfTheThreeWritesNothing) {
  Transplanted("", 1, 3);
  Groups({"1500", "900"});
  Fill();
  EXPECT_TRUE(calc.UsedCells().empty());
  EXPECT_EQ(progress.steps, std::vector<double>{35});
  EXPECT_EQ(selectedCrop, "");
}

TEST_F(CropWeeksTest, OptionWithoutKcWritesNothing) {
  Transplanted(RDTransplanted, 1, 5);
  Groups({"1500"});
  Fill();
  EXPECT_TRUE(calc.UsedCells().empty());
  EXPECT_FALSE(CropWeeksFor(RDWetSeeded, WeekFields{.WetPrepWeeks = 1, .StopWeeks = 4}));
}

TEST_F(CropWeeksTest, RefreshesTheWindowFieldsFromTheLists) {
  Transplanted(KDML105Transplanted, 2, 4);
  texts.cboTriamplangNaWan = "1";
  texts.cboStop = "3";
  weeks = WeekFields{};  // whatever the window held before
  Groups({"5", "6", "7"});
  Fill();
  EXPECT_EQ(weeks.NurseryPrepWeeks, 2);
  EXPECT_EQ(weeks.SeedlingWeeks, 4);
  EXPECT_EQ(weeks.NurseryWeeks, 6);
  EXPECT_EQ(weeks.WetPrepWeeks, 1);
  EXPECT_EQ(weeks.StopWeeks, 3);
  EXPECT_EQ(weeks.GroupCount, 3);
  EXPECT_EQ(selectedCrop, KDML105Transplanted);
}

TEST_F(CropWeeksTest, MoreGroupsThanTheAreaTableHoldsEndTheRun) {
  Transplanted(RDTransplanted, 1, 3);
  texts.cboGroup = "21";
  EXPECT_THROW(Fill(), GroupScheduleError);
}

}  // namespace
}  // namespace tuvo
