// Raising the typed save errors.
#include "platform/xls/save_error.h"

#include <cerrno>
#include <cstring>
#include <optional>

namespace tuvo::xls {

using sheet::SheetError;

namespace {

// The message every save failure starts with.
std::string Saving(const std::filesystem::path& target, const std::string& what) {
  return "saving \"" + target.string() + "\": " + what;
}

}  // namespace

// The one place the typed error is made.
void ThrowSaveError(const std::filesystem::path& target, system::SaveFailureKind kind,
                    const std::filesystem::path& path, int errorNumber, const std::string& what) {
  throw SaveError(Saving(target, what), kind, path, errorNumber);
}

// Kind from the error number; the folder is what the message names to the user.
void ThrowFileError(const std::filesystem::path& target, const std::filesystem::path& folder, int errorNumber,
                    const std::string& what) {
  const std::string message = what + ": " + std::strerror(errorNumber);
  if (const std::optional<system::SaveFailureKind> kind = system::KindOfErrorNumber(errorNumber)) {
    ThrowSaveError(target, *kind, folder, errorNumber, message);
  }
  throw SheetError(Saving(target, message));
}

// A full disk under LibreOffice's work shows only as a failed conversion; it is looked for first.
void ThrowOfficeError(const std::filesystem::path& target, system::SaveFailureKind kind, const std::string& program,
                      const std::string& what, const std::vector<std::filesystem::path>& wroteIn) {
  for (const std::filesystem::path& folder : wroteIn) {
    if (system::DiskFull(folder)) {
      ThrowSaveError(target, system::SaveFailureKind::NoSpace, folder, ENOSPC,
                     what + "; the disk of \"" + folder.string() + "\" is full");
    }
  }
  ThrowSaveError(target, kind, program, 0, what);
}

}  // namespace tuvo::xls
