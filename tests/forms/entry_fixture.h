// A shown main window filled through the user's picks up to the area entry, and small helpers
// the crop, date and area tests share.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "entry_texts.h"
#include "platform/controls.h"
#include "season/season.h"
#include "window_fixture.h"

namespace tuvo::testing {

// The items of a list, in order.
inline std::vector<std::string> Items(const controls::ComboBox& list) {
  std::vector<std::string> items;
  for (int i = 0; i < list.ListCount(); ++i) items.push_back(list.Item(i));
  return items;
}

// Usable as a person sees it: its own flag and every frame around it enabled.
inline bool Usable(const controls::Control& c) { return c.Widget()->isEnabled(); }

// How many beeps sounded while `action` ran.
inline int BeepsDuring(const std::function<void()>& action) {
  const int before = controls::BeepCount();
  action();
  return controls::BeepCount() - before;
}

// A window whose season inputs are picked as a person would, ready for the area entry:
// office 1 and its first station, the crop with its nursery lists, `groups` groups, the start
// 1 มกราคม 2552, the first soil and its rate, an efficiency of 75 %. For RD transplanted with nursery-bed weeks 2 and
// seedling weeks 3 the season has groups + 18 weeks.
struct SeasonWindow : ShownWindow {
  explicit SeasonWindow(const std::string& groups = "3", std::string_view crop = RDTransplanted) {
    frm.cboSamnuk.Pick(0);
    frm.cboProvince.Pick(0);
    frm.cboCroptype.Pick(std::string(crop));
    if (crop == RDWetSeeded) {
      frm.cboTriamplangNaWan.Pick("1");
      frm.cboStop.Pick("1");
      frm.cboNawan1.Pick(0);
    } else {
      frm.cboTriamplangKla.Pick("2");
      frm.cboLiengklatime.Pick("3");
      frm.cboTriamdinkla.Pick(0);
      frm.cboLiengkla.Pick(0);
      frm.cboTriamplangNaDam.Pick("1");
      frm.cboNadam1.Pick(0);
    }
    frm.cboGroup.Pick(groups);
    PickDate("1", testing_texts::kMonths[0], "2552");
    frm.cboSoiltype.Pick(0);
    frm.cboDeeper.Pick(0);
    frm.cboEfficiency.Pick("75");
  }

  void PickDate(const std::string& day, const std::string& month, const std::string& year) {
    frm.cboFirstdate.Pick(day);
    frm.cboFirstmonth.Pick(month);
    frm.cboFirstyear.Pick(year);
  }

  // Types an area and stores it.
  void Store(const std::string& area) {
    frm.txtArea2.Paste(area);
    frm.cmdInputArea.Press();
  }
};

}  // namespace tuvo::testing
