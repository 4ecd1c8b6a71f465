// Effective-rainfall choice and own rainfall entry: the six method buttons, the rainfall source,
// and the month-by-month entry that stores each typed month and converts it by all six methods.
#include "forms/frmTUVO.h"
#include "forms/frmTUVO_shared.h"

#include <chrono>
#include <cmath>
#include <initializer_list>
#include <iterator>
#include <span>
#include <stdexcept>
#include <vector>

#include "forms/season_calendar.h"
#include "platform/controls.h"
#include "platform/locale.h"
#include "rain/eff_rain_methods.h"
#include "run/run_driver.h"

namespace tuvo {

namespace {

using controls::ComboBox;
using controls::OptionButton;

// Caption of cmdRe.
constexpr std::string_view kStoreCaption = "ใส่ข้อมูล";

// A month's rainfall is accepted from 0 to 1000 mm.
constexpr double kMaxMonthRain = 1000;

// The entry tests the first seven required lists; the last two (soil and rate) only while typing.
constexpr std::size_t kListsBeforeTyping = 7;

// The six method buttons, in the order their handlers clear them.
constexpr OptionButton frmTUVO::*kMethodButtons[] = {
    &frmTUVO::optRe1,    &frmTUVO::optRe2,    &frmTUVO::optAcres1,
    &frmTUVO::optAcres2, &frmTUVO::optAcres3, &frmTUVO::optUSDA,
};

// A month number as a whole number, halves to even (the counters hold 0 to 24).
std::int16_t Whole(float month) { return static_cast<std::int16_t>(std::nearbyint(month)); }

// A month table's element for the month number; outside 0 to `last` is a subscript error.
std::size_t MonthIndex(double month, std::size_t last) {
  const double index = std::nearbyint(month);
  if (!(index >= 0 && index <= static_cast<double>(last))) {
    throw std::out_of_range("month " + locale::NumberText(month) + " is outside 0 to " + std::to_string(last));
  }
  return static_cast<std::size_t>(index);
}

// The season a run started now would compute: its first day and its number of weeks.
struct RunSeason {
  locale::Date start;
  int weeks = 0;
};

// The text of a week list as the run reads it, after it has written its defaults.
std::string RunWeekText(const ComboBox& list, bool transplanted) {
  const std::string text = list.Text();
  if (!NeedsDefault(text)) return text;
  for (const PreparationDefault& d : transplanted ? std::span<const PreparationDefault>(TransplantedDefaults)
                                                  : std::span<const PreparationDefault>(WetSeededDefaults)) {
    if (d.list == list.Name()) return std::string(d.text);
  }
  return text;
}

// The season from the window's lists as the run will take them; none without a start date. With
// no length rule for the texts the run keeps the length computed last, and so does this.
std::optional<RunSeason> SeasonOfRun(const frmTUVO& frm) {
  const std::optional<locale::Date> start = frm.SeasonStart();
  if (!start) return std::nullopt;
  RunSeason season{*start, frm.Fields().ScheduleWeeks};
  const std::string crop = frm.cboCroptype.Text();
  const bool transplanted = crop == RDTransplanted || crop == KDML105Transplanted;
  try {
    WeekFields w;
    const auto runText = [transplanted](const ComboBox& list) { return RunWeekText(list, transplanted); };
    if (const std::optional<std::int16_t> weeks = SeasonWeeksFromTexts(frm, crop, w, runText)) season.weeks = *weeks;
  } catch (const locale::OverflowError&) {
    // a text beyond 16 bits: Compute names it before it starts
  }
  return season;
}

// The months (1 to 12) that hold a day of the season, in the season's order.
std::vector<unsigned> MonthsReached(const RunSeason& season) {
  using namespace std::chrono;
  const locale::Date end = SeasonEnd(season.start, season.weeks);
  const year_month last = end.year() / end.month();
  std::vector<unsigned> reached;
  for (year_month ym = season.start.year() / season.start.month(); ym <= last && reached.size() < 12; ym += months{1}) {
    reached.push_back(static_cast<unsigned>(ym.month()));
  }
  return reached;
}

// The required-list check of the entry: the first seven lists, or all nine while typing. All
// filled opens the store and restart buttons; otherwise they and Compute are disabled.
void EntryListCheck(frmTUVO& frm, bool typing) {
  const std::size_t count = typing ? std::size(kRequiredLists) : kListsBeforeTyping;
  if (RequiredListsFilled(frm, count)) {
    frm.cmdRe.SetEnabled(true);
    frm.cmdEdit2.SetEnabled(true);
  } else {
    frm.cmdRe.SetEnabled(false);
    frm.cmdEdit2.SetEnabled(false);
    frm.cmdRun.SetEnabled(false);
  }
}

// A method button chosen: the other five are cleared; nothing is recomputed.
void OnlyMethod(frmTUVO& frm, OptionButton frmTUVO::*own) {
  for (OptionButton frmTUVO::*button : kMethodButtons) {
    if (button != own) (frm.*button).SetValue(false);
  }
}

// The focus on a method button: Tab selects no button by itself, and clearing the other five
// would leave none selected, so a button the focus reaches unselected is selected, which raises
// its Click and clears the others as a click does.
void MethodFocused(frmTUVO& frm, OptionButton frmTUVO::*own) {
  if ((frm.*own).Value()) {
    OnlyMethod(frm, own);
  } else {
    (frm.*own).SetValue(true);
  }
}

}  // namespace

// A method button clicked clears the other five, across their frames.
void frmTUVO::optRe1_Click() { OnlyMethod(*this, &frmTUVO::optRe1); }
void frmTUVO::optRe2_Click() { OnlyMethod(*this, &frmTUVO::optRe2); }
void frmTUVO::optAcres1_Click() { OnlyMethod(*this, &frmTUVO::optAcres1); }
void frmTUVO::optAcres2_Click() { OnlyMethod(*this, &frmTUVO::optAcres2); }
void frmTUVO::optAcres3_Click() { OnlyMethod(*this, &frmTUVO::optAcres3); }
void frmTUVO::optUSDA_Click() { OnlyMethod(*this, &frmTUVO::optUSDA); }
// The focus on a method button chooses it, as its click does: exactly one stays selected.
void frmTUVO::optRe1_GotFocus() { MethodFocused(*this, &frmTUVO::optRe1); }
void frmTUVO::optRe2_GotFocus() { MethodFocused(*this, &frmTUVO::optRe2); }
void frmTUVO::optAcres1_GotFocus() { MethodFocused(*this, &frmTUVO::optAcres1); }
void frmTUVO::optAcres2_GotFocus() { MethodFocused(*this, &frmTUVO::optAcres2); }
void frmTUVO::optAcres3_GotFocus() { MethodFocused(*this, &frmTUVO::optAcres3); }
void frmTUVO::optUSDA_GotFocus() { MethodFocused(*this, &frmTUVO::optUSDA); }

// The months the entry covers, the month to type and its box, all enabled or all disabled.
void frmTUVO::EnableRainMonthEntry(bool enabled) {
  for (controls::Control* c : std::initializer_list<controls::Control*>{&Label9, &Label3, &Label13, &Label17, &lblMonth, &txtRain}) {
    c->SetEnabled(enabled);
  }
}

// Station database chosen: the own-rainfall entry closes; counters and tables stay as they are.
void frmTUVO::optRe01_Click() {
  optRe02.SetValue(false);
  EnableRainMonthEntry(false);
  cmdRe.SetEnabled(false);
  cmdEdit2.SetEnabled(false);
  for (controls::Label* l : {&lblMonth, &Label13, &Label17}) l->SetCaption("?");
}

// Own rainfall chosen: the entry opens at the season's first month; stored months stay.
void frmTUVO::optRe02_Click() {
  RainEntryAtFirstMonth();
  optRe01.SetValue(false);
  EntryListCheck(*this, false);
  EnableRainMonthEntry(true);
}

// A click into the rainfall box only checks the lists.
void frmTUVO::txtRain_Click() { EntryListCheck(*this, false); }

// Every change: the lists, then the range; a rainfall below 0 or above 1000 mm beeps and empties
// the box (the empty box is accepted as 0).
void frmTUVO::txtRain_Change() {
  EntryListCheck(*this, true);
  RefuseOutside(txtRain, 0, kMaxMonthRain);
}

// Stores the typed rainfall as the next month of the season, converts it by all six methods and
// names the month to type next; the season's last month ends the entry.
void frmTUVO::cmdRe_Click() {
  EffRainState& rain = fields_.Rain;
  fields_.RainEntryLastMonth = Whole(fields_.SeasonLastMonth);
  fields_.RainEntryMonth = static_cast<std::int16_t>(fields_.RainEntryMonth + 1);
  rain.EffRainMonth += 1;
  if (fields_.RainEntryMonth >= 13 && fields_.RainEntryMonth <= 24) fields_.RainEntryMonth -= 12;
  if (rain.EffRainMonth >= 13 && rain.EffRainMonth <= 24) rain.EffRainMonth -= 12;
  lblMonth.SetCaption(fields_.MonthAbbrev.at(MonthIndex(fields_.RainEntryMonth, 13)));
  rain.EffRainInput = locale::LeadingNumber(txtRain.Text());
  const std::size_t month = MonthIndex(rain.EffRainMonth, 12);
  rain.StationMonthRain[month] = locale::NumberText(rain.EffRainInput);
  fields_.TypedMonthRain[month] = rain.StationMonthRain[month];
  txtRain.SetFocus();
  EvaluateEffRainMonth(rain);
  txtRain.SetText("");
  if (rain.EffRainMonth == fields_.RainEntryLastMonth) FinishRainEntry();
}

// The season's last month is stored: the box shows its value and closes; Compute opens once
// every group has its area too.
void frmTUVO::FinishRainEntry() {
  const EffRainState& rain = fields_.Rain;
  lblMonth.SetCaption(fields_.MonthAbbrev.at(MonthIndex(rain.EffRainMonth, 13)));
  txtRain.SetText(locale::NumberText(rain.EffRainInput));
  txtRain.SetEnabled(false);
  cmdRe.SetEnabled(false);
  if (AreasComplete()) cmdRun.SetEnabled(true);
  cmdRun.SetFocus();
}

// Restarts the entry: the six tables lose every month, and typing starts again at the season's
// first month as the season stands now. The typed rainfall stays until its month is stored again.
void frmTUVO::cmdEdit2_Click() {
  txtRain.SetEnabled(true);
  ClearEffRainMonths(fields_.Rain);
  ClearMonths(fields_.TypedMonthRain);
  fields_.RainEntryLastMonth = 0;
  txtRain.SetText("");
  cmdRe.SetEnabled(true);
  cmdRe.SetCaption(kStoreCaption);
  lblMonth.SetEnabled(true);
  // Only a finished area entry is closed again; one under way keeps its place and its groups.
  if (!txtArea2.Enabled()) FinishAreaEntry();
  RainEntryAtFirstMonth();
}

// The entry at the season's first month, as the season stands now.
void frmTUVO::RainEntryAtFirstMonth() {
  if (const std::optional<RunSeason> season = SeasonOfRun(*this)) {
    fields_.SeasonFirstMonth = static_cast<float>(static_cast<unsigned>(season->start.month()));
    fields_.SeasonLastMonth =
        static_cast<float>(static_cast<unsigned>(SeasonEnd(season->start, season->weeks).month()));
  }
  fields_.RainEntryMonth = Whole(fields_.SeasonFirstMonth);
  fields_.Rain.EffRainMonth = fields_.SeasonFirstMonth - 1;
  lblMonth.SetCaption(fields_.MonthAbbrev.at(MonthIndex(fields_.RainEntryMonth, 13)));
  Label13.SetCaption(fields_.MonthAbbrev.at(MonthIndex(fields_.SeasonFirstMonth, 13)));
  Label17.SetCaption(fields_.MonthAbbrev.at(MonthIndex(fields_.SeasonLastMonth, 13)));
}

// The counters at the end of the area entry: an own-rainfall entry keeps its place.
void frmTUVO::RainCountersAfterAreaEntry() {
  if (optRe02.Value()) return;
  fields_.Rain.EffRainMonth = 0;
  fields_.RainEntryLastMonth = 0;
  fields_.RainEntryMonth = 0;
}

// The months of the season a run on own rainfall would reach without a typed value, if any.
std::optional<std::string> frmTUVO::OwnRainRefusal() const {
  if (optRe01.Value() || !optRe02.Value()) return std::nullopt;  // the run takes the station
  const std::optional<RunSeason> season = SeasonOfRun(*this);
  if (!season) return std::nullopt;  // no start date: the run's own checks stop it
  const std::vector<unsigned> reached = MonthsReached(*season);
  std::string missing;
  for (unsigned m : reached) {
    const std::string& typed = fields_.TypedMonthRain[m];
    if (typed.empty() || fields_.Rain.StationMonthRain[m] != typed) {
      missing += (missing.empty() ? "" : " ") + fields_.MonthAbbrev.at(m);
    }
  }
  if (missing.empty()) return std::nullopt;
  const unsigned first = reached.front();
  const unsigned last = reached.back();
  return Frame7.Caption() + ": ยังไม่ได้ใส่ข้อมูลของเดือน " + missing + " ซึ่งอยู่ในช่วงที่คำนวณ (" + fields_.MonthAbbrev.at(first) +
         " - " + fields_.MonthAbbrev.at(last) + ") กรุณาคลิก \"" + cmdEdit2.Caption() + "\" แล้วใส่ข้อมูลใหม่ทุกเดือน";
}

}  // namespace tuvo
