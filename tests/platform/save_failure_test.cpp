// The kinds of failure a user can act on, as a failed call's error number tells them, and the
// facts an error carries or lacks.
#include "platform/save_failure.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <optional>
#include <stdexcept>

#include "platform/sheet/cell.h"

namespace tuvo::system {
namespace {

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

}  // namespace
}  // namespace tuvo::system
