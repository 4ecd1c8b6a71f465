// Thai texts the crop, date and area tests expect.
#pragma once

#include <array>
#include <string>

namespace tuvo::testing_texts {

// Captions of the start-date frame.
inline const std::string kFrame10WetSeeded = "วัน-เดือน-ปี ที่เริ่มเตรียมแปลงนาหว่าน";
inline const std::string kFrame10Transplanted = "วัน-เดือน-ปี ที่เริ่มเตรียมแปลงกล้านาดำ";

// Month names, months 1 to 12 at elements 0 to 11.
inline const std::array<std::string, 12> kMonths = {"มกราคม", "กุมภาพันธ์", "มีนาคม", "เมษายน", "พฤษภาคม", "มิถุนายน", "กรกฎาคม", "สิงหาคม", "กันยายน", "ตุลาคม", "พฤศจิกายน", "ธันวาคม"};

// The four soils, in list order.
inline const std::array<std::string, 4> kSoils = {"ดินเหนียว(Clay)", "ดินร่วนปนดินเหนียว(Clay Loam)", "ดินร่วน(Loam)", "ดินร่วนปนทราย(Sandy Loam)"};

// The unit of the areas.
inline const std::string kRai = "ไร่";

}  // namespace tuvo::testing_texts
