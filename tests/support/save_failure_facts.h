// The facts a failed output folder or save carries beside its technical text, as tests compare
// them, and the file-system seam that makes one call in one folder fail.
#pragma once

#include <exception>
#include <filesystem>
#include <optional>
#include <ostream>

#include <gtest/gtest.h>

#include "platform/save_failure.h"

namespace tuvo::test {

struct Facts {
  system::SaveFailureKind kind;
  std::filesystem::path path;
  int errorNumber;
  bool operator==(const Facts&) const = default;
};

void PrintTo(const Facts& facts, std::ostream* os);

// The facts an error carries, or none.
std::optional<Facts> FactsOf(const std::exception& error);

// Sets the seam to fail one call in one folder with one error number.
void FailCall(const std::filesystem::path& folder, system::FileCall call, int error);

// Removes the seam whatever the test did.
class SeamTest : public ::testing::Test {
 protected:
  ~SeamTest() override { system::SetFileFault({}); }
};

}  // namespace tuvo::test
