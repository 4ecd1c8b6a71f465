// The kinds, paths and error numbers that a failed .xls save reports beside its technical text:
// each file-system call of the save on a full disk, the checks before the save, and LibreOffice.
#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include <sched.h>
#include <sys/mount.h>

#include "platform/save_failure.h"
#include "platform/sheet/sheet.h"
#include "platform/xls/office_application.h"
#include "support/save_failure_facts.h"
#include "support/shell_script.h"
#include "support/temp_folder.h"

namespace tuvo::xls {
namespace {

namespace fs = std::filesystem;
using std::chrono::milliseconds;
using system::DiskFull;
using system::FileCall;
using system::SaveFailureKind;
using test::Facts;
using test::FactsOf;
using test::FailCall;
using test::FolderEntries;
using test::ReadText;
using test::Script;
using test::SeamTest;
using test::TempFolder;

// A converter stand-in that writes a small file where LibreOffice writes the .xls file.
fs::path FakeConverter(const fs::path& folder) {
  return Script(folder, "fake-office",
                "while [ $# -gt 1 ]; do [ \"$1\" = --outdir ] && out=\"$2\"; shift; done\n"
                "printf 'converted' > \"$out/$(basename \"$1\" .xlsx).xls\"");
}

// A save into its own output folder that holds an older file of the target's name.
class XlsSaveFailureFacts : public SeamTest {
 protected:
  void SetUp() override {
    fs::create_directory(output);
    std::ofstream(target) << "older file";
    app.Office().program = FakeConverter(root.Path()).string();
  }

  // The save fails: the facts it reports, or none; the older file stays alone in its folder.
  std::optional<Facts> SaveFails() {
    std::optional<Facts> facts;
    try {
      wb.SaveAs(target.string(), sheet::xl::Normal);
      ADD_FAILURE() << "the save did not fail";
    } catch (const sheet::SheetError& error) {
      facts = FactsOf(error);
      EXPECT_NE(std::string(error.what()).find(target.string()), std::string::npos) << error.what();
    }
    if (fs::is_directory(output)) {
      EXPECT_EQ(FolderEntries(output), std::vector<std::string>{"book.xls"});
      if (fs::is_regular_file(target)) {
        EXPECT_EQ(ReadText(target), "older file");
      }
    }
    return facts;
  }

  TempFolder root{"tuvo-save-failure-test"};
  fs::path output = root.Path() / "output";
  fs::path target = output / "book.xls";
  fs::path temporary = fs::temp_directory_path();
  OfficeApplication app;
  sheet::Workbook& wb = app.Workbooks().Add();
};

TEST_F(XlsSaveFailureFacts, TheStandInConverterSavesWhenNothingFails) {
  wb.SaveAs(target.string(), sheet::xl::Normal);
  EXPECT_EQ(ReadText(target), "converted");
  EXPECT_EQ(FolderEntries(output), std::vector<std::string>{"book.xls"});
}

TEST_F(XlsSaveFailureFacts, AFullDiskAnywhereInTheSaveNamesTheFolderOnThatDisk) {
  const struct {
    const char* name;
    bool inTemporary;  // else in the output folder
    FileCall call;
    int error;
  } cases[] = {
      {"making the work folder", true, FileCall::MakeFolder, ENOSPC},
      {"writing the .xlsx file", true, FileCall::Write, ENOSPC},
      {"making the new file", false, FileCall::MakeFile, ENOSPC},
      {"copying the new file", false, FileCall::Write, ENOSPC},
      {"copying over quota", false, FileCall::Write, EDQUOT},
      {"writing it to disk", false, FileCall::Sync, ENOSPC},
      {"closing it", false, FileCall::Close, EDQUOT},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const fs::path folder = c.inTemporary ? temporary : output;
    FailCall(folder, c.call, c.error);
    EXPECT_EQ(SaveFails(), (Facts{SaveFailureKind::NoSpace, folder, c.error}));
  }
}

TEST_F(XlsSaveFailureFacts, AFolderThatRefusesOrAnUnknownErrorOfTheDisk) {
  FailCall(output, FileCall::MakeFile, EACCES);
  EXPECT_EQ(SaveFails(), (Facts{SaveFailureKind::NotWritable, output, EACCES}));
  FailCall(temporary, FileCall::MakeFolder, EACCES);
  EXPECT_EQ(SaveFails(), (Facts{SaveFailureKind::NotWritable, temporary, EACCES}));
  FailCall(output, FileCall::Write, EIO);
  EXPECT_EQ(SaveFails(), std::nullopt) << "an input/output error has no kind";
}

TEST_F(XlsSaveFailureFacts, WhatStandsInTheWayOfTheFolderOrTheFile) {
  fs::remove(target);
  fs::create_directory(target);
  EXPECT_EQ(SaveFails(), (Facts{SaveFailureKind::InTheWay, target, EISDIR}));

  fs::remove_all(output);
  std::ofstream(output) << "x";
  EXPECT_EQ(SaveFails(), (Facts{SaveFailureKind::InTheWay, output, ENOTDIR}));

  fs::remove(output);
  EXPECT_EQ(SaveFails(), std::nullopt) << "a missing folder has no kind";
}

TEST_F(XlsSaveFailureFacts, LibreOfficeMissingNotAnsweringOrFailing) {
  const fs::path scripts = root.Path();
  const struct {
    const char* name;
    std::string program;
    SaveFailureKind kind;
  } cases[] = {
      {"no such program", (scripts / "no-such-office").string(), SaveFailureKind::OfficeMissing},
      {"a program that is no program", (scripts / "output").string(), SaveFailureKind::OfficeMissing},
      {"hanging", Script(scripts, "hanging", "exec sleep 30").string(), SaveFailureKind::OfficeNotAnswering},
      {"an error", Script(scripts, "failing", "echo 'Error: cannot load'; exit 3").string(),
       SaveFailureKind::OfficeFailing},
      {"no file", Script(scripts, "silent", "exit 0").string(), SaveFailureKind::OfficeFailing},
  };
  app.Office().timeout = milliseconds{300};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    app.Office().program = c.program;
    EXPECT_EQ(SaveFails(), (Facts{c.kind, c.program, 0}));
  }

  // A bare name looked up on a PATH without it.
  const char* path = std::getenv("PATH");
  const std::string savedPath = path == nullptr ? "" : path;
  setenv("PATH", scripts.c_str(), 1);
  app.Office().program = "soffice";
  EXPECT_EQ(SaveFails(), (Facts{SaveFailureKind::OfficeMissing, "soffice", 0}));
  setenv("PATH", savedPath.c_str(), 1);
}

// A small file system of its own, mounted in a mount namespace of this thread's own so that
// nothing outside the test sees it; filled to the last block.
class FullDisk {
 public:
  explicit FullDisk(const fs::path& at) : at_(at) {
    fs::create_directory(at);
    if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        mount("tuvo-full", at.c_str(), "tmpfs", 0, "size=256k") != 0) {
      return;
    }
    mounted_ = true;
    fs::create_directory(at / "output");
    std::ofstream fill(at / "fill", std::ios::binary);
    const std::string block(4096, 'x');
    while (fill.write(block.data(), static_cast<std::streamsize>(block.size()))) {
    }
  }
  ~FullDisk() {
    if (mounted_) umount2(at_.c_str(), MNT_DETACH);
  }
  FullDisk(const FullDisk&) = delete;
  FullDisk& operator=(const FullDisk&) = delete;
  bool Mounted() const { return mounted_; }

 private:
  fs::path at_;
  bool mounted_ = false;
};

// A real full disk under the temporary folder and under the output folder, no seam: the
// .xlsx writer's and the copy's own failures are taken for what they are.
TEST_F(XlsSaveFailureFacts, ARealFullDiskUnderTheTemporaryOrTheOutputFolder) {
  const FullDisk disk(root.Path() / "disk");
  if (!disk.Mounted()) GTEST_SKIP() << "mounting a small file system needs the right to mount (CAP_SYS_ADMIN)";
  const fs::path full = root.Path() / "disk";
  ASSERT_TRUE(DiskFull(full));
  EXPECT_FALSE(DiskFull(output));

  const char* old = std::getenv("TMPDIR");
  const std::string savedTemporary = old == nullptr ? "" : old;
  setenv("TMPDIR", full.c_str(), 1);
  EXPECT_EQ(SaveFails(), (Facts{SaveFailureKind::NoSpace, full, ENOSPC}));
  if (old == nullptr) unsetenv("TMPDIR");
  else setenv("TMPDIR", savedTemporary.c_str(), 1);

  output = full / "output";
  target = output / "book.xls";
  try {
    wb.SaveAs(target.string(), sheet::xl::Normal);
    ADD_FAILURE() << "the save did not fail";
  } catch (const sheet::SheetError& error) {
    EXPECT_EQ(FactsOf(error), (Facts{SaveFailureKind::NoSpace, output, ENOSPC})) << error.what();
  }
  EXPECT_TRUE(FolderEntries(output).empty()) << "the new file's temporary name is removed";
}

}  // namespace
}  // namespace tuvo::xls
