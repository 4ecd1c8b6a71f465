#include "libreoffice_convert.h"

#include <gtest/gtest.h>

#include <chrono>

#include "office_wait.h"
#include "platform/process/process.h"
#include "temp_folder.h"

namespace tuvo::test {

namespace fs = std::filesystem;

fs::path ConvertWithLibreOffice(const fs::path& file, const std::string& format, const fs::path& folder) {
  // LibreOffice's profile for this conversion alone, so that no other instance or earlier run
  // shares its settings or its lock.
  const TempFolder profile("tuvo-soffice-profile");
  const sheet::Started started = sheet::StartProcess(
      "soffice", {sheet::ProfileOption(profile.Path()), "--headless", "--norestore",
                  "--convert-to", format, "--outdir", folder.string(), file.string()},
      profile.Path() / "log");
  const std::string extension = format.substr(0, format.find(':'));
  const fs::path converted = folder / (file.stem().string() + "." + extension);
  // No process to wait for or end: EndProcess(-1) would signal process 1.
  if (started.pid <= 0) {
    ADD_FAILURE() << "soffice could not be started: " << started.error;
    return converted;
  }
  const auto status = sheet::WaitProcess(started.pid, OfficeReadyBound);
  sheet::EndProcess(started.pid, std::chrono::seconds{2});
  EXPECT_EQ(status, 0) << "soffice --convert-to " << format << " " << file;
  return converted;
}

}  // namespace tuvo::test
