// Tables and small helpers that several files of the main window's handlers share (only the
// main window's own files include it).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>

#include "forms/frmTUVO.h"
#include "platform/controls.h"
#include "platform/locale.h"
#include "rain/eff_rain_state.h"
#include "season/season.h"

namespace tuvo {

// The 22 lists of a season's inputs, in the order the run locks them: the area entry and the run
// lock them, the reset unlocks and empties them. None of that raises a handler of the window.
inline constexpr controls::ComboBox frmTUVO::*kSeasonLists[] = {
    &frmTUVO::cboSamnuk,          &frmTUVO::cboKrongkan,        &frmTUVO::cboFai,
    &frmTUVO::cboProvince,        &frmTUVO::cboCroptype,        &frmTUVO::cboGroup,
    &frmTUVO::cboTriamplangKla,   &frmTUVO::cboLiengklatime,    &frmTUVO::cboATokla,
    &frmTUVO::cboTriamdinkla,     &frmTUVO::cboLiengkla,        &frmTUVO::cboTriamplangNaDam,
    &frmTUVO::cboNadam1,          &frmTUVO::cboTriamplangNaWan, &frmTUVO::cboStop,
    &frmTUVO::cboNawan1,          &frmTUVO::cboSoiltype,        &frmTUVO::cboDeeper,
    &frmTUVO::cboEfficiency,      &frmTUVO::cboFirstdate,       &frmTUVO::cboFirstmonth,
    &frmTUVO::cboFirstyear,
};

// The lists that must be filled before the areas or the own rainfall can be entered, in the
// order they are tested.
inline constexpr controls::ComboBox frmTUVO::*kRequiredLists[] = {
    &frmTUVO::cboSamnuk,    &frmTUVO::cboProvince,  &frmTUVO::cboCroptype,
    &frmTUVO::cboGroup,     &frmTUVO::cboFirstdate, &frmTUVO::cboFirstmonth,
    &frmTUVO::cboFirstyear, &frmTUVO::cboSoiltype,  &frmTUVO::cboDeeper,
};

// Whether the first `count` required lists (all of them by default) hold a text.
inline bool RequiredListsFilled(const frmTUVO& frm, std::size_t count = std::size(kRequiredLists)) {
  for (std::size_t i = 0; i < count; ++i) {
    if ((frm.*kRequiredLists[i]).Text().empty()) return false;
  }
  return true;
}

// Whether cboEfficiency holds an efficiency the gross water can be divided by: its leading number
// above 0 (the empty text, 0, a negative number or one beyond a double are none).
inline bool EfficiencyChosen(const frmTUVO& frm) {
  try {
    return locale::LeadingNumber(frm.cboEfficiency.Text()) > 0;
  } catch (const locale::OverflowError&) {
    return false;
  }
}

// A soil texture of cboSoiltype and the percolation rate (mm/day) offered for it.
struct SoilType {
  std::string_view text;
  std::string_view rate;
};

// The soil textures, in list order.
inline constexpr SoilType kSoilTypes[] = {
    {"ดินเหนียว(Clay)", "1.0"},
    {"ดินร่วนปนดินเหนียว(Clay Loam)", "1.5"},
    {"ดินร่วน(Loam)", "2.0"},
    {"ดินร่วนปนทราย(Sandy Loam)", "2.5"},
};

// The week fields the crop's length rule uses, read from the texts `textOf` gives for the week
// lists (the wet-seeded crop's two, or the nursery's two and their sum), and the group count;
// then the season length, none without a rule. A text beyond 16 bits throws OverflowError.
std::optional<std::int16_t> SeasonWeeksFromTexts(const frmTUVO& frm, std::string_view crop, WeekFields& w,
                                                 const std::function<std::string(const controls::ComboBox&)>& textOf);

// Months 1 to 12 of a month table emptied; element 0 is never used.
inline void ClearMonths(MonthTextTable& table) {
  for (std::size_t month = 1; month <= 12; ++month) table[month].clear();
}

// Months 1 to 12 of the six effective-rainfall tables emptied.
inline void ClearEffRainMonths(EffRainState& rain) {
  for (MonthTextTable* table : {&rain.ReDepartment, &rain.ReECI, &rain.ReAcres1, &rain.ReAcres2, &rain.ReAcres3,
                                &rain.ReUSDA}) {
    ClearMonths(*table);
  }
}

// Whether the leading number of a typed text lies in low .. high, both included (a number
// beyond the range of a double does not).
inline bool LeadingNumberWithin(std::string_view text, double low, double high) {
  try {
    const double value = locale::LeadingNumber(text);
    return value >= low && value <= high;
  } catch (const locale::OverflowError&) {
    return false;
  }
}

// A typed value outside low .. high is refused: a beep and an emptied field. The emptying raises
// Change again, which beeps once more where 0 lies outside the range, as emptying by hand does.
template <typename Field>
void RefuseOutside(Field& field, double low, double high) {
  if (LeadingNumberWithin(field.Text(), low, high)) return;
  controls::Beep();
  field.SetText("");
}

}  // namespace tuvo
