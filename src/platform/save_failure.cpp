// Failure kinds of the output folder and the save, and the file-system test seam.
#include "platform/save_failure.h"

#include <cerrno>
#include <utility>

#include <sys/statvfs.h>
#include <unistd.h>

namespace tuvo::system {

namespace {

// Less room than this on a disk is taken for a full disk: one saved workbook needs more.
constexpr unsigned long long FullBelowBytes = 1024 * 1024;

// The fault set by tests; empty means none.
std::function<int(const std::filesystem::path&, FileCall)>& Fault() {
  static std::function<int(const std::filesystem::path&, FileCall)> fault;
  return fault;
}

}  // namespace

// A cross-cast: the errors that carry facts derive from SaveFailure beside their exception type.
const SaveFailure* SaveFailureOf(const std::exception& error) { return dynamic_cast<const SaveFailure*>(&error); }

// Only the numbers whose cause the user can see to.
std::optional<SaveFailureKind> KindOfErrorNumber(int errorNumber) {
  switch (errorNumber) {
    case ENOSPC:
    case EDQUOT:
      return SaveFailureKind::NoSpace;
    case EACCES:
    case EPERM:
    case EROFS:
      return SaveFailureKind::NotWritable;
    case EEXIST:
    case ENOTDIR:
    case EISDIR:
      return SaveFailureKind::InTheWay;
    default:
      return std::nullopt;
  }
}

// The superuser may use the blocks the file system keeps back, others may not.
bool DiskFull(const std::filesystem::path& folder) {
  struct statvfs disk {};
  if (statvfs(folder.c_str(), &disk) != 0 || disk.f_blocks == 0) return false;  // none, or no real disk
  const unsigned long long blocks = geteuid() == 0 ? disk.f_bfree : disk.f_bavail;
  const bool noRoom = blocks * static_cast<unsigned long long>(disk.f_frsize) < FullBelowBytes;
  const bool noEntry = disk.f_files != 0 && disk.f_favail == 0;
  return noRoom || noEntry;
}

// Test seam.
void SetFileFault(std::function<int(const std::filesystem::path&, FileCall)> fault) { Fault() = std::move(fault); }

// Asks the seam, if any.
bool FileFaultInjected(const std::filesystem::path& folder, FileCall call) {
  if (!Fault()) return false;
  const int error = Fault()(folder, call);
  if (error == 0) return false;
  errno = error;
  return true;
}

}  // namespace tuvo::system
