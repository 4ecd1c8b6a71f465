// Saving a workbook as an .xls file: the model is written as .xlsx by libxlsxwriter and converted
// by LibreOffice. This is the one save path of the workbook.
//
// Two things the conversion does not keep: a series name given as a literal text is dropped (a
// name given by cell reference stays), and a chart sheet becomes a worksheet holding the chart.
// Mending either belongs here, after Convert and before the file is put in place.
#pragma once

#include <filesystem>
#include <string>

#include "platform/office/office_settings.h"
#include "platform/sheet/saved_file.h"
#include "platform/sheet/workbook.h"

namespace tuvo::xls {

// Writes the workbook as an .xlsx file at `path`. Failures throw SheetError.
void WriteXlsx(const sheet::Workbook& workbook, const std::filesystem::path& path);

// Saves the workbook as .xls at `target` (an absolute path): written and converted in a private
// folder, placed as a temporary file in the target's folder, then renamed over `target`. A failure
// throws SheetError naming what failed and the path, and leaves `target` as it was; a failure the
// user can act on (a full disk, a refusing folder, something in the way, LibreOffice missing,
// not answering or failing) is a SaveError of that kind. The conversion
// goes through the office service where the settings name its program, else through a one-shot
// LibreOffice. `last` is what the workbook's last save placed: when the same .xlsx would go to the
// same target, still as placed, nothing is converted; it is updated by every save.
void SaveXls(const sheet::Workbook& workbook, const std::filesystem::path& target,
             const office::OfficeSettings& office, sheet::SavedFile& last);

}  // namespace tuvo::xls
