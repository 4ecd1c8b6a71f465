// Saving the workbook as .xls through LibreOffice and reading it back.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "calcsheet/frame_selection.h"
#include "platform/locale.h"
#include "platform/process/process.h"
#include "platform/sheet/sheet.h"
#include "platform/xls/office_application.h"
#include "platform/xls/xls_save.h"
#include "support/libreoffice_convert.h"
#include "support/processes.h"
#include "support/shell_script.h"
#include "support/temp_folder.h"
#include "support/text_count.h"
#include "support/xls_reader.h"

namespace tuvo::xls {

using sheet::Axis;
using sheet::Chart;
using sheet::Range;
using sheet::Series;
using sheet::SheetError;
using sheet::Workbook;
using sheet::Worksheet;
using sheet::DateValue;
using sheet::Value;
using sheet::Rgb;
using sheet::Union;
namespace xl = sheet::xl;
namespace {

namespace fs = std::filesystem;
using namespace std::chrono;
using test::Alive;
using test::ConvertWithLibreOffice;
using test::Count;
using test::FolderEntries;
using test::ReadText;
using test::Script;
using test::TempFolder;
using test::WriteFile;
using test::XlsReader;

const std::string SummaryName = "สรุป";
const std::string CalcSheetName = "ตารางแสดงรายการคำนวณ";
const std::string DeliveryChartName = "กราฟแสดงปริมาณน้ำที่ต้องส่ง";
const std::string FieldUseChartName = "กราฟแสดงปริมาณน้ำที่ใช้ในแปลง";
const std::string WeekCaption = "สัปดาห์";
const std::string DateCaption = "วัน-เดือน-ปี";
const std::string GroupCaption = "กลุ่มที่";
const std::string CropText = "ข้าว กข. (นาดำ)";
const std::string PercolationCaption = "ปริมาณการซึมลึก";
const std::string PercolationName = "การซึมลึก";

constexpr int Weeks = 17;
const locale::Date SeasonStart = 2009y / January / 1d;

// A line chart of the weekly chart sheets' kind over the given source, moved behind `after`.
void AddWeeklyChart(Workbook& wb, const Range& source, int after, const std::string& name) {
  Chart& chart = wb.AddChart();
  const std::string defaultName = chart.Name();
  wb.Sheets(defaultName).Select();
  wb.Sheets(defaultName).Move(wb.Sheets(after));
  chart.SetName(name);
  chart.SetSourceData(source);
  chart.SetPlotBy(xl::Columns);
  chart.SetChartType(xl::LineMarkers);
  const int colours[] = {4, 6, 3};
  for (int i = 1; i <= 3; ++i) {
    Series& series = wb.ActiveChart().SeriesCollection(i);
    series.Border().SetColorIndex(colours[i - 1]);
    series.Border().SetWeight(xl::Medium);
    series.Border().SetLineStyle(xl::Continuous);
    series.SetMarkerBackgroundColorIndex(25);
    series.SetMarkerForegroundColorIndex(25);
    series.SetMarkerStyle(xl::Circle);
    series.SetMarkerSize(7);
  }
  chart.SetHasTitle(true);
  chart.SetHasLegend(true);
  chart.SeriesCollection(1).SetName("=\"" + PercolationName + "\"");
  chart.SeriesCollection(2).SetName("='Sheet2'!$T$3");  // by reference: survives the conversion
  chart.SeriesCollection(3).SetName("=\"" + name + "\"");
  chart.ChartTitle().SetCaption(name);
  chart.ChartTitle().Font().SetName("Angsana New");
  chart.ChartTitle().Font().SetSize(20);
  chart.PlotArea().SetInteriorColor(Rgb(210, 245, 235));
  for (int type : {xl::Category, xl::Value}) {
    Axis& axis = chart.Axes(type, xl::Primary);
    axis.SetHasTitle(true);
    axis.AxisTitle().SetCaption(WeekCaption);
    axis.AxisTitle().Font().SetName("Angsana New");
    axis.AxisTitle().Font().SetSize(16);
    axis.AxisTitle().Font().SetBold(true);
    axis.SetHasMajorGridlines(true);
    axis.SetHasMinorGridlines(true);
    axis.MajorGridlines().Border().SetColor(Rgb(0, 0, 255));
    axis.MajorGridlines().Border().SetLineStyle(xl::Continuous);
    axis.MinorGridlines().Border().SetColor(Rgb(0, 0, 255));
    axis.MinorGridlines().Border().SetWeight(xl::Thin);
    axis.MinorGridlines().Border().SetLineStyle(xl::Dot);
  }
  chart.Axes(xl::Value, xl::Primary).SetMinimumScale(0);
  chart.SelectChartArea();
}

// A workbook shaped like the run's result: summary, calculation table of one group (columns B
// to U, 17 weeks), two chart sheets; the scratch sheet deleted and the sheets renamed.
void BuildResultWorkbook(Workbook& wb) {
  wb.Sheets("Sheet2").Select();
  Worksheet& calc = wb.Worksheets(2);
  wb.Worksheets(3).AllCells().Delete();
  calc.AllCells().Select();
  wb.Selection().SetFontName("Cordia New");
  wb.Selection().SetFontSize(14);
  calc.Columns("C:C").SetColumnWidth(10);
  calc.Range("A3:D17").Select();
  wb.Selection().SetHorizontalAlignment(xl::Center);
  calc.Cells(1, 2).SetValue("office,   project,   section");

  // Time axis: merged, centred and outlined headers with the caption in row 4.
  const std::string captions[] = {WeekCaption, DateCaption, DateCaption};
  for (int column = 2; column <= 4; ++column) {
    calc.Cells(4, column).SetValue(captions[column - 2]);
    calc.Cells(4, column).SetColumnWidth(column == 2 ? 8 : 15);
    calc.Range(calc.Cells(3, column), calc.Cells(5, column)).Select();
    wb.Selection().Merge();
    wb.Selection().SetHorizontalAlignment(xl::Center);
    wb.Selection().SetVerticalAlignment(xl::Center);
    FrameSelection(wb);
  }
  calc.Cells(3, 5).SetValue(GroupCaption + " 1");
  calc.Range("E3:J3").Select();
  wb.Selection().SetHorizontalAlignment(xl::Center);
  wb.Selection().Merge();
  FrameSelection(wb);
  for (int w = 1; w <= Weeks; ++w) {
    const locale::Date first{sys_days{SeasonStart} + days{7 * (w - 1)}};
    calc.Cells(w + 5, 2).SetValue(w);
    calc.Cells(w + 5, 3).SetValue(locale::LongDate(first));
    calc.Cells(w + 5, 4).SetValue(locale::LongDate(locale::Date{sys_days{first} + days{6}}));
    calc.Cells(w + 5, 6).SetValue("0.00");
    calc.Cells(w + 5, 6).SetNumberFormat("0.00");
    calc.Cells(w + 5, 9).SetValue("1500");
    calc.Cells(w + 5, 9).SetStyle("comma");
    for (int column = 18; column <= 21; ++column) {
      calc.Cells(w + 5, column).SetValue(100.0 * column + w);
      calc.Cells(w + 5, column).Select();
      wb.Selection().SetStyle("comma");
    }
  }
  calc.Cells(3, 20).SetValue(PercolationCaption);
  calc.Cells(Weeks + 6, 21).SetValue(12345.5);
  calc.Cells(Weeks + 6, 21).Select();
  wb.Selection().SetStyle("comma");
  FrameSelection(wb);

  // Colour and frame pass.
  for (int column = 2; column <= 21; ++column) {
    calc.Range(calc.Cells(3, column), calc.Cells(5, column)).Select();
    wb.Selection().SetInteriorColorIndex(35);
    wb.Selection().SetInteriorPattern(xl::Solid);
    calc.Range(calc.Cells(6, column), calc.Cells(Weeks + 5, column)).Select();
    FrameSelection(wb);
  }
  calc.Range("A1").Select();

  AddWeeklyChart(wb, Union(calc.Range(calc.Cells(6, 18), calc.Cells(Weeks + 5, 19)),
                           calc.Range(calc.Cells(6, 21), calc.Cells(Weeks + 5, 21))),
                 4, DeliveryChartName);
  wb.Worksheets(2).Activate();
  AddWeeklyChart(wb, calc.Range(calc.Cells(6, 18), calc.Cells(Weeks + 5, 20)), 5, FieldUseChartName);

  calc.SetName(CalcSheetName);
  wb.Parent().SetDisplayAlerts(false);
  wb.Worksheets(3).Delete();
  Worksheet& summary = wb.Worksheets(1);
  wb.Sheets("Sheet1").Select();
  summary.Cells(1, 1).SetValue("TUVO");
  summary.Cells(1, 1).Select();
  wb.Selection().SetFontBold(true);
  summary.Cells(43, 2).SetValue("1,500.5");
  summary.Cells(43, 2).Select();
  wb.Selection().SetStyle("comma");
  summary.Columns("A:A").SetColumnWidth(15);
  summary.SetName(SummaryName);
  summary.Range("A1").Select();
}

class SheetSave : public ::testing::Test {
 protected:
  TempFolder folder{"tuvo-sheet-test"};
  OfficeApplication app;
  Workbook& wb = app.Workbooks().Add();
};

TEST_F(SheetSave, ResultWorkbookReadsBackWithItsSheetsValuesAndDates) {
  BuildResultWorkbook(wb);
  const fs::path file = folder.Path() / "result.xls";
  wb.SaveAs(file.string(), xl::Normal);
  EXPECT_EQ(wb.Name(), "result.xls");
  EXPECT_EQ(wb.FullName(), file.string());

  const XlsReader xls(file);
  EXPECT_EQ(xls.SheetNames(), (std::vector<std::string>{SummaryName, CalcSheetName, DeliveryChartName, FieldUseChartName}));
  EXPECT_EQ(xls.Cell(CalcSheetName, 3, 2), Value{WeekCaption});  // the merged header's one value
  EXPECT_EQ(xls.Cell(CalcSheetName, 3, 3), Value{DateCaption});
  EXPECT_EQ(xls.Cell(CalcSheetName, 4, 2), Value{});
  EXPECT_EQ(xls.Cell(CalcSheetName, 3, 5), Value{GroupCaption + " 1"});
  for (int w : {1, Weeks}) {
    SCOPED_TRACE(w);
    const locale::Date first{sys_days{SeasonStart} + days{7 * (w - 1)}};
    EXPECT_EQ(xls.Cell(CalcSheetName, w + 5, 2), Value{double(w)});
    EXPECT_EQ(xls.Cell(CalcSheetName, w + 5, 3), Value{DateValue{first}});
    EXPECT_EQ(xls.Cell(CalcSheetName, w + 5, 4), Value{DateValue{locale::Date{sys_days{first} + days{6}}}});
    EXPECT_EQ(xls.Cell(CalcSheetName, w + 5, 6), Value{0.0});  // written as "0.00"
    EXPECT_EQ(xls.Cell(CalcSheetName, w + 5, 9), Value{1500.0});
    EXPECT_EQ(xls.Cell(CalcSheetName, w + 5, 21), Value{2100.0 + w});
  }
  EXPECT_EQ(xls.Cell(CalcSheetName, Weeks + 6, 21), Value{12345.5});
  EXPECT_EQ(xls.Cell(CalcSheetName, Weeks + 6, 20), Value{});
  EXPECT_EQ(xls.Cell(SummaryName, 1, 1), Value{std::string("TUVO")});
  EXPECT_EQ(xls.Cell(SummaryName, 43, 2), Value{1500.5});
}

TEST_F(SheetSave, SavedFileOpensInLibreOfficeWithFormatsAndBothCharts) {
  BuildResultWorkbook(wb);
  const fs::path file = folder.Path() / "result.xls";
  wb.SaveAs(file.string(), xl::Normal);

  const fs::path pdf = ConvertWithLibreOffice(file, "pdf", folder.Path());
  EXPECT_EQ(ReadText(pdf).substr(0, 5), "%PDF-");

  // The flat document shows what LibreOffice made of the file.
  const std::string document = ReadText(ConvertWithLibreOffice(file, "fods", folder.Path()));
  EXPECT_EQ(Count(document, "<chart:chart "), 2u);
  for (std::size_t at = document.find("<chart:chart "); at != std::string::npos;
       at = document.find("<chart:chart ", at + 1)) {
    const std::string tag = document.substr(at, document.find('>', at) - at);
    EXPECT_NE(tag.find("chart:class=\"chart:line\""), std::string::npos) << tag;
  }
  EXPECT_EQ(Count(document, "<chart:series "), 6u);
  // The delivery chart leaves out the column between its two blocks; the field-use chart has it.
  auto values = [&](const std::string& column) {
    return Count(document, "chart:values-cell-range-address=\"" + CalcSheetName + "." + column + "6:" +
                               CalcSheetName + "." + column + std::to_string(Weeks + 5) + "\"");
  };
  EXPECT_EQ(values("R"), 2u);
  EXPECT_EQ(values("S"), 2u);
  EXPECT_EQ(values("T"), 1u);
  EXPECT_EQ(values("U"), 1u);
  // A series name given by reference survives the conversion.
  EXPECT_EQ(Count(document, "chart:label-cell-address=\"" + CalcSheetName + ".T3:"), 2u);
  EXPECT_NE(document.find("fo:background-color=\"#ccffcc\""), std::string::npos) << "colour 35 lost";
  EXPECT_NE(document.find(">1,500.00 <"), std::string::npos) << "the comma style is lost";
  EXPECT_NE(document.find(">0.00<"), std::string::npos) << "the number format 0.00 is lost";
  EXPECT_NE(document.find(">" + locale::LongDate(SeasonStart) + "<"), std::string::npos)
      << "a date cell does not show as the Thai long date";
  EXPECT_NE(document.find("table:number-columns-spanned=\"6\""), std::string::npos) << "E3:J3 not merged";
  EXPECT_NE(document.find("table:number-rows-spanned=\"3\""), std::string::npos) << "B3:B5 not merged";
  EXPECT_NE(document.find("Cordia New"), std::string::npos);
  EXPECT_NE(document.find(PercolationCaption), std::string::npos);
}

// One part of an .xlsx file, as written.
std::string XlsxPart(const fs::path& xlsx, const std::string& part, const fs::path& folder) {
  const fs::path out = folder / "part.xml";
  const process::Started started = process::StartProcess("sh", {"-c", "unzip -p '" + xlsx.string() + "' " + part}, out);
  EXPECT_GT(started.pid, 0) << started.error;
  EXPECT_EQ(process::WaitProcess(started.pid, seconds{20}), 0);
  process::EndProcess(started.pid, seconds{1});
  return ReadText(out);
}

// The column definitions of the first sheet of an .xlsx file, as written.
std::string FirstSheetColumns(const fs::path& xlsx, const fs::path& folder) {
  const std::string xml = XlsxPart(xlsx, "xl/worksheets/sheet1.xml", folder);
  const auto from = xml.find("<cols>");
  return from == std::string::npos ? std::string() : xml.substr(from, xml.find("</cols>") - from);
}

TEST_F(SheetSave, AColumnNobodySizedIsWideEnoughForItsNumbers) {
  Worksheet& summary = wb.Worksheets(1);
  summary.Cells(1, 7).SetValue(4307360.08);
  summary.Cells(1, 7).SetStyle("comma");  // shown as " 4,307,360.08 ": 15 characters
  summary.Cells(2, 3).SetValue(12.5);     // fits the standard width: no column entry
  summary.Cells(3, 1).SetValue("a long text overflows and widens nothing");
  summary.Columns("B:B").SetColumnWidth(5);  // a width set by the program stays
  summary.Cells(1, 2).SetValue(123456789.0);
  const fs::path xlsx = folder.Path() / "widths.xlsx";
  WriteXlsx(wb, xlsx);

  const std::string cols = FirstSheetColumns(xlsx, folder.Path());
  EXPECT_NE(cols.find("<col min=\"7\" max=\"7\" width=\"16"), std::string::npos) << cols;
  EXPECT_NE(cols.find("<col min=\"2\" max=\"2\" width=\"5"), std::string::npos) << cols;
  EXPECT_EQ(cols.find("min=\"3\""), std::string::npos) << cols;
  EXPECT_EQ(cols.find("min=\"1\""), std::string::npos) << cols;
}

// Its column widens instead (see the .xlsx writer's tests), so that dates of neighbouring rows
// show at one size.
TEST_F(SheetSave, ALongDateIsNeverShrunkToItsColumnNorIsAnyOtherCell) {
  Worksheet& calc = wb.Worksheets(2);
  calc.Cells(6, 3).SetValue(locale::LongDate(SeasonStart));  // typed entry: a date
  calc.Cells(6, 5).SetValue(1500.0);
  const fs::path xlsx = folder.Path() / "dates.xlsx";
  WriteXlsx(wb, xlsx);
  const std::string styles = XlsxPart(xlsx, "xl/styles.xml", folder.Path());
  EXPECT_EQ(Count(styles, "shrinkToFit"), 0u) << styles;
}

TEST_F(SheetSave, ThaiFileNameWithLeadingAndTrailingBlanksIsSavedUnderThatExactName) {
  const std::string name = " " + CropText + " 10 " + locale::ThaiMonthName(12) + " 2569 9-5-7 .xls";
  wb.Worksheets(1).Cells(1, 1).SetValue(CropText);
  wb.SaveAs((folder.Path() / name).string(), xl::Normal);
  EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::string>{name});
  EXPECT_EQ(wb.Name(), name);
  const XlsReader xls(folder.Path() / name);
  EXPECT_EQ(xls.Cell(1, 1, 1), Value{CropText});
  EXPECT_EQ(xls.SheetNames(), (std::vector<std::string>{"Sheet1", "Sheet2", "Sheet3"}));
}

TEST_F(SheetSave, AGoodSaveReplacesAnOlderFileAndSaveWritesAgain) {
  const fs::path file = folder.Path() / "book.xls";
  WriteFile(file, "older file");
  wb.Worksheets(1).Cells(2, 2).SetValue("1");
  wb.SaveAs(file.string(), xl::Normal);
  EXPECT_EQ(XlsReader(file).Cell(1, 2, 2), Value{1.0});
  wb.Worksheets(1).Cells(2, 2).SetValue("2");
  wb.Save();
  EXPECT_EQ(XlsReader(file).Cell(1, 2, 2), Value{2.0});
  EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::string>{"book.xls"});
  EXPECT_THROW(wb.SaveAs(file.string(), 51), SheetError);  // only the normal format
}

// A failed save names what failed and the path, writes nothing, and keeps an older file.
class SheetSaveFailure : public SheetSave {
 protected:
  void ExpectFailure(const fs::path& target, const std::vector<std::string>& inMessage) {
    try {
      wb.SaveAs(target.string(), xl::Normal);
      ADD_FAILURE() << "the save did not fail";
    } catch (const SheetError& error) {
      const std::string message = error.what();
      EXPECT_NE(message.find(target.string()), std::string::npos) << message;
      for (const std::string& part : inMessage) EXPECT_NE(message.find(part), std::string::npos) << message;
    }
    EXPECT_EQ(wb.Name(), "Book1");
  }
  fs::path scripts = folder.Path() / "scripts";
  fs::path output = folder.Path() / "output";
  fs::path target = output / "book.xls";

  void SetUp() override {
    fs::create_directory(scripts);
    fs::create_directory(output);
    WriteFile(target, "older file");
  }
  void ExpectOlderFileKept() {
    EXPECT_EQ(FolderEntries(output), std::vector<std::string>{"book.xls"});
    EXPECT_EQ(ReadText(target), "older file");
  }
};

TEST_F(SheetSaveFailure, MissingFolder) {
  const fs::path missing = folder.Path() / "missing" / "book.xls";
  ExpectFailure(missing, {"does not exist", (folder.Path() / "missing").string()});
  EXPECT_FALSE(fs::exists(folder.Path() / "missing"));
}

TEST_F(SheetSaveFailure, FolderNotWritable) {
  fs::permissions(output, fs::perms::owner_read | fs::perms::owner_exec);
  // The superuser writes anywhere on disk; a system folder refuses even it.
  const fs::path readOnly = access(output.c_str(), W_OK) == 0 ? fs::path("/sys") : output;
  ExpectFailure(readOnly / "book.xls", {"not writable", readOnly.string()});
  fs::permissions(output, fs::perms::owner_all);
  ExpectOlderFileKept();
}

TEST_F(SheetSaveFailure, ConverterMissing) {
  const char* path = std::getenv("PATH");
  const std::string savedPath = path == nullptr ? "" : path;
  setenv("PATH", "", 1);
  ExpectFailure(target, {"soffice", "could not be started"});
  setenv("PATH", savedPath.c_str(), 1);
  ExpectOlderFileKept();

  app.Office().program = (scripts / "no-such-office").string();
  ExpectFailure(target, {"no-such-office", "could not be started"});
  ExpectOlderFileKept();
}

TEST_F(SheetSaveFailure, ConverterError) {
  app.Office().program = Script(scripts, "failing", "echo 'Error: source file could not be loaded'; exit 3").string();
  ExpectFailure(target, {"exit status 3", "source file could not be loaded"});
  ExpectOlderFileKept();

  app.Office().program = Script(scripts, "silent", "exit 0").string();
  ExpectFailure(target, {"wrote no .xls file"});
  ExpectOlderFileKept();
}

TEST_F(SheetSaveFailure, ConverterTimeOutStopsEveryProcessItStarted) {
  const fs::path childPid = scripts / "child.pid";
  app.Office().program = Script(scripts, "hanging", "sleep 30 & echo $! > '" + childPid.string() + "'; wait").string();
  app.Office().timeout = milliseconds{500};
  const auto start = steady_clock::now();
  ExpectFailure(target, {"did not finish", "stopped"});
  EXPECT_LT(steady_clock::now() - start, seconds{10});
  ExpectOlderFileKept();
  const pid_t child = std::stoi(ReadText(childPid));
  EXPECT_FALSE(Alive(child)) << "the converter's own child was left running";
}

// Saves into an output folder through a stand-in converter that writes a small file where
// LibreOffice writes the .xls file, with a temporary folder (TMPDIR) of their own.
class SheetSaveStandIn : public SheetSave {
 protected:
  void SetUp() override {
    fs::create_directory(output);
    fs::create_directory(temporary);
    if (const char* old = std::getenv("TMPDIR")) oldTemporary = old;
    setenv("TMPDIR", temporary.c_str(), 1);
    app.Office().program = standIn;
  }
  void TearDown() override {
    if (oldTemporary) setenv("TMPDIR", oldTemporary->c_str(), 1);
    else unsetenv("TMPDIR");
  }
  // The names in the folder that begin with the prefix.
  static std::vector<std::string> Named(const fs::path& in, const std::string& prefix) {
    std::vector<std::string> names = FolderEntries(in);
    std::erase_if(names, [&](const std::string& name) { return !name.starts_with(prefix); });
    return names;
  }
  // A save's temporary files beside its target and its work folders, as folder/name.
  std::vector<std::string> SaveFiles() const {
    std::vector<std::string> files;
    for (const std::string& name : Named(output, ".~tuvo-save-")) files.push_back("output/" + name);
    for (const std::string& name : Named(temporary, "tuvo-save-")) files.push_back("tmp/" + name);
    return files;
  }
  fs::path output = folder.Path() / "output";
  fs::path temporary = folder.Path() / "tmp";
  std::optional<std::string> oldTemporary;
  std::string standIn = Script(folder.Path(), "office",
                               "while [ $# -gt 1 ]; do [ \"$1\" = --outdir ] && out=\"$2\"; shift; done\n"
                               "printf converted > \"$out/$(basename \"$1\" .xlsx).xls\"")
                            .string();
};

// A file mode as one writes it.
std::string Octal(mode_t mode) {
  std::ostringstream text;
  text << std::oct << mode;
  return text.str();
}

TEST_F(SheetSaveStandIn, TheSavedFileHasTheModeTheUmaskGivesANewFile) {
  for (const mode_t mask : {022, 077, 027, 0}) {
    SCOPED_TRACE("umask " + Octal(mask));
    const fs::path target = output / ("umask-" + Octal(mask) + ".xls");  // a new target: never skipped
    const mode_t old = umask(mask);
    wb.SaveAs(target.string(), xl::Normal);
    umask(old);
    struct stat status {};
    ASSERT_EQ(stat(target.c_str(), &status), 0);
    EXPECT_EQ(Octal(status.st_mode & 07777), Octal(0666 & ~mask));
    EXPECT_EQ(ReadText(target), "converted");
  }
}

// What a killed save left (its temporary file beside the target, its work folder in the
// temporary folder) goes with the next save; nothing else of a like name or kind, nor another
// user's, nor what a link leads to.
TEST_F(SheetSaveStandIn, TheNextSaveRemovesWhatAKilledSaveLeftAndNothingElse) {
  enum class Kind { File, Folder, Link };
  const fs::path elsewhere = folder.Path() / "elsewhere";
  fs::create_directory(elsewhere);
  WriteFile(elsewhere / "kept", "kept");
  const struct {
    const char* what;
    fs::path path;
    Kind kind;
    bool anotherUsers;
    bool removed;
  } cases[] = {
      {"a killed save's file", output / ".~tuvo-save-Dead01", Kind::File, false, true},
      {"a killed save's folder", temporary / "tuvo-save-Dead02", Kind::Folder, false, true},
      {"a file of a longer name", output / ".~tuvo-save-Dead03x", Kind::File, false, false},
      {"a folder of a longer name", temporary / "tuvo-save-failure-test-Dead04", Kind::Folder, false, false},
      {"a folder of the file's name", output / ".~tuvo-save-Dead05", Kind::Folder, false, false},
      {"a file of the folder's name", temporary / "tuvo-save-Dead06", Kind::File, false, false},
      {"a link to a file", output / ".~tuvo-save-Dead07", Kind::Link, false, false},
      {"a link to a folder", temporary / "tuvo-save-Dead08", Kind::Link, false, false},
      {"another user's file", output / ".~tuvo-save-Dead09", Kind::File, true, false},
      {"another user's folder", temporary / "tuvo-save-Dead10", Kind::Folder, true, false},
  };
  const bool superuser = geteuid() == 0;  // only the superuser makes files of another user
  for (const auto& c : cases) {
    if (c.anotherUsers && !superuser) continue;
    switch (c.kind) {
      case Kind::File: WriteFile(c.path, "partial"); break;
      case Kind::Folder:
        fs::create_directories(c.path / "profile" / "user");
        WriteFile(c.path / "book.xlsx", "partial");
        break;
      case Kind::Link:
        fs::create_symlink(c.path.parent_path() == output ? elsewhere / "kept" : elsewhere, c.path);
        break;
    }
    if (c.anotherUsers) {
      ASSERT_EQ(lchown(c.path.c_str(), 65534, 65534), 0) << c.what;
    }
  }

  wb.SaveAs((output / "book.xls").string(), xl::Normal);
  EXPECT_EQ(ReadText(output / "book.xls"), "converted");
  for (const auto& c : cases) {
    if (c.anotherUsers && !superuser) continue;
    EXPECT_EQ(fs::exists(fs::symlink_status(c.path)), !c.removed) << c.what;
    if (c.kind == Kind::Folder && !c.removed) {
      EXPECT_TRUE(fs::exists(c.path / "book.xlsx")) << c.what;
    }
  }
  EXPECT_EQ(FolderEntries(elsewhere), std::vector<std::string>{"kept"});
}

// A save holds its temporary file and work folder as long as it runs, so that another save
// meanwhile keeps them; once its program is killed (the LibreOffice it started still running)
// the next save removes them.
TEST_F(SheetSaveStandIn, ARunningSavesFilesAreKeptAndAKilledSavesRemovedByTheNextSave) {
  const fs::path started = folder.Path() / "converter.pid";
  app.Office().program = Script(folder.Path(), "hanging",
                                "echo $$ > '" + started.string() + ".part' && mv '" + started.string() + ".part' '" +
                                    started.string() + "'\nexec sleep 60")
                             .string();
  pid_t saving = fork();
  ASSERT_GE(saving, 0);
  if (saving == 0) {
    try {
      wb.SaveAs((output / "hanging.xls").string(), xl::Normal);
    } catch (...) {
    }
    _exit(0);
  }
  pid_t converter = 0;
  const auto endSaving = [&] {
    kill(saving, SIGKILL);
    waitpid(saving, nullptr, 0);
    saving = 0;
  };
  // Whatever the test's end, nothing it started runs on.
  const std::shared_ptr<void> ending(nullptr, [&](void*) {
    if (saving > 0) endSaving();
    if (converter > 0) kill(-converter, SIGKILL);
  });
  for (int i = 0; i < 3000 && !fs::exists(started); ++i) std::this_thread::sleep_for(milliseconds{10});
  ASSERT_TRUE(fs::exists(started)) << "the hanging save never reached its converter";
  converter = std::stoi(ReadText(started));
  const std::vector<std::string> running = SaveFiles();
  ASSERT_EQ(running.size(), 2u) << testing::PrintToString(running);

  app.Office().program = standIn;
  wb.SaveAs((output / "book.xls").string(), xl::Normal);
  EXPECT_EQ(SaveFiles(), running) << "a running save's files were removed";

  endSaving();
  ASSERT_EQ(kill(converter, 0), 0) << "the killed save's converter ended with it";
  wb.SaveAs((output / "again.xls").string(), xl::Normal);
  EXPECT_EQ(SaveFiles(), std::vector<std::string>{}) << "a killed save's files were left behind";
  EXPECT_EQ(FolderEntries(output), (std::vector<std::string>{"again.xls", "book.xls"}));
}

}  // namespace
}  // namespace tuvo::xls
