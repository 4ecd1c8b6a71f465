// Operating-system services: input blocking, the output folder and its failures, the help page
// and the clock.
#include "platform/system.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "platform/save_failure.h"
#include "support/save_failure_facts.h"
#include "support/temp_folder.h"

namespace tuvo::system {
namespace {

namespace fs = std::filesystem;
using test::Facts;
using test::FactsOf;
using test::FailCall;
using test::SeamTest;
using test::TempFolder;

// A widget that counts the key presses and mouse presses that reach it.
class CountingWidget : public QWidget {
 public:
  int keys = 0;
  int clicks = 0;

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    ++keys;
    event->accept();
  }
  void mousePressEvent(QMouseEvent* event) override {
    ++clicks;
    event->accept();
  }
};

// A key press sent to the widget as the window system would deliver it.
void SendKey(QWidget& widget) {
  QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
  QApplication::sendEvent(&widget, &press);
}

// A left-button press inside the widget.
void SendClick(QWidget& widget) {
  const QPointF at(5, 5);
  QMouseEvent press(QEvent::MouseButtonPress, at, widget.mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QApplication::sendEvent(&widget, &press);
}

class InputBlockTest : public ::testing::Test {
 protected:
  void SetUp() override {
    widget.resize(50, 50);
    widget.show();
  }
  void TearDown() override { BlockInput(false); }
  CountingWidget widget;
};

TEST_F(InputBlockTest, GuardDropsInputAndAThrownErrorReleasesIt) {
  try {
    ScopedInputBlock block;
    EXPECT_TRUE(InputBlocked());
    SendKey(widget);
    SendClick(widget);
    EXPECT_EQ(widget.keys, 0);
    EXPECT_EQ(widget.clicks, 0);
    throw std::runtime_error("the run failed");
  } catch (const std::runtime_error&) {
  }
  EXPECT_FALSE(InputBlocked());
  SendKey(widget);
  SendClick(widget);
  EXPECT_EQ(widget.keys, 1);
  EXPECT_EQ(widget.clicks, 1);
}

TEST_F(InputBlockTest, NestedGuardsReleaseOnlyWithTheOutermost) {
  {
    ScopedInputBlock outer;
    {
      ScopedInputBlock inner;
    }
    EXPECT_TRUE(InputBlocked());
    SendKey(widget);
    EXPECT_EQ(widget.keys, 0);
  }
  EXPECT_FALSE(InputBlocked());
  SendKey(widget);
  EXPECT_EQ(widget.keys, 1);
}

TEST_F(InputBlockTest, BlockInputTogglesAndAGuardInsideKeepsTheBlock) {
  BlockInput(true);
  {
    ScopedInputBlock block;
  }
  EXPECT_TRUE(InputBlocked());
  SendKey(widget);
  EXPECT_EQ(widget.keys, 0);
  BlockInput(false);
  EXPECT_FALSE(InputBlocked());
  SendKey(widget);
  EXPECT_EQ(widget.keys, 1);
}

TEST_F(InputBlockTest, InputQueuedDuringTheBlockIsDroppedNotReplayed) {
  {
    ScopedInputBlock block;
    // As the window system queues what a person types while the run holds the thread.
    QApplication::postEvent(&widget, new QKeyEvent(QEvent::KeyPress, Qt::Key_B, Qt::NoModifier, "b"));
  }
  QApplication::processEvents();
  EXPECT_EQ(widget.keys, 0);
}

TEST_F(InputBlockTest, WindowsClosedFromCodeStillClose) {
  ScopedInputBlock block;
  EXPECT_TRUE(widget.close());
  EXPECT_FALSE(widget.isVisible());
}

class FolderTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(temp.isValid()); }
  fs::path Root() const { return fs::path(temp.path().toStdString()); }
  QTemporaryDir temp;
};

TEST_F(FolderTest, CreatesOneLevelAndLeavesAnExistingFolder) {
  const fs::path folder = Root() / "TUVO_Output";
  EXPECT_FALSE(FolderExists(folder));
  CreateFolder(folder);
  EXPECT_TRUE(FolderExists(folder));
  std::ofstream(folder / "keep.xls") << "x";
  EXPECT_NO_THROW(CreateFolder(folder));
  EXPECT_TRUE(fs::exists(folder / "keep.xls"));
  const fs::path withSlash = Root() / "ผลการคำนวณ/";
  CreateFolder(withSlash);
  EXPECT_TRUE(FolderExists(Root() / "ผลการคำนวณ"));
}

TEST_F(FolderTest, MissingParentOrAFileInTheWayIsAnErrorNamingThePath) {
  const fs::path deep = Root() / "missing" / "TUVO_Output";
  try {
    CreateFolder(deep);
    FAIL() << "no error";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find(deep.string()), std::string::npos) << e.what();
  }
  EXPECT_FALSE(fs::exists(Root() / "missing"));

  const fs::path file = Root() / "TUVO_Output";
  std::ofstream(file) << "x";
  EXPECT_FALSE(FolderExists(file));
  EXPECT_THROW(CreateFolder(file), std::runtime_error);
}

// The facts a failed output folder carries: the kind, the path where the trouble is, the error
// number.
class OutputFolderFailure : public SeamTest {};

TEST_F(OutputFolderFailure, EachCauseHasItsKindAndThePathWhereTheTroubleIs) {
  const struct {
    const char* name;
    std::function<void(const fs::path& root, const fs::path& folder)> breakIt;
    std::function<Facts(const fs::path& root, const fs::path& folder)> facts;
  } cases[] = {
      {"a file in the way", [](const fs::path&, const fs::path& f) { std::ofstream(f) << "x"; },
       [](const fs::path&, const fs::path& f) { return Facts{SaveFailureKind::InTheWay, f, EEXIST}; }},
      {"a missing parent", nullptr,
       [](const fs::path& r, const fs::path&) {
         return Facts{SaveFailureKind::FolderNotMade, r / "missing" / "TUVO_Output", ENOENT};
       }},
      {"a parent that refuses", [](const fs::path& r, const fs::path&) { FailCall(r, FileCall::MakeFolder, EACCES); },
       [](const fs::path& r, const fs::path&) { return Facts{SaveFailureKind::NotWritable, r, EACCES}; }},
      {"a full disk", [](const fs::path& r, const fs::path&) { FailCall(r, FileCall::MakeFolder, ENOSPC); },
       [](const fs::path& r, const fs::path&) { return Facts{SaveFailureKind::NoSpace, r, ENOSPC}; }},
      {"an input/output error", [](const fs::path& r, const fs::path&) { FailCall(r, FileCall::MakeFolder, EIO); },
       [](const fs::path&, const fs::path& f) { return Facts{SaveFailureKind::FolderNotMade, f, EIO}; }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const TempFolder fresh{"tuvo-folder-test"};
    const fs::path made = c.breakIt ? fresh.Path() / "TUVO_Output" : fresh.Path() / "missing" / "TUVO_Output";
    if (c.breakIt) c.breakIt(fresh.Path(), made);
    try {
      CreateFolder(made);
      ADD_FAILURE() << "no error";
    } catch (const std::runtime_error& error) {
      EXPECT_EQ(FactsOf(error), c.facts(fresh.Path(), made));
      EXPECT_NE(std::string(error.what()).find(made.string()), std::string::npos) << error.what();
    }
    EXPECT_FALSE(FolderExists(made));
    SetFileFault({});
  }
}

TEST(OutputFolder, IsTuvoOutputInTheHomeFolder) {
  const char* old = std::getenv("HOME");
  const std::optional<std::string> saved = old ? std::optional<std::string>(old) : std::nullopt;
  setenv("HOME", "/home/ผู้ใช้", 1);
  EXPECT_EQ(OutputFolder(), fs::path("/home/ผู้ใช้/TUVO_Output"));
  if (saved) {
    setenv("HOME", saved->c_str(), 1);
  } else {
    unsetenv("HOME");
  }
}

class HelpPageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(temp.isValid());
    page = Root() / "TUVO_HELP.HTM";
    std::ofstream(page) << "<html></html>";
  }
  void TearDown() override {
    SetHelpPage({});
    SetBrowserProgram({});
  }
  fs::path Root() const { return fs::path(temp.path().toStdString()); }
  QTemporaryDir temp;
  fs::path page;
};

TEST_F(HelpPageTest, LooksForTheShareFolder) {
  const fs::path found = HelpPagePath();
  EXPECT_EQ(found.filename(), "TUVO_HELP.HTM");
  EXPECT_EQ(found.parent_path().filename(), "share");
}

TEST_F(HelpPageTest, MissingPageGivesAMessageAndStartsNothing) {
  const fs::path missing = Root() / "GONE.HTM";
  SetHelpPage(missing);
  SetBrowserProgram("/bin/touch");  // started, it would create the page
  const HelpPageResult result = StartHelpPage();
  EXPECT_FALSE(result.started);
  EXPECT_NE(result.message.find(missing.string()), std::string::npos) << result.message;
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_FALSE(fs::exists(missing));
}

TEST_F(HelpPageTest, MissingBrowserGivesAMessage) {
  SetHelpPage(page);
  for (const char* program : {"/nonexistent/xdg-open", "tuvo-no-such-browser"}) {
    SCOPED_TRACE(program);
    SetBrowserProgram(program);
    const HelpPageResult result = StartHelpPage();
    EXPECT_FALSE(result.started);
    EXPECT_NE(result.message.find(program), std::string::npos) << result.message;
  }
}

TEST_F(HelpPageTest, StartsTheBrowserOnThePageWithoutWaiting) {
  SetHelpPage(page);
  const fs::path script = Root() / "browser.sh";
  const fs::path seen = Root() / "seen.txt";
  std::ofstream(script) << "#!/bin/sh\nprintf '%s' \"$1\" > '" << seen.string() << ".tmp' && mv '"
                        << seen.string() << ".tmp' '" << seen.string() << "'\n";
  fs::permissions(script, fs::perms::owner_all);
  SetBrowserProgram(script.string());
  const HelpPageResult result = StartHelpPage();
  ASSERT_TRUE(result.started) << result.message;
  EXPECT_TRUE(result.message.empty());
  for (int i = 0; i < 100 && !fs::exists(seen); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  std::ifstream in(seen);
  std::string argument((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(argument, page.string());
}

// The opener's exit code counts: xdg-open exits 3 when no browser can show the page, and the
// window must hear of it once the opener has ended, without having waited for it.
TEST_F(HelpPageTest, AnOpenerThatFailsLaterIsReported) {
  SetHelpPage(page);
  struct Case {
    const char* ending;
    bool reported;
  };
  for (const Case& c : {Case{"exit 3", true}, Case{"exit 0", false}, Case{"kill -9 $$", true}}) {
    SCOPED_TRACE(c.ending);
    const fs::path script = Root() / "opener.sh";
    const fs::path ran = Root() / "ran";
    fs::remove(ran);
    std::ofstream(script) << "#!/bin/sh\nsleep 0.2\n: > '" << ran.string() << "'\n" << c.ending << "\n";
    fs::permissions(script, fs::perms::owner_all);
    SetBrowserProgram(script.string());
    std::vector<std::string> messages;
    const HelpPageResult result = StartHelpPage([&](const std::string& m) { messages.push_back(m); });
    ASSERT_TRUE(result.started) << result.message;
    EXPECT_TRUE(messages.empty()) << "the failure is reported when the opener ends, not before";
    // Until the report, or, when none is due, for a while after the opener has run.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    std::optional<std::chrono::steady_clock::time_point> quiet;
    while (messages.empty() && std::chrono::steady_clock::now() < deadline) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
      if (!c.reported && !quiet && fs::exists(ran)) quiet = std::chrono::steady_clock::now() + std::chrono::milliseconds(600);
      if (quiet && std::chrono::steady_clock::now() > *quiet) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (c.reported) {
      ASSERT_EQ(messages.size(), 1u);
      EXPECT_NE(messages[0].find(script.string()), std::string::npos) << messages[0];
    } else {
      EXPECT_TRUE(messages.empty()) << messages[0];
    }
  }
}

TEST(Clock, IsReplaceableAndRestored) {
  using namespace std::chrono;
  const locale::DateTime fixed{2009y / March / 23d, 14, 3, 9};
  SetClock([fixed] { return fixed; });
  const locale::DateTime now = Now();
  EXPECT_EQ(now.date, fixed.date);
  EXPECT_EQ(now.hour, 14);
  EXPECT_EQ(now.minute, 3);
  EXPECT_EQ(now.second, 9);
  SetClock({});
  const locale::DateTime real = Now();
  EXPECT_TRUE(real.date.ok());
  EXPECT_GE(static_cast<int>(real.date.year()), 2024);
  EXPECT_GE(real.hour, 0);
  EXPECT_LE(real.hour, 23);
}

}  // namespace
}  // namespace tuvo::system
