// What a save placed: the target, the .xlsx it was converted from and the placed file as the
// system saw it right after, so that saving the same workbook unchanged converts nothing while
// anything changed (the workbook, the target, the file on disk) is saved anew.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace tuvo::sheet {

// The identity of a file on disk: which file it is and when it last changed.
struct FileStamp {
  std::uintmax_t device = 0;
  std::uintmax_t inode = 0;
  std::uintmax_t size = 0;
  std::int64_t modifiedNs = 0;
  bool operator==(const FileStamp&) const = default;
};

struct SavedFile {
  bool valid = false;
  std::filesystem::path target;
  std::string xlsx;  // the converted .xlsx, byte for byte
  FileStamp placed;
};

}  // namespace tuvo::sheet
