#include "temp_folder.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <system_error>

#include <stdlib.h>

namespace tuvo::test {

namespace fs = std::filesystem;

// mkdtemp gives the folder to its maker alone.
TempFolder::TempFolder(const std::string& prefix) {
  std::string pattern = (fs::temp_directory_path() / (prefix + "-XXXXXX")).string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("no temporary folder");
  path_ = pattern;
}

// A test may have taken the folder's permissions away to make a save fail; they come back so
// that it can be removed.
TempFolder::~TempFolder() {
  std::error_code ignored;
  fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
  fs::remove_all(path_, ignored);
}

// The earlier HOME is kept before the folder is made, so it is what the destructor gives back.
TempHome::TempHome(const std::string& prefix)
    : old_([]() -> std::optional<std::string> {
        if (const char* home = std::getenv("HOME")) return home;
        return std::nullopt;
      }()),
      folder_(prefix) {
  setenv("HOME", folder_.Path().c_str(), 1);
}

// HOME first, then the folder (the member goes after this body).
TempHome::~TempHome() {
  if (old_) setenv("HOME", old_->c_str(), 1);
  else unsetenv("HOME");
}

// Reads in binary so that the bytes come back as they are on disk.
std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteFile(const fs::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
}

std::vector<std::string> FolderEntries(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace tuvo::test
