// Reading scenario files: the step form, skipped lines, and the malformed lines that stop a
// scenario before any step runs.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "drive/scenario.h"

namespace tuvo::drive {
namespace {

struct GoodLine {
  const char* line;
  Verb verb;
  const char* control;
  Property property;
  const char* text;
};

TEST(ScenarioParse, StepFormKeepsTheRestOfTheLineExactly) {
  const GoodLine cases[] = {
      {"pick cboSamnuk สำนักชลประทานที่ 7", Verb::Pick, "cboSamnuk", Property::Text, "สำนักชลประทานที่ 7"},
      {"type txtArea2  12 ", Verb::Type, "txtArea2", Property::Text, " 12 "},
      {"type txtArea2 ", Verb::Type, "txtArea2", Property::Text, ""},
      {"type txtArea2", Verb::Type, "txtArea2", Property::Text, ""},
      {"paste cboDeeper 2\t3", Verb::Paste, "cboDeeper", Property::Text, "2\t3"},
      {"click cmdRun", Verb::Click, "cmdRun", Property::Text, ""},
      {"expect lblweek text ?", Verb::Expect, "lblweek", Property::Text, "?"},
      {"expect txtArea2 text ", Verb::Expect, "txtArea2", Property::Text, ""},
      {"expect txtArea2 text", Verb::Expect, "txtArea2", Property::Text, ""},
      {"expect cboFai items a b|c ", Verb::Expect, "cboFai", Property::Items, "a b|c "},
      {"expect cmdRun enabled false", Verb::Expect, "cmdRun", Property::Enabled, "false"},
      {"expect cmdRun2 visible true", Verb::Expect, "cmdRun2", Property::Visible, "true"},
      {"expect optRe01 checked true", Verb::Expect, "optRe01", Property::Checked, "true"},
      {"expect cboGroup count 20", Verb::Expect, "cboGroup", Property::Count, "20"},
      {"pick cboFirstdate # not a comment", Verb::Pick, "cboFirstdate", Property::Text, "# not a comment"},
  };
  for (const GoodLine& c : cases) {
    SCOPED_TRACE(c.line);
    const Scenario scenario = ParseScenario(c.line);
    ASSERT_FALSE(scenario.error) << scenario.error->what;
    ASSERT_EQ(scenario.steps.size(), 1u);
    const Step& step = scenario.steps[0];
    EXPECT_EQ(step.line, 1);
    EXPECT_EQ(step.verb, c.verb);
    EXPECT_EQ(step.control, c.control);
    if (c.verb == Verb::Expect) {
      EXPECT_EQ(step.property, c.property);
    }
    EXPECT_EQ(step.text, c.text);
  }
}

TEST(ScenarioParse, SkipsBlankAndCommentLinesAndCountsThemInLineNumbers) {
  const std::string text =
      "\xEF\xBB\xBF# a scenario\r\n"
      "\r\n"
      "   \n"
      "click lblAboutus\r\n"
      "#click cmdEND\n"
      "\t\n"
      "type txtRain 120\r\n"
      "expect lblMonth text  ";  // no line end at the end of the file
  const Scenario scenario = ParseScenario(text);
  ASSERT_FALSE(scenario.error) << scenario.error->what;
  ASSERT_EQ(scenario.steps.size(), 3u);
  EXPECT_EQ(scenario.steps[0].line, 4);
  EXPECT_EQ(scenario.steps[0].control, "lblAboutus");
  EXPECT_EQ(scenario.steps[1].line, 7);
  EXPECT_EQ(scenario.steps[1].text, "120");  // the carriage return is the line's end
  EXPECT_EQ(scenario.steps[2].line, 8);
  EXPECT_EQ(scenario.steps[2].text, " ");
}

TEST(ScenarioParse, AnEmptyScenarioHasNoSteps) {
  for (const char* text : {"", "\n\n", "# nothing to do\n"}) {
    const Scenario scenario = ParseScenario(text);
    EXPECT_FALSE(scenario.error);
    EXPECT_TRUE(scenario.steps.empty());
  }
}

struct BadLine {
  const char* line;
  const char* what;  // a part of the message
};

TEST(ScenarioParse, MalformedLinesAreRefusedWithWhatIsWrong) {
  const BadLine cases[] = {
      {" click cmdRun", "begins with its verb"},
      {"press cmdRun", "unknown verb \"press\""},
      {"Click cmdRun", "unknown verb \"Click\""},
      {"click", "needs a control name"},
      {"pick", "needs a control name"},
      {"click  cmdRun", "needs a control name"},
      {"click cmdRun ", "takes no text"},
      {"click cmdRun now", "takes no text"},
      {"expect cmdRun", "needs a property"},
      {"expect cmdRun colour red", "unknown property \"colour\""},
      {"expect cmdRun Text x", "unknown property \"Text\""},
      {"expect cmdRun  text x", "unknown property \"\""},
      {"type txtArea2 \xFF", "not UTF-8"},
      {"type txtArea2 \xC0\xAF", "not UTF-8"},        // an overlong "/"
      {"type txtArea2 \xED\xA0\x80", "not UTF-8"},    // a surrogate
      {"type txtArea2 \xE0\xB8", "not UTF-8"},        // a character cut short
  };
  for (const BadLine& c : cases) {
    SCOPED_TRACE(c.line);
    const Scenario scenario = ParseScenario(std::string("# first\n") + c.line + "\nclick cmdRun\n");
    ASSERT_TRUE(scenario.error);
    EXPECT_EQ(scenario.error->line, 2);
    EXPECT_NE(scenario.error->what.find(c.what), std::string::npos) << scenario.error->what;
    EXPECT_TRUE(scenario.steps.empty());
  }
}

TEST(ScenarioParse, TheFirstMalformedLineIsTheOneReported) {
  const Scenario scenario = ParseScenario("click cmdRun\nfrob x\nclick\n");
  ASSERT_TRUE(scenario.error);
  EXPECT_EQ(scenario.error->line, 2);
}

TEST(ScenarioParse, AFileThatCannotBeReadIsAnErrorOfTheWholeFile) {
  const std::filesystem::path folder = std::filesystem::temp_directory_path();
  for (const std::filesystem::path& path : {folder / "tuvo-drive-no-such-scenario.txt", folder}) {
    const Scenario scenario = ReadScenarioFile(path.string());
    ASSERT_TRUE(scenario.error) << path;
    EXPECT_EQ(scenario.error->line, 0);
    EXPECT_NE(scenario.error->what.find(path.string()), std::string::npos);
  }
}

TEST(ScenarioParse, AFileIsReadAsItsBytes) {
  const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                     ("tuvo-drive-parse-test-" + std::to_string(getpid()) + ".txt");
  {
    std::ofstream out(path, std::ios::binary);
    out << "type txtArea2 ๑๒\r\n\r\nexpect txtArea2 text ๑๒\r\n";
  }
  const Scenario scenario = ReadScenarioFile(path.string());
  std::filesystem::remove(path);
  ASSERT_FALSE(scenario.error) << scenario.error->what;
  ASSERT_EQ(scenario.steps.size(), 2u);
  EXPECT_EQ(scenario.steps[0].text, "๑๒");
  EXPECT_EQ(scenario.steps[1].line, 3);
}

}  // namespace
}  // namespace tuvo::drive
