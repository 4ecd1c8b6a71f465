// The saved workbook as LibreOffice lays it out: a season of one group and one of twenty groups is
// played with the scenario driver (saved through the one-shot conversion and through a warm
// converter), then opened in a LibreOffice of the test's own over UNO. Every used row of both
// worksheets, and the first empty row below, is as tall as LibreOffice's own fit of its text
// (never more than 1.2 pt shorter, never more than 1.35 times taller); no date shrinks to its
// column; the date columns are as wide as LibreOffice's fit of them; the fonts stay as the run set
// them.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/bridge/UnoUrlResolver.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/sheet/XCellRangeAddressable.hpp>
#include <com/sun/star/sheet/XSheetCellCursor.hpp>
#include <com/sun/star/sheet/XSpreadsheet.hpp>
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>
#include <com/sun/star/sheet/XUsedAreaCursor.hpp>
#include <com/sun/star/table/XCell.hpp>
#include <com/sun/star/table/XColumnRowRange.hpp>
#include <com/sun/star/table/XTableColumns.hpp>
#include <com/sun/star/table/XTableRows.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <cppuhelper/bootstrap.hxx>
#include <stdlib.h>
#include <unistd.h>

#include "platform/office/office_command.h"
#include "platform/office/office_instance.h"
#include "platform/process/process.h"
#include "support/processes.h"
#include "support/retried.h"
#include "support/temp_folder.h"

namespace tuvo {
namespace {

namespace css = com::sun::star;
namespace fs = std::filesystem;
using css::uno::Reference;
using css::uno::UNO_QUERY_THROW;

const std::string kSummarySheet = "สรุป";
const std::string kCalcSheet = "ตารางแสดงรายการคำนวณ";

// A point in LibreOffice's unit of length, 1/100 mm.
constexpr double Point = 2540.0 / 72.0;

rtl::OUString Utf16(const std::string& text) {
  return rtl::OUString(text.data(), static_cast<sal_Int32>(text.size()), RTL_TEXTENCODING_UTF8);
}

// A saved workbook opened in LibreOffice, asked for what it stores and what it would fit.
class OpenedWorkbook {
 public:
  // A new connection can fail now and then on a live office, so the open is tried a few times.
  OpenedWorkbook(const std::string& pipe, const fs::path& file) {
    office::uno::StartRuntime();
    // Made once and never torn down, like the program's own.
    static const auto* local =
        new Reference<css::uno::XComponentContext>(cppu::defaultBootstrap_InitialComponentContext());
    css::beans::PropertyValue hidden;
    hidden.Name = "Hidden";
    hidden.Value <<= true;
    document_ = test::Retried<css::uno::Exception>([&] {
      Reference<css::uno::XComponentContext> remote(
          css::bridge::UnoUrlResolver::create(*local)->resolve(
              Utf16("uno:pipe,name=" + pipe + ";urp;StarOffice.ComponentContext")),
          UNO_QUERY_THROW);
      return css::frame::Desktop::create(remote)->loadComponentFromURL(
          Utf16(office::FileUrl(file)), "_blank", 0, css::uno::Sequence<css::beans::PropertyValue>(&hidden, 1));
    });
  }
  ~OpenedWorkbook() {
    try {
      Reference<css::util::XCloseable>(document_, UNO_QUERY_THROW)->close(true);
    } catch (const css::uno::Exception&) {
    }
  }

  // The last used row of the sheet, 0-based.
  int LastUsedRow(const std::string& name) {
    Reference<css::sheet::XSheetCellCursor> cursor = Sheet(name)->createCursor();
    Reference<css::sheet::XUsedAreaCursor>(cursor, UNO_QUERY_THROW)->gotoEndOfUsedArea(false);
    return Reference<css::sheet::XCellRangeAddressable>(cursor, UNO_QUERY_THROW)->getRangeAddress().EndRow;
  }

  // The stored height of a row (0-based) and LibreOffice's own fit of it, in points.
  std::pair<double, double> RowHeights(const std::string& name, int row) {
    Reference<css::beans::XPropertySet> properties(
        Reference<css::table::XColumnRowRange>(Sheet(name), UNO_QUERY_THROW)->getRows()->getByIndex(row),
        UNO_QUERY_THROW);
    return Fitted(properties, "Height", "OptimalHeight");
  }

  // The stored width of a column (0-based) and LibreOffice's own fit of it, in points.
  std::pair<double, double> ColumnWidths(const std::string& name, int column) {
    Reference<css::beans::XPropertySet> properties(
        Reference<css::table::XColumnRowRange>(Sheet(name), UNO_QUERY_THROW)->getColumns()->getByIndex(column),
        UNO_QUERY_THROW);
    return Fitted(properties, "Width", "OptimalWidth");
  }

  // A property of the cell (0-based column and row).
  css::uno::Any CellProperty(const std::string& name, int column, int row, const char* property) {
    Reference<css::beans::XPropertySet> cell(Sheet(name)->getCellByPosition(column, row), UNO_QUERY_THROW);
    return cell->getPropertyValue(rtl::OUString::createFromAscii(property));
  }

 private:
  Reference<css::sheet::XSpreadsheet> Sheet(const std::string& name) {
    Reference<css::sheet::XSpreadsheet> sheet;
    Reference<css::sheet::XSpreadsheetDocument>(document_, UNO_QUERY_THROW)->getSheets()->getByName(Utf16(name)) >>=
        sheet;
    return sheet;
  }

  // The stored size, then the size after asking LibreOffice to fit it (in memory only).
  static std::pair<double, double> Fitted(const Reference<css::beans::XPropertySet>& properties, const char* size,
                                          const char* optimal) {
    sal_Int32 stored = 0, fitted = 0;
    properties->getPropertyValue(rtl::OUString::createFromAscii(size)) >>= stored;
    properties->setPropertyValue(rtl::OUString::createFromAscii(optimal), css::uno::Any(true));
    properties->getPropertyValue(rtl::OUString::createFromAscii(size)) >>= fitted;
    return {stored / Point, fitted / Point};
  }

  Reference<css::lang::XComponent> document_;
};

struct Saving {
  const char* scenario;
  bool warmConverter;  // else the one-shot conversion
  const char* name;
};

class SavedLayout : public ::testing::TestWithParam<Saving> {
 protected:
  // Plays the scenario with the driver in a home of the test's own; the saved .xls.
  fs::path PlayAndSave() {
    setenv("HOME", home.Path().c_str(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("TUVO_DRIVE_OFFICE", GetParam().warmConverter ? "1" : "0", 1);
    const process::Started drive =
        process::StartProcess(TUVO_DRIVE_PROGRAM, {(fs::path(TUVO_SCENARIO_FOLDER) / GetParam().scenario).string()},
                            home.Path() / "drive.log");
    const std::optional<int> status = process::WaitProcess(drive.pid, std::chrono::minutes{5});
    process::EndProcess(drive.pid, std::chrono::milliseconds{0});
    EXPECT_EQ(status, 0) << "the driver failed";
    // Its office ends after it, by its watchdog, and uses the home until then.
    EXPECT_TRUE(test::NoneLeft(test::OfficesOf(drive.pid)));
    std::vector<fs::path> saved;
    for (const auto& entry : fs::directory_iterator(home.Path() / "TUVO_Output")) {
      if (entry.path().extension() == ".xls") saved.push_back(entry.path());
    }
    EXPECT_EQ(saved.size(), 1u);
    return saved.empty() ? fs::path() : saved.front();
  }

  // Our own office ends after the test, by its watchdog, and uses the home until then.
  void TearDown() override { EXPECT_TRUE(test::NoneLeft(test::OfficesOf(getpid()))); }

  test::TempFolder home{"tuvo-layout-home"};
};

// The checks of one saved workbook; a UNO error fails the test with LibreOffice's own words.
void CheckLayout(OpenedWorkbook& workbook);

TEST_P(SavedLayout, RowsFitTheirTextAndDatesKeepOneSize) {
  const fs::path file = PlayAndSave();
  ASSERT_FALSE(file.empty());
  office::OfficeInstance office(office::OfficeInstance::Role::Converter, "soffice", {});
  office.Start();
  try {
    OpenedWorkbook workbook(office.PipeName(), file);
    CheckLayout(workbook);
  } catch (const css::uno::Exception& error) {
    FAIL() << "LibreOffice: " << error.Message;
  }
}

void CheckLayout(OpenedWorkbook& workbook) {

  for (const std::string& name : {kSummarySheet, kCalcSheet}) {
    const int last = workbook.LastUsedRow(name);
    ASSERT_GT(last, 4) << name;
    for (int row = 0; row <= last + 1; ++row) {
      const auto [stored, fitted] = workbook.RowHeights(name, row);
      EXPECT_GE(stored, fitted - 1.2) << name << " row " << row + 1 << " is cut";
      EXPECT_LE(stored, 1.35 * fitted) << name << " row " << row + 1 << " is too tall";
    }
  }

  // The week rows' dates, columns C and D, at one size and whole.
  const int lastWeekRow = workbook.LastUsedRow(kCalcSheet) - 1;  // the totals row ends the table
  for (int row = 5; row < lastWeekRow; ++row) {
    for (int column : {2, 3}) {
      bool shrunk = true;
      workbook.CellProperty(kCalcSheet, column, row, "ShrinkToFit") >>= shrunk;
      EXPECT_FALSE(shrunk) << "row " << row + 1 << " column " << column + 1;
    }
  }
  for (int column : {2, 3}) {
    const auto [stored, fitted] = workbook.ColumnWidths(kCalcSheet, column);
    EXPECT_GE(stored + 0.5, fitted) << "column " << column + 1 << " is narrower than its dates";
  }
  rtl::OUString font;
  workbook.CellProperty(kCalcSheet, 1, 5, "CharFontName") >>= font;
  EXPECT_EQ(font, "Cordia New") << "the run's font name stays in the file";
}

INSTANTIATE_TEST_SUITE_P(
    Seasons, SavedLayout,
    ::testing::Values(Saving{"rd_transplanted_one_group.txt", false, "OneGroupOneShot"},
                      Saving{"rd_transplanted_one_group.txt", true, "OneGroupWarmConverter"},
                      Saving{"twenty_groups.txt", false, "TwentyGroupsOneShot"},
                      Saving{"twenty_groups.txt", true, "TwentyGroupsWarmConverter"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tuvo
