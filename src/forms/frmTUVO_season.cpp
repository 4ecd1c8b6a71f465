// Season length (the schedule-length step) and the season calendar of the main window.
#include "forms/frmTUVO.h"
#include "forms/frmTUVO_shared.h"
#include "forms/season_calendar.h"

#include <chrono>

namespace tuvo {

namespace {

using std::chrono::days;
using std::chrono::sys_days;

// Reads the week texts the crop's rule uses and the group count, then the season length. A text
// beyond the 16-bit range leaves every field as it was (the window goes on).
void SeasonLength(frmTUVO& frm, std::string_view crop) {
  MainFields& f = frm.Fields();
  WeekFields w = f;
  std::optional<std::int16_t> weeks;
  try {
    weeks = SeasonWeeksFromTexts(frm, crop, w, [](const controls::ComboBox& list) { return list.Text(); });
  } catch (const locale::OverflowError&) {
    return;
  }
  static_cast<WeekFields&>(f) = w;
  if (weeks) f.ScheduleWeeks = *weeks;
}

}  // namespace

// The crop's week fields from the given texts, then the length (shared with the rainfall entry).
std::optional<std::int16_t> SeasonWeeksFromTexts(const frmTUVO& frm, std::string_view crop, WeekFields& w,
                                                 const std::function<std::string(const controls::ComboBox&)>& textOf) {
  if (crop == RDWetSeeded) {
    w.WetPrepWeeks = locale::WholeNumber(textOf(frm.cboTriamplangNaWan));
    w.StopWeeks = locale::WholeNumber(textOf(frm.cboStop));
  } else {
    w.NurseryPrepWeeks = locale::WholeNumber(textOf(frm.cboTriamplangKla));
    w.SeedlingWeeks = locale::WholeNumber(textOf(frm.cboLiengklatime));
    w.NurseryWeeks = locale::ToInt16(static_cast<double>(w.NurseryPrepWeeks) + w.SeedlingWeeks);
  }
  w.GroupCount = locale::WholeNumber(frm.cboGroup.Text());
  return ScheduleWeeksFor(crop, w);
}

// Seven days a week from the first day.
locale::Date WeekStart(locale::Date seasonStart, int week) {
  return locale::Date{sys_days{seasonStart} + days{7 * (week - 1)}};
}

// The sixth day after the week's first.
locale::Date WeekEnd(locale::Date seasonStart, int week) {
  return locale::Date{sys_days{WeekStart(seasonStart, week)} + days{6}};
}

// The last day of the last week.
locale::Date SeasonEnd(locale::Date seasonStart, int scheduleWeeks) {
  if (scheduleWeeks < 1) return seasonStart;
  return WeekEnd(seasonStart, scheduleWeeks);
}

// Season length of the transplanted RD rice.
void frmTUVO::TimeControl01() { SeasonLength(*this, RDTransplanted); }

// Season length of the transplanted KDML 105 rice.
void frmTUVO::TimeControl02() { SeasonLength(*this, KDML105Transplanted); }

// Season length of the wet-seeded RD rice.
void frmTUVO::TimeControl03() { SeasonLength(*this, RDWetSeeded); }

// The season length by the crop text; any other text computes nothing.
void frmTUVO::ScheduleLengthStep() {
  const std::string crop = cboCroptype.Text();
  if (crop == RDTransplanted) TimeControl01();
  else if (crop == KDML105Transplanted) TimeControl02();
  else if (crop == RDWetSeeded) TimeControl03();
}

// The three date lists read as one Thai date.
std::optional<locale::Date> frmTUVO::SeasonStart() const {
  return locale::TryParseThaiDate(cboFirstdate.Text() + "/" + cboFirstmonth.Text() + "/" + cboFirstyear.Text());
}

// Start year picked: the date is complete; it fixes the season's first and last month.
void frmTUVO::cboFirstyear_Click() {
  optRe01.SetEnabled(true);
  optRe02.SetEnabled(true);
  ScheduleLengthStep();
  const std::optional<locale::Date> start = SeasonStart();
  if (!start) return;  // the texts name no date: the months stay as they were
  fields_.SeasonFirstMonth = static_cast<float>(static_cast<unsigned>(start->month()));
  const locale::Date end = SeasonEnd(*start, fields_.ScheduleWeeks);
  fields_.SeasonLastMonth = static_cast<float>(static_cast<unsigned>(end.month()));
  fields_.RainEntryMonth = static_cast<std::int16_t>(fields_.SeasonFirstMonth);
  fields_.Rain.EffRainMonth = fields_.SeasonFirstMonth - 1;
  // An own-rainfall entry under way starts over at the new season's first month, and says so.
  if (optRe02.Value()) RainEntryAtFirstMonth();
}

// After the last group's area: the summary shows the first day, the last day and the weeks.
void frmTUVO::TimeControl04() {
  ScheduleLengthStep();
  if (const std::optional<locale::Date> start = SeasonStart()) {
    lblFirst.SetCaption(locale::ShortDate(*start));
    lbllast.SetCaption(locale::ShortDate(SeasonEnd(*start, fields_.ScheduleWeeks)));
  }
  lblweek.SetCaption(std::to_string(fields_.ScheduleWeeks));
}

}  // namespace tuvo
