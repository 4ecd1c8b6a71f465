// What the main window says when Compute fails making the output folder or saving the result:
// the failed step, what went wrong in Thai with the path it concerns, that nothing was saved,
// and the technical text last on a line of its own. HOME is a temporary folder.
#include <QCoreApplication>
#include <QMessageBox>

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "entry_fixture.h"
#include "platform/locale.h"
#include "platform/save_failure.h"
#include "platform/sheet/sheet.h"
#include "platform/system.h"
#include "platform/xls/office_application.h"
#include "run/run_driver.h"
#include "season/season.h"
#include "support/office_wait.h"
#include "support/shell_script.h"
#include "support/temp_folder.h"

namespace tuvo {
namespace {

namespace fs = std::filesystem;
using system::FileCall;

const std::string Failed = "การคำนวณไม่สำเร็จ ขั้นตอนที่ล้มเหลว: ";
const std::string NothingSaved = "ไม่ได้บันทึกไฟล์ผลการคำนวณ";
const std::string StageOutputFolder = "สร้างโฟลเดอร์เก็บผลการคำนวณ";
const std::string StageLayout = "สร้างแกนเวลาและหัวตารางของกลุ่มพื้นที่";
const std::string StageSave = "บันทึกไฟล์ผลการคำนวณ";

// The clock at the run, which names the result file.
const locale::DateTime RunClock{std::chrono::year{2009} / 5 / 20, 14, 3, 9};

// The folders of a run, as HOME is when Compute is pressed.
struct Where {
  fs::path home, output, result, temporary, scripts;
};

// A way to make the run fail, the Thai lines the message starts with (the last of them ends
// before the technical text), and a part of that technical text.
struct MessageCase {
  const char* name;
  std::function<void(const Where&, frmTUVO&, MainFields&)> breakIt;
  std::function<std::vector<std::string>(const Where&)> thai;
  std::string technical;
};

void PrintTo(const MessageCase& c, std::ostream* os) { *os << c.name; }

// The seam failing one call in one folder.
void FailCall(const fs::path& folder, FileCall call, int error) {
  system::SetFileFault([=](const fs::path& in, FileCall made) { return in == folder && made == call ? error : 0; });
}

// A spreadsheet application of the run's own whose LibreOffice is `program`.
void UseOffice(MainFields& f, const std::string& program, std::chrono::milliseconds timeout = test::OfficeReadyBound) {
  auto excel = std::make_shared<xls::OfficeApplication>();
  excel->Office().program = program;
  excel->Office().timeout = timeout;
  f.ExcelApp = std::move(excel);
}

// A shell script standing in for LibreOffice.
std::string Script(const Where& w, const std::string& name, const std::string& body) {
  return test::Script(w.scripts, name, body).string();
}

class RunFailureMessage : public ::testing::TestWithParam<MessageCase> {
 protected:
  RunFailureMessage() { system::SetClock([] { return RunClock; }); }
  ~RunFailureMessage() override {
    system::SetFileFault({});
    system::SetClock({});
  }

  Where Now() const {
    const fs::path home = std::getenv("HOME");
    const fs::path output = system::OutputFolder();
    return {home, output, OutputFileName(output, RDTransplanted, locale::RunTimestamp(RunClock)),
            fs::temp_directory_path(), scripts_.Path()};
  }

  test::TempHome home_{"tuvo-forms-home"};
  test::TempFolder scripts_{"tuvo-forms-scripts"};
  testing::SeasonWindow w{"1"};
};

TEST_P(RunFailureMessage, SaysTheStepWhatWentWrongAndTheTechnicalTextLast) {
  const MessageCase& c = GetParam();
  w.frm.txtArea2.ClickIn();
  w.Store("100");
  ASSERT_TRUE(w.frm.cmdRun.Enabled()) << "the area entry has finished";
  c.breakIt(Now(), w.frm, w.fields);
  const Where where = Now();
  w.frm.cmdRun.Press();

  QMessageBox* box = w.frm.findChild<QMessageBox*>("RunFailure");
  ASSERT_NE(box, nullptr);
  const std::string text = box->text().toStdString();
  std::string thai;
  for (const std::string& line : c.thai(where)) thai += line + "\n";
  ASSERT_EQ(text.substr(0, thai.size()), thai) << text;
  const std::string technical = text.substr(thai.size());
  EXPECT_NE(technical.find(c.technical), std::string::npos) << text;
  EXPECT_EQ(technical.find(NothingSaved), std::string::npos) << "the technical text is last: " << text;

  EXPECT_FALSE(system::InputBlocked());
  EXPECT_TRUE(w.frm.isVisible());
  EXPECT_FALSE(fs::is_regular_file(where.result)) << "nothing is saved";
  if (fs::is_directory(where.output) && !fs::is_directory(where.result)) {
    EXPECT_TRUE(fs::is_empty(where.output)) << "no half-written file is left";
  }
}

// The Thai lines of a failed step: the step, what went wrong, nothing saved.
std::vector<std::string> Lines(const std::string& stage, const std::string& reason) {
  return {Failed + stage, reason, NothingSaved};
}

INSTANTIATE_TEST_SUITE_P(
    Compute, RunFailureMessage,
    ::testing::Values(
        MessageCase{"OutputFolderIsAFile",
                    [](const Where& w, frmTUVO&, MainFields&) { std::ofstream(w.output) << "x"; },
                    [](const Where& w) {
                      return Lines(StageOutputFolder, "มีไฟล์หรือโฟลเดอร์อื่นขวางอยู่: " + w.output.string());
                    },
                    "a file of that name is in the way"},
        MessageCase{"OutputFolderParentRefuses",
                    [](const Where& w, frmTUVO&, MainFields&) { FailCall(w.home, FileCall::MakeFolder, EACCES); },
                    [](const Where& w) {
                      return Lines(StageOutputFolder, "ไม่มีสิทธิ์บันทึกไฟล์ในโฟลเดอร์: " + w.home.string());
                    },
                    "Permission denied"},
        MessageCase{"OutputFolderParentMissing",
                    [](const Where& w, frmTUVO&, MainFields&) { setenv("HOME", (w.home / "missing" / "home").c_str(), 1); },
                    [](const Where& w) {
                      return Lines(StageOutputFolder, "สร้างโฟลเดอร์เก็บผลการคำนวณไม่ได้: " + w.output.string());
                    },
                    "does not exist"},
        MessageCase{"OutputFolderDiskFull",
                    [](const Where& w, frmTUVO&, MainFields&) { FailCall(w.home, FileCall::MakeFolder, ENOSPC); },
                    [](const Where& w) { return Lines(StageOutputFolder, "พื้นที่ว่างในดิสก์ไม่พอ: " + w.home.string()); },
                    "No space left on device"},
        MessageCase{"ResultNameIsAFolder",
                    [](const Where& w, frmTUVO&, MainFields&) { fs::create_directories(w.result); },
                    [](const Where& w) {
                      return Lines(StageSave, "มีไฟล์หรือโฟลเดอร์อื่นขวางอยู่: " + w.result.string());
                    },
                    "a folder of that name is in the way"},
        MessageCase{"OutputFolderRefusesTheFile",
                    [](const Where& w, frmTUVO&, MainFields&) { FailCall(w.output, FileCall::MakeFile, EACCES); },
                    [](const Where& w) {
                      return Lines(StageSave, "ไม่มีสิทธิ์บันทึกไฟล์ในโฟลเดอร์: " + w.output.string());
                    },
                    "is not writable: Permission denied"},
        MessageCase{"OutputDiskFull",
                    [](const Where& w, frmTUVO&, MainFields&) { FailCall(w.output, FileCall::MakeFile, ENOSPC); },
                    [](const Where& w) { return Lines(StageSave, "พื้นที่ว่างในดิสก์ไม่พอ: " + w.output.string()); },
                    "No space left on device"},
        MessageCase{"OutputQuotaFullWhileCopying",
                    // LibreOffice itself: the result's charts are mended in the converted file.
                    [](const Where& w, frmTUVO&, MainFields&) { FailCall(w.output, FileCall::Write, EDQUOT); },
                    [](const Where& w) { return Lines(StageSave, "พื้นที่ว่างในดิสก์ไม่พอ: " + w.output.string()); },
                    "Disk quota exceeded"},
        MessageCase{"TemporaryDiskFull",
                    [](const Where& w, frmTUVO&, MainFields&) { FailCall(w.temporary, FileCall::MakeFolder, ENOSPC); },
                    [](const Where& w) {
                      return Lines(StageSave, "พื้นที่ว่างในดิสก์ไม่พอ: " + w.temporary.string());
                    },
                    "cannot make a working folder"},
        MessageCase{"LibreOfficeMissing",
                    [](const Where&, frmTUVO&, MainFields& f) { UseOffice(f, "/nonexistent/soffice"); },
                    [](const Where&) { return Lines(StageSave, "ไม่พบโปรแกรม LibreOffice ที่ใช้บันทึกไฟล์ .xls"); },
                    "could not be started"},
        MessageCase{"LibreOfficeNotAnswering",
                    [](const Where& w, frmTUVO&, MainFields& f) {
                      UseOffice(f, Script(w, "hanging", "exec sleep 30"), std::chrono::milliseconds{300});
                    },
                    [](const Where&) { return Lines(StageSave, "โปรแกรม LibreOffice ไม่ตอบสนอง"); },
                    "did not finish"},
        MessageCase{"LibreOfficeFailing",
                    [](const Where& w, frmTUVO&, MainFields& f) { UseOffice(f, Script(w, "failing", "exit 3")); },
                    [](const Where&) { return Lines(StageSave, "โปรแกรม LibreOffice บันทึกไฟล์ไม่สำเร็จ"); },
                    "exit status 3"},
        MessageCase{"LibreOfficeWritesNoFile",
                    [](const Where& w, frmTUVO&, MainFields& f) { UseOffice(f, Script(w, "silent", "exit 0")); },
                    [](const Where&) { return Lines(StageSave, "โปรแกรม LibreOffice บันทึกไฟล์ไม่สำเร็จ"); },
                    "wrote no .xls file"},
        // A step's own failure has no kind: the step, nothing saved, the technical text.
        MessageCase{"StepWithoutKind",
                    [](const Where&, frmTUVO& frm, MainFields&) {
                      frm.cboFirstdate.SetText("31");
                      frm.cboFirstmonth.SetText(locale::ThaiMonthName(6));
                    },
                    [](const Where&) { return std::vector<std::string>{Failed + StageLayout, NothingSaved}; },
                    "the season's first day"}),
    [](const ::testing::TestParamInfo<MessageCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tuvo
