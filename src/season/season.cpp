#include "season/season.h"

#include "platform/locale.h"
#include "season/season_inputs.h"

namespace tuvo {

bool IsSeasonCrop(std::string_view crop) {
  return crop == RDTransplanted || crop == KDML105Transplanted || crop == RDWetSeeded;
}

std::optional<std::int16_t> ScheduleWeeksFor(std::string_view crop, const WeekFields& w) {
  const int g = w.GroupCount;
  int weeks = 0;
  if (crop == RDTransplanted) {
    if (w.SeedlingWeeks == 3) weeks = g + w.NurseryWeeks + 13;
    else if (w.SeedlingWeeks == 4) weeks = g + w.NurseryWeeks + 12;
    else return std::nullopt;
  } else if (crop == KDML105Transplanted) {
    if (w.SeedlingWeeks == 3) weeks = g + w.NurseryWeeks + 14;
    else if (w.SeedlingWeeks == 4) weeks = g + w.NurseryWeeks + 13;
    else return std::nullopt;
  } else if (crop == RDWetSeeded) {
    if (w.StopWeeks == 1) weeks = g + w.WetPrepWeeks + w.StopWeeks + 14;
    else if (w.StopWeeks == 2) weeks = g + w.WetPrepWeeks + w.StopWeeks + 13;
    else if (w.StopWeeks == 3) weeks = g + w.WetPrepWeeks + w.StopWeeks + 12;
    else return std::nullopt;
  } else {
    return std::nullopt;
  }
  // The sums are 16-bit in the window's fields; a typed value far out of range overflows.
  return locale::ToInt16(weeks);
}

void RefreshWeekFields(const SeasonTexts& texts, WeekFields& weeks) {
  weeks.NurseryPrepWeeks = locale::WholeNumber(texts.cboTriamplangKla);
  weeks.SeedlingWeeks = locale::WholeNumber(texts.cboLiengklatime);
  weeks.NurseryWeeks =
      locale::ToInt16(static_cast<double>(weeks.NurseryPrepWeeks) + weeks.SeedlingWeeks);
  weeks.WetPrepWeeks = locale::WholeNumber(texts.cboTriamplangNaWan);
  weeks.StopWeeks = locale::WholeNumber(texts.cboStop);
}

WeekFields ReadWeekFields(const SeasonTexts& texts) {
  WeekFields weeks;
  RefreshWeekFields(texts, weeks);
  return weeks;
}

std::int16_t GroupCountByLeadingNumber(const SeasonTexts& texts) {
  return locale::WholeNumber(texts.cboGroup);
}

std::int16_t GroupCountByLocaleNumber(const SeasonTexts& texts) {
  return locale::ToInt16(locale::ToNumber(texts.cboGroup));
}

}  // namespace tuvo
