// The kinds, paths and error numbers that a failed output folder reports beside its technical
// text.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>

#include "platform/save_failure.h"
#include "platform/sheet/cell.h"
#include "platform/system.h"
#include "support/temp_folder.h"

namespace tuvo::system {
namespace {

namespace fs = std::filesystem;
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

}  // namespace
}  // namespace tuvo::system
