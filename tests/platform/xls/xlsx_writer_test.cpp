// The .xlsx file written from the workbook model: the rows at the heights the model fitted them
// to, the fonts named as set, and long dates given the width they are drawn at here.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetricsF>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <regex>
#include <string>

#include "platform/locale.h"
#include "platform/sheet/row_fit.h"
#include "platform/sheet/sheet.h"
#include "platform/xls/xls_save.h"
#include "support/calc_sheet_fixture.h"
#include "support/drawn_text.h"
#include "support/temp_folder.h"

namespace tuvo::xls {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono;
using sheet::StandardFontName;
using sheet::StandardFontSize;
using sheet::Value;
using test::Font;
using test::Points;
using test::ThaiHeading;
using test::ThaiTitle;
using test::WidestDate;

double DrawnWidth(const std::string& family, double size, const std::string& text) {
  return Points(QFontMetricsF(Font(family, size)).horizontalAdvance(QString::fromStdString(text)));
}

// One part of an .xlsx file, as written.
std::string XlsxPart(const fs::path& xlsx, const std::string& part) {
  std::string text;
  FILE* pipe = popen(("unzip -p '" + xlsx.string() + "' " + part).c_str(), "r");
  if (pipe == nullptr) return text;
  char buffer[4096];
  for (std::size_t got; (got = fread(buffer, 1, sizeof buffer, pipe)) > 0;) text.append(buffer, got);
  EXPECT_EQ(pclose(pipe), 0) << part;
  return text;
}

// An attribute of every tag of a kind, by the tag's key attribute ("r" of a row, "min" of a column).
std::map<int, double> Attributes(const std::string& xml, const std::string& tag, const std::string& key,
                                 const std::string& attribute) {
  std::map<int, double> values;
  const std::regex pattern("<" + tag + " ([^>]*)>");
  const std::regex keyPattern(key + "=\"(\\d+)\"");
  const std::regex valuePattern(" " + attribute + "=\"([0-9.]+)\"");
  for (auto it = std::sregex_iterator(xml.begin(), xml.end(), pattern); it != std::sregex_iterator(); ++it) {
    const std::string attributes = (*it)[1];
    std::smatch k, v;
    if (std::regex_search(attributes, k, keyPattern) && std::regex_search(attributes, v, valuePattern)) {
      values[std::stoi(k[1])] = std::stod(v[1]);
    }
  }
  return values;
}

// The second worksheet set up as the calculation sheet is: every cell in 14 pt Cordia New.
class XlsxWriter : public test::CalcSheetFixture {};

TEST_F(XlsxWriter, TheWrittenFileCarriesTheModelsRowHeightsAndTheFontNamesAsSet) {
  const test::TempFolder folder("tuvo-row-fit");
  calc.Cells(1, 2).SetValue(ThaiTitle);
  calc.Cells(6, 3).SetValue(locale::LongDate(2009y / January / 1d));
  calc.Cells(6, 9).SetValue(1500.0);
  calc.Cells(24, 9).SetValue(64000.0);
  plain.Cells(1, 1).SetValue(ThaiHeading);
  plain.Cells(2, 1).SetValue("TUVO");
  const fs::path xlsx = folder.Path() / "rows.xlsx";
  WriteXlsx(wb, xlsx);

  for (const auto& [sheet, part] : {std::pair{&plain, "xl/worksheets/sheet1.xml"}, {&calc, "xl/worksheets/sheet2.xml"}}) {
    SCOPED_TRACE(part);
    const std::string xml = XlsxPart(xlsx, part);
    const std::map<int, double> written = Attributes(xml, "row", "r", "ht");
    const std::map<int, double> fitted = sheet->RowHeights();
    ASSERT_EQ(written.size(), fitted.size()) << xml.substr(0, 2000);
    for (const auto& [row, height] : fitted) EXPECT_NEAR(written.at(row), height, 1e-6) << "row " << row;
    std::smatch standard;
    ASSERT_TRUE(std::regex_search(xml, standard, std::regex("<sheetFormatPr [^>]*defaultRowHeight=\"([0-9.]+)\"")));
    EXPECT_NEAR(std::stod(standard[1]), sheet->StandardHeight(), 1e-6);
  }
  // The fonts are named as the program named them, not as they are drawn here.
  const std::string styles = XlsxPart(xlsx, "xl/styles.xml");
  EXPECT_NE(styles.find("<name val=\"Cordia New\"/>"), std::string::npos) << styles;
  const std::string drawnFamily = QFontInfo(Font("Cordia New", 14)).family().toStdString();
  if (drawnFamily != "Cordia New") {
    EXPECT_EQ(styles.find(drawnFamily), std::string::npos) << drawnFamily;
  }
}

TEST_F(XlsxWriter, LongDatesShowWholeAtTheirSizeAndOnlyTheirColumnsWiden) {
  const test::TempFolder folder("tuvo-date-width");
  calc.Columns("C:D").SetColumnWidth(15);
  calc.Columns("E:E").SetColumnWidth(40);
  for (int week = 0; week < 10; ++week) {
    const locale::Date first{sys_days{2009y / January / 29d} + days{7 * week}};
    calc.Cells(week + 6, 3).SetValue(locale::LongDate(first));
    calc.Cells(week + 6, 4).SetValue(locale::LongDate(locale::Date{sys_days{first} + days{6}}));
    calc.Cells(week + 6, 5).SetValue(locale::LongDate(first));
    calc.Cells(week + 6, 6).SetValue(1.5 * week);
  }
  calc.Cells(3, 7).SetValue(Value{WidestDate});  // a text, not a date: widens nothing
  const fs::path xlsx = folder.Path() / "dates.xlsx";
  WriteXlsx(wb, xlsx);

  const std::map<int, double> widths = Attributes(XlsxPart(xlsx, "xl/worksheets/sheet2.xml"), "col", "min", "width");
  const double digit = DrawnWidth(std::string(StandardFontName), StandardFontSize, "0");
  const double widest = DrawnWidth("Cordia New", 14, WidestDate);
  ASSERT_GT(widest, 15 * digit) << "the date fits a column of 15 here; nothing to widen";
  for (int column : {3, 4}) {
    SCOPED_TRACE(column);
    EXPECT_GE(widths.at(column) * digit, widest);
    EXPECT_LT(widths.at(column) * digit, widest + 6 * digit);
    EXPECT_EQ(calc.ColumnWidth(column), 15);  // the model keeps the width the program set
  }
  EXPECT_NEAR(widths.at(5), 40, 1);  // wide enough already
  EXPECT_NEAR(widths.at(6), calc.ColumnWidth(6), 1);
  EXPECT_NEAR(widths.at(7), calc.ColumnWidth(7), 1);
  EXPECT_EQ(XlsxPart(xlsx, "xl/styles.xml").find("shrinkToFit"), std::string::npos);
}

}  // namespace
}  // namespace tuvo::xls
