// The rainfall state the main window and the run share: the station's (or the user's) monthly
// rainfall, the two inputs of the effective-rainfall methods and their six result tables, and the
// fields the weekly effective-rainfall column keeps from one run to the next.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "season/season.h"

namespace tuvo {

// Thirteen texts, elements 0 to 12; element m is month m (January 1), element 0 is never used.
using MonthTextTable = std::array<std::string, 13>;

struct EffRainState {
  // Monthly rainfall in mm as number text: a station's means or the months the user typed.
  MonthTextTable StationMonthRain;

  // Inputs of the six methods, set by the caller just before they run.
  double EffRainInput = 0;  // mm per month
  float EffRainMonth = 0;   // 1 to 12 at every call; the own-rainfall entry's counter in between

  // Effective rainfall of month m in mm per month, as number text.
  MonthTextTable ReDepartment;
  MonthTextTable ReECI;
  MonthTextTable ReAcres1;
  MonthTextTable ReAcres2;
  MonthTextTable ReAcres3;
  MonthTextTable ReUSDA;

  // Working values of the ECI method, as the last call inside a 50-mm band left them.
  double ECIBase = 0;
  double ECIIncrement = 0;

  // Fields of the weekly effective-rainfall column; they outlive the call.
  std::array<double, 13> MonthDailyEffRain{};               // mm/day of month m (1 to 12)
  std::array<std::array<double, 13>, 32> DailyEffRain{};    // [day 1..31][month 1..12], mm/day
  double WeekEffRainDepth = 0;                              // mm of the current week
  double WeekEffRainVolume = 0;                             // m³ of the current week, unrounded
  WeekFields weeks;                                         // week fields as the column read them
  std::int16_t NurseryAreaTotalCol = 0;                     // 6G + 6
  std::int16_t PrepAreaTotalCol = 0;                        // 6G + 7
  std::int16_t PlantedAreaTotalCol = 0;                     // 6G + 8
};

}  // namespace tuvo
