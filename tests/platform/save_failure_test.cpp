// The kinds, paths and error numbers that a failed output folder or save reports beside its
// technical text: the output folder, each file-system call of the save on a full disk, the
// checks before the save, and LibreOffice.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <sched.h>
#include <sys/mount.h>

#include "platform/save_failure.h"
#include "platform/sheet/sheet.h"
#include "platform/system.h"
#include "platform/xls/office_application.h"
#include "platform/xls/save_error.h"
#include "support/temp_folder.h"

namespace tuvo::system {
namespace {

namespace fs = std::filesystem;
using std::chrono::milliseconds;
using test::ReadText;
using test::TempFolder;

// The facts an error carries, or none.
struct Facts {
  SaveFailureKind kind;
  fs::path path;
  int errorNumber;
  bool operator==(const Facts&) const = default;
};

void PrintTo(const Facts& f, std::ostream* os) {
  *os << "kind " << static_cast<int>(f.kind) << ", " << f.path << ", error " << f.errorNumber;
}

std::optional<Facts> FactsOf(const std::exception& error) {
  const SaveFailure* failure = SaveFailureOf(error);
  if (failure == nullptr) return std::nullopt;
  return Facts{failure->Kind(), failure->Path(), failure->ErrorNumber()};
}

// The seam failing one call in one folder with one error number.
void FailCall(const fs::path& folder, FileCall call, int error) {
  SetFileFault([=](const fs::path& in, FileCall made) { return in == folder && made == call ? error : 0; });
}

// Removes the seam whatever the test did.
class SeamTest : public ::testing::Test {
 protected:
  ~SeamTest() override { SetFileFault({}); }
};

TEST(SaveFailureKinds, ErrorNumbersTheUserCanActOnHaveAKind) {
  const struct {
    int number;
    std::optional<SaveFailureKind> kind;
  } cases[] = {
      {ENOSPC, SaveFailureKind::NoSpace},     {EDQUOT, SaveFailureKind::NoSpace},
      {EACCES, SaveFailureKind::NotWritable}, {EPERM, SaveFailureKind::NotWritable},
      {EROFS, SaveFailureKind::NotWritable},  {EEXIST, SaveFailureKind::InTheWay},
      {ENOTDIR, SaveFailureKind::InTheWay},   {EISDIR, SaveFailureKind::InTheWay},
      {EIO, std::nullopt},                    {0, std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(KindOfErrorNumber(c.number), c.kind) << c.number;
}

TEST(SaveFailureKinds, AnErrorWithoutFactsHasNone) {
  EXPECT_EQ(SaveFailureOf(std::runtime_error("a step failed")), nullptr);
  EXPECT_EQ(SaveFailureOf(sheet::SheetError("a cell failed")), nullptr);
}

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

// A converter stand-in that writes a small file where LibreOffice writes the .xls file.
fs::path FakeConverter(const fs::path& folder) {
  const fs::path script = folder / "fake-office";
  std::ofstream(script) << "#!/bin/sh\n"
                           "while [ $# -gt 1 ]; do [ \"$1\" = --outdir ] && out=\"$2\"; shift; done\n"
                           "printf 'converted' > \"$out/$(basename \"$1\" .xlsx).xls\"\n";
  fs::permissions(script, fs::perms::owner_all);
  return script;
}

// A shell script standing in for LibreOffice.
fs::path Script(const fs::path& folder, const std::string& name, const std::string& body) {
  const fs::path script = folder / name;
  std::ofstream(script) << "#!/bin/sh\n" << body << "\n";
  fs::permissions(script, fs::perms::owner_all);
  return script;
}

std::vector<std::string> Entries(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// A save into its own output folder that holds an older file of the target's name.
class SaveFailureFacts : public SeamTest {
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
      EXPECT_EQ(Entries(output), std::vector<std::string>{"book.xls"});
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
  xls::OfficeApplication app;
  sheet::Workbook& wb = app.Workbooks().Add();
};

TEST_F(SaveFailureFacts, TheStandInConverterSavesWhenNothingFails) {
  wb.SaveAs(target.string(), sheet::xl::Normal);
  EXPECT_EQ(ReadText(target), "converted");
  EXPECT_EQ(Entries(output), std::vector<std::string>{"book.xls"});
}

TEST_F(SaveFailureFacts, AFullDiskAnywhereInTheSaveNamesTheFolderOnThatDisk) {
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

TEST_F(SaveFailureFacts, AFolderThatRefusesOrAnUnknownErrorOfTheDisk) {
  FailCall(output, FileCall::MakeFile, EACCES);
  EXPECT_EQ(SaveFails(), (Facts{SaveFailureKind::NotWritable, output, EACCES}));
  FailCall(temporary, FileCall::MakeFolder, EACCES);
  EXPECT_EQ(SaveFails(), (Facts{SaveFailureKind::NotWritable, temporary, EACCES}));
  FailCall(output, FileCall::Write, EIO);
  EXPECT_EQ(SaveFails(), std::nullopt) << "an input/output error has no kind";
}

TEST_F(SaveFailureFacts, WhatStandsInTheWayOfTheFolderOrTheFile) {
  fs::remove(target);
  fs::create_directory(target);
  EXPECT_EQ(SaveFails(), (Facts{SaveFailureKind::InTheWay, target, EISDIR}));

  fs::remove_all(output);
  std::ofstream(output) << "x";
  EXPECT_EQ(SaveFails(), (Facts{SaveFailureKind::InTheWay, output, ENOTDIR}));

  fs::remove(output);
  EXPECT_EQ(SaveFails(), std::nullopt) << "a missing folder has no kind";
}

TEST_F(SaveFailureFacts, LibreOfficeMissingNotAnsweringOrFailing) {
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
TEST_F(SaveFailureFacts, ARealFullDiskUnderTheTemporaryOrTheOutputFolder) {
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
  EXPECT_TRUE(Entries(output).empty()) << "the new file's temporary name is removed";
}

}  // namespace
}  // namespace tuvo::system
