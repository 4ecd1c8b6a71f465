// The typed error of a failed save, and the helpers that raise it, for every way of writing the
// .xls file (the one-shot conversion and the live LibreOffice alike).
#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "platform/save_failure.h"
#include "platform/sheet/cell.h"

namespace tuvo::xls {

// A failed save of a kind the user can act on; still a sheet::SheetError for the callers that only
// want the technical text.
class SaveError : public sheet::SheetError, public system::SaveFailure {
 public:
  SaveError(const std::string& what, system::SaveFailureKind kind, std::filesystem::path path, int errorNumber)
      : sheet::SheetError(what), system::SaveFailure(kind, std::move(path), errorNumber) {}
};

// Throws SaveError for saving `target` with the message `saving "target": what`; `path` is what
// the kind concerns (the folder, the item in the way, the LibreOffice program), `errorNumber`
// the system's error number or 0.
[[noreturn]] void ThrowSaveError(const std::filesystem::path& target, system::SaveFailureKind kind,
                                 const std::filesystem::path& path, int errorNumber, const std::string& what);

// Throws for a file-system call in `folder` that failed with `errorNumber` while saving
// `target`: SaveError when the number tells a kind, a plain sheet::SheetError otherwise. The message is
// `saving "target": what: <the system's text>`.
[[noreturn]] void ThrowFileError(const std::filesystem::path& target, const std::filesystem::path& folder,
                                 int errorNumber, const std::string& what);

// Throws for a LibreOffice that failed to write the .xls file into the folders `wroteIn` (its
// private work folder's parent, the target's folder): when the disk of one is full, the failure
// is that (NoSpace naming the folder), else `kind` naming the program.
[[noreturn]] void ThrowOfficeError(const std::filesystem::path& target, system::SaveFailureKind kind,
                                   const std::string& program, const std::string& what,
                                   const std::vector<std::filesystem::path>& wroteIn);

}  // namespace tuvo::xls
