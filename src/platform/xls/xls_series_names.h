// Mending what the charts lose on their way to the .xls file. LibreOffice's .xls export writes a
// series name only when it refers to a cell, so a literal name is lost and the legend shows a
// made-up one; and it gives a marker the colour of its series line, whatever colours the marker
// was given. Both are written into the converted file's chart records; the cells stay as they
// are. Before the conversion, a chart font named in the .xlsx is given to every script, since
// LibreOffice shows Thai text in the font of the complex scripts, which the .xlsx writer leaves
// unnamed.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/sheet/chart.h"
#include "platform/sheet/workbook.h"

namespace tuvo::xls {

// Whether a series goes into the saved file: not when its cells went with their sheet.
bool IsSavedSeries(const sheet::Series& series);

// What the mend writes into one saved series; unset parts stay as the conversion wrote them.
struct SeriesMend {
  std::optional<std::string> name;          // a literal name (UTF-8)
  std::optional<std::uint32_t> markerFill;  // 0xRRGGBB
  std::optional<std::uint32_t> markerLine;  // 0xRRGGBB
  bool operator==(const SeriesMend&) const = default;
};

// The mends of every chart sheet of the workbook, in sheet order, one per saved series.
std::vector<std::vector<SeriesMend>> ChartMends(const sheet::Workbook& workbook);

// The workbook stream (BIFF8 records) with the mends written into its charts, taken in the order
// they stand in the stream; stream positions that other records hold are moved with the records.
// A stream whose charts or series do not match the mends throws SheetError.
std::vector<unsigned char> MendWorkbookStream(const std::vector<unsigned char>& stream,
                                              const std::vector<std::vector<SeriesMend>>& charts);

// The workbook stream of an .xls file. A file that cannot be read throws SheetError.
std::vector<unsigned char> ReadWorkbookStream(const std::filesystem::path& xls);

// Mends the charts of the .xls file at `xls` (in place) as the workbook has them; nothing is
// done when there is nothing to mend. A failure throws SheetError naming `target`, the file the
// save is for.
void MendXlsCharts(const std::filesystem::path& xls, const sheet::Workbook& workbook,
                   const std::filesystem::path& target);

// A chart part's XML with the typeface of each Latin font given to the East Asian and complex
// scripts as well, where they have none of their own.
std::string WithFontsForEveryScript(const std::string& xml);

// Rewrites the .xlsx file at `xlsx` with its chart fonts given to every script. A failure throws
// SheetError.
void GiveChartFontsToEveryScript(const std::filesystem::path& xlsx);

}  // namespace tuvo::xls
