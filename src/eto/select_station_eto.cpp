#include "eto/select_station_eto.h"

#include "eto/station_eto.h"
#include "platform/locale.h"

namespace tuvo {

void SelectStationETo(const SeasonTexts& texts, WeekLoop& loop, sheet::Workbook& workbook,
                      const StationEToFields& fields) {
  WeekFields& weeks = fields.weeks;
  weeks.NurseryPrepWeeks = locale::WholeNumber(texts.cboTriamplangKla);
  weeks.SeedlingWeeks = locale::WholeNumber(texts.cboLiengklatime);
  weeks.NurseryWeeks = locale::ToInt16(weeks.NurseryPrepWeeks + weeks.SeedlingWeeks);
  fields.SelectedCrop = texts.cboCroptype;
  fields.SelectedStation = texts.cboProvince;
  weeks.WetPrepWeeks = locale::WholeNumber(texts.cboTriamplangNaWan);
  weeks.StopWeeks = locale::WholeNumber(texts.cboStop);
  // The whole text, not its leading number: "3 groups" is no group count.
  weeks.GroupCount = locale::ToInt16(locale::ToNumber(texts.cboGroup));

  if (const auto seasonWeeks = ScheduleWeeksFor(fields.SelectedCrop, weeks)) {
    loop.EToLastWeek = *seasonWeeks;
  }

  if (const StationDispatchEntry* entry = FindStationETo(fields.SelectedStation)) {
    FillStationETo(*entry->table, loop, workbook);
  }
}

}  // namespace tuvo
