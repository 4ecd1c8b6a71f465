// The six effective-rainfall methods. Each reads EffRainInput (mm per month) and EffRainMonth
// (1 to 12) and writes element EffRainMonth of its own table as number text; nothing else changes
// (ECI also keeps its band's working values).
#pragma once

#include "rain/eff_rain_state.h"

namespace tuvo {

// Monthly percentage into ReDepartment; a month other than 1 to 12 writes nothing.
void EffRainDepartment(EffRainState& state);

// ECI into ReECI.
void EffRainECI(EffRainState& state);

// Acres case 1 (fields keep very little rainwater) into ReAcres1.
void EffRainAcres1(EffRainState& state);

// Acres case 2 (the water kept in the field matters) into ReAcres2.
void EffRainAcres2(EffRainState& state);

// Acres case 3 (fields improved to keep more rainwater) into ReAcres3.
void EffRainAcres3(EffRainState& state);

// USDA SCS monthly formula into ReUSDA.
void EffRainUSDA(EffRainState& state);

// Runs all six methods in their fixed order for the month already set in the state.
void EvaluateEffRainMonth(EffRainState& state);

}  // namespace tuvo
