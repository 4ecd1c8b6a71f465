// The merged header cell of every group block in row 3 of the calculation sheet.
#pragma once

#include <array>
#include <string_view>

namespace tuvo {
namespace sheet {
class Workbook;
}

// Row 3 of the six columns of group blocks 1 to 20.
inline constexpr std::array<std::string_view, 20> GroupHeaderAddresses = {
    "E3:J3", "K3:P3", "Q3:V3", "W3:AB3", "AC3:AH3",
    "AI3:AN3", "AO3:AT3", "AU3:AZ3", "BA3:BF3", "BG3:BL3",
    "BM3:BR3", "BS3:BX3", "BY3:CD3", "CE3:CJ3", "CK3:CP3",
    "CQ3:CV3", "CW3:DB3", "DC3:DH3", "DI3:DN3", "DO3:DT3",
};

// Centres, merges and outlines the headers of groups 1 .. groupCount in ascending order on
// worksheet 2; the selection is left on the last one. groupCount is 1 to 20.
void MergeGroupHeaders(sheet::Workbook& workbook, int groupCount);

}  // namespace tuvo
