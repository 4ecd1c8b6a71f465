#include "platform/sheet/xls_save.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/sheet/process.h"
#include "platform/sheet/xls_series_names.h"

namespace tuvo::sheet {

namespace {

namespace fs = std::filesystem;

// How long LibreOffice may take to end after a time-out's request.
constexpr std::chrono::milliseconds EndGrace{2000};
// How much of the converter's output a failure message quotes.
constexpr std::size_t QuotedOutput = 400;

[[noreturn]] void Fail(const fs::path& target, const std::string& what) {
  throw SheetError("saving \"" + target.string() + "\": " + what);
}

// A private folder under the system's temporary folder, removed with the object.
class WorkFolder {
 public:
  explicit WorkFolder(const std::string& prefix) {
    std::string pattern = (fs::temp_directory_path() / (prefix + "XXXXXX")).string();
    if (mkdtemp(pattern.data()) == nullptr) {
      throw SheetError("cannot make a working folder in \"" + fs::temp_directory_path().string() +
                       "\": " + std::strerror(errno));
    }
    path_ = pattern;
  }
  ~WorkFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  WorkFolder(const WorkFolder&) = delete;
  WorkFolder& operator=(const WorkFolder&) = delete;
  const fs::path& Path() const { return path_; }

 private:
  fs::path path_;
};

// The last part of the converter's output, for the failure message.
std::string OutputTail(const fs::path& log) {
  std::ifstream in(log, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  std::string output = text.str();
  while (!output.empty() && (output.back() == '\n' || output.back() == ' ')) output.pop_back();
  if (output.size() > QuotedOutput) output = "..." + output.substr(output.size() - QuotedOutput);
  return output.empty() ? std::string() : " (it said: " + output + ")";
}

// The .xlsx converted to .xls by LibreOffice with its own profile; returns the .xls written.
fs::path Convert(const fs::path& xlsx, const fs::path& work, const OfficeSettings& office, const fs::path& target) {
  const fs::path out = work / "out";
  fs::create_directory(out);
  const fs::path log = work / "converter.log";
  const Started started = StartProcess(
      office.program,
      {"-env:UserInstallation=" + FileUrl(work / "profile"), "--headless", "--invisible", "--nologo", "--norestore",
       "--nolockcheck", "--convert-to", "xls:MS Excel 97", "--outdir", out.string(), xlsx.string()},
      log);
  if (started.pid < 0) {
    Fail(target, "the converter \"" + office.program + "\" (LibreOffice) could not be started: " + started.error);
  }
  const std::optional<int> status = WaitProcess(started.pid, office.timeout);
  EndProcess(started.pid, EndGrace);
  if (!status) {
    Fail(target, "the converter \"" + office.program + "\" did not finish within " +
                     std::to_string(office.timeout.count() / 1000.0).substr(0, 4) + " s and was stopped");
  }
  if (*status != 0) {
    Fail(target, "the converter \"" + office.program + "\" failed with exit status " + std::to_string(*status) +
                     OutputTail(log));
  }
  const fs::path xls = out / (xlsx.stem().string() + ".xls");
  std::error_code error;
  if (!fs::is_regular_file(xls, error) || fs::file_size(xls, error) == 0) {
    Fail(target, "the converter \"" + office.program + "\" wrote no .xls file" + OutputTail(log));
  }
  return xls;
}

// The new file's temporary name in the target's folder, made before the conversion so that a
// folder that takes no file fails at once; removed unless it was renamed over the target.
class TemporaryTarget {
 public:
  explicit TemporaryTarget(const fs::path& target) : target_(target) {
    const fs::path folder = target.parent_path();
    std::string pattern = (folder / ".~tuvo-save-XXXXXX").string();
    fd_ = mkstemp(pattern.data());
    if (fd_ < 0) Fail(target, "the folder \"" + folder.string() + "\" is not writable: " + std::strerror(errno));
    path_ = pattern;
  }
  ~TemporaryTarget() {
    if (fd_ >= 0) close(fd_);
    if (!placed_) unlink(path_.c_str());
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
        const ssize_t wrote = write(fd_, buffer.data() + done, static_cast<std::size_t>(got - done));
        if (wrote < 0) {
          if (errno == EINTR) continue;
          FailWith("cannot write \"" + path_.string() + "\"", errno);
        }
        done += wrote;
      }
    }
    if (in.bad()) FailWith("cannot read the converted file \"" + xls.string() + "\"", EIO);
    // The new file gets the permissions an ordinary new file gets.
    const mode_t mask = umask(0);
    umask(mask);
    if (fchmod(fd_, 0666 & ~mask) != 0) FailWith("cannot set the permissions of \"" + path_.string() + "\"", errno);
    if (fsync(fd_) != 0) FailWith("cannot write \"" + path_.string() + "\" to disk", errno);
    const int closed = close(fd_);
    fd_ = -1;
    if (closed != 0) FailWith("cannot write \"" + path_.string() + "\"", errno);
    if (std::rename(path_.c_str(), target_.c_str()) != 0) FailWith("cannot put the file in place", errno);
    placed_ = true;
  }

 private:
  [[noreturn]] void FailWith(const std::string& what, int error) const {
    Fail(target_, what + ": " + std::strerror(error));
  }

  fs::path target_;
  fs::path path_;
  int fd_ = -1;
  bool placed_ = false;
};

}  // namespace

void SaveXls(const Workbook& workbook, const fs::path& target, const OfficeSettings& office) {
  const fs::path folder = target.parent_path();
  std::error_code error;
  if (target.filename().empty()) Fail(target, "the path names no file");
  if (!fs::exists(folder, error)) Fail(target, "the folder \"" + folder.string() + "\" does not exist");
  if (!fs::is_directory(folder, error)) Fail(target, "\"" + folder.string() + "\" is not a folder");
  if (fs::is_directory(target, error)) Fail(target, "a folder of that name is in the way");
  if (access(folder.c_str(), W_OK | X_OK) != 0) {
    Fail(target, "the folder \"" + folder.string() + "\" is not writable: " + std::strerror(errno));
  }

  TemporaryTarget temporary(target);
  const WorkFolder work("tuvo-save-");
  const fs::path xlsx = work.Path() / "book.xlsx";
  WriteXlsx(workbook, xlsx);
  const fs::path xls = Convert(xlsx, work.Path(), office, target);
  MendXlsCharts(xls, workbook, target);
  temporary.Place(xls);
}

}  // namespace tuvo::sheet
