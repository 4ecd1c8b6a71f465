// Help: the help page opens in the browser; without a browser or page a note says so and the
// window stays as it is.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/system.h"
#include "window_fixture.h"

namespace tuvo {
namespace {

// Restores the real browser and page lookup after each test.
class Help : public ::testing::Test {
 protected:
  void TearDown() override {
    system::SetBrowserProgram("");
    system::SetHelpPage({});
  }
  testing::ShownWindow w;
};

TEST_F(Help, WithoutABrowserANoteIsShownAndTheWindowStays) {
  system::SetBrowserProgram("/nonexistent/browser");
  const SeasonTexts before = w.frm.Texts();
  w.frm.cmdHelp.Press();
  auto* note = w.frm.findChild<QMessageBox*>("HelpNote");
  ASSERT_NE(note, nullptr);
  EXPECT_TRUE(note->isVisible());
  EXPECT_FALSE(note->isModal()) << "the note does not hold the window";
  EXPECT_FALSE(note->text().isEmpty());
  EXPECT_TRUE(w.frm.isVisible());
  EXPECT_TRUE(w.frm.cmdHelp.Enabled());
  EXPECT_EQ(w.frm.Texts().cboSamnuk, before.cboSamnuk);
  note->close();
}

TEST_F(Help, AMissingPageIsANoteToo) {
  system::SetHelpPage("/nonexistent/TUVO_HELP.HTM");
  w.frm.cmdHelp.Press();
  EXPECT_NE(w.frm.findChild<QMessageBox*>("HelpNote"), nullptr);
}

TEST_F(Help, TheBrowserIsStartedOnTheThaiHelpPage) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const std::string log = dir.filePath("opened").toStdString();
  const std::string browser = dir.filePath("browser").toStdString();
  {
    std::ofstream script(browser);
    script << "#!/bin/sh\necho \"$1\" > '" << log << ".part' && mv '" << log << ".part' '" << log << "'\n";
  }
  std::filesystem::permissions(browser, std::filesystem::perms::owner_all);
  system::SetBrowserProgram(browser);

  w.frm.cmdHelp.Press();
  EXPECT_EQ(w.frm.findChild<QMessageBox*>("HelpNote"), nullptr);
  // The browser runs on its own; give it a bounded while to write down what it was given.
  for (int i = 0; i < 100 && !std::filesystem::exists(log); ++i) QThread::msleep(50);
  std::ifstream opened(log);
  std::string page;
  std::getline(opened, page);
  ASSERT_FALSE(page.empty()) << "the browser was not started";
  EXPECT_EQ(std::filesystem::path(page).filename(), "TUVO_HELP.HTM");

  QFile file(QString::fromStdString(page));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QString html = QString::fromUtf8(file.readAll());
  EXPECT_TRUE(html.contains("charset=\"utf-8\""));
  EXPECT_TRUE(html.contains("lang=\"th\""));
  // Every step names the window's frames by their captions.
  for (const controls::Frame* frame : {&w.frm.Frame1, &w.frm.Frame2, &w.frm.Frame12}) {
    const std::string caption = frame->Caption();
    EXPECT_TRUE(html.contains(QString::fromStdString(caption))) << caption;
  }
}

// An opener that cannot show the page (xdg-open without a browser exits 3) brings the note once
// it has ended; one that succeeds brings none. The window stays usable meanwhile.
TEST_F(Help, AnOpenerThatFailsAfterStartingBringsTheNote) {
  for (const int code : {3, 0}) {
    SCOPED_TRACE(code);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string ran = dir.filePath("ran").toStdString();
    const std::string opener = dir.filePath("opener").toStdString();
    std::ofstream(opener) << "#!/bin/sh\n: > '" << ran << "'\nexit " << code << "\n";
    std::filesystem::permissions(opener, std::filesystem::perms::owner_all);
    system::SetBrowserProgram(opener);

    w.frm.cmdHelp.Press();
    QMessageBox* note = nullptr;
    for (int i = 0, quiet = 0; i < 250 && note == nullptr && quiet < 30; ++i) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
      note = w.frm.findChild<QMessageBox*>("HelpNote");
      if (code == 0 && std::filesystem::exists(ran)) ++quiet;  // none due: a while after it ran
      QThread::msleep(10);
    }
    EXPECT_TRUE(w.frm.isVisible());
    EXPECT_TRUE(w.frm.cmdHelp.Enabled());
    if (code != 0) {
      ASSERT_NE(note, nullptr) << "the failed opener went unreported";
      EXPECT_TRUE(note->isVisible());
      EXPECT_FALSE(note->isModal());
      EXPECT_FALSE(note->text().isEmpty());
      delete note;
    } else {
      EXPECT_EQ(note, nullptr);
    }
  }
}

}  // namespace
}  // namespace tuvo
