#include "libreoffice_convert.h"

#include <gtest/gtest.h>

#include <chrono>
#include <stdexcept>
#include <system_error>

#include <stdlib.h>

#include "platform/sheet/process.h"

namespace tuvo::test {

namespace {

namespace fs = std::filesystem;

// LibreOffice's profile for one conversion: a fresh folder, so that no other instance or earlier
// run shares its settings or its lock; removed afterwards.
class ProfileFolder {
 public:
  ProfileFolder() {
    std::string pattern = (fs::temp_directory_path() / "tuvo-soffice-profile-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("no temporary folder for the profile");
    path_ = pattern;
  }
  ~ProfileFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  ProfileFolder(const ProfileFolder&) = delete;
  ProfileFolder& operator=(const ProfileFolder&) = delete;
  const fs::path& Path() const { return path_; }

 private:
  fs::path path_;
};

}  // namespace

fs::path ConvertWithLibreOffice(const fs::path& file, const std::string& format, const fs::path& folder) {
  const ProfileFolder profile;
  const sheet::Started started = sheet::StartProcess(
      "soffice", {"-env:UserInstallation=" + sheet::FileUrl(profile.Path()), "--headless", "--norestore",
                  "--convert-to", format, "--outdir", folder.string(), file.string()},
      profile.Path() / "log");
  const std::string extension = format.substr(0, format.find(':'));
  const fs::path converted = folder / (file.stem().string() + "." + extension);
  // No process to wait for or end: EndProcess(-1) would signal process 1.
  if (started.pid <= 0) {
    ADD_FAILURE() << "soffice could not be started: " << started.error;
    return converted;
  }
  const auto status = sheet::WaitProcess(started.pid, std::chrono::seconds{60});
  sheet::EndProcess(started.pid, std::chrono::seconds{2});
  EXPECT_EQ(status, 0) << "soffice --convert-to " << format << " " << file;
  return converted;
}

}  // namespace tuvo::test
