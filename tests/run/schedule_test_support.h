// What the group-schedule and calendar tests share: a fresh workbook with the calculation sheet
// active, the window's texts and fields, and a progress recorder.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

#include "platform/sheet/sheet.h"
#include "season/progress.h"
#include "season/season.h"
#include "season/season_inputs.h"

namespace tuvo::testing_schedule {

// Every progress step in order: a bar-only step is recorded as its value, negated.
class RecordingProgress : public Progress {
 public:
  void ShowProgress(int value) override { steps.push_back(value); }
  void SetBar(double value) override { steps.push_back(-value); }
  std::vector<double> steps;
};

inline sheet::Value Text(std::string_view text) { return sheet::Value{std::string(text)}; }
inline sheet::Value Number(double n) { return sheet::Value{n}; }
inline bool IsEmpty(const sheet::Value& v) { return std::holds_alternative<std::monostate>(v); }

class ScheduleTest : public ::testing::Test {
 protected:
  ScheduleTest() : workbook(app.Workbooks().Add()), calc(workbook.Worksheets(2)) {
    calc.Select();
    areas.fill("");
  }

  // The transplanted lists, and the week fields as the run sets them before the layout.
  void Transplanted(std::string_view crop, int tk, int lk) {
    texts.cboCroptype = std::string(crop);
    texts.cboTriamplangKla = std::to_string(tk);
    texts.cboLiengklatime = std::to_string(lk);
    weeks.NurseryPrepWeeks = static_cast<std::int16_t>(tk);
    weeks.SeedlingWeeks = static_cast<std::int16_t>(lk);
  }

  void Groups(std::vector<std::string> groupAreas) {
    texts.cboGroup = std::to_string(groupAreas.size());
    for (std::size_t g = 1; g <= groupAreas.size(); ++g) areas[g] = groupAreas[g - 1];
  }

  sheet::Application app;
  sheet::Workbook& workbook;
  sheet::Worksheet& calc;
  SeasonTexts texts;
  GroupAreaTable areas;
  WeekFields weeks;
  std::string selectedCrop;
  RecordingProgress progress;
};

}  // namespace tuvo::testing_schedule
