#include "platform/office/office_command.h"

#include <cctype>
#include <fstream>
#include <system_error>

namespace tuvo::office {

namespace {

namespace fs = std::filesystem;

// A new profile's settings: no tip dialog at the first start, no lock files (another program's
// lock would bring up a "document in use" question), no recovery of earlier documents.
constexpr const char* QuietProfileSettings =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<oor:items xmlns:oor=\"http://openoffice.org/2001/registry\" "
    "xmlns:xs=\"http://www.w3.org/2001/XMLSchema\" xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">\n"
    "<item oor:path=\"/org.openoffice.Office.Common/Misc\"><prop oor:name=\"ShowTipOfTheDay\" oor:op=\"fuse\">"
    "<value>false</value></prop></item>\n"
    "<item oor:path=\"/org.openoffice.Office.Common/Misc\"><prop oor:name=\"UseLocking\" oor:op=\"fuse\">"
    "<value>false</value></prop></item>\n"
    "<item oor:path=\"/org.openoffice.Office.Recovery/AutoSave\"><prop oor:name=\"Enabled\" oor:op=\"fuse\">"
    "<value>false</value></prop></item>\n"
    "<item oor:path=\"/org.openoffice.Office.Recovery/RecoveryInfo\"><prop oor:name=\"Enabled\" oor:op=\"fuse\">"
    "<value>false</value></prop></item>\n"
    "</oor:items>\n";

}  // namespace

std::string FileUrl(const fs::path& path) {
  static const char* hex = "0123456789ABCDEF";
  std::string url = "file://";
  for (unsigned char c : path.string()) {
    if (std::isalnum(c) || c == '/' || c == '-' || c == '_' || c == '.' || c == '~') {
      url += static_cast<char>(c);
    } else {
      url += '%';
      url += hex[c >> 4];
      url += hex[c & 0xF];
    }
  }
  return url;
}

std::string ProfileOption(const fs::path& profile) {
  return "-env:UserInstallation=" + FileUrl(profile);
}

void WriteQuietProfile(const fs::path& profile) {
  std::error_code error;
  fs::create_directories(profile / "user", error);
  std::ofstream(profile / "user" / "registrymodifications.xcu") << QuietProfileSettings;
}

std::string AcceptOption(const std::string& pipeName) {
  return "--accept=pipe,name=" + pipeName + ";urp;StarOffice.ComponentContext";
}

std::vector<std::string> InstanceArguments(const fs::path& profile, bool headless, const std::string& pipeName) {
  std::vector<std::string> arguments{ProfileOption(profile)};
  if (headless) arguments.emplace_back("--headless");
  for (const char* option : {"--invisible", "--nologo", "--norestore", "--nolockcheck", "--nodefault",
                             "--nofirststartwizard"}) {
    arguments.emplace_back(option);
  }
  arguments.push_back(AcceptOption(pipeName));
  return arguments;
}

std::vector<std::string> WindowArguments(const fs::path& profile, const std::string& pipeName, const fs::path& file) {
  std::vector<std::string> arguments{ProfileOption(profile), "--nologo", "--norestore"};
  if (!pipeName.empty()) arguments.push_back(AcceptOption(pipeName));
  arguments.push_back(file.string());
  return arguments;
}

std::vector<std::string> OneShotArguments(const fs::path& profile, const std::string& format, const fs::path& out,
                                          const fs::path& file) {
  return {ProfileOption(profile), "--headless", "--invisible", "--nologo", "--norestore", "--nolockcheck",
          "--convert-to", format, "--outdir", out.string(), file.string()};
}

}  // namespace tuvo::office
