#include "run/group_schedule.h"

#include <optional>
#include <string_view>
#include <variant>

#include "platform/locale.h"
#include "platform/sheet/sheet.h"
#include "season/progress.h"
#include "season/workbook_layout.h"

namespace tuvo {

namespace {

// A week's depth: a number of mm, or the text "0.00" of the first seedling week.
using Depth = std::variant<double, std::string_view>;
inline constexpr std::string_view FirstSeedlingDepth = "0.00";
inline constexpr std::string_view DepthFormat = "0.00";

// Week k (1 or 2) of a depth given whole in one week or as one third and two thirds over two.
double TwoWeekDepthSplit(double total, int weeks, int k) {
  if (weeks == 1) return total;
  return k == 1 ? total / 3 : 2 * total / 3;
}

// The nursery-bed and seedling depth of group week j (1 .. K1). The nursery bed takes one week
// only for the usual one-week preparation with 3 or 4 seedling weeks; the seedling water is
// spread in halves after three seedling weeks and otherwise in thirds.
Depth NurseryDepth(int tk, int lk, int j, double bedWater, double seedlingWater) {
  const int bedWeeks = (tk == 1 && (lk == 3 || lk == 4)) ? 1 : 2;
  if (j <= bedWeeks) return TwoWeekDepthSplit(bedWater, bedWeeks, j);
  if (j == bedWeeks + 1) return FirstSeedlingDepth;
  const bool halves = lk == 3 && (tk == 1 || tk == 2);
  return seedlingWater / (halves ? 2 : 3);  // SeedlingWaterSpread
}

// A depth cell: a number with the format "0.00", or the text as it stands.
void WriteDepth(sheet::Worksheet& calc, int row, int column, const Depth& depth) {
  if (const double* mm = std::get_if<double>(&depth)) {
    calc.Cells(row, column).SetValue(*mm);
    calc.Cells(row, column).SetNumberFormat(DepthFormat);
  } else {
    // Written as typed entry, as the spreadsheet takes the text: it becomes the number 0 and keeps
    // no "0.00" format of its own.
    calc.Cells(row, column).SetValue(std::get<std::string_view>(depth));
  }
}

// The group's area as a number; the locale's conversion, so "1,500" reads 1500.
double AreaNumber(const GroupAreaTable& areas, int g) {
  if (auto number = locale::TryToNumber(areas[g])) return *number;
  throw GroupScheduleError("group " + std::to_string(g) + ": the area \"" + areas[g] +
                           "\" is not a number");
}

struct TransplantInputs {
  int tk = 0, lk = 0, k1 = 0, nd = 0;
  double ratio = 0, bedWater = 0, seedlingWater = 0, prepWater = 0;
};

// Nursery weeks 1 .. K1 of a transplanted group, with land preparation in the last ND of them.
void TransplantedGroup(sheet::Workbook& workbook, const TransplantInputs& in,
                       const std::string& area, double areaNumber, int g) {
  sheet::Worksheet& calc = workbook.Worksheets(CalcSheetIndex);
  const int nurseryArea = GroupColumn(g, BlockColumn::NurseryArea);
  const int nurseryDepth = GroupColumn(g, BlockColumn::NurseryDepth);
  const int prepArea = GroupColumn(g, BlockColumn::PrepArea);
  const int prepDepth = GroupColumn(g, BlockColumn::PrepDepth);
  // Land preparation is laid out only for the nursery lengths the lists offer.
  const bool hasPrep = in.k1 >= 4 && in.k1 <= 6 && (in.nd == 1 || in.nd == 2);
  for (int j = 1; j <= in.k1; ++j) {
    const int r = GroupWeekRow(g, j);
    calc.Cells(r, nurseryArea).SetValue(areaNumber / in.ratio);
    WriteDepth(calc, r, nurseryDepth, NurseryDepth(in.tk, in.lk, j, in.bedWater, in.seedlingWater));
    if (hasPrep) {
      for (int k = 1; k <= in.nd; ++k) {
        const int prepRow = GroupWeekRow(g, in.k1 - in.nd + k);
        calc.Cells(prepRow, prepArea).SetValue(std::string_view(area));
        WriteDepth(calc, prepRow, prepDepth, TwoWeekDepthSplit(in.prepWater, in.nd, k));
      }
    }
    calc.Cells(r, nurseryArea).Select();
    workbook.Selection().SetColumnWidth(15);
    workbook.Selection().SetStyle("comma");
  }
}

// Land-preparation weeks of a wet-seeded group: one week for W = 1, two for any other W.
void WetSeededGroup(sheet::Workbook& workbook, int w, double prepWater, const std::string& area,
                    int g) {
  sheet::Worksheet& calc = workbook.Worksheets(CalcSheetIndex);
  const int weeks = w == 1 ? 1 : 2;
  for (int k = 1; k <= weeks; ++k) {
    const int r = GroupWeekRow(g, k);
    calc.Cells(r, GroupColumn(g, BlockColumn::PrepArea)).SetValue(std::string_view(area));
    WriteDepth(calc, r, GroupColumn(g, BlockColumn::PrepDepth),
               TwoWeekDepthSplit(prepWater, weeks, k));
  }
}

}  // namespace

void CheckGroupCount(int groupCount) {
  if (groupCount >= static_cast<int>(GroupAreaTable{}.size())) {
    throw GroupScheduleError("the group count " + std::to_string(groupCount) +
                             " exceeds the " + std::to_string(GroupAreaTable{}.size() - 1) +
                             " area groups");
  }
}

void FillNurseryPrepWeeks(const SeasonTexts& texts, const GroupAreaTable& areas, WeekFields& weeks,
                          std::string& selectedCrop, sheet::Workbook& workbook,
                          Progress& progress) {
  weeks.NurseryWeeks = locale::ToInt16(weeks.SeedlingWeeks + weeks.NurseryPrepWeeks);
  TransplantInputs in;
  in.tk = weeks.NurseryPrepWeeks;
  in.lk = weeks.SeedlingWeeks;
  in.k1 = weeks.NurseryWeeks;
  in.ratio = locale::WholeNumber(texts.cboATokla);
  in.nd = locale::WholeNumber(texts.cboTriamplangNaDam);
  weeks.WetPrepWeeks = locale::WholeNumber(texts.cboTriamplangNaWan);
  in.bedWater = locale::WholeNumber(texts.cboTriamdinkla);
  in.seedlingWater = locale::WholeNumber(texts.cboLiengkla);
  in.prepWater = locale::LeadingNumber(texts.cboNadam1);
  const double wetPrepWater = locale::LeadingNumber(texts.cboNawan1);
  weeks.GroupCount = GroupCountByLeadingNumber(texts);
  selectedCrop = texts.cboCroptype;

  const int groupCount = weeks.GroupCount;
  CheckGroupCount(groupCount);
  for (int g = 1; g <= groupCount; ++g) {
    const std::string_view crop = texts.cboCroptype;
    if (crop == RDTransplanted || crop == KDML105Transplanted) {
      if (in.ratio == 0) {
        throw GroupScheduleError("the nursery ratio \"" + texts.cboATokla + "\" is zero");
      }
      TransplantedGroup(workbook, in, areas[g], AreaNumber(areas, g), g);
    } else if (crop == RDWetSeeded) {
      WetSeededGroup(workbook, weeks.WetPrepWeeks, wetPrepWater, areas[g], g);
    }
    progress.SetBar(8 + groupCount / 20.0);
  }
  progress.ShowProgress(26);
}

}  // namespace tuvo
