// What kept the program from writing its result: the kinds of failure a user can act on, the
// facts an error carries beside its technical text, and a test seam that makes file-system calls
// fail as a full or refusing disk would.
#pragma once

#include <exception>
#include <filesystem>
#include <functional>
#include <optional>
#include <utility>

namespace tuvo::system {

// The kinds of failure of making the output folder and saving into it.
enum class SaveFailureKind {
  FolderNotMade,       // the output folder could not be made
  InTheWay,            // a file stands where a folder goes, or a folder where the file goes
  NotWritable,         // the folder refuses new files
  NoSpace,             // the disk (or the user's quota) holding the folder is full
  OfficeMissing,       // the LibreOffice program that writes the .xls file is not there
  OfficeNotAnswering,  // LibreOffice did not finish in time
  OfficeFailing,       // LibreOffice ended with an error or wrote no file
};

// The facts a failed folder or save carries beside its technical text (the error's what()).
class SaveFailure {
 public:
  SaveFailure(SaveFailureKind kind, std::filesystem::path path, int errorNumber)
      : kind_(kind), path_(std::move(path)), errorNumber_(errorNumber) {}
  virtual ~SaveFailure() = default;

  SaveFailureKind Kind() const { return kind_; }
  // What the kind concerns: the full or refusing folder, the item in the way, the folder that
  // could not be made, or the LibreOffice program.
  const std::filesystem::path& Path() const { return path_; }
  // The system's error number (errno), 0 when the failure has none.
  int ErrorNumber() const { return errorNumber_; }

 private:
  SaveFailureKind kind_;
  std::filesystem::path path_;
  int errorNumber_;
};

// The facts of an error, or null for an error without them (a step's logic error, say).
const SaveFailure* SaveFailureOf(const std::exception& error);

// The kind a failed file-system call's error number tells: no space, refused, something in the
// way; none for a number the user cannot act on (an input/output error, say).
std::optional<SaveFailureKind> KindOfErrorNumber(int errorNumber);

// Whether the disk holding the folder has (almost) no room or no free file entry left for this
// user: a failure there is then taken for a full disk.
bool DiskFull(const std::filesystem::path& folder);

// The file-system calls the test seam can make fail.
enum class FileCall { MakeFolder, MakeFile, Write, Sync, Close };

// Test seam: `fault` is asked before each of those calls with the folder written in (the output
// folder, its parent when the output folder is made, or the temporary folder for a save's private
// work) and gives the error number the call fails with, or 0 to let it run. Empty removes it.
void SetFileFault(std::function<int(const std::filesystem::path& folder, FileCall call)> fault);

// Whether the test seam fails this call; when it does, errno holds its error number.
bool FileFaultInjected(const std::filesystem::path& folder, FileCall call);

}  // namespace tuvo::system
