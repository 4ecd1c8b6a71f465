#include "run/kc_tables.h"

namespace tuvo {

namespace {

// The crop weeks of an option that begins `skipped` weeks into the crop's table.
template <std::size_t N>
KcWeeks LaterStart(const std::array<double, N>& table, std::size_t skipped) {
  return KcWeeks(table).subspan(skipped);
}

}  // namespace

KcWeeks FillKcRDTransplanted3() { return LaterStart(KcRDTransplanted, 0); }
KcWeeks FillKcRDTransplanted4() { return LaterStart(KcRDTransplanted, 1); }
KcWeeks FillKcKDML105Transplanted3() { return LaterStart(KcKDML105Transplanted, 0); }
KcWeeks FillKcKDML105Transplanted4() { return LaterStart(KcKDML105Transplanted, 1); }
KcWeeks FillKcRDWetSeeded1() { return LaterStart(KcRDWetSeeded, 0); }
KcWeeks FillKcRDWetSeeded2() { return LaterStart(KcRDWetSeeded, 1); }
KcWeeks FillKcRDWetSeeded3() { return LaterStart(KcRDWetSeeded, 2); }

}  // namespace tuvo
