#include "platform/xls/xls_saver.h"

#include "platform/xls/xls_save.h"

namespace tuvo::xls {

using sheet::Workbook;
using sheet::SavedFile;
using office::OfficeSettings;

XlsSaver::XlsSaver(std::shared_ptr<const OfficeSettings> office) : office_(std::move(office)) {}

void XlsSaver::Save(const Workbook& workbook, const std::filesystem::path& target, SavedFile& last) {
  SaveXls(workbook, target, *office_, last);
}

}  // namespace tuvo::xls
