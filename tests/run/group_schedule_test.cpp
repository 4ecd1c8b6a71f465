// The first group pass: nursery and land-preparation weeks of every group, checked cell by cell
// on the calculation sheet.
#include "run/group_schedule.h"

#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

#include "schedule_test_support.h"

namespace tuvo {
namespace {

using namespace testing_schedule;
using sheet::Value;

// Group-block columns of group g.
int NurseryArea(int g) { return 6 * g - 1; }
int NurseryDepth(int g) { return 6 * g; }
int PrepArea(int g) { return 6 * g + 1; }
int PrepDepth(int g) { return 6 * g + 2; }

class NurseryPrepTest : public ScheduleTest {
 protected:
  // The lists of the worked examples; the run has put the defaults into empty lists before.
  void Lists(int ratio, int nd, std::string dn, std::string ds, std::string df) {
    texts.cboATokla = std::to_string(ratio);
    texts.cboTriamplangNaDam = std::to_string(nd);
    texts.cboTriamdinkla = std::move(dn);
    texts.cboLiengkla = std::move(ds);
    texts.cboNadam1 = std::move(df);
  }

  void Fill() { FillNurseryPrepWeeks(texts, areas, weeks, selectedCrop, workbook, progress); }

  // Column `column` over the rows first .. first + values.size() - 1.
  void ExpectColumn(int column, int first, const std::vector<Value>& values) {
    for (std::size_t k = 0; k < values.size(); ++k) {
      SCOPED_TRACE(testing::Message() << "row " << first + k << ", column " << column);
      const Value& v = calc.ValueAt(first + static_cast<int>(k), column);
      if (const double* n = std::get_if<double>(&values[k])) {
        ASSERT_TRUE(std::holds_alternative<double>(v));
        EXPECT_DOUBLE_EQ(std::get<double>(v), *n);
      } else {
        EXPECT_EQ(v, values[k]);
      }
    }
  }

  // The cells of a group's block that hold something, as (row, column).
  std::vector<std::pair<int, int>> WrittenCells() const {
    std::vector<std::pair<int, int>> cells;
    for (const auto& [key, cell] : calc.UsedCells()) {
      if (!IsEmpty(cell.value)) cells.push_back(key);
    }
    return cells;
  }
};

TEST_F(NurseryPrepTest, RDTransplantedTwoGroups) {
  Transplanted(RDTransplanted, 1, 4);
  Lists(15, 1, "100", "300", "250");
  Groups({"1500", "900"});
  Fill();

  ExpectColumn(NurseryArea(1), 6, {100.0, 100.0, 100.0, 100.0, 100.0});
  ExpectColumn(NurseryDepth(1), 6, {100.0, 0.0, 100.0, 100.0, 100.0});
  EXPECT_EQ(calc.ValueAt(10, PrepArea(1)), Number(1500));
  EXPECT_EQ(calc.ValueAt(10, PrepDepth(1)), Number(250));
  ExpectColumn(NurseryArea(2), 7, {60.0, 60.0, 60.0, 60.0, 60.0});
  ExpectColumn(NurseryDepth(2), 7, {100.0, 0.0, 100.0, 100.0, 100.0});
  EXPECT_EQ(calc.ValueAt(11, PrepArea(2)), Number(900));
  EXPECT_EQ(calc.ValueAt(11, PrepDepth(2)), Number(250));
  // Nothing else: 10 + 2 cells per group.
  EXPECT_EQ(WrittenCells().size(), 24u);

  for (int g = 1; g <= 2; ++g) {
    EXPECT_EQ(calc.ColumnWidth(NurseryArea(g)), 15);
    for (int r = g + 5; r <= g + 9; ++r) {
      EXPECT_EQ(calc.FormatAt(r, NurseryArea(g)).style, "comma");
      // The first seedling week is text without a number format; every depth number has one.
      EXPECT_EQ(calc.FormatAt(r, NurseryDepth(g)).numberFormat, r == g + 6 ? "" : "0.00");
    }
    EXPECT_EQ(calc.FormatAt(g + 9, PrepDepth(g)).numberFormat, "0.00");
    EXPECT_EQ(calc.FormatAt(g + 9, PrepArea(g)).numberFormat, "");
  }
  EXPECT_EQ(workbook.Selection().Address(), "K11");
  EXPECT_EQ(progress.steps, (std::vector<double>{-8.1, -8.1, 26}));
  EXPECT_EQ(weeks.NurseryWeeks, 5);
  EXPECT_EQ(weeks.GroupCount, 2);
  EXPECT_EQ(selectedCrop, RDTransplanted);
}

TEST_F(NurseryPrepTest, KDML105TransplantedTwoPrepWeeks) {
  Transplanted(KDML105Transplanted, 2, 3);
  Lists(10, 2, "150", "250", "300");
  Groups({"800"});
  Fill();

  ExpectColumn(NurseryArea(1), 6, {80.0, 80.0, 80.0, 80.0, 80.0});
  ExpectColumn(NurseryDepth(1), 6, {50.0, 100.0, 0.0, 125.0, 125.0});
  ExpectColumn(PrepArea(1), 9, {800.0, 800.0});
  ExpectColumn(PrepDepth(1), 9, {100.0, 200.0});
  EXPECT_TRUE(IsEmpty(calc.ValueAt(8, PrepArea(1))));
  EXPECT_EQ(progress.steps, (std::vector<double>{-8.05, 26}));
}

TEST_F(NurseryPrepTest, RDWetSeededPreparesTheFieldAndWritesNoNurseryCell) {
  texts.cboCroptype = std::string(RDWetSeeded);
  texts.cboTriamplangNaWan = "2";
  texts.cboNawan1 = "300";
  Groups({"1200"});
  const double widthBefore = calc.ColumnWidth(NurseryArea(1));
  Fill();

  ExpectColumn(PrepArea(1), 6, {1200.0, 1200.0});
  ExpectColumn(PrepDepth(1), 6, {100.0, 200.0});
  EXPECT_EQ(WrittenCells().size(), 4u);
  EXPECT_EQ(calc.ColumnWidth(NurseryArea(1)), widthBefore);
  EXPECT_EQ(calc.FormatAt(6, PrepArea(1)).style, "");
  EXPECT_EQ(weeks.WetPrepWeeks, 2);
  EXPECT_EQ(progress.steps, (std::vector<double>{-8.05, 26}));
}

TEST_F(NurseryPrepTest, WetSeededPreparationWeeks) {
  const struct {
    std::string w;
    std::vector<Value> depths;
  } cases[] = {{"1", {300.0}}, {"2", {100.0, 200.0}}, {"0", {100.0, 200.0}}, {"3", {100.0, 200.0}}};
  for (const auto& c : cases) {
    SCOPED_TRACE("W " + c.w);
    calc.AllCells().Clear();
    texts.cboCroptype = std::string(RDWetSeeded);
    texts.cboTriamplangNaWan = c.w;
    texts.cboNawan1 = "300";
    Groups({"50", "70"});
    Fill();
    ExpectColumn(PrepDepth(2), 7, c.depths);
    ExpectColumn(PrepArea(2), 7, std::vector<Value>(c.depths.size(), 70.0));
    EXPECT_EQ(WrittenCells().size(), 4 * c.depths.size());
  }
}

TEST_F(NurseryPrepTest, NurseryDepthsByBedAndSeedlingWeeks) {
  const Value zero = 0.0;
  const struct {
    int tk, lk;
    std::vector<Value> depths;
  } cases[] = {
      {1, 3, {150.0, zero, 150.0, 150.0}},
      {1, 4, {150.0, zero, 100.0, 100.0, 100.0}},
      {2, 3, {50.0, 100.0, zero, 150.0, 150.0}},
      {2, 4, {50.0, 100.0, zero, 100.0, 100.0, 100.0}},
      // Pairs the lists do not offer follow the last row.
      {1, 2, {50.0, 100.0, zero}},
      {1, 5, {50.0, 100.0, zero, 100.0, 100.0, 100.0}},
      {3, 3, {50.0, 100.0, zero, 100.0, 100.0, 100.0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "TK " << c.tk << ", LK " << c.lk);
    calc.AllCells().Clear();
    Transplanted(RDTransplanted, c.tk, c.lk);
    Lists(15, 1, "150", "300", "250");
    Groups({"1500"});
    Fill();
    ExpectColumn(NurseryDepth(1), 6, c.depths);
    EXPECT_TRUE(IsEmpty(calc.ValueAt(6 + static_cast<int>(c.depths.size()), NurseryDepth(1))));
  }
}

TEST_F(NurseryPrepTest, LandPreparationTakesTheLastNurseryWeeks) {
  const struct {
    int tk, lk, nd;
    std::vector<int> rows;  // land-preparation rows of group 1, consecutive
    std::vector<double> depths;
  } cases[] = {
      {1, 3, 1, {9}, {250}},           {1, 3, 2, {8, 9}, {250 / 3.0, 500 / 3.0}},
      {2, 4, 1, {11}, {250}},          {2, 4, 2, {10, 11}, {250 / 3.0, 500 / 3.0}},
      {1, 4, 3, {}, {}},  // no rule for three weeks
      {1, 2, 1, {}, {}},  // nor for three nursery weeks
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "TK " << c.tk << ", LK " << c.lk << ", ND " << c.nd);
    calc.AllCells().Clear();
    Transplanted(RDTransplanted, c.tk, c.lk);
    Lists(15, c.nd, "100", "300", "250");
    Groups({"1500"});
    Fill();
    int written = 0;
    for (int r = 6; r <= 12; ++r) written += !IsEmpty(calc.ValueAt(r, PrepArea(1)));
    EXPECT_EQ(written, static_cast<int>(c.rows.size()));
    if (c.rows.empty()) continue;
    ExpectColumn(PrepArea(1), c.rows.front(), std::vector<Value>(c.rows.size(), 1500.0));
    ExpectColumn(PrepDepth(1), c.rows.front(),
                 std::vector<Value>(c.depths.begin(), c.depths.end()));
  }
}

TEST_F(NurseryPrepTest, DepthTextsAreReadAsTheListsReadThem) {
  // Bed and seedling water are whole numbers, halves to even; the field water keeps decimals.
  Transplanted(RDTransplanted, 1, 3);
  Lists(15, 1, "150.5", "301.5", "250.5");
  Groups({"1500"});
  Fill();
  EXPECT_EQ(calc.ValueAt(6, NurseryDepth(1)), Number(150));
  EXPECT_EQ(calc.ValueAt(8, NurseryDepth(1)), Number(151));
  EXPECT_EQ(calc.ValueAt(9, PrepDepth(1)), Number(250.5));

  calc.AllCells().Clear();
  Lists(15, 1, "151.5", "300", "250");
  Fill();
  EXPECT_EQ(calc.ValueAt(6, NurseryDepth(1)), Number(152));
}

TEST_F(NurseryPrepTest, AreaTextsAsTheAreaEntryStoresThem) {
  const struct {
    std::string area;
    double nurseryArea;
    Value prepArea;
  } cases[] = {
      {"1", 1 / 15.0, Number(1)},  // an area left empty is stored as 1
      {"1,500", 100, Number(1500)},
      {"1500.5", 1500.5 / 15, Number(1500.5)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("area \"" + c.area + "\"");
    calc.AllCells().Clear();
    Transplanted(RDTransplanted, 1, 4);
    Lists(15, 1, "100", "300", "250");
    Groups({c.area});
    Fill();
    ExpectColumn(NurseryArea(1), 6, std::vector<Value>(5, c.nurseryArea));
    EXPECT_EQ(calc.ValueAt(10, PrepArea(1)), c.prepArea);
  }
}

TEST_F(NurseryPrepTest, UnreadableAreaEndsTheRunWithAClearError) {
  for (const std::string area : {"1500 rai", "", "1,50"}) {
    SCOPED_TRACE("area \"" + area + "\"");
    Transplanted(KDML105Transplanted, 1, 4);
    Lists(15, 1, "100", "300", "250");
    Groups({"900", area});
    progress.steps.clear();
    try {
      Fill();
      FAIL() << "no failure";
    } catch (const GroupScheduleError& e) {
      EXPECT_NE(std::string(e.what()).find("group 2: the area \"" + area + "\""),
                std::string::npos)
          << e.what();
    }
    EXPECT_EQ(progress.steps, std::vector<double>{-8.1});  // group 1 was placed
  }
}

TEST_F(NurseryPrepTest, ZeroNurseryRatioEndsTheRun) {
  Transplanted(RDTransplanted, 1, 4);
  Lists(15, 1, "100", "300", "250");
  texts.cboATokla = "0.4";
  Groups({"1500"});
  EXPECT_THROW(Fill(), GroupScheduleError);
}

TEST_F(NurseryPrepTest, OtherCropTextWritesNothingButTheBarStillMoves) {
  for (const std::string& crop : {std::string(), std::string(RDTransplanted) + " "}) {
    progress.steps.clear();
    texts.cboCroptype = crop;
    Lists(15, 1, "100", "300", "250");
    Groups({"1500", "900", "700"});
    Fill();
    EXPECT_TRUE(WrittenCells().empty());
    EXPECT_EQ(progress.steps, (std::vector<double>{-8.15, -8.15, -8.15, 26}));
  }
}

TEST_F(NurseryPrepTest, TwentyGroupsEndInColumnsDOToDR) {
  Transplanted(RDTransplanted, 2, 4);
  Lists(15, 2, "150", "300", "250");
  Groups(std::vector<std::string>(20, "300"));
  Fill();
  ExpectColumn(NurseryArea(20), 25, std::vector<Value>(6, 20.0));
  EXPECT_EQ(NurseryArea(20), 119);  // DO
  EXPECT_EQ(PrepDepth(20), 122);    // DR
  ExpectColumn(PrepDepth(20), 29, {250 / 3.0, 500 / 3.0});
  EXPECT_TRUE(IsEmpty(calc.ValueAt(31, NurseryArea(20))));
  EXPECT_TRUE(IsEmpty(calc.ValueAt(24, NurseryArea(20))));
  EXPECT_EQ(progress.steps.size(), 21u);
  EXPECT_EQ(progress.steps[19], -9);
}

TEST_F(NurseryPrepTest, MoreGroupsThanTheAreaTableHoldsEndTheRun) {
  Transplanted(RDTransplanted, 1, 4);
  Lists(15, 1, "100", "300", "250");
  texts.cboGroup = "21";
  EXPECT_THROW(Fill(), GroupScheduleError);
  EXPECT_TRUE(WrittenCells().empty());
}

}  // namespace
}  // namespace tuvo
