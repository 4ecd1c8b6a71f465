// The application's saver for .xls files: each save goes through SaveXls with the office settings
// as they are at the time of the save.
#pragma once

#include <filesystem>
#include <memory>

#include "platform/office/office_settings.h"
#include "platform/sheet/workbook_saver.h"

namespace tuvo::xls {

class XlsSaver : public sheet::WorkbookSaver {
 public:
  // Saves with `office` as it stands at each save.
  explicit XlsSaver(std::shared_ptr<const office::OfficeSettings> office);

  // SaveXls with the settings' LibreOffice.
  void Save(const sheet::Workbook& workbook, const std::filesystem::path& target, sheet::SavedFile& last) override;

 private:
  std::shared_ptr<const office::OfficeSettings> office_;
};

}  // namespace tuvo::xls
