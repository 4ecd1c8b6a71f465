#include "shell_script.h"

#include "temp_folder.h"

namespace tuvo::test {

namespace fs = std::filesystem;

fs::path Script(const fs::path& folder, const std::string& name, const std::string& body) {
  const fs::path path = folder / name;
  WriteFile(path, "#!/bin/sh\n" + body + "\n");
  fs::permissions(path, fs::perms::owner_all);
  return path;
}

}  // namespace tuvo::test
