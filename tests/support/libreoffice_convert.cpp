#include "libreoffice_convert.h"

#include <gtest/gtest.h>

#include "office_wait.h"
#include "platform/office/one_shot_conversion.h"
#include "temp_folder.h"

namespace tuvo::test {

namespace fs = std::filesystem;

fs::path ConvertWithLibreOffice(const fs::path& file, const std::string& format, const fs::path& folder) {
  // LibreOffice's profile for this conversion alone, so that no other instance or earlier run
  // shares its settings or its lock.
  const TempFolder profile("tuvo-soffice-profile");
  const office::OneShotOutcome outcome = office::RunOneShotConversion(
      "soffice", profile.Path(), format, folder, file, profile.Path() / "log", OfficeReadyBound);
  const std::string extension = format.substr(0, format.find(':'));
  const fs::path converted = folder / (file.stem().string() + "." + extension);
  if (!outcome.started) {
    ADD_FAILURE() << "soffice could not be started: " << outcome.startError;
    return converted;
  }
  EXPECT_EQ(outcome.status, 0) << "soffice --convert-to " << format << " " << file;
  return converted;
}

}  // namespace tuvo::test
