// Whether a file, such as an office's socket, grants nothing to anyone but its owner.
#pragma once

#include <filesystem>

namespace tuvo::test {

// Whether neither the file's group nor anyone else may use it; false for what is not there.
bool OwnerOnly(const std::filesystem::path& path);

}  // namespace tuvo::test
