// The dispatch as the run calls it: the fields it refreshes, the season length it gives the ETo
// loop, and the one station procedure it runs.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "eto/select_station_eto.h"
#include "platform/locale.h"
#include "platform/sheet/sheet.h"

namespace tuvo {
namespace {

using namespace std::chrono;

class SelectStationEToTest : public ::testing::Test {
 protected:
  SelectStationEToTest() {
    texts.cboCroptype = std::string(RDTransplanted);
    texts.cboProvince = "ตาก";
    texts.cboGroup = "2";
    texts.cboTriamplangKla = "1";
    texts.cboLiengklatime = "3";
    texts.cboTriamplangNaWan = "2";
    texts.cboStop = "1";
  }
  void Select() { SelectStationETo(texts, loop, workbook, {weeks, crop, station}); }
  // Rows of the ETo column that hold a value, and the last of them.
  int WrittenWeeks() const {
    int n = 0;
    for (const auto& [where, cell] : calc.UsedCells()) {
      n += where.second == column && !std::holds_alternative<std::monostate>(cell.value);
    }
    return n;
  }
  double Written(int row) const { return std::get<double>(calc.ValueAt(row, column)); }
  void JanuaryCalendar() {
    for (int k = 0; k < 7; ++k) {
      calendar.Cells(1, 8 + 2 * k).SetValue(10.0 + k);
      calendar.Cells(1, 9 + 2 * k).SetValue(1.0);
    }
  }

  SeasonTexts texts;
  WeekFields weeks;
  std::string crop, station;
  sheet::Application app;
  sheet::Workbook& workbook = app.Workbooks().Add();
  sheet::Worksheet& calc = workbook.Worksheets(2);
  sheet::Worksheet& calendar = workbook.Worksheets(3);
  const int column = 17;
  WeekLoop loop{.OutputColumn = 17};
};

TEST_F(SelectStationEToTest, RefreshesTheWindowFieldsFromTheLists) {
  texts.cboTriamplangKla = "2";
  texts.cboLiengklatime = "4";
  texts.cboTriamplangNaWan = "";  // an empty list counts 0
  texts.cboStop = "3";
  texts.cboGroup = " 12 ";
  texts.cboProvince = "ลำปาง ";
  Select();
  EXPECT_EQ(weeks.NurseryPrepWeeks, 2);
  EXPECT_EQ(weeks.SeedlingWeeks, 4);
  EXPECT_EQ(weeks.NurseryWeeks, 6);
  EXPECT_EQ(weeks.WetPrepWeeks, 0);
  EXPECT_EQ(weeks.StopWeeks, 3);
  EXPECT_EQ(weeks.GroupCount, 12);
  EXPECT_EQ(crop, RDTransplanted);
  EXPECT_EQ(station, texts.cboProvince);
  EXPECT_EQ(loop.EToLastWeek, 30);  // 12 + 2 + 16, although no station matched
  EXPECT_EQ(WrittenWeeks(), 0);
}

struct SeasonCase {
  std::string_view crop;
  const char* groups;
  const char* nurseryPrep;
  const char* seedling;
  const char* wetPrep;
  const char* stop;
  std::int16_t expected;
};

TEST_F(SelectStationEToTest, TheLoopRunsOverTheSeasonsWeeks) {
  const std::vector<SeasonCase> cases = {
      {RDTransplanted, "20", "2", "3", "1", "1", 38},
      {RDTransplanted, "20", "2", "4", "1", "1", 38},
      {RDTransplanted, "20", "2", "3", "1", "", 38},  // the stop list plays no part
      {KDML105Transplanted, "20", "2", "3", "1", "1", 39},
      {KDML105Transplanted, "20", "2", "4", "1", "1", 39},
      {RDWetSeeded, "1", "2", "3", "1", "1", 17},
      {RDWetSeeded, "1", "2", "3", "1", "2", 17},
      {RDWetSeeded, "1", "2", "3", "1", "3", 17},
      {RDWetSeeded, "2.5", "", "", "2", "3", 19},  // groups read half to even: 2
  };
  for (const SeasonCase& c : cases) {
    texts.cboCroptype = std::string(c.crop);
    texts.cboGroup = c.groups;
    texts.cboTriamplangKla = c.nurseryPrep;
    texts.cboLiengklatime = c.seedling;
    texts.cboTriamplangNaWan = c.wetPrep;
    texts.cboStop = c.stop;
    calc.Reset();
    Select();
    EXPECT_EQ(loop.EToLastWeek, c.expected) << c.crop << " " << c.groups << " " << c.stop;
    EXPECT_EQ(ScheduleWeeksFor(texts.cboCroptype, weeks), c.expected);
    EXPECT_EQ(WrittenWeeks(), c.expected);
    EXPECT_EQ(loop.EToWeekRow, c.expected);
  }
}

TEST_F(SelectStationEToTest, NoRuleLeavesTheLastWeekAsItWas) {
  for (const std::string& otherCrop : {std::string(), std::string(RDTransplanted) + " "}) {
    texts.cboCroptype = otherCrop;
    Select();  // the first run of the program: the loop has no week
    EXPECT_EQ(loop.EToLastWeek, 0);
    EXPECT_EQ(WrittenWeeks(), 0);
  }
  texts.cboCroptype = std::string(RDTransplanted);
  texts.cboLiengklatime = "5";  // no seedling weeks rule either
  loop.EToLastWeek = 4;         // as an earlier run left it
  Select();
  EXPECT_EQ(loop.EToLastWeek, 4);
  EXPECT_EQ(WrittenWeeks(), 4);
}

TEST_F(SelectStationEToTest, AGroupCountThatIsNoNumberFailsBeforeAnyWeek) {
  for (const char* groups : {"", "3 groups", "abc"}) {
    texts.cboGroup = groups;
    texts.cboProvince = "ตาก";
    weeks = {};
    loop.EToLastWeek = 0;
    EXPECT_THROW(Select(), locale::ConversionError) << groups;
    EXPECT_EQ(weeks.NurseryWeeks, 4);  // the steps before stay done
    EXPECT_EQ(weeks.StopWeeks, 1);
    EXPECT_EQ(station, "ตาก");
    EXPECT_EQ(loop.EToLastWeek, 0);
    EXPECT_EQ(WrittenWeeks(), 0);
  }
}

TEST_F(SelectStationEToTest, RunsTheProcedureOfTheChosenStationOnly) {
  // A week of January days shows which station's table was used.
  const std::vector<std::pair<std::string_view, float>> cases = {
      {"น่าน", 18.83f},                 // 7 x 2.69
      {"ทุ่งช้าง_น่าน", 20.72f},         // 7 x 2.96
      {"ท่าวังผา_น่าน", 18.41f},         // 7 x 2.63
      {"ชลบุรี", 28.49f},               // 7 x 4.07
      {"พัทยา_ชลบุรี", 28.07f},          // 7 x 4.01
      {"ลพบุรี", 26.04f},               // 7 x 3.72
      {"บัวชุม_ลพบุรี", 26.74f},         // 7 x 3.82
      {"กรุงเทพมหานคร", 26.04f},        // the tables of "กรุงเทพ": 7 x 3.72
      {"เกาะสมุย_สุราษฏร์ธานี", 26.67f},  // the tables of "สุราษฏร์ธานี": 7 x 3.81
  };
  JanuaryCalendar();
  for (const auto& [name, january] : cases) {
    texts.cboProvince = std::string(name);
    calc.Reset();
    Select();
    EXPECT_EQ(Written(6), static_cast<double>(january)) << name;
    EXPECT_EQ(WrittenWeeks(), 19) << name;  // 2 + 1 + 16 weeks, the later rows empty: 0
  }
}

}  // namespace
}  // namespace tuvo
