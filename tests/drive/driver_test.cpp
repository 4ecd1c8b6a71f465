// The driver on the real main window, in-process: what each verb does to the controls, when a
// verb fails, the properties `expect` reads, message boxes, the window swaps, the end of the
// program and the report of saved files.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "drive/driver.h"
#include "forms/frmTUVO.h"
#include "forms/tuvo_app.h"
#include "platform/controls.h"
#include "platform/system.h"
#include "season/season.h"
#include "support/temp_folder.h"

namespace tuvo::drive {
namespace {

namespace fs = std::filesystem;

class DriverTest : public ::testing::Test {
 protected:
  test::TempHome home{"tuvo-drive-home"};
  std::ostringstream out;
  Driver driver{out};

  // Runs the scenario text's steps; the printed report.
  std::string Play(const std::string& text) {
    const Scenario scenario = ParseScenario(text);
    EXPECT_FALSE(scenario.error) << scenario.error->what;
    status = driver.RunAll(scenario.steps);
    return out.str();
  }
  // Runs one step line; why it failed, or empty.
  std::string Fails(const std::string& line) {
    const Scenario scenario = ParseScenario(line);
    EXPECT_FALSE(scenario.error) << line;
    if (scenario.error || scenario.steps.size() != 1) return "(not one step)";
    return driver.Run(scenario.steps[0]).value_or("");
  }
  frmTUVO& Main() { return *driver.App().Main(); }

  int status = -1;
};

// Records the text of a list or box at every Change, in place of the window's own handler.
template <typename Field>
std::shared_ptr<std::vector<std::string>> RecordChanges(Field& field) {
  auto texts = std::make_shared<std::vector<std::string>>();
  field.Change = [&field, texts] { texts->push_back(field.Text()); };
  return texts;
}

TEST_F(DriverTest, TypeEmptiesTheFieldOnceThenTypesEachCharacter) {
  controls::ComboBox& list = Main().cboGroup;
  list.SetText("12");
  std::vector<std::string>& changes = *RecordChanges(list);
  EXPECT_EQ(Fails("type cboGroup 34"), "");
  EXPECT_EQ(changes, (std::vector<std::string>{"", "3", "34"}));

  changes.clear();
  list.SetText("");
  changes.clear();
  EXPECT_EQ(Fails("type cboGroup ข้1"), "");  // a Thai consonant and its tone mark are two keys
  EXPECT_EQ(changes, (std::vector<std::string>{"ข", "ข้", "ข้1"}));

  changes.clear();
  EXPECT_EQ(Fails("type cboGroup "), "");  // typing nothing only empties
  EXPECT_EQ(changes, (std::vector<std::string>{""}));
  changes.clear();
  EXPECT_EQ(Fails("type cboGroup "), "");  // an empty field stays as it is
  EXPECT_TRUE(changes.empty());
}

TEST_F(DriverTest, PasteReplacesTheWholeTextInOneChange) {
  controls::TextBox& box = Main().txtGroup;  // a text box the start enables
  std::vector<std::string>& changes = *RecordChanges(box);
  EXPECT_EQ(Fails("paste txtGroup 17 ไร่ "), "");
  EXPECT_EQ(changes, (std::vector<std::string>{"17 ไร่ "}));  // the start text "?" is gone with it
  changes.clear();
  EXPECT_EQ(Fails("paste txtGroup "), "");
  EXPECT_EQ(changes, (std::vector<std::string>{""}));
  changes.clear();
  EXPECT_EQ(Fails("paste txtGroup "), "");
  EXPECT_TRUE(changes.empty());
}

TEST_F(DriverTest, PickChoosesTheItemAndRaisesClick) {
  EXPECT_EQ(Fails("pick cboCroptype " + std::string(RDWetSeeded)), "");
  EXPECT_EQ(Main().cboCroptype.Text(), RDWetSeeded);
  // The window reacted to the click: the wet-seeded frame opened.
  EXPECT_TRUE(Main().cboTriamplangNaWan.Enabled());
}

struct Refusal {
  const char* line;
  const char* what;  // a part of the message
};

TEST_F(DriverTest, EachVerbFailsWhereAPersonCouldNot) {
  const Refusal cases[] = {
      {"pick cboFirstdate 1", "disabled"},
      {"pick cboCroptype ข้าว", "has no item \"ข้าว\""},  // a part of an item is not the item
      {"pick cboCroptype ข้าว กข. (นาดำ) ", "has no item"},
      {"pick cmdRun คำนวณ", "not a list"},
      {"pick cmdRun2 x", "not a list"},
      {"type cboSamnuk 1", "only offers picks"},
      {"type cboFirstdate 1", "disabled"},
      {"type lblweek 1", "neither a text box nor a list"},
      {"type txtRain 1", "disabled"},
      {"paste cboCroptype x", "only offers picks"},
      {"paste optRe01 x", "neither a text box nor a list"},
      {"click cmdRun", "disabled"},
      {"click cmdRun2", "not on screen"},
      {"click cboSamnuk", "cannot click"},
      {"click Frame1", "cannot click"},
      {"click optRe02", "disabled"},
      {"click Command1", "no control named \"Command1\""},  // the About box is not shown
      {"expect cboNoSuch text x", "no control named \"cboNoSuch\""},
      {"expect lblweek checked true", "lblweek has no property checked"},
      {"expect cmdRun items x", "cmdRun has no property items"},
      {"expect txtGroup count 1", "txtGroup has no property count"},
  };
  for (const Refusal& c : cases) {
    SCOPED_TRACE(c.line);
    const std::string failure = Fails(c.line);
    EXPECT_NE(failure.find(c.what), std::string::npos) << failure;
  }
  // None of them changed the window.
  EXPECT_EQ(Main().cboCroptype.Text(), "");
  EXPECT_EQ(Main().cboSamnuk.Text(), "");
}

TEST_F(DriverTest, ExpectReadsEachPropertyAsTheScenarioWritesIt) {
  const std::string crops = std::string(RDTransplanted) + "|" + std::string(KDML105Transplanted) + "|" +
                            std::string(RDWetSeeded);
  const char* good[] = {
      "expect lblweek text ?",          "expect txtGroup text ?",        "expect cmdRun text คำนวณ",
      "expect cboCroptype text ",       "expect cmdRun enabled false",   "expect cboSamnuk enabled true",
      "expect cmdRun2 visible false",   "expect cmdRun visible true",    "expect optRe01 checked true",
      "expect optRe02 checked false",   "expect cboCroptype count 3",    "expect cboFirstdate count 31",
      "expect Frame1 text สถานที่",
  };
  for (const char* line : good) EXPECT_EQ(Fails(line), "") << line;
  EXPECT_EQ(Fails("expect cboCroptype items " + crops), "");
  EXPECT_EQ(Fails("expect cboKrongkan items "), "");  // an empty list

  EXPECT_EQ(Fails("expect cboCroptype count 4"), "cboCroptype count is \"3\", expected \"4\"");
  EXPECT_EQ(Fails("expect cmdRun enabled no"), "cmdRun enabled is \"false\", expected \"no\"");
  EXPECT_EQ(Fails("expect lblweek text ? "), "lblweek text is \"?\", expected \"? \"");
}

TEST_F(DriverTest, EnabledAndVisibleAreTheControlsOwnFlags) {
  // A list in a disabled frame keeps its own flag, as the window's code reads it.
  Main().Frame6.SetEnabled(false);
  EXPECT_EQ(Fails("expect cboSoiltype enabled true"), "");
  EXPECT_NE(Fails("pick cboSoiltype ดินร่วน(Loam)").find("disabled"), std::string::npos);
}

TEST_F(DriverTest, TheAboutBoxIsDrivenLikeTheMainWindow) {
  Play("pick cboCroptype " + std::string(RDTransplanted) + "\n"
       "click lblAboutus\n"
       "expect Command1 text ปิด\n"
       "click Command1\n"
       "expect lblAboutus visible true\n");
  EXPECT_EQ(status, 0) << out.str();
  // The main window came back freshly loaded.
  EXPECT_EQ(Main().cboCroptype.Text(), "");
  EXPECT_EQ(driver.App().About(), nullptr);
}

TEST_F(DriverTest, WhileTheAboutBoxIsShownTheMainWindowsControlsAreNotThere) {
  EXPECT_EQ(Fails("click lblAboutus"), "");
  EXPECT_NE(Fails("pick cboSamnuk x").find("no control named \"cboSamnuk\""), std::string::npos);
}

TEST_F(DriverTest, AMessageBoxIsPrintedAndAnswered) {
  const fs::path page = home.Path() / "no-such-help.htm";
  system::SetHelpPage(page);
  Play("click cmdHelp\nexpect cmdHelp enabled true\n");
  system::SetHelpPage({});
  EXPECT_EQ(status, 0);
  // One line: the box's text, which names the missing page.
  const std::string report = out.str();
  EXPECT_TRUE(report.starts_with("message: ")) << report;
  EXPECT_NE(report.find(page.string()), std::string::npos) << report;
  EXPECT_EQ(report.find('\n'), report.size() - 1) << report;
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (qobject_cast<QMessageBox*>(widget) != nullptr) {
      EXPECT_FALSE(widget->isVisible());
    }
  }
}

TEST_F(DriverTest, AModalMessageBoxGetsItsDefaultButton) {
  // Should the answer never come, the box is closed after a while and the test fails.
  QTimer rescue;
  rescue.setSingleShot(true);
  QObject::connect(&rescue, &QTimer::timeout, [] {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (auto* box = qobject_cast<QMessageBox*>(widget)) box->done(-1);
    }
  });
  rescue.start(10000);
  const auto answer = QMessageBox::question(&Main(), "TUVO", "บันทึก?", QMessageBox::Yes | QMessageBox::No,
                                            QMessageBox::No);
  EXPECT_EQ(answer, QMessageBox::No);
  EXPECT_EQ(out.str(), "message: บันทึก?\n");
}

TEST_F(DriverTest, TheFirstFailingStepEndsTheScenario) {
  Play("pick cboCroptype " + std::string(RDTransplanted) + "\n"
       "\n"
       "expect cboCroptype count 2\n"
       "pick cboCroptype " + std::string(RDWetSeeded) + "\n");
  EXPECT_EQ(status, 1);
  EXPECT_EQ(out.str(), "line 3: cboCroptype count is \"3\", expected \"2\"\n");
  EXPECT_EQ(Main().cboCroptype.Text(), RDTransplanted);
}

TEST_F(DriverTest, AfterTheEndCommandNoStepRuns) {
  Play("click cmdEND\nexpect lblweek text ?\n");
  EXPECT_TRUE(driver.Ended());
  EXPECT_EQ(status, 1);
  EXPECT_EQ(out.str(), "line 2: the program has ended\n");
}

TEST_F(DriverTest, FilesWrittenIntoTheOutputFolderDuringAStepAreReportedAsSaved) {
  const fs::path folder = system::OutputFolder();
  ASSERT_EQ(folder, home.Path() / "TUVO_Output");
  fs::create_directory(folder);
  std::ofstream(folder / "old.xls") << "old";
  const auto write = [&](const fs::path& path, const std::string& content) {
    std::ofstream(path, std::ios::trunc) << content;
  };
  // The step's handler stands in for a run's save: a new file, a rewritten one, a temporary one.
  Main().cmdHelp.Click = [&] {
    write(folder / "ข้าว กข. (นาดำ) 1 มกราคม 2552 9-5-7 .xls", "new");
    write(folder / ".~tuvo-save-abc123", "partial");
  };
  Play("click cmdHelp\n");
  EXPECT_EQ(out.str(), "saved: " + (folder / "ข้าว กข. (นาดำ) 1 มกราคม 2552 9-5-7 .xls").string() + "\n");

  out.str("");
  Main().cmdHelp.Click = [&] {
    fs::remove(folder / "old.xls");
    write(folder / "old.xls", "replaced");  // a save over an older file of that name
  };
  Play("click cmdHelp\n");
  EXPECT_EQ(out.str(), "saved: " + (folder / "old.xls").string() + "\n");

  out.str("");
  Main().cmdHelp.Click = [] {};
  Play("click cmdHelp\n");
  EXPECT_EQ(out.str(), "");
}

TEST(DriverFile, ExitStatusAndReportOfAWholeFile) {
  const test::TempHome home{"tuvo-drive-home"};
  const fs::path path = home.Path() / "scenario.txt";
  struct Case {
    const char* text;
    int status;
    const char* report;
  };
  const Case cases[] = {
      {"# nothing\n", 0, ""},
      {"expect cmdRun enabled false\nexpect lblweek text ?\n", 0, ""},
      {"expect cmdRun enabled false\nexpect lblweek text !\n", 1, "line 2: lblweek text is \"?\", expected \"!\"\n"},
      {"expect cmdRun enabled true\nfrob\n", 1, "line 2: unknown verb \"frob\" (pick, type, paste, click, expect)\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    std::ofstream(path, std::ios::trunc) << c.text;
    std::ostringstream out;
    EXPECT_EQ(RunScenarioFile(path.string(), out), c.status);
    EXPECT_EQ(out.str(), c.report);
  }
  std::ostringstream out;
  EXPECT_EQ(RunScenarioFile((home.Path() / "missing.txt").string(), out), 2);
  EXPECT_NE(out.str().find("cannot read"), std::string::npos);
}

}  // namespace
}  // namespace tuvo::drive
