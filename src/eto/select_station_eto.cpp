#include "eto/select_station_eto.h"

#include "eto/station_eto.h"

namespace tuvo {

void SelectStationETo(const SeasonTexts& texts, WeekLoop& loop, sheet::Workbook& workbook,
                      const StationEToFields& fields) {
  WeekFields& weeks = fields.weeks;
  RefreshWeekFields(texts, weeks);
  fields.SelectedCrop = texts.cboCroptype;
  fields.SelectedStation = texts.cboProvince;
  // The whole text, not its leading number: "3 groups" is no group count.
  weeks.GroupCount = GroupCountByLocaleNumber(texts);

  if (const auto seasonWeeks = ScheduleWeeksFor(fields.SelectedCrop, weeks)) {
    loop.EToLastWeek = *seasonWeeks;
  }

  if (const StationDispatchEntry* entry = FindStationETo(fields.SelectedStation)) {
    FillStationETo(*entry->table, loop, workbook);
  }
}

}  // namespace tuvo
