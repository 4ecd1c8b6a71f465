// Private folders for tests: a fresh folder removed afterwards, a fresh HOME, writing a file and
// reading one a test made back whole, and what a folder holds.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tuvo::test {

// A fresh folder under the system's temporary folder, named `prefix` and a random end; removed
// with all it holds (its own permissions given back first) when the object goes.
class TempFolder {
 public:
  explicit TempFolder(const std::string& prefix = "tuvo-test");
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// A fresh folder made HOME while the object lives, so nothing lands in the real home; the
// earlier HOME (or its absence) is given back, then the folder removed.
class TempHome {
 public:
  explicit TempHome(const std::string& prefix = "tuvo-home");
  ~TempHome();
  TempHome(const TempHome&) = delete;
  TempHome& operator=(const TempHome&) = delete;
  const std::filesystem::path& Path() const { return folder_.Path(); }

 private:
  std::optional<std::string> old_;
  TempFolder folder_;
};

// The whole content of a file, byte for byte; empty when it cannot be read.
std::string ReadText(const std::filesystem::path& path);

// Makes the file hold `text` alone, byte for byte.
void WriteFile(const std::filesystem::path& path, const std::string& text);

// The names of what the folder holds, sorted.
std::vector<std::string> FolderEntries(const std::filesystem::path& folder);

}  // namespace tuvo::test
