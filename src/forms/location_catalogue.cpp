// The location lists of the main window: offices, their projects and stations, and each
// project's sections. Fixed data, compiled in; the lists keep their own order, never sorted.
#include "forms/location_catalogue.h"

#include <array>
#include <cstddef>
#include <iterator>

namespace tuvo {
namespace {

using Texts = std::span<const std::string_view>;

// A project with k sections offers the first k of these.
constexpr std::string_view kNumberedSections[] = {
    "ฝ่ายส่งน้ำและบำรุงรักษาที่ 1",
    "ฝ่ายส่งน้ำและบำรุงรักษาที่ 2",
    "ฝ่ายส่งน้ำและบำรุงรักษาที่ 3",
    "ฝ่ายส่งน้ำและบำรุงรักษาที่ 4",
    "ฝ่ายส่งน้ำและบำรุงรักษาที่ 5",
    "ฝ่ายส่งน้ำและบำรุงรักษาที่ 6",
    "ฝ่ายส่งน้ำและบำรุงรักษาที่ 7",
    "ฝ่ายส่งน้ำและบำรุงรักษาที่ 8",
    "ฝ่ายส่งน้ำและบำรุงรักษาที่ 9",
    "ฝ่ายส่งน้ำและบำรุงรักษาที่ 10",
};

// Some projects offer one item with no text: the list then holds that one empty item.
constexpr std::string_view kOneEmptyItem[] = {""};

// The one unnumbered section.
constexpr std::string_view kUnnumbered[] = {"ฝ่ายส่งน้ำและบำรุงรักษา"};

// The first k numbered sections.
constexpr Texts Numbered(std::size_t k) { return Texts(kNumberedSections).first(k); }

// The empty item that ends office 7's list has no section entry at all.
constexpr Texts kNoEntry{};

struct ProjectRow {
  std::string_view project;
  Texts sections;
};

// One block per office: its projects in list order with their sections, then its stations.

// สำนักชลประทานที่ 1
constexpr ProjectRow kOffice1Projects[] = {
    {"โครงการชลประทานเชียงใหม่", Numbered(6)},
    {"โครงการชลประทานลำพูน", Numbered(4)},
    {"โครงการชลประทานแม่ฮ่องสอน", Numbered(3)},
    {"โครงการส่งน้ำและบำรุงรักษาแม่แตง", Numbered(4)},
    {"โครงการส่งน้ำและบำรุงรักษาแม่แฝก - แม่งัด", Numbered(3)},
    {"โครงการส่งน้ำและบำรุงรักษาแม่กวง", Numbered(4)},
};
constexpr std::string_view kOffice1Stations[] = {
    "เชียงใหม่", "แม่ฮ่องสอน", "ลำพูน",
};

// สำนักชลประทานที่ 2
constexpr ProjectRow kOffice2Projects[] = {
    {"โครงการชลประทานลำปาง", Numbered(4)},
    {"โครงการชลประทานน่าน", Numbered(4)},
    {"โครงการชลประทานพะเยา", Numbered(4)},
    {"โครงการชลประทานเชียงราย", Numbered(5)},
    {"โครงการส่งน้ำและบำรุงรักษาแม่วัง - กิ่วลม", Numbered(5)},
    {"โครงการส่งน้ำและบำรุงรักษาแม่ลาว", Numbered(4)},
};
constexpr std::string_view kOffice2Stations[] = {
    "เชียงราย", "น่าน", "ทุ่งช้าง_น่าน", "ท่าวังผา_น่าน", "พะเยา", "ลำปาง",
};

// สำนักชลประทานที่ 3
constexpr ProjectRow kOffice3Projects[] = {
    {"โครงการชลประทานพิษณุโลก", Numbered(4)},
    {"โครงการชลประทานอุตรดิตถ์", Numbered(3)},
    {"โครงการชลประทานพิจิตร", Numbered(2)},
    {"โครงการชลประทานนครสวรรค์", Numbered(4)},
    {"โครงการส่งน้ำและบำรุงรักษาเขื่อนนเรศวร", Numbered(2)},
    {"โครงการส่งน้ำและบำรุงรักษาพลายชุมพล", Numbered(3)},
    {"โครงการส่งน้ำและบำรุงรักษาดงเศรษฐี", Numbered(3)},
    {"โครงการส่งน้ำและบำรุงรักษาท่าบัว", Numbered(3)},
};
constexpr std::string_view kOffice3Stations[] = {
    "นครสวรรค์", "พิจิตร", "พิษณุโลก", "อุตรดิตถ์",
};

// สำนักชลประทานที่ 4
constexpr ProjectRow kOffice4Projects[] = {
    {"โครงการชลประทานกำแพงเพชร", Numbered(3)},
    {"โครงการชลประทานสุโขทัย", Numbered(3)},
    {"โครงการชลประทานตาก", Numbered(3)},
    {"โครงการชลประทานแพร่", Numbered(3)},
    {"โครงการส่งน้ำและบำรุงรักษาแม่ยม", Numbered(4)},
    {"โครงการส่งน้ำและบำรุงรักษาสุโขทัย", Numbered(2)},
};
constexpr std::string_view kOffice4Stations[] = {
    "กำแพงเพชร", "ตาก", "แม่สอด_ตาก", "เขื่อนภูมิพล_ตาก", "อุ้มผาง_ตาก", "นครสวรรค์", "แพร่",
    "สุโขทัย", "ลำปาง",
};

// สำนักชลประทานที่ 5
constexpr ProjectRow kOffice5Projects[] = {
    {"โครงการชลประทานอุดรธานี", Numbered(5)},
    {"โครงการชลประทานหนองคาย", Numbered(3)},
    {"โครงการชลประทานเลย", Numbered(4)},
    {"โครงการชลประทานสกลนคร", Numbered(4)},
    {"โครงการชลประทานหนองบัวลำภู", Numbered(2)},
    {"โครงการส่งน้ำและบำรุงรักษาห้วยหลวง", Numbered(3)},
    {"โครงการส่งน้ำและบำรุงรักษาน้ำอูน", Numbered(7)},
    {"โครงการส่งน้ำและบำรุงรักษาห้วยโมง", Numbered(3)},
};
constexpr std::string_view kOffice5Stations[] = {
    "เลย", "สกลนคร", "หนองคาย", "อุดรธานี",
};

// สำนักชลประทานที่ 6
constexpr ProjectRow kOffice6Projects[] = {
    {"โครงการชลประทานขอนแก่น", Numbered(5)},
    {"โครงการชลประทานมหาสารคาม", Numbered(7)},
    {"โครงการชลประทานกาฬสินธุ์", Numbered(4)},
    {"โครงการชลประทานร้อยเอ็ด", Numbered(5)},
    {"โครงการชลประทานชัยภูมิ", Numbered(8)},
    {"โครงการส่งน้ำและบำรุงรักษาหนองหวาย", Numbered(8)},
    {"โครงการส่งน้ำและบำรุงรักษาพัฒนาลุ่มน้ำเสียวใหญ่", Numbered(3)},
    {"โครงการส่งน้ำและบำรุงรักษาลำปาว", Numbered(9)},
};
constexpr std::string_view kOffice6Stations[] = {
    "กาฬสินธุ์", "ขอนแก่น", "ชัยภูมิ", "โกสุมพิสัย_มหาสารคาม", "ร้อยเอ็ด",
};

// สำนักชลประทานที่ 7
constexpr ProjectRow kOffice7Projects[] = {
    {"โครงการชลประทานอุบลราชธานี", Numbered(4)},
    {"โครงการชลประทานยโสธร", Numbered(3)},
    {"โครงการชลประทานมุกดาหาร", Numbered(3)},
    {"โครงการชลประทานนครพนม", Numbered(3)},
    {"โครงการชลประทานอำนาจเจริญ", Numbered(2)},
    {"โครงการส่งน้ำและบำรุงรักษาโดมน้อย", Numbered(4)},
    {"โครงการส่งน้ำและบำรุงรักษาพัฒนาลุ่มน้ำก่ำ", kOneEmptyItem},
    {"", kNoEntry},
};
constexpr std::string_view kOffice7Stations[] = {
    "นครพนม", "มุกดาหาร", "ยโสธร", "อำนาจเจริญ", "อุบลราชธานี",
};

// สำนักชลประทานที่ 8
constexpr ProjectRow kOffice8Projects[] = {
    {"โครงการชลประทานนครราชสีมา", Numbered(10)},
    {"โครงการชลประทานบุรีรัมย์", Numbered(8)},
    {"โครงการชลประทานสุรินทร์", Numbered(6)},
    {"โครงการชลประทานศรีสะเกษ", Numbered(7)},
    {"โครงการส่งน้ำและบำรุงรักษาลำพระเพลิง", Numbered(4)},
    {"โครงการส่งน้ำและบำรุงรักษาลำตะคอง", Numbered(4)},
    {"โครงการส่งน้ำและบำรุงรักษาทุ่งสัมฤทธิ์", Numbered(5)},
    {"โครงการส่งน้ำและบำรุงรักษาลำนางรอง", Numbered(5)},
    {"โครงการส่งน้ำและบำรุงรักษามูลบน - ลำแชะ", Numbered(6)},
    {"โครงการส่งน้ำและบำรุงรักษาลำปลายมาศ", Numbered(3)},
};
constexpr std::string_view kOffice8Stations[] = {
    "นครราชสีมา", "โชคชัย_นครราชสีมา", "นางรอง_บุรีรัมย์", "ศรีสะเกษ", "สุรินทร์",
    "ท่าตูม_สุรินทร์",
};

// สำนักชลประทานที่ 9
constexpr ProjectRow kOffice9Projects[] = {
    {"โครงการชลประทานชลบุรี", Numbered(3)},
    {"โครงการชลประทานฉะเชิงเทรา", Numbered(3)},
    {"โครงการชลประทานนครนายก", Numbered(2)},
    {"โครงการชลประทานปราจีนบุรี", Numbered(2)},
    {"โครงการชลประทานจันทบุรี", Numbered(3)},
    {"โครงการชลประทานระยอง", Numbered(4)},
    {"โครงการชลประทานตราด", Numbered(2)},
    {"โครงการชลประทานสระแก้ว", Numbered(2)},
    {"โครงการส่งน้ำและบำรุงรักษานครนายก", Numbered(4)},
    {"โครงการส่งน้ำและบำรุงรักษาบางพลวง", Numbered(4)},
    {"โครงการส่งน้ำและบำรุงรักษาเขื่อนบางปะกง", Numbered(2)},
    {"โครงการส่งน้ำและบำรุงรักษาคลองสียัด", Numbered(2)},
    {"โครงการส่งน้ำและบำรุงรักษาเขื่อนขุนด่านปราการชล", Numbered(2)},
    {"โครงการส่งน้ำและบำรุงรักษาประแสร์", Numbered(2)},
};
constexpr std::string_view kOffice9Stations[] = {
    "จันทบุรี", "ฉะเชิงเทรา", "ชลบุรี", "พัทยา_ชลบุรี", "สัตหีบ_ชลบุรี", "คลองใหญ่_ตราด", "นครนายก",
    "ปราจีนบุรี", "กบินทร์บุรี_ปราจีนบุรี", "ระยอง", "อรัญประเทศ_สระแก้ว",
};

// สำนักชลประทานที่ 10
constexpr ProjectRow kOffice10Projects[] = {
    {"โครงการชลประทานลพบุรี", Numbered(3)},
    {"โครงการชลประทานสระบุรี", kUnnumbered},
    {"โครงการชลประทานเพชรบูรณ์", Numbered(3)},
    {"โครงการชลประทานพระนครศรีอยุธยา", kOneEmptyItem},
    {"โครงการส่งน้ำและบำรุงรักษาช่องแค", Numbered(2)},
    {"โครงการส่งน้ำและบำรุงรักษามโนรมย์", Numbered(3)},
    {"โครงการส่งน้ำและบำรุงรักษาโคกกระเทียม", Numbered(2)},
    {"โครงการส่งน้ำและบำรุงรักษาเริงราง", Numbered(2)},
    {"โครงการส่งน้ำและบำรุงรักษามหาราช", Numbered(6)},
    {"โครงการส่งน้ำและบำรุงรักษาคลองเพรียว - เสาไห้", Numbered(2)},
    {"โครงการส่งน้ำและบำรุงรักษาป่าสักใต้", Numbered(2)},
    // Three sections: the entry at its place carries a misspelt name that no list offers.
    {"โครงการส่งน้ำและบำรุงรักษาคลองหลวง", Numbered(3)},
    {"โครงการส่งน้ำและบำรุงรักษาเขื่อนป่าสักชลสิทธิ์", Numbered(2)},
    {"โครงการส่งน้ำและบำรุงรักษาบางบาล", Numbered(2)},
};
constexpr std::string_view kOffice10Stations[] = {
    "ชัยนาท", "นครสวรรค์", "พระนครศรีอยุธยา", "หล่มสัก_เพชรบูรณ์", "วิเชียรบุรี_เพชรบูรณ์",
    "เพชรบูรณ์", "ลพบุรี", "บัวชุม_ลพบุรี", "สระบุรี", "สิงห์บุรี", "อ่างทอง",
};

// สำนักชลประทานที่ 11
constexpr ProjectRow kOffice11Projects[] = {
    {"โครงการชลประทานนนทบุรี", Numbered(1)},
    {"โครงการชลประทานปทุมธานี", kOneEmptyItem},
    {"โครงการชลประทานสมุทรปราการ", kOneEmptyItem},
    {"โครงการชลประทานสมุทรสาคร", kOneEmptyItem},
    {"โครงการส่งน้ำและบำรุงรักษาเจ้าเจ็ด - บางยี่หน", Numbered(3)},
    {"โครงการส่งน้ำและบำรุงรักษาพระยาบรรณลือ", Numbered(5)},
    {"โครงการส่งน้ำและบำรุงรักษาพระพิมล", Numbered(2)},
    {"โครงการส่งน้ำและบำรุงรักษาภาษีเจริญ", Numbered(2)},
    {"โครงการส่งน้ำและบำรุงรักษารังสิตเหนือ", Numbered(3)},
    {"โครงการส่งน้ำและบำรุงรักษารังสิตใต้", Numbered(5)},
    {"โครงการส่งน้ำและบำรุงรักษาคลองด่าน", Numbered(4)},
    {"โครงการส่งน้ำและบำรุงรักษาพระองค์ไชยานุชิต", Numbered(4)},
};
constexpr std::string_view kOffice11Stations[] = {
    "กรุงเทพมหานคร", "ฉะเชิงเทรา", "นครนายก", "นครปฐม", "นนทบุรี", "ปทุมธานี", "พระนครศรีอยุธยา",
    "สมุทรปราการ", "สมุทรสาคร", "สระบุรี", "สุพรรณบุรี",
};

// สำนักชลประทานที่ 12
constexpr ProjectRow kOffice12Projects[] = {
    {"โครงการชลประทานชัยนาท", Numbered(4)},
    {"โครงการชลประทานอุทัยธานี", Numbered(3)},
    {"โครงการชลประทานสิงห์บุรี", kOneEmptyItem},
    {"โครงการชลประทานอ่างทอง", kOneEmptyItem},
    {"โครงการชลประทานสุพรรณบุรี", Numbered(4)},
    {"โครงการส่งน้ำและบำรุงรักษาเขื่อนเจ้าพระยา", kOneEmptyItem},
    {"โครงการส่งน้ำและบำรุงรักษาพลเทพ", Numbered(2)},
    {"โครงการส่งน้ำและบำรุงรักษาท่าโบสถ์", Numbered(3)},
    {"โครงการส่งน้ำและบำรุงรักษาสามชุก", Numbered(4)},
    {"โครงการส่งน้ำและบำรุงรักษาดอนเจดีย์", Numbered(2)},
    {"โครงการส่งน้ำและบำรุงรักษาโพธิ์พระยา", Numbered(4)},
    {"โครงการส่งน้ำและบำรุงรักษาบรมธาตุ", Numbered(4)},
    {"โครงการส่งน้ำและบำรุงรักษาชัณสูตร", Numbered(7)},
    {"โครงการส่งน้ำและบำรุงรักษายางมณี", Numbered(3)},
    {"โครงการส่งน้ำและบำรุงรักษาผักไห่", Numbered(3)},
    {"โครงการส่งน้ำและบำรุงรักษากระเสียว", Numbered(3)},
    {"โครงการส่งน้ำและบำรุงรักษาทับเสลา", Numbered(2)},
};
constexpr std::string_view kOffice12Stations[] = {
    "ชัยนาท", "นครสวรรค์", "พระนครศรีอยุธยา", "สิงห์บุรี", "สุพรรณบุรี", "อ่างทอง", "อุทัยธานี",
};

// สำนักชลประทานที่ 13
constexpr ProjectRow kOffice13Projects[] = {
    {"โครงการชลประทานกาญจนบุรี", Numbered(4)},
    {"โครงการชลประทานนครปฐม", Numbered(1)},
    {"โครงการชลประทานราชบุรี", Numbered(3)},
    {"โครงการชลประทานสมุทรสงคราม", Numbered(1)},
    {"โครงการส่งน้ำและบำรุงรักษาเขื่อนแม่กลอง", Numbered(1)},
    {"โครงการส่งน้ำและบำรุงรักษากำแพงแสน", Numbered(3)},
    {"โครงการส่งน้ำและบำรุงรักษานครปฐม", Numbered(4)},
    {"โครงการส่งน้ำและบำรุงรักษานครชุม", Numbered(2)},
    {"โครงการส่งน้ำและบำรุงรักษาราชบุรีฝั่งซ้าย", Numbered(2)},
    {"โครงการส่งน้ำและบำรุงรักษาราชบุรีฝั่งขวา", Numbered(3)},
    {"โครงการส่งน้ำและบำรุงรักษาท่ามะกา", Numbered(5)},
    {"โครงการส่งน้ำและบำรุงรักษาพนมทวน", Numbered(3)},
    {"โครงการส่งน้ำและบำรุงรักษาสองพี่น้อง", Numbered(4)},
    {"โครงการส่งน้ำและบำรุงรักษาบางเลน", Numbered(2)},
    {"โครงการส่งน้ำและบำรุงรักษาดำเนินสะดวก", Numbered(2)},
};
constexpr std::string_view kOffice13Stations[] = {
    "กาญจนบุรี", "ทองผาภูมิ_กาญจนบุรี", "นครปฐม", "เพชรบุรี", "ราชบุรี", "สมุทรสงคราม", "สมุทรสาคร",
    "สุพรรณบุรี",
};

// สำนักชลประทานที่ 14
constexpr ProjectRow kOffice14Projects[] = {
    {"โครงการชลประทานประจวบคีรีขันธ์", Numbered(3)},
    {"โครงการชลประทานเพชรบุรี", Numbered(3)},
    {"โครงการชลประทานระนอง", Numbered(2)},
    {"โครงการชลประทานชุมพร", Numbered(3)},
    {"โครงการส่งน้ำและบำรุงรักษาเพชรบุรี", Numbered(5)},
    {"โครงการส่งน้ำและบำรุงรักษาปราณบุรี", Numbered(4)},
};
constexpr std::string_view kOffice14Stations[] = {
    "ชุมพร", "ประจวบคีรีขันธ์", "หัวหิน_ประจวบคีรีขันธ์", "เพชรบุรี",
};

// สำนักชลประทานที่ 15
constexpr ProjectRow kOffice15Projects[] = {
    {"โครงการชลประทานนครศรีธรรมราช", Numbered(5)},
    {"โครงการชลประทานกระบี่", Numbered(3)},
    {"โครงการชลประทานพังงา", Numbered(3)},
    {"โครงการชลประทานภูเก็ต", Numbered(2)},
    {"โครงการชลประทานสุราษฏร์ธานี", Numbered(5)},
    {"โครงการส่งน้ำและบำรุงรักษาลุ่มน้ำปากพนังตอนล่าง", Numbered(6)},
    {"โครงการส่งน้ำและบำรุงรักษานครศรีธรรมราช", Numbered(3)},
    {"โครงการส่งน้ำและบำรุงรักษาลุ่มน้ำปากพนังตอนบน", Numbered(3)},
};
constexpr std::string_view kOffice15Stations[] = {
    "กระบี่", "นครศรีธรรมราช", "ตะกั่วป่า_พังงา", "สุราษฏร์ธานี", "เกาะสมุย_สุราษฏร์ธานี", "ภูเก็ต",
};

// สำนักชลประทานที่ 16
constexpr ProjectRow kOffice16Projects[] = {
    {"โครงการชลประทานสงขลา", Numbered(5)},
    {"โครงการชลประทานพัทลุง", Numbered(4)},
    {"โครงการชลประทานสตูล", Numbered(3)},
    {"โครงการชลประทานตรัง", Numbered(2)},
    {"โครงการส่งน้ำและบำรุงรักษาระโนด - กระแสสินธุ์", Numbered(2)},
    {"โครงการส่งน้ำและบำรุงรักษาท่าเชียด", Numbered(2)},
};
constexpr std::string_view kOffice16Stations[] = {
    "นครศรีธรรมราช", "พัทลุง", "สงขลา", "ตรัง", "สตูล",
};

// สำนักชลประทานที่ 17
constexpr ProjectRow kOffice17Projects[] = {
    {"โครงการชลประทานยะลา", Numbered(2)},
    {"โครงการชลประทานปัตตานี", Numbered(3)},
    {"โครงการชลประทานนราธิวาส", Numbered(4)},
    {"โครงการส่งน้ำและบำรุงรักษาลุ่มน้ำโก - ลก", Numbered(3)},
    {"โครงการส่งน้ำและบำรุงรักษาลุ่มน้ำบางนรา", Numbered(2)},
    {"โครงการส่งน้ำและบำรุงรักษาปัตตานี", Numbered(4)},
};
constexpr std::string_view kOffice17Stations[] = {
    "ยะลา", "ปัตตานี", "นราธิวาส",
};

// Each office's project texts alone, in the order of its rows.
template <const auto& Rows>
constexpr auto kProjectTexts = [] {
  std::array<std::string_view, std::size(Rows)> texts{};
  for (std::size_t i = 0; i < texts.size(); ++i) texts[i] = Rows[i].project;
  return texts;
}();

struct OfficeBlock {
  std::span<const ProjectRow> rows;
  Texts projects;
  Texts stations;
};

// The office texts; the blocks below stand in the same order.
constexpr std::string_view kOfficeList[] = {
    "สำนักชลประทานที่ 1",
    "สำนักชลประทานที่ 2",
    "สำนักชลประทานที่ 3",
    "สำนักชลประทานที่ 4",
    "สำนักชลประทานที่ 5",
    "สำนักชลประทานที่ 6",
    "สำนักชลประทานที่ 7",
    "สำนักชลประทานที่ 8",
    "สำนักชลประทานที่ 9",
    "สำนักชลประทานที่ 10",
    "สำนักชลประทานที่ 11",
    "สำนักชลประทานที่ 12",
    "สำนักชลประทานที่ 13",
    "สำนักชลประทานที่ 14",
    "สำนักชลประทานที่ 15",
    "สำนักชลประทานที่ 16",
    "สำนักชลประทานที่ 17",
};

constexpr OfficeBlock kOfficeBlocks[] = {
    {kOffice1Projects, kProjectTexts<kOffice1Projects>, kOffice1Stations},
    {kOffice2Projects, kProjectTexts<kOffice2Projects>, kOffice2Stations},
    {kOffice3Projects, kProjectTexts<kOffice3Projects>, kOffice3Stations},
    {kOffice4Projects, kProjectTexts<kOffice4Projects>, kOffice4Stations},
    {kOffice5Projects, kProjectTexts<kOffice5Projects>, kOffice5Stations},
    {kOffice6Projects, kProjectTexts<kOffice6Projects>, kOffice6Stations},
    {kOffice7Projects, kProjectTexts<kOffice7Projects>, kOffice7Stations},
    {kOffice8Projects, kProjectTexts<kOffice8Projects>, kOffice8Stations},
    {kOffice9Projects, kProjectTexts<kOffice9Projects>, kOffice9Stations},
    {kOffice10Projects, kProjectTexts<kOffice10Projects>, kOffice10Stations},
    {kOffice11Projects, kProjectTexts<kOffice11Projects>, kOffice11Stations},
    {kOffice12Projects, kProjectTexts<kOffice12Projects>, kOffice12Stations},
    {kOffice13Projects, kProjectTexts<kOffice13Projects>, kOffice13Stations},
    {kOffice14Projects, kProjectTexts<kOffice14Projects>, kOffice14Stations},
    {kOffice15Projects, kProjectTexts<kOffice15Projects>, kOffice15Stations},
    {kOffice16Projects, kProjectTexts<kOffice16Projects>, kOffice16Stations},
    {kOffice17Projects, kProjectTexts<kOffice17Projects>, kOffice17Stations},
};
static_assert(std::size(kOfficeList) == std::size(kOfficeBlocks));

// The block of the office whose text equals `office` exactly, or none.
const OfficeBlock* FindOffice(std::string_view office) {
  for (std::size_t i = 0; i < std::size(kOfficeList); ++i) {
    if (kOfficeList[i] == office) return &kOfficeBlocks[i];
  }
  return nullptr;
}

}  // namespace

std::span<const std::string_view> OfficeList() { return kOfficeList; }

std::span<const std::string_view> OfficeProjectList(std::string_view office) {
  const OfficeBlock* block = FindOffice(office);
  return block ? block->projects : Texts{};
}

std::span<const std::string_view> ProjectSectionList(std::string_view project) {
  // Project texts are distinct over all offices, so the first match is the only one.
  for (const OfficeBlock& block : kOfficeBlocks) {
    for (const ProjectRow& row : block.rows) {
      if (row.project == project) return row.sections;
    }
  }
  return {};
}

std::span<const std::string_view> OfficeStationList(std::string_view office) {
  const OfficeBlock* block = FindOffice(office);
  return block ? block->stations : Texts{};
}

}  // namespace tuvo
