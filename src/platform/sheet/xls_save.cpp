#include "platform/sheet/xls_save.h"

namespace tuvo::sheet {

void WriteXlsx(const Workbook&, const std::filesystem::path& path) {
  throw SheetError("writing \"" + path.string() + "\": not available yet");
}

void SaveXls(const Workbook&, const std::filesystem::path& target, const ConverterSettings&) {
  throw SheetError("saving \"" + target.string() + "\": not available yet");
}

}  // namespace tuvo::sheet
