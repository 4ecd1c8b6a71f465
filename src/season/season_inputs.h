// What the weekly writers read of the main window: the texts of its lists and the state of its
// option buttons at the moment of the call, and the season totals the run holds for the summary.
#pragma once

#include <array>
#include <string>

namespace tuvo {

// Texts of the window's lists (the 22 the run locks), txtGroup, and the option buttons.
struct SeasonTexts {
  std::string cboSamnuk, cboKrongkan, cboFai, cboProvince, cboCroptype, cboGroup;
  std::string cboTriamplangKla, cboLiengklatime, cboATokla, cboTriamdinkla, cboLiengkla;
  std::string cboTriamplangNaDam, cboNadam1, cboTriamplangNaWan, cboStop, cboNawan1;
  std::string cboSoiltype, cboDeeper, cboEfficiency, cboFirstdate, cboFirstmonth, cboFirstyear;
  std::string txtGroup;
  bool optRe01 = false, optRe02 = false;  // rainfall source: station / own
  bool optRe1 = false, optRe2 = false, optUSDA = false;
  bool optAcres1 = false, optAcres2 = false, optAcres3 = false;
};

// Group areas as typed, elements 1 to 20 (element 0 unused).
using GroupAreaTable = std::array<std::string, 21>;

// Season totals in m³, held by the main window and printed by the summary sheet.
struct SeasonTotals {
  double TotalNurseryWater = 0;
  double TotalPrepWater = 0;
  double TotalCropWaterUse = 0;
  double TotalPercolation = 0;
  double TotalEffRain = 0;
  double TotalNetWater = 0;
  double TotalGrossWater = 0;
};

}  // namespace tuvo
