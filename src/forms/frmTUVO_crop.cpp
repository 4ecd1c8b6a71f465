// Crop, start-date and preparation inputs: the frames of the planting system, the date cascade,
// the dependent depth lists, the soil's percolation rate and the checks of typed values.
#include "forms/frmTUVO.h"
#include "forms/frmTUVO_shared.h"

#include <initializer_list>
#include <string_view>

#include "platform/controls.h"
#include "platform/locale.h"

namespace tuvo {

namespace {

using controls::ComboBox;
using controls::Control;

// Captions of the start-date frame by planting system.
constexpr std::string_view kFrame10WetSeeded = "วัน-เดือน-ปี ที่เริ่มเตรียมแปลงนาหว่าน";
constexpr std::string_view kFrame10Transplanted = "วัน-เดือน-ปี ที่เริ่มเตรียมแปลงกล้านาดำ";

// A water-depth list depends on the weeks chosen in its week list: the week text picks its items.
struct DependentRow {
  ComboBox frmTUVO::*source;
  std::string_view text;
  ComboBox frmTUVO::*dependent;
  std::string_view items[2];  // an empty item ends a shorter row
};

constexpr DependentRow kDependentLists[] = {
    {&frmTUVO::cboTriamplangKla, "1", &frmTUVO::cboTriamdinkla, {"100", "150"}},
    {&frmTUVO::cboTriamplangKla, "2", &frmTUVO::cboTriamdinkla, {"150", "200"}},
    {&frmTUVO::cboLiengklatime, "3", &frmTUVO::cboLiengkla, {"250", "300"}},
    {&frmTUVO::cboLiengklatime, "4", &frmTUVO::cboLiengkla, {"300", "350"}},
    {&frmTUVO::cboTriamplangNaDam, "1", &frmTUVO::cboNadam1, {"250", "300"}},
    {&frmTUVO::cboTriamplangNaDam, "2", &frmTUVO::cboNadam1, {"300", "350"}},
    {&frmTUVO::cboTriamplangNaWan, "1", &frmTUVO::cboNawan1, {"200", "250"}},
    {&frmTUVO::cboTriamplangNaWan, "2", &frmTUVO::cboNawan1, {"250", "300"}},
};

// Empties the lists that depend on `source` and appends the items of the row its text names;
// a text that names no row leaves them empty. Emptying raises no Change.
void RefillDependent(frmTUVO& frm, ComboBox frmTUVO::*source) {
  for (const DependentRow& row : kDependentLists) {
    if (row.source == source) (frm.*row.dependent).Clear();
  }
  const std::string text = (frm.*source).Text();
  for (const DependentRow& row : kDependentLists) {
    if (row.source != source || row.text != text) continue;
    for (std::string_view item : row.items) {
      if (!item.empty()) (frm.*row.dependent).AddItem(item);
    }
  }
}

// Days the month can have (February in a leap year); months 1 to 12.
constexpr unsigned kMonthDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

// Nursery-bed weeks changed: their water list, the season length, and the areas again from group 1.
void NurseryBedWeeksChanged(frmTUVO& frm) {
  RefillDependent(frm, &frmTUVO::cboTriamplangKla);
  MainFields& f = frm.Fields();
  try {
    const std::int16_t wet = locale::WholeNumber(frm.cboTriamplangNaWan.Text());
    const std::int16_t stop = locale::WholeNumber(frm.cboStop.Text());
    const std::int16_t groups = locale::WholeNumber(frm.cboGroup.Text());
    f.WetPrepWeeks = wet;
    f.StopWeeks = stop;
    f.GroupCount = groups;
  } catch (const locale::OverflowError&) {
    // a text beyond 16 bits reaches no field; Compute names it before it starts
  }
  frm.ScheduleLengthStep();
  frm.AreaEntryRestart();
}

}  // namespace

// Each control of the planting frames enabled as its frame's planting system is.
void frmTUVO::EnablePlantingFrames(bool transplanted, bool wetSeeded) {
  for (Control* c : std::initializer_list<Control*>{
           &Frame5, &Label5, &cboTriamplangKla, &Label22, &cboLiengklatime, &Label18, &cboATokla, &Label11,
           &cboTriamdinkla, &Label12, &cboLiengkla, &Frame3, &Label19, &cboTriamplangNaDam, &Label20, &cboNadam1}) {
    c->SetEnabled(transplanted);
  }
  for (Control* c : std::initializer_list<Control*>{&Frame21, &Label25, &cboTriamplangNaWan, &Label21, &cboStop,
                                                     &Label33, &cboNawan1}) {
    c->SetEnabled(wetSeeded);
  }
}

// Crop picked: only the frames of its planting system can be used; the texts all stay.
void frmTUVO::cboCroptype_Click() {
  const bool wetSeeded = cboCroptype.Text() == RDWetSeeded;
  EnablePlantingFrames(!wetSeeded, wetSeeded);
  Frame10.SetCaption(wetSeeded ? kFrame10WetSeeded : kFrame10Transplanted);
}

// Day picked: the months that have that day; month and year must be picked again.
void frmTUVO::cboFirstdate_Click() {
  optRe01.SetEnabled(false);
  optRe02.SetEnabled(false);
  cboFirstmonth.Clear();
  cboFirstyear.Clear();
  const std::string day = cboFirstdate.Text();
  const unsigned needed = day == "31" ? 31 : day == "30" ? 30 : 0;
  for (unsigned month = 1; month <= 12; ++month) {
    if (kMonthDays[month - 1] >= needed) cboFirstmonth.AddItem(locale::ThaiMonthName(month));
  }
}

// Month picked: the years, only the leap years for 29 February; the year must be picked again.
void frmTUVO::cboFirstmonth_Click() {
  optRe01.SetEnabled(false);
  optRe02.SetEnabled(false);
  cboFirstyear.Clear();
  if (cboFirstmonth.Text() == locale::ThaiMonthName(2) && cboFirstdate.Text() == "29") {
    for (int year = 2551; year <= 2587; year += 4) cboFirstyear.AddItem(std::to_string(year));
  } else {
    for (int year = 2549; year <= 2580; ++year) cboFirstyear.AddItem(std::to_string(year));
  }
}

// Nursery-bed weeks typed or written: as picked, then the area entry takes the focus.
void frmTUVO::cboTriamplangKla_Change() {
  NurseryBedWeeksChanged(*this);
  txtArea2.SetFocus();
}

// Nursery-bed weeks picked.
void frmTUVO::cboTriamplangKla_Click() { NurseryBedWeeksChanged(*this); }

// Seedling weeks typed or written: their water list only; the length follows at the next step.
void frmTUVO::cboLiengklatime_Change() { RefillDependent(*this, &frmTUVO::cboLiengklatime); }

// Seedling weeks picked.
void frmTUVO::cboLiengklatime_Click() { RefillDependent(*this, &frmTUVO::cboLiengklatime); }

// Transplanted-field weeks picked: their water list only (they lie inside the nursery weeks).
void frmTUVO::cboTriamplangNaDam_Click() { RefillDependent(*this, &frmTUVO::cboTriamplangNaDam); }

// Wet-seeded preparation weeks typed or written: the season length and the areas again from
// group 1; the water list keeps its items until the weeks are picked.
void frmTUVO::cboTriamplangNaWan_Change() {
  ScheduleLengthStep();
  AreaEntryRestart();
  txtArea2.SetFocus();
}

// Wet-seeded preparation weeks picked.
void frmTUVO::cboTriamplangNaWan_Click() {
  RefillDependent(*this, &frmTUVO::cboTriamplangNaWan);
  ScheduleLengthStep();
  AreaEntryRestart();
}

// Soil picked: its one percolation rate is offered (the refill raises no check).
void frmTUVO::cboSoiltype_Click() {
  cboDeeper.Clear();
  const std::string soil = cboSoiltype.Text();
  for (const SoilType& type : kSoilTypes) {
    if (type.text == soil) cboDeeper.AddItem(type.rate);
  }
}

// Field rai per rai of nursery: 1 to 100.
void frmTUVO::cboATokla_Change() { RefuseOutside(cboATokla, 1, 100); }

// Percolation rate: 1 to 5 mm/day.
void frmTUVO::cboDeeper_Change() { RefuseOutside(cboDeeper, 1, 5); }

}  // namespace tuvo
