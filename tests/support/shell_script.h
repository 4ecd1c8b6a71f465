// Shell scripts that stand in for a program a test should not run for real: a converter, a
// LibreOffice window.
#pragma once

#include <filesystem>
#include <string>

namespace tuvo::test {

// An executable shell script `folder/name` (its owner's alone) that runs `body`; its path.
std::filesystem::path Script(const std::filesystem::path& folder, const std::string& name,
                             const std::string& body);

}  // namespace tuvo::test
