// Texts of the location lists that the cascade tests expect.
#pragma once

#include <string>
#include <vector>

namespace tuvo::testing_texts {

inline const std::string kOffice7 = "สำนักชลประทานที่ 7";
inline const std::string kOffice10 = "สำนักชลประทานที่ 10";
inline const std::string kOffice11 = "สำนักชลประทานที่ 11";
inline const std::string kOffice4 = "สำนักชลประทานที่ 4";
inline const std::vector<std::string> kOffice7Projects = {"โครงการชลประทานอุบลราชธานี", "โครงการชลประทานยโสธร", "โครงการชลประทานมุกดาหาร", "โครงการชลประทานนครพนม", "โครงการชลประทานอำนาจเจริญ", "โครงการส่งน้ำและบำรุงรักษาโดมน้อย", "โครงการส่งน้ำและบำรุงรักษาพัฒนาลุ่มน้ำก่ำ"};
inline const std::vector<std::string> kOffice7Stations = {"นครพนม", "มุกดาหาร", "ยโสธร", "อำนาจเจริญ", "อุบลราชธานี"};
inline const std::string kSaraburiProject = "โครงการชลประทานสระบุรี";
inline const std::string kUnnumberedSection = "ฝ่ายส่งน้ำและบำรุงรักษา";
inline const std::string kPathumThaniProject = "โครงการชลประทานปทุมธานี";
inline const std::string kKlongLuangProject = "โครงการส่งน้ำและบำรุงรักษาคลองหลวง";
inline const std::string kSectionPrefix = "ฝ่ายส่งน้ำและบำรุงรักษาที่ ";

}  // namespace tuvo::testing_texts
