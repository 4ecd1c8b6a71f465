#include "support/owner_only.h"

namespace tuvo::test {

bool OwnerOnly(const std::filesystem::path& path) {
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  return !error && fs::exists(status) &&
         (status.permissions() & (fs::perms::group_all | fs::perms::others_all)) == fs::perms::none;
}

}  // namespace tuvo::test
