// Converting a file with LibreOffice, for tests that read back what LibreOffice made of a saved
// workbook.
#pragma once

#include <filesystem>
#include <string>

namespace tuvo::test {

// Converts `file` with LibreOffice (headless, in a profile of its own that is removed afterwards)
// into `format` ("pdf", "fods", or a format with its filter after a colon) in `folder`, and gives
// the path of the new file. A conversion that does not start, or does not succeed within the bound
// a test waits for a real office, is a test failure; the path is given all the same.
std::filesystem::path ConvertWithLibreOffice(const std::filesystem::path& file, const std::string& format,
                                             const std::filesystem::path& folder);

}  // namespace tuvo::test
