// The eleven summary columns of the calculation sheet, right of the last group block: their order,
// headers and sheet numbers, as the column writers, the rainfall writer and the charts read them.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace tuvo {

// The summary columns in sheet order; column 6G + 5 + k for G groups.
enum class SummaryColumn : int {
  ETo = 0,
  NurseryAreaTotal,
  PrepAreaTotal,
  PlantedAreaTotal,
  NurseryWater,
  PrepWater,
  CropWaterUse,
  Percolation,
  EffectiveRain,
  NetWater,
  GrossWater,
};

// Caption (row 3), unit (row 4) and width of one summary column.
struct SummaryColumnHeader {
  std::string_view caption;
  std::string_view unit;
  double width;
};

// Headers of the summary columns, indexed by SummaryColumn.
inline constexpr std::array<SummaryColumnHeader, 11> SummaryColumnHeaders = {{
    {"ETo-PenMon", "(มม./สัปดาห์)", 12},  // EToColumn
    {"พ.ท.ตกกล้าสะสม", "(ไร่)", 17},  // NurseryAreaTotalColumn
    {"พ.ท.เตรียมแปลงสะสม", "(ไร่)", 20},  // PrepAreaTotalColumn
    {"พ.ท.ปลูกข้าวสะสม", "(ไร่)", 17},  // PlantedAreaTotalColumn
    {"ปริมาณน้ำตกกล้าสะสม", "(ลบ.ม.)", 23},  // NurseryWaterColumn
    {"ปริมาณน้ำเตรียมแปลงสะสม", "(ลบ.ม.)", 23},  // PrepWaterColumn
    {"ปริมาณการใช้น้ำของข้าว", "(ลบ.ม.)", 20},  // CropWaterUseColumn
    {"ปริมาณการซึมลึก", "(ลบ.ม.)", 18},  // PercolationColumn
    {"ปริมาณฝนใช้การ", "(ลบ.ม.)", 18},  // EffectiveRainColumn
    {"ปริมาณน้ำสุทธิที่ต้องให้แก่แปลงนา", "(ลบ.ม.)", 29},  // NetWaterColumn
    {"ปริมาณน้ำทั้งหมดที่ต้องส่งให้แปลงนา", "(ลบ.ม.)", 29},  // GrossWaterColumn
}};

// Sheet column of a summary column for `groupCount` groups: 6G + 5 + k, a 16-bit number.
std::int16_t SummaryColumnNumber(std::int16_t groupCount, SummaryColumn which);

}  // namespace tuvo
