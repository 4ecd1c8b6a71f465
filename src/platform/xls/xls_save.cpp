#include "platform/xls/xls_save.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <sstream>
#include <string_view>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/office/office_service.h"
#include "platform/office/one_shot_conversion.h"
#include "platform/process/process.h"
#include "platform/save_failure.h"
#include "platform/xls/save_error.h"
#include "platform/xls/xls_series_names.h"

namespace tuvo::xls {

using sheet::SheetError;
using sheet::Workbook;
using sheet::FileStamp;
using sheet::SavedFile;
using office::OfficeService;
using office::OfficeSettings;
using office::OneShotOutcome;
using office::RunOneShotConversion;

namespace {

namespace fs = std::filesystem;
using system::FileCall;
using system::FileFaultInjected;
using system::SaveFailureKind;

// The one-shot's files and sockets are ours alone.
constexpr mode_t OneShotMask = 077;
// How much of the converter's output a failure message quotes.
constexpr std::size_t QuotedOutput = 400;

[[noreturn]] void Fail(const fs::path& target, const std::string& what) {
  throw SheetError("saving \"" + target.string() + "\": " + what);
}

// What a save names its temporary file in the target's folder and its work folder in the
// temporary folder: the prefix and mkstemp's six letters or digits.
constexpr std::string_view TemporaryPrefix = ".~tuvo-save-";
constexpr std::string_view WorkPrefix = "tuvo-save-";
// How often a save makes its temporary file or work folder anew when a sweep removed it first.
constexpr int MakeTries = 100;

// Whether the open file is still what lies at the path (not followed if a link).
bool SameFile(int fd, const fs::path& path) {
  struct stat open {};
  struct stat named {};
  return fstat(fd, &open) == 0 && lstat(path.c_str(), &named) == 0 && open.st_dev == named.st_dev &&
         open.st_ino == named.st_ino;
}

// Takes the lock a save holds on its temporary file and its work folder until it ends, and tells
// whether what it just made at `path` (open as `fd`) is still there: a sweep may have taken the
// lock first and removed it, and another save may have made a new one of that name since. A file
// system that refuses the lock gives none, but then a sweep cannot take one there either.
bool LockAsOwn(int fd, const fs::path& path) {
  while (flock(fd, LOCK_EX) != 0 && errno == EINTR) {
  }
  return SameFile(fd, path);
}

// Whether the name is one a save gives, with that prefix; nothing named otherwise is ever removed.
bool LeftoverName(std::string_view name, std::string_view prefix) {
  return name.size() == prefix.size() + 6 && name.starts_with(prefix) &&
         std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(), [](char c) {
           return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
         });
}

// Whether the entry is of the kind a save leaves there (a file or a folder) and this user's.
bool OwnLeftover(const struct stat& status, bool folder) {
  return (folder ? S_ISDIR(status.st_mode) : S_ISREG(status.st_mode)) && status.st_uid == getuid();
}

// Removes the entry unless a running save holds it; removed under the lock, so that a save that
// made it and has not locked it yet finds it gone once it has.
void RemoveUnlessHeld(const fs::path& path, bool folder) {
  struct stat named {};
  if (lstat(path.c_str(), &named) != 0 || !OwnLeftover(named, folder)) return;
  const int fd =
      open(path.c_str(), (folder ? O_RDONLY | O_DIRECTORY : O_RDONLY | O_NONBLOCK | O_NOCTTY) | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return;
  struct stat held {};
  if (flock(fd, LOCK_EX | LOCK_NB) == 0 && fstat(fd, &held) == 0 && OwnLeftover(held, folder) && SameFile(fd, path)) {
    if (folder) {
      std::error_code ignored;
      fs::remove_all(path, ignored);
    } else {
      unlink(path.c_str());
    }
  }
  close(fd);
}

// Removes from `folder` what saves that never ended (a killed program) left there: files, or
// folders when `folders`, named `prefix` and six letters or digits, of this user, that no running
// save holds locked. Tidying only: whatever fails leaves the entry be and never fails the save.
void RemoveLeftovers(const fs::path& folder, std::string_view prefix, bool folders) noexcept {
  try {
    std::vector<fs::path> found;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
      if (LeftoverName(it->path().filename().native(), prefix)) found.push_back(it->path());
    }
    for (const fs::path& path : found) RemoveUnlessHeld(path, folders);
  } catch (const std::exception&) {
  }
}

// A private folder under the system's temporary folder, locked while the object lives and
// removed with it; the folders of saves that never ended are removed first.
class WorkFolder {
 public:
  explicit WorkFolder(const fs::path& target) : base_(fs::temp_directory_path()) {
    RemoveLeftovers(base_, WorkPrefix, true);
    for (int tries = 1;; ++tries) {
      std::string pattern = (base_ / (std::string(WorkPrefix) + "XXXXXX")).string();
      if (FileFaultInjected(base_, FileCall::MakeFolder) || mkdtemp(pattern.data()) == nullptr) {
        ThrowFileError(target, base_, errno, "cannot make a working folder in \"" + base_.string() + "\"");
      }
      // Gone (ENOENT) means a sweep removed it; one that cannot be opened is left to a later sweep.
      fd_ = open(pattern.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
      if (const int error = fd_ < 0 ? errno : 0; error != 0 && error != ENOENT) {
        ThrowFileError(target, base_, error, "cannot open the working folder \"" + pattern + "\"");
      }
      if (fd_ >= 0 && LockAsOwn(fd_, pattern)) {
        path_ = pattern;
        return;
      }
      if (fd_ >= 0) close(fd_);
      fd_ = -1;
      if (tries == MakeTries) {
        ThrowFileError(target, base_, EAGAIN,
                       "cannot keep a working folder in \"" + base_.string() + "\": each was removed as it was made");
      }
    }
  }
  ~WorkFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
    close(fd_);  // only now: a sweep must not take it while it is being removed
  }
  WorkFolder(const WorkFolder&) = delete;
  WorkFolder& operator=(const WorkFolder&) = delete;
  const fs::path& Path() const { return path_; }
  // The temporary folder it lies in, the one a user knows.
  const fs::path& Base() const { return base_; }

 private:
  fs::path base_;
  fs::path path_;
  int fd_ = -1;
};

// Runs a step that writes into the work folder (`written` is its file); a failure of it on a
// full disk becomes NoSpace naming the temporary folder, any other failure passes unchanged.
template <typename Step>
void WriteInWork(const WorkFolder& work, const fs::path& target, const fs::path& written, Step step) {
  try {
    errno = 0;  // so that a number left from before is not taken for the step's
    if (FileFaultInjected(work.Base(), FileCall::Write)) {
      throw SheetError("writing \"" + written.string() + "\": " + std::strerror(errno));
    }
    step();
  } catch (const SheetError& error) {
    const int number = errno;
    if (system::SaveFailureOf(error) != nullptr) throw;
    const bool noSpace = number == ENOSPC || number == EDQUOT;
    if (!noSpace && !system::DiskFull(work.Path())) throw;
    const std::string what = error.what();
    if (what.starts_with("saving \"")) throw SaveError(what, SaveFailureKind::NoSpace, work.Base(), noSpace ? number : ENOSPC);
    ThrowSaveError(target, SaveFailureKind::NoSpace, work.Base(), noSpace ? number : ENOSPC, what);
  }
}

// The whole file, or nothing when it cannot be read.
std::string ReadWhole(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// Which file lies at the path now and when it last changed; none when there is none.
std::optional<FileStamp> StampOf(const fs::path& file) {
  struct stat status {};
  if (stat(file.c_str(), &status) != 0) return std::nullopt;
  return FileStamp{static_cast<std::uintmax_t>(status.st_dev), static_cast<std::uintmax_t>(status.st_ino),
                   static_cast<std::uintmax_t>(status.st_size),
                   static_cast<std::int64_t>(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec};
}

// The last part of the converter's output, for the failure message.
std::string OutputTail(const fs::path& log) {
  std::string output = ReadWhole(log);
  while (!output.empty() && (output.back() == '\n' || output.back() == ' ')) output.pop_back();
  if (output.size() > QuotedOutput) output = "..." + output.substr(output.size() - QuotedOutput);
  return output.empty() ? std::string() : " (it said: " + output + ")";
}

// The .xlsx converted to .xls by LibreOffice with its own profile in the work folder (under the
// temporary folder `temporary`); returns the .xls written.
fs::path Convert(const fs::path& xlsx, const fs::path& work, const OfficeSettings& office, const fs::path& target,
                 const fs::path& temporary) {
  const fs::path out = work / "out";
  // The office's own temporary files go with the work folder, also when it is ended at its deadline.
  const fs::path officeTemporary = work / "tmp";
  for (const fs::path& folder : {out, officeTemporary}) {
    std::error_code made;
    if (!fs::create_directory(folder, made) && made) {
      ThrowFileError(target, temporary, made.value(), "cannot make the folder \"" + folder.string() + "\"");
    }
  }
  const fs::path log = work / "converter.log";
  const OneShotOutcome converted =
      RunOneShotConversion(office.program, work / "profile", "xls:MS Excel 97", out, xlsx, log,
                                   office.timeout, {"TMPDIR=" + officeTemporary.string()}, OneShotMask);
  if (!converted.started) {
    const std::string what =
        "the converter \"" + office.program + "\" (LibreOffice) could not be started: " + converted.startError;
    if (!process::FindProgram(office.program)) {
      ThrowSaveError(target, SaveFailureKind::OfficeMissing, office.program, 0, what);
    }
    ThrowOfficeError(target, SaveFailureKind::OfficeFailing, office.program, what, {temporary});
  }
  const std::optional<int>& status = converted.status;
  if (!status) {
    ThrowSaveError(target, SaveFailureKind::OfficeNotAnswering, office.program, 0,
                   "the converter \"" + office.program + "\" did not finish within " +
                       std::to_string(office.timeout.count() / 1000.0).substr(0, 4) + " s and was stopped");
  }
  if (*status != 0) {
    ThrowOfficeError(target, SaveFailureKind::OfficeFailing, office.program,
                     "the converter \"" + office.program + "\" failed with exit status " + std::to_string(*status) +
                         OutputTail(log),
                     {temporary});
  }
  const fs::path xls = out / (xlsx.stem().string() + ".xls");
  std::error_code error;
  if (!fs::is_regular_file(xls, error) || fs::file_size(xls, error) == 0) {
    ThrowOfficeError(target, SaveFailureKind::OfficeFailing, office.program,
                     "the converter \"" + office.program + "\" wrote no .xls file" + OutputTail(log), {temporary});
  }
  return xls;
}

// The process's file mode creation mask, read from /proc: umask() reads it only by setting it, and
// a process that another thread starts meanwhile would inherit the mask set. 022 when unreadable.
mode_t FileModeMask() {
  constexpr mode_t Usual = 022;
  const int fd = open("/proc/self/status", O_RDONLY | O_CLOEXEC);
  if (fd < 0) return Usual;
  std::string status;
  char buffer[4096];
  for (ssize_t got; (got = read(fd, buffer, sizeof buffer)) != 0;) {
    if (got < 0) {
      if (errno == EINTR) continue;
      break;
    }
    status.append(buffer, static_cast<std::size_t>(got));
  }
  close(fd);
  const std::size_t line = status.find("\nUmask:");
  if (line == std::string::npos) return Usual;
  const char* digits = status.c_str() + line + 7;
  char* end = nullptr;
  const unsigned long mask = std::strtoul(digits, &end, 8);
  if (end == digits || (*end != '\n' && *end != '\0') || mask > 0777) return Usual;
  return static_cast<mode_t>(mask);
}

// The new file's temporary name in the target's folder, made before the conversion so that a
// folder that takes no file fails at once; locked while the object lives, removed with it unless it
// was renamed over the target. The files of saves there that never ended are removed first.
class TemporaryTarget {
 public:
  explicit TemporaryTarget(const fs::path& target) : target_(target), folder_(target.parent_path()) {
    RemoveLeftovers(folder_, TemporaryPrefix, false);
    for (int tries = 1;; ++tries) {
      std::string pattern = (folder_ / (std::string(TemporaryPrefix) + "XXXXXX")).string();
      fd_ = FileFaultInjected(folder_, FileCall::MakeFile) ? -1 : mkostemp(pattern.data(), O_CLOEXEC);
      if (fd_ < 0) {
        const int error = errno;
        const bool refused = system::KindOfErrorNumber(error) == SaveFailureKind::NotWritable;
        FailWith((refused ? "the folder \"" : "cannot make a new file in the folder \"") + folder_.string() +
                     (refused ? "\" is not writable" : "\""),
                 error);
      }
      if (LockAsOwn(fd_, pattern)) {
        path_ = pattern;
        break;
      }
      close(fd_);
      fd_ = -1;
      if (tries == MakeTries) {
        FailWith("cannot keep a new file in the folder \"" + folder_.string() + "\": each was removed as it was made",
                 EAGAIN);
      }
    }
    // The lock is the open file's, so this copy holds it on after Place closes the written one.
    held_ = fcntl(fd_, F_DUPFD_CLOEXEC, 0);
    if (held_ < 0) {
      const int error = errno;
      unlink(path_.c_str());
      close(fd_);
      fd_ = -1;
      FailWith("cannot make a new file in the folder \"" + folder_.string() + "\"", error);
    }
  }
  ~TemporaryTarget() {
    if (fd_ >= 0) close(fd_);
    if (!placed_) unlink(path_.c_str());
    close(held_);  // only now: a sweep must not take it before it is renamed or removed
  }
  TemporaryTarget(const TemporaryTarget&) = delete;
  TemporaryTarget& operator=(const TemporaryTarget&) = delete;

  // Copies the converted file into the temporary file and renames it over the target, so that
  // the target is either the old file or the whole new one.
  void Place(const fs::path& xls) {
    std::ifstream in(xls, std::ios::binary);
    std::vector<char> buffer(1 << 16);
    while (in) {
      in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
      const std::streamsize got = in.gcount();
      for (std::streamsize done = 0; done < got;) {
        const ssize_t wrote = FileFaultInjected(folder_, FileCall::Write)
                                  ? -1
                                  : write(fd_, buffer.data() + done, static_cast<std::size_t>(got - done));
        if (wrote < 0) {
          if (errno == EINTR) continue;
          FailWith("cannot write \"" + path_.string() + "\"", errno);
        }
        done += wrote;
      }
    }
    if (in.bad()) FailWith("cannot read the converted file \"" + xls.string() + "\"", EIO);
    // The new file gets the permissions an ordinary new file gets.
    if (fchmod(fd_, 0666 & ~FileModeMask()) != 0) FailWith("cannot set the permissions of \"" + path_.string() + "\"", errno);
    if (FileFaultInjected(folder_, FileCall::Sync) || fsync(fd_) != 0) {
      FailWith("cannot write \"" + path_.string() + "\" to disk", errno);
    }
    const int closed = close(fd_);
    const int closeError = errno;
    fd_ = -1;
    if (FileFaultInjected(folder_, FileCall::Close)) FailWith("cannot write \"" + path_.string() + "\"", errno);
    if (closed != 0) FailWith("cannot write \"" + path_.string() + "\"", closeError);
    if (std::rename(path_.c_str(), target_.c_str()) != 0) {
      const int error = errno;
      // A folder that took the target's name meanwhile is in the way of the file itself.
      if (error == EISDIR || error == ENOTEMPTY || error == EEXIST) {
        ThrowSaveError(target_, SaveFailureKind::InTheWay, target_, error,
                       std::string("cannot put the file in place: ") + std::strerror(error));
      }
      FailWith("cannot put the file in place", error);
    }
    placed_ = true;
  }

 private:
  // A failed call in the target's folder: typed by its error number where that tells a kind.
  [[noreturn]] void FailWith(const std::string& what, int error) const {
    ThrowFileError(target_, folder_, error, what);
  }

  fs::path target_;
  fs::path folder_;
  fs::path path_;
  int fd_ = -1;
  int held_ = -1;
  bool placed_ = false;
};

}  // namespace

void SaveXls(const Workbook& workbook, const fs::path& target, const OfficeSettings& office, SavedFile& last) {
  const fs::path folder = target.parent_path();
  std::error_code error;
  if (target.filename().empty()) Fail(target, "the path names no file");
  if (!fs::exists(folder, error)) Fail(target, "the folder \"" + folder.string() + "\" does not exist");
  if (!fs::is_directory(folder, error)) {
    ThrowSaveError(target, SaveFailureKind::InTheWay, folder, ENOTDIR, "\"" + folder.string() + "\" is not a folder");
  }
  if (fs::is_directory(target, error)) {
    ThrowSaveError(target, SaveFailureKind::InTheWay, target, EISDIR, "a folder of that name is in the way");
  }
  if (access(folder.c_str(), W_OK | X_OK) != 0) {
    ThrowFileError(target, folder, errno, "the folder \"" + folder.string() + "\" is not writable");
  }

  TemporaryTarget temporary(target);
  const WorkFolder work(target);
  const fs::path xlsx = work.Path() / "book.xlsx";
  WriteInWork(work, target, xlsx, [&] { WriteXlsx(workbook, xlsx); });
  std::string bytes = ReadWhole(xlsx);
  if (last.valid && last.target == target && last.xlsx == bytes && StampOf(target) == last.placed) return;
  last = SavedFile{};  // a save that fails is never skipped after

  fs::path xls;
  const auto oneShot = [&] { xls = Convert(xlsx, work.Path(), office, target, work.Base()); };
  if (OfficeService* service = office.ServiceOfProgram()) {
    xls = work.Path() / "book.xls";
    service->Convert(xlsx, xls, oneShot);
  } else {
    oneShot();
  }
  WriteInWork(work, target, xls, [&] { MendXlsCharts(xls, workbook, target); });
  temporary.Place(xls);
  if (const std::optional<FileStamp> placed = StampOf(target)) {
    last = SavedFile{true, target, std::move(bytes), *placed};
  }
}

}  // namespace tuvo::xls
