#include "report/summary_sheet.h"

#include <array>
#include <initializer_list>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <variant>

#include "platform/locale.h"
#include "platform/sheet/sheet.h"
#include "rain/eff_rain_column.h"
#include "rain/station_rain.h"
#include "season/progress.h"
#include "season/workbook_layout.h"

namespace tuvo {

namespace {

// The summary sheet is the first worksheet, the calculation sheet (CalcSheetIndex) the second:
// the day calendar is gone and chart sheets are no worksheets. "Sheet1" is the summary sheet's
// name until the run renames it.
constexpr int SummarySheetIndex = 1;
constexpr std::string_view SummarySheetStartName = "Sheet1";

constexpr int ColumnA = 1;
constexpr int AreaColumn = 2;       // B
constexpr int AreaUnitColumn = 3;   // C
constexpr int TotalColumn = 7;      // G
constexpr int TotalUnitColumn = 8;  // H

constexpr std::string_view Blank1 = " ";
constexpr std::string_view Blank2 = "  ";
constexpr std::string_view Blank3 = "   ";
constexpr std::string_view Dash = "-";

// Headings and labels of rows 1 to 40.
constexpr std::string_view ReportTitle = "โปรแกรมคำนวณความต้องการน้ำชลประทานของข้าว";
constexpr std::string_view ProgramTitle = "TUVO";
constexpr std::string_view PlaceHeading = "สถานที่ :";
constexpr std::string_view ProvinceHeading = "พื้นที่เพาะปลูกอยู่ในจังหวัด :";
constexpr std::string_view ProvinceWord = "จังหวัด";
constexpr std::string_view CropHeading = "ชนิดข้าวที่ปลูก :";
constexpr std::string_view GroupsHeading = "จำนวนกลุ่มพื้นที่เตรียมแปลง :";
constexpr std::string_view GroupsLabel = "แบ่งพื้นที่เตรียมแปลงออกเป็น";
constexpr std::string_view GroupsUnit = "กลุ่ม";
constexpr std::string_view NurseryHeading = "การเตรียมแปลงกล้าและตกกล้า :";
constexpr std::string_view TransplantedFieldHeading = "การเตรียมแปลงนาดำ :";
constexpr std::string_view WetSeededFieldHeading = "การเตรียมแปลงนาหว่านน้ำตม :";
constexpr std::string_view SoilHeading = "คุณสมบัติของดิน :";
constexpr std::string_view SoilLabel = "- ชนิดของเนื้อดิน";
constexpr std::string_view EfficiencyHeading = "ประสิทธิภาพ :";
constexpr std::string_view NurseryStartLabel = "- เริ่มเตรียมแปลงกล้า   วันที่";
constexpr std::string_view WetSeededStartLabel = "- เริ่มเตรียมแปลง   วันที่";
constexpr std::string_view DateYearWord = "ปี";
constexpr std::string_view WeeksUnit = "สัปดาห์";
constexpr std::string_view RaiUnit = "ไร่";
constexpr std::string_view MillimetreUnit = "มม.";
constexpr std::string_view PercentUnit = "%";

// Group areas and monthly rainfall.
constexpr std::string_view AreaHeading = "ขนาดพื้นที่ :";
constexpr std::string_view GroupWord = "กลุ่มที่";
constexpr std::string_view AreaWord = "พื้นที่";
constexpr std::string_view RainHeading = "ปริมาณน้ำฝนเฉลี่ยรายเดือน :";
constexpr std::string_view MonthWord = "เดือน";
constexpr std::string_view MeanRainLabel = "ปริมาณฝนเฉลี่ยรายเดือน";
constexpr std::string_view EffRainLabel = "ปริมาณฝนใช้การเฉลี่ยรายเดือน";

// Season totals.
constexpr std::string_view TotalsHeading = "ปริมาณการใช้น้ำชลประทานของข้าว :";
constexpr std::string_view GrossLabelStart = "- รวมปริมาณน้ำชลประทานที่ต้องส่งในแปลงนาที่ประสิทธิภาพ";
constexpr std::string_view GrossLabelEnd = "เป็นจำนวน";
constexpr std::string_view CubicMetreUnit = "ลบ.ม.";

// A row of column A: label, 3 blanks, the text of a list, 3 blanks, unit.
struct ListRow {
  int row;
  std::string_view label;
  std::string SeasonTexts::*list;
  std::string_view unit;
};

constexpr std::array<ListRow, 4> NurseryRows = {{
    {20, "- ระยะเวลาเตรียมแปลงกล้าและตกกล้า", &SeasonTexts::cboTriamplangKla, WeeksUnit},
    {21, "- กำหนดพื้นที่ตกกล้า 1 ไร่ปักดำได้", &SeasonTexts::cboATokla, RaiUnit},
    {22, "- ปริมาณน้ำที่ใช้เพื่อการเตรียมดินแปลงกล้า", &SeasonTexts::cboTriamdinkla, MillimetreUnit},
    {23, "- ปริมาณน้ำที่ใช้เพื่อการเลี้ยงกล้า", &SeasonTexts::cboLiengkla, MillimetreUnit},
}};
constexpr std::array<ListRow, 2> TransplantedFieldRows = {{
    {26, "- ระยะเวลาเตรียมแปลงนาดำ", &SeasonTexts::cboTriamplangNaDam, WeeksUnit},
    {27, "- ปริมาณน้ำที่ใช้เพื่อการเตรียมดิน", &SeasonTexts::cboNadam1, MillimetreUnit},
}};
constexpr std::array<ListRow, 3> WetSeededFieldRows = {{
    {31, "- ระยะเวลาเตรียมแปลงนาหว่านน้ำตม", &SeasonTexts::cboTriamplangNaWan, WeeksUnit},
    {32, "- ระยะเวลาหยุดส่งน้ำหลังจากหว่านข้าว", &SeasonTexts::cboStop, WeeksUnit},
    {33, "- ปริมาณน้ำที่ใช้เพื่อการเตรียมดิน", &SeasonTexts::cboNawan1, MillimetreUnit},
}};
constexpr ListRow PercolationRow = {37, "- อัตราการรั่วซึมในแปลงนา", &SeasonTexts::cboDeeper,
                                    "มม./วัน"};
constexpr ListRow EfficiencyRow = {40, "- ประสิทธิภาพการส่งน้ำ", &SeasonTexts::cboEfficiency,
                                   PercentUnit};

// One line of the season totals: label (the gross line's is built from the efficiency), the
// total and the text it is printed as.
struct TotalLine {
  std::string_view label;
  double SeasonTotals::*total;
  std::string SummaryTotalTexts::*text;
};

constexpr std::array<TotalLine, 7> TotalLines = {{
    {"- รวมปริมาณน้ำที่ใช้ในการตกกล้า", &SeasonTotals::TotalNurseryWater, &SummaryTotalTexts::TotalNurseryWaterText},
    {"- รวมปริมาณน้ำที่ใช้ในการเตรียมแปลง", &SeasonTotals::TotalPrepWater, &SummaryTotalTexts::TotalPrepWaterText},
    {"- รวมปริมาณการใช้น้ำของข้าว (ET)", &SeasonTotals::TotalCropWaterUse, &SummaryTotalTexts::TotalCropWaterUseText},
    {"- รวมปริมาณการซึมเลยเขตราก (Deepercolation)", &SeasonTotals::TotalPercolation, &SummaryTotalTexts::TotalPercolationText},
    {"- รวมปริมาณฝนใช้การ (Effective Rainfall)", &SeasonTotals::TotalEffRain, &SummaryTotalTexts::TotalEffRainText},
    {"- รวมปริมาณความต้องการใช้น้ำชลประทานของข้าว", &SeasonTotals::TotalNetWater, &SummaryTotalTexts::TotalNetWaterText},
    {{}, &SeasonTotals::TotalGrossWater, &SummaryTotalTexts::TotalGrossWaterText},
}};

// The pieces joined with nothing between them.
std::string Join(std::initializer_list<std::string_view> pieces) {
  std::string text;
  for (std::string_view piece : pieces) text += piece;
  return text;
}

// The cells of the summary sheet, written as typed entry; bold and style go through the
// selection, as the automation does.
class SummaryWriter {
 public:
  explicit SummaryWriter(sheet::Workbook& workbook)
      : workbook_(workbook), sheet_(workbook.Worksheets(SummarySheetIndex)) {}

  sheet::Worksheet& Sheet() { return sheet_; }

  // A text into (row, column).
  void Text(int row, int column, std::string_view text) {
    sheet_.Cells(row, column).SetValue(text);
  }

  // A bold heading in column A.
  void Heading(int row, std::string_view text) {
    Text(row, ColumnA, text);
    sheet_.Cells(row, ColumnA).Select();
    workbook_.Selection().SetFontBold(true);
  }

  // A text given the style "comma".
  void CommaText(int row, int column, std::string_view text) {
    Text(row, column, text);
    sheet_.Cells(row, column).Select();
    workbook_.Selection().SetStyle(sheet::CommaStyle);
  }

 private:
  sheet::Workbook& workbook_;
  sheet::Worksheet& sheet_;
};

// A list row, or with dashes its dash variant ("-" in place of the list's text).
std::string ListRowText(const ListRow& row, const SeasonTexts& texts, bool dashes) {
  const std::string_view list = dashes ? Dash : std::string_view(texts.*(row.list));
  return Join({row.label, Blank3, list, Blank3, row.unit});
}

// The rows of one block, as values or as dashes.
void WriteListRows(SummaryWriter& out, std::span<const ListRow> rows, const SeasonTexts& texts,
                   bool dashes) {
  for (const ListRow& row : rows) out.Text(row.row, ColumnA, ListRowText(row, texts, dashes));
}

// Rows 19 and 30: label, the day, "เดือน", the month name, "ปี", the year, 3 blanks apart, as
// the three date lists hold them; with dashes "-" in place of each.
std::string StartDateText(std::string_view label, const SeasonTexts& texts, bool dashes) {
  const auto piece = [dashes](const std::string& text) {
    return dashes ? Dash : std::string_view(text);
  };
  return Join({label, Blank3, piece(texts.cboFirstdate), Blank3, MonthWord, Blank3,
               piece(texts.cboFirstmonth), Blank3, DateYearWord, Blank3,
               piece(texts.cboFirstyear)});
}

// "-", a blank, the text.
std::string DashedText(std::string_view text) { return Join({Dash, Blank1, text}); }

// Rows 1 to 40 with progress 93 to 98.
void WriteInputRows(SummaryWriter& out, const SummarySheetRun& run) {
  const SeasonTexts& t = run.texts;
  const SummaryFormTexts& form = run.form;
  Progress& progress = run.progress;

  out.Heading(1, ReportTitle);
  progress.ShowProgress(93);
  out.Heading(2, ProgramTitle);
  out.Heading(4, PlaceHeading);
  out.Text(5, ColumnA, DashedText(form.OfficeText));
  out.Text(6, ColumnA, DashedText(form.ProjectText));
  out.Text(7, ColumnA, DashedText(form.SectionText));
  progress.ShowProgress(94);

  out.Heading(9, ProvinceHeading);
  out.Text(10, ColumnA, Join({Dash, Blank1, ProvinceWord, Blank1, form.ProvinceText}));
  out.Heading(12, CropHeading);
  out.Text(13, ColumnA, DashedText(form.CropText));
  progress.ShowProgress(95);

  out.Heading(15, GroupsHeading);
  out.Text(16, ColumnA, Join({Dash, Blank1, GroupsLabel, Blank1, t.cboGroup, Blank1, GroupsUnit}));

  // The nursery and the transplanted field do not apply to the wet-seeded crop, the wet-seeded
  // field not to the two transplanted crops; any other crop text shows all three.
  const bool wetSeeded = t.cboCroptype == RDWetSeeded;
  const bool transplanted = t.cboCroptype == RDTransplanted || t.cboCroptype == KDML105Transplanted;

  out.Heading(18, NurseryHeading);
  out.Text(19, ColumnA, StartDateText(NurseryStartLabel, t, wetSeeded));
  WriteListRows(out, NurseryRows, t, wetSeeded);
  progress.ShowProgress(96);

  out.Heading(25, TransplantedFieldHeading);
  WriteListRows(out, TransplantedFieldRows, t, wetSeeded);
  out.Heading(29, WetSeededFieldHeading);
  out.Text(30, ColumnA, StartDateText(WetSeededStartLabel, t, transplanted));
  WriteListRows(out, WetSeededFieldRows, t, transplanted);
  progress.ShowProgress(97);

  out.Heading(35, SoilHeading);
  out.Text(36, ColumnA, Join({SoilLabel, Blank3, t.cboSoiltype}));
  out.Text(PercolationRow.row, ColumnA, ListRowText(PercolationRow, t, false));
  out.Heading(39, EfficiencyHeading);
  out.Text(EfficiencyRow.row, ColumnA, ListRowText(EfficiencyRow, t, false));
  progress.ShowProgress(98);
}

// The group-area heading in row 42 and one row per group, 1 to the number txtGroup shows;
// progress 100. Gives that number.
int WriteAreaRows(SummaryWriter& out, const SummarySheetRun& run) {
  out.Heading(42, AreaHeading);
  run.GroupCounter = locale::LeadingNumber(run.texts.txtGroup);
  const int groups = locale::ToInt16(run.GroupCounter);
  // The group tables hold groups 1 to 20; a larger count is no area entry's result.
  if (groups >= static_cast<int>(run.GroupLabel.size())) {
    throw std::out_of_range("the summary sheet lists groups 1 to 20, not " +
                            std::to_string(groups));
  }
  for (int i = 1; i <= groups; ++i) {
    const int row = i + 42;
    const auto g = static_cast<std::size_t>(i);
    out.Text(row, ColumnA,
             Join({Dash, Blank1, GroupWord, Blank1, run.GroupLabel[g], Blank3, AreaWord}));
    out.Sheet().Columns("A:A").SetColumnWidth(15);
    out.CommaText(row, AreaColumn, run.GroupArea[g]);
    out.Text(row, AreaUnitColumn, RaiUnit);
  }
  run.progress.ShowProgress(100);
  return groups < 0 ? 0 : groups;
}

// The season length by the rule of the run's crop, from the lists as they stand and the nursery
// weeks as the run left them (RefreshWeekFields would read those lists again); kept when no rule
// applies.
std::int16_t RecomputeScheduleWeeks(const SummarySheetRun& run) {
  WeekFields& w = run.weeks;
  const SeasonTexts& t = run.texts;
  const std::string_view crop = run.form.SelectedCrop;
  w.WetPrepWeeks = locale::WholeNumber(t.cboTriamplangNaWan);
  if (IsSeasonCrop(crop)) w.GroupCount = GroupCountByLocaleNumber(t);
  if (crop == RDWetSeeded) w.StopWeeks = locale::WholeNumber(t.cboStop);
  if (const std::optional<std::int16_t> weeks = ScheduleWeeksFor(crop, w)) {
    run.ScheduleWeeks = *weeks;
  }
  return run.ScheduleWeeks;
}

// The date a cell of the calculation sheet holds: a date, a date serial, or a text that reads as
// a Thai date.
locale::Date CellDate(sheet::Worksheet& sheet, int row, int column) {
  const sheet::Value value = sheet.Cells(row, column).GetValue();
  if (const auto* date = std::get_if<sheet::DateValue>(&value)) return date->date;
  if (const auto* serial = std::get_if<double>(&value)) return locale::SerialDate(*serial);
  if (const auto* text = std::get_if<std::string>(&value)) {
    if (const std::optional<locale::Date> date = locale::TryParseDateEntry(*text)) return *date;
  }
  throw locale::ConversionError("cell " + sheet::ColumnLetters(column) + std::to_string(row) +
                                " of the calculation sheet holds no date");
}

// Where the totals go: the month rows of one or two calendar years.
struct MonthRows {
  int firstYear = 0;
  int lastYear = 0;
  int count = 0;  // M, the number of month rows
};

// The rainfall heading and the month rows from the season's first to its last month, across the
// turn of the year too.
MonthRows WriteRainRows(SummaryWriter& out, const SummarySheetRun& run, int groups) {
  const SeasonTexts& t = run.texts;
  EffRainState& rain = run.rain;
  out.Heading(groups + 44, RainHeading);

  const int n = RecomputeScheduleWeeks(run);
  sheet::Worksheet& calc = run.workbook.Worksheets(CalcSheetIndex);
  const locale::Date first = CellDate(calc, WeekRow(1), WeekStartColumn);  // first day of week 1
  const locale::Date last = CellDate(calc, WeekRow(n), WeekEndColumn);     // last day of week n
  MonthRows rows;
  rows.firstYear = static_cast<int>(first.year());
  rows.lastYear = static_cast<int>(last.year());
  const int firstMonth = static_cast<int>(static_cast<unsigned>(first.month()));
  const int lastMonth = static_cast<int>(static_cast<unsigned>(last.month()));

  const int years = rows.lastYear - rows.firstYear;
  if ((years != 0 && years != 1) || !(t.optRe01 || t.optRe02)) return rows;
  if (t.optRe01) TUVORainDatabase2(t.cboProvince, rain);

  // Starts empty every run, so no earlier run's effective rainfall can show.
  std::string effRainText;
  const auto writeMonth = [&](int m) {
    const auto month = static_cast<std::size_t>(m);
    if (const MonthTextTable* table = ChosenEffRainTable(t, rain)) effRainText = (*table)[month];
    ++rows.count;
    out.Text(groups + 44 + rows.count, ColumnA,
             Join({Dash, Blank1, MonthWord, Blank2, run.MonthAbbrev[month], Blank2, MeanRainLabel,
                   Blank2, rain.StationMonthRain[month], Blank2, MillimetreUnit, Blank2,
                   EffRainLabel, Blank2, effRainText, Blank2, MillimetreUnit}));
  };
  if (years == 0) {
    for (int m = firstMonth; m <= lastMonth; ++m) writeMonth(m);
  } else {
    for (int m = firstMonth; m <= 12; ++m) writeMonth(m);
    for (int m = 1; m <= lastMonth; ++m) writeMonth(m);
  }
  return rows;
}

// The totals rounded to 2 decimals and the efficiency as text; the block below the month rows
// when the season lies in one or two calendar years.
SummaryTotalTexts WriteTotalRows(SummaryWriter& out, const SummarySheetRun& run, int groups,
                                 const MonthRows& months) {
  SummaryTotalTexts texts;
  for (const TotalLine& line : TotalLines) {
    texts.*(line.text) = locale::NumberText(locale::Round2(run.totals.*(line.total)));
  }
  texts.EfficiencyText = locale::NumberText(run.EfficiencyPercent);

  const int years = months.lastYear - months.firstYear;
  if (years != 0 && years != 1) return texts;

  const int heading = groups + months.count + 46;
  out.Heading(heading, TotalsHeading);
  const std::string grossLabel = Join({GrossLabelStart, Blank1, texts.EfficiencyText, Blank1,
                                       PercentUnit, Blank1, GrossLabelEnd});
  int row = heading;
  for (const TotalLine& line : TotalLines) {
    ++row;
    out.Text(row, ColumnA, line.label.empty() ? std::string_view(grossLabel) : line.label);
    out.CommaText(row, TotalColumn, texts.*(line.text));
    out.Text(row, TotalUnitColumn, CubicMetreUnit);
  }
  return texts;
}

}  // namespace

// From the top down, in one pass; nothing is kept between the stretches but the row counts.
SummaryTotalTexts StartSheet1(const SummarySheetRun& run) {
  run.workbook.Sheets(SummarySheetStartName).Select();
  SummaryWriter out(run.workbook);
  WriteInputRows(out, run);
  const int groups = WriteAreaRows(out, run);
  const MonthRows months = WriteRainRows(out, run, groups);
  return WriteTotalRows(out, run, groups, months);
}

}  // namespace tuvo
