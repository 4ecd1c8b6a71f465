#include "rain/eff_rain_methods.h"

#include <cmath>
#include <stdexcept>
#include <string>

#include "platform/locale.h"

namespace tuvo {
namespace {

// Percentage of the month's rainfall that counts, January to December.
constexpr std::array<double, 12> DepartmentPercent = {90, 90, 90, 75, 75, 75, 75, 75, 75, 65, 80, 80};

// ECI: the fixed results at the band ends.
struct ECIPoint {
  double rain;
  double result;
};
constexpr std::array<ECIPoint, 7> ECIBandEnds = {{
    {200, 200}, {250, 237.5}, {300, 270}, {350, 292.5}, {400, 310}, {450, 320}, {500, 325}}};

// ECI: lower end, base and percentage of each 50-mm band above 200 mm.
struct ECIBand {
  double lower;
  double base;
  double percent;
};
constexpr std::array<ECIBand, 6> ECIBands = {{{200, 200, 75},
                                              {250, 237.5, 65},
                                              {300, 270, 45},
                                              {350, 292.5, 35},
                                              {400, 310, 20},
                                              {450, 320, 10}}};

// Acres: what a column gives between two breakpoints.
enum class AcresRule { Rain, Interpolated, Fixed };
struct AcresRange {
  AcresRule rule;
  double value = 0;  // the result of a Fixed range
};
constexpr AcresRange R{AcresRule::Rain};          // the rainfall itself
constexpr AcresRange I{AcresRule::Interpolated};  // linear between the neighbouring breakpoints
constexpr AcresRange F(double value) { return {AcresRule::Fixed, value}; }

constexpr std::array<double, 9> AcresBreakpoints = {25, 50, 100, 150, 200, 250, 300, 400, 500};

// One Acres table: the result at each breakpoint, and the rule of the ranges 0-25, 25-50,
// 50-100, 100-150, 150-200, 200-250, 250-300, 300-400, 400-500 and above 500 mm.
struct AcresColumn {
  std::array<double, 9> atBreakpoint;
  std::array<AcresRange, 10> inRange;
};

constexpr AcresColumn Acres1October = {{25, 43, 58, 71, 82, 84, 84, 84, 84},
                                       {R, I, I, I, I, I, F(84), F(84), F(84), F(84)}};
constexpr AcresColumn Acres1Other = {{25, 50, 80, 93, 100, 110, 120, 120, 120},
                                     {R, R, I, I, I, I, I, F(120), F(120), F(120)}};
constexpr AcresColumn Acres2October = {{25, 50, 92, 95, 100, 100, 100, 100, 100},
                                       {R, R, I, I, I, F(100), F(100), F(100), F(100), F(100)}};
constexpr AcresColumn Acres2Other = {{25, 50, 100, 126, 135, 147, 156, 160, 160},
                                     {R, R, R, I, I, I, I, F(160), F(160), F(160)}};
constexpr AcresColumn Acres3August = {{25, 50, 100, 150, 190, 215, 234, 264, 264},
                                      {R, R, R, R, I, I, I, I, F(264), F(264)}};
constexpr AcresColumn Acres3September = {{25, 50, 100, 140, 165, 180, 189, 212, 215},
                                         {R, R, R, I, I, I, I, I, I, F(215)}};
constexpr AcresColumn Acres3October = {
    {25, 50, 100, 120, 120, 120, 120, 120, 120},
    {R, R, R, I, F(120), F(120), F(120), F(120), F(120), F(120)}};
constexpr AcresColumn Acres3Other = {{25, 50, 100, 150, 200, 250, 275, 300, 300},
                                     {R, R, R, R, R, R, I, I, F(300), F(300)}};

// The table element a method writes: the month rounded half to even; outside 0 to 12 is a
// subscript error raised before anything is written.
std::size_t MonthIndex(float month) {
  const double index = std::nearbyint(static_cast<double>(month));
  if (!(index >= 0 && index <= 12)) {
    throw std::out_of_range("effective-rainfall month " + locale::NumberText(month) +
                            " is outside the table (0 to 12)");
  }
  return static_cast<std::size_t>(index);
}

// The Acres result of one column for rainfall r.
double AcresValue(const AcresColumn& column, double r) {
  if (r <= 0) return 0;
  for (std::size_t k = 0; k < AcresBreakpoints.size(); ++k) {
    if (r == AcresBreakpoints[k]) return column.atBreakpoint[k];
  }
  std::size_t range = 0;
  while (range < AcresBreakpoints.size() && r > AcresBreakpoints[range]) ++range;
  const AcresRange& cell = column.inRange[range];
  switch (cell.rule) {
    case AcresRule::Rain:
      return r;
    case AcresRule::Fixed:
      return cell.value;
    case AcresRule::Interpolated:
      break;
  }
  // Never the first or last range: those are Rain and Fixed in every column.
  const double x0 = AcresBreakpoints[range - 1];
  const double x1 = AcresBreakpoints[range];
  const double y0 = column.atBreakpoint[range - 1];
  const double y1 = column.atBreakpoint[range];
  return ((r - x1) * y0) / (x0 - x1) + ((r - x0) * y1) / (x1 - x0);
}

// Writes one Acres case: the column for the month, then its value as text.
void WriteAcres(EffRainState& state, MonthTextTable& table, const AcresColumn& column) {
  const std::size_t index = MonthIndex(state.EffRainMonth);
  table[index] = locale::NumberText(AcresValue(column, state.EffRainInput));
}

}  // namespace

void EffRainDepartment(EffRainState& state) {
  const float m = state.EffRainMonth;
  if (!(m >= 1 && m <= 12 && m == std::floor(m))) return;
  const auto index = static_cast<std::size_t>(m);
  const double percent = DepartmentPercent[index - 1];
  state.ReDepartment[index] = locale::NumberText((state.EffRainInput * percent) / 100);
}

void EffRainECI(EffRainState& state) {
  const std::size_t index = MonthIndex(state.EffRainMonth);
  const double r = state.EffRainInput;
  for (const ECIPoint& end : ECIBandEnds) {
    if (r == end.rain) {
      state.ReECI[index] = locale::NumberText(end.result);
      return;
    }
  }
  if (r > 500) {
    state.ReECI[index] = locale::NumberText(325);
    return;
  }
  if (r > 0 && r < 200) {
    state.ReECI[index] = locale::NumberText(r);
    return;
  }
  for (const ECIBand& band : ECIBands) {
    if (r > band.lower && r < band.lower + 50) {
      state.ECIBase = band.base;
      state.ECIIncrement = ((r - band.lower) * band.percent) / 100;
      state.ReECI[index] = locale::NumberText(state.ECIBase + state.ECIIncrement);
      return;
    }
  }
  state.ReECI[index] = "0";
}

void EffRainAcres1(EffRainState& state) {
  const bool october = state.EffRainMonth == 10;
  WriteAcres(state, state.ReAcres1, october ? Acres1October : Acres1Other);
}

void EffRainAcres2(EffRainState& state) {
  const bool october = state.EffRainMonth == 10;
  WriteAcres(state, state.ReAcres2, october ? Acres2October : Acres2Other);
}

void EffRainAcres3(EffRainState& state) {
  const float m = state.EffRainMonth;
  const AcresColumn& column = m == 8    ? Acres3August
                              : m == 9  ? Acres3September
                              : m == 10 ? Acres3October
                                        : Acres3Other;
  WriteAcres(state, state.ReAcres3, column);
}

void EffRainUSDA(EffRainState& state) {
  const std::size_t index = MonthIndex(state.EffRainMonth);
  const double r = state.EffRainInput;
  double result = 0;
  if (r < 250) {
    const double t = 0.2 * r;
    const double u = 125 - t;
    const double v = r * u;
    result = v / 125;
  } else {
    // From 250 mm on; both formulas give 150 at 250 mm.
    result = 125 + 0.1 * r;
  }
  state.ReUSDA[index] = locale::NumberText(result);
}

void EvaluateEffRainMonth(EffRainState& state) {
  EffRainDepartment(state);
  EffRainECI(state);
  EffRainAcres1(state);
  EffRainAcres2(state);
  EffRainAcres3(state);
  EffRainUSDA(state);
}

}  // namespace tuvo
