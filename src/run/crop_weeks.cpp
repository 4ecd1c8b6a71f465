#include "run/crop_weeks.h"

#include "platform/sheet/sheet.h"
#include "run/group_schedule.h"
#include "season/progress.h"
#include "season/workbook_layout.h"

namespace tuvo {

std::optional<CropWeekShape> CropWeeksFor(std::string_view crop, const WeekFields& weeks) {
  if (crop == RDTransplanted) {
    if (weeks.SeedlingWeeks == 3) return CropWeekShape{weeks.NurseryWeeks, FillKcRDTransplanted3()};
    if (weeks.SeedlingWeeks == 4) return CropWeekShape{weeks.NurseryWeeks, FillKcRDTransplanted4()};
  } else if (crop == KDML105Transplanted) {
    if (weeks.SeedlingWeeks == 3) {
      return CropWeekShape{weeks.NurseryWeeks, FillKcKDML105Transplanted3()};
    }
    if (weeks.SeedlingWeeks == 4) {
      return CropWeekShape{weeks.NurseryWeeks, FillKcKDML105Transplanted4()};
    }
  } else if (crop == RDWetSeeded) {
    const int p = weeks.WetPrepWeeks + weeks.StopWeeks;
    if (weeks.StopWeeks == 1) return CropWeekShape{p, FillKcRDWetSeeded1()};
    if (weeks.StopWeeks == 2) return CropWeekShape{p, FillKcRDWetSeeded2()};
    if (weeks.StopWeeks == 3) return CropWeekShape{p, FillKcRDWetSeeded3()};
  }
  return std::nullopt;
}

void FillCropWeeks(const SeasonTexts& texts, const GroupAreaTable& areas, WeekFields& weeks,
                   std::string& selectedCrop, sheet::Workbook& workbook, Progress& progress) {
  RefreshWeekFields(texts, weeks);
  weeks.GroupCount = GroupCountByLeadingNumber(texts);
  selectedCrop = texts.cboCroptype;

  const int groupCount = weeks.GroupCount;
  CheckGroupCount(groupCount);
  sheet::Worksheet& calc = workbook.Worksheets(CalcSheetIndex);
  for (int g = 1; g <= groupCount; ++g) {
    const std::optional<CropWeekShape> shape = CropWeeksFor(texts.cboCroptype, weeks);
    if (!shape) continue;
    for (int i = 1; i <= static_cast<int>(shape->kc.size()); ++i) {
      const int row = GroupWeekRow(g, shape->preCropWeeks + i);
      const int areaColumn = GroupColumn(g, BlockColumn::PlantedArea);
      const int kcColumn = GroupColumn(g, BlockColumn::Kc);
      calc.Cells(row, areaColumn).SetValue(std::string_view(areas[g]));
      calc.Cells(row, areaColumn).SetStyle("comma");
      calc.Cells(row, kcColumn).SetValue(shape->kc[i - 1]);
      calc.Cells(row, kcColumn).SetHorizontalAlignment(sheet::xl::Center);
    }
  }
  progress.ShowProgress(35);
}

}  // namespace tuvo
