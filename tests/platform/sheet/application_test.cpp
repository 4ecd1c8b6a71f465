// The application hands every save to its saver and every saved workbook to its windows; the model
// itself writes no file and opens no window. Stand-ins record what it asks of them.
#include "platform/sheet/application.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/sheet/sheet.h"

namespace tuvo::sheet {
namespace {

namespace fs = std::filesystem;

// Records each save; with `failing` set it refuses them as a saver does that cannot write.
struct RecordingSaver : WorkbookSaver {
  struct Call {
    const Workbook* workbook;
    fs::path target;
    bool lastValid;  // whether the workbook's record of its last save was there already
  };
  std::vector<Call> calls;
  bool failing = false;

  void Save(const Workbook& workbook, const fs::path& target, SavedFile& last) override {
    if (failing) throw SheetError("saving \"" + target.string() + "\": refused");
    calls.push_back({&workbook, target, last.valid});
    last = SavedFile{true, target, "xlsx", {}};
  }
};

// Records what the application asks of its windows and keeps a shown set.
struct RecordingWindows : WorkbookWindows {
  std::vector<std::string> calls;
  std::set<const Workbook*> shown;

  void Show(const Workbook& workbook) override {
    calls.push_back("show " + workbook.Name());
    shown.insert(&workbook);
  }
  void Close(const Workbook& workbook) override {
    calls.push_back("close " + workbook.Name());
    shown.erase(&workbook);
  }
  void CloseAll() override {
    calls.push_back("close all");
    shown.clear();
  }
  bool IsShowing(const Workbook& workbook) const override { return shown.contains(&workbook); }
};

class ApplicationWithStandIns : public ::testing::Test {
 protected:
  std::shared_ptr<RecordingSaver> saver = std::make_shared<RecordingSaver>();
  std::shared_ptr<RecordingWindows> windows = std::make_shared<RecordingWindows>();
  Application app{saver, windows};
  Workbook& wb = app.Workbooks().Add();
};

TEST_F(ApplicationWithStandIns, SaveAsHandsTheAbsoluteTargetToTheSaverAndSaveTheSameAgain) {
  const fs::path target = fs::absolute("result.xls");
  wb.SaveAs("result.xls");
  wb.Save();
  ASSERT_EQ(saver->calls.size(), 2u);
  for (const RecordingSaver::Call& call : saver->calls) {
    EXPECT_EQ(call.workbook, &wb);
    EXPECT_EQ(call.target, target);
  }
  EXPECT_FALSE(saver->calls[0].lastValid);
  EXPECT_TRUE(saver->calls[1].lastValid) << "the workbook did not keep what its last save placed";
  EXPECT_EQ(wb.Name(), "result.xls");
  EXPECT_EQ(wb.FullName(), target.string());
  EXPECT_TRUE(windows->calls.empty()) << "an invisible application showed the saved file";
}

TEST_F(ApplicationWithStandIns, AVisibleApplicationShowsEachSaveAndClosesTheWindowsItOpened) {
  app.SetVisible(true);
  Workbook& second = app.Workbooks().Add();
  wb.SaveAs("/tmp/first.xls");
  second.SaveAs("/tmp/second.xls");
  EXPECT_TRUE(app.IsShowing(wb));
  EXPECT_TRUE(app.IsShowing(second));
  wb.Close(false);
  EXPECT_FALSE(app.IsShowing(wb));
  app.Quit();
  EXPECT_EQ(windows->calls, (std::vector<std::string>{"show first.xls", "show second.xls", "close first.xls",
                                                      "close second.xls", "close all"}));
}

TEST_F(ApplicationWithStandIns, AFailedSaveKeepsTheWorkbookAsItWasAndShowsNothing) {
  app.SetVisible(true);
  saver->failing = true;
  EXPECT_THROW(wb.SaveAs("/tmp/result.xls"), SheetError);
  EXPECT_EQ(wb.Name(), "Book1");
  EXPECT_EQ(wb.FullName(), "");
  EXPECT_THROW(wb.Save(), SheetError);  // still no file name
  EXPECT_TRUE(windows->calls.empty());
}

TEST(ApplicationAlone, SavesNoFileAndShowsNothing) {
  Application app;
  app.SetVisible(true);
  Workbook& wb = app.Workbooks().Add();
  try {
    wb.SaveAs("/tmp/result.xls");
    ADD_FAILURE() << "an application without a saver saved";
  } catch (const SheetError& error) {
    EXPECT_NE(std::string(error.what()).find("/tmp/result.xls"), std::string::npos) << error.what();
  }
  EXPECT_EQ(wb.Name(), "Book1");
  EXPECT_FALSE(app.IsShowing(wb));
  wb.Close(false);
  app.Quit();
}

}  // namespace
}  // namespace tuvo::sheet
