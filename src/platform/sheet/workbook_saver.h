// How a workbook reaches its file: the application hands every save to its saver, which knows the
// file format and whatever program writes it; the model knows neither.
#pragma once

#include <filesystem>

#include "platform/sheet/saved_file.h"

namespace tuvo::sheet {

class Workbook;

class WorkbookSaver {
 public:
  virtual ~WorkbookSaver() = default;

  // Saves the workbook in the normal workbook format at `target` (an absolute path), replacing a
  // file of that name. A failure throws SheetError and leaves `target` as it was. `last` is what
  // the workbook's last save placed; every save updates it.
  virtual void Save(const Workbook& workbook, const std::filesystem::path& target, SavedFile& last) = 0;
};

}  // namespace tuvo::sheet
