#include "forms/location_catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace tuvo {
namespace {

constexpr std::string_view kOfficePrefix = "สำนักชลประทานที่ ";  // followed by the office number
constexpr std::string_view kIrrigationPrefix = "โครงการชลประทาน";
constexpr std::string_view kDeliveryPrefix = "โครงการส่งน้ำและบำรุงรักษา";
constexpr std::string_view kNumberedSectionPrefix = "ฝ่ายส่งน้ำและบำรุงรักษาที่ ";  // followed by the number
constexpr std::string_view kUnnumberedSection = "ฝ่ายส่งน้ำและบำรุงรักษา";

std::string Office(int number) { return std::string(kOfficePrefix) + std::to_string(number); }

std::vector<std::string> Numbered(int k) {
  std::vector<std::string> texts;
  for (int i = 1; i <= k; ++i) texts.push_back(std::string(kNumberedSectionPrefix) + std::to_string(i));
  return texts;
}

std::vector<std::string> AsStrings(std::span<const std::string_view> texts) {
  return {texts.begin(), texts.end()};
}

// Every text the catalogue hands out, office, project, section and station.
std::vector<std::string_view> AllTexts() {
  std::vector<std::string_view> all;
  for (std::string_view office : OfficeList()) {
    all.push_back(office);
    for (std::string_view project : OfficeProjectList(office)) {
      all.push_back(project);
      for (std::string_view section : ProjectSectionList(project)) all.push_back(section);
    }
    for (std::string_view station : OfficeStationList(office)) all.push_back(station);
  }
  return all;
}

// The code points of a UTF-8 text; an ill-formed sequence gives the code point 0xFFFFFFFF.
std::vector<char32_t> CodePoints(std::string_view text) {
  std::vector<char32_t> points;
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : 0;
    if (length == 0 || i + length > text.size()) return {char32_t(0xFFFFFFFF)};
    char32_t point = length == 1 ? lead : length == 2 ? (lead & 0x1F) : (lead & 0x0F);
    for (std::size_t j = 1; j < length; ++j) {
      const auto next = static_cast<unsigned char>(text[i + j]);
      if ((next >> 6) != 0x2) return {char32_t(0xFFFFFFFF)};
      point = (point << 6) | (next & 0x3F);
    }
    points.push_back(point);
    i += length;
  }
  return points;
}

TEST(LocationCatalogue, OfficeListHoldsTheSeventeenOfficesInOrder) {
  const auto offices = OfficeList();
  ASSERT_EQ(offices.size(), 17u);
  for (int n = 1; n <= 17; ++n) EXPECT_EQ(offices[n - 1], Office(n)) << "office " << n;
}

TEST(LocationCatalogue, ProjectListsHaveTheirLengthsAndDistinctTexts) {
  // Office 7 counts its trailing empty item.
  const std::vector<std::size_t> lengths = {6, 6, 8, 6, 8, 8, 8, 10, 14, 14, 12, 17, 15, 6, 8, 6, 6};
  std::set<std::string_view> distinct;
  std::size_t texts = 0, irrigation = 0, delivery = 0, hyphenated = 0;
  for (int n = 1; n <= 17; ++n) {
    const auto projects = OfficeProjectList(Office(n));
    ASSERT_EQ(projects.size(), lengths[n - 1]) << "office " << n;
    for (std::size_t i = 0; i < projects.size(); ++i) {
      const std::string_view project = projects[i];
      if (project.empty()) {
        EXPECT_TRUE(n == 7 && i + 1 == projects.size()) << "empty item in office " << n << " at " << i;
        continue;
      }
      ++texts;
      distinct.insert(project);
      if (project.starts_with(kIrrigationPrefix)) ++irrigation;
      if (project.starts_with(kDeliveryPrefix)) ++delivery;
      if (project.find(" - ") != std::string_view::npos) {
        EXPECT_TRUE(project.starts_with(kDeliveryPrefix)) << project;
        ++hyphenated;
      }
    }
  }
  EXPECT_EQ(texts, 157u);
  EXPECT_EQ(distinct.size(), 157u);
  EXPECT_EQ(irrigation, 75u);
  EXPECT_EQ(delivery, 82u);
  EXPECT_EQ(hyphenated, 7u);
}

TEST(LocationCatalogue, StationListsHaveTheirLengthsAndTextForms) {
  const std::vector<std::size_t> lengths = {3, 6, 4, 9, 4, 5, 5, 6, 11, 11, 11, 7, 8, 4, 6, 5, 3};
  std::set<std::string_view> distinct;
  std::size_t items = 0;
  for (int n = 1; n <= 17; ++n) {
    const auto stations = OfficeStationList(Office(n));
    ASSERT_EQ(stations.size(), lengths[n - 1]) << "office " << n;
    EXPECT_EQ(std::set<std::string_view>(stations.begin(), stations.end()).size(), stations.size())
        << "a station twice in office " << n;
    items += stations.size();
    distinct.insert(stations.begin(), stations.end());
  }
  EXPECT_EQ(items, 108u);
  EXPECT_EQ(distinct.size(), 90u);

  // A province alone, or a place and its province joined by one "_".
  std::size_t joined = 0;
  for (std::string_view station : distinct) {
    const auto bar = station.find('_');
    if (bar == std::string_view::npos) continue;
    ++joined;
    EXPECT_GT(bar, 0u) << station;
    EXPECT_LT(bar + 1, station.size()) << station;
    EXPECT_EQ(station.find('_', bar + 1), std::string_view::npos) << station;
  }
  EXPECT_EQ(joined, 21u);
  EXPECT_EQ(distinct.size() - joined, 69u);
  for (std::string_view example : {"ทุ่งช้าง_น่าน", "เขื่อนภูมิพล_ตาก", "อรัญประเทศ_สระแก้ว"}) {
    EXPECT_TRUE(distinct.contains(example)) << example;
  }
}

TEST(LocationCatalogue, SharedStationsAreOfferedByExactlyTheirOffices) {
  const std::map<std::string_view, std::vector<int>> shared = {
      {"นครสวรรค์", {3, 4, 10, 12}},
      {"พระนครศรีอยุธยา", {10, 11, 12}},
      {"สุพรรณบุรี", {11, 12, 13}},
      {"ลำปาง", {2, 4}},
      {"ฉะเชิงเทรา", {9, 11}},
      {"นครนายก", {9, 11}},
      {"ชัยนาท", {10, 12}},
      {"สิงห์บุรี", {10, 12}},
      {"อ่างทอง", {10, 12}},
      {"สระบุรี", {10, 11}},
      {"นครปฐม", {11, 13}},
      {"สมุทรสาคร", {11, 13}},
      {"เพชรบุรี", {13, 14}},
      {"นครศรีธรรมราช", {15, 16}},
  };
  std::map<std::string_view, std::vector<int>> offeredBy;
  for (int n = 1; n <= 17; ++n) {
    for (std::string_view station : OfficeStationList(Office(n))) offeredBy[station].push_back(n);
  }
  std::map<std::string_view, std::vector<int>> offeredTwice;
  for (const auto& [station, offices] : offeredBy) {
    if (offices.size() > 1) offeredTwice[station] = offices;
  }
  EXPECT_EQ(offeredTwice, shared);
}

TEST(LocationCatalogue, EverySectionListIsOneOfTheThreeKinds) {
  std::map<int, int> projectsWithK;
  std::set<std::string_view> emptyItem, unnumbered;
  std::map<int, std::set<std::string_view>> named;
  for (std::string_view office : OfficeList()) {
    for (std::string_view project : OfficeProjectList(office)) {
      if (project.empty()) continue;
      const auto sections = AsStrings(ProjectSectionList(project));
      if (sections == std::vector<std::string>{""}) {
        emptyItem.insert(project);
      } else if (sections == std::vector<std::string>{std::string(kUnnumberedSection)}) {
        unnumbered.insert(project);
      } else {
        const int k = static_cast<int>(sections.size());
        ASSERT_GE(k, 1) << project << " offers no section";
        EXPECT_EQ(sections, Numbered(k)) << project;
        ++projectsWithK[k];
        if (k >= 8) named[k].insert(project);
      }
    }
  }
  // k = 3 counts office 10's twelfth project, which takes the three sections at its place.
  const std::map<int, int> expected = {{1, 4}, {2, 36}, {3, 46}, {4, 34}, {5, 14},
                                       {6, 5}, {7, 4},  {8, 3},  {9, 1},  {10, 1}};
  EXPECT_EQ(projectsWithK, expected);
  EXPECT_EQ(emptyItem, (std::set<std::string_view>{
                           "โครงการส่งน้ำและบำรุงรักษาพัฒนาลุ่มน้ำก่ำ",
                           "โครงการชลประทานพระนครศรีอยุธยา",
                           "โครงการชลประทานปทุมธานี",
                           "โครงการชลประทานสมุทรปราการ",
                           "โครงการชลประทานสมุทรสาคร",
                           "โครงการชลประทานสิงห์บุรี",
                           "โครงการชลประทานอ่างทอง",
                           "โครงการส่งน้ำและบำรุงรักษาเขื่อนเจ้าพระยา",
                       }));
  EXPECT_EQ(unnumbered, (std::set<std::string_view>{"โครงการชลประทานสระบุรี"}));
  EXPECT_EQ(named[8], (std::set<std::string_view>{
                          "โครงการชลประทานชัยภูมิ",
                          "โครงการส่งน้ำและบำรุงรักษาหนองหวาย",
                          "โครงการชลประทานบุรีรัมย์",
                      }));
  EXPECT_EQ(named[9], (std::set<std::string_view>{"โครงการส่งน้ำและบำรุงรักษาลำปาว"}));
  EXPECT_EQ(named[10], (std::set<std::string_view>{"โครงการชลประทานนครราชสีมา"}));
}

TEST(LocationCatalogue, OfficeSevenEndsWithAnEmptyItemThatOffersNoSection) {
  const auto projects = OfficeProjectList(Office(7));
  ASSERT_EQ(projects.size(), 8u);
  EXPECT_EQ(projects.back(), "");
  EXPECT_TRUE(ProjectSectionList(projects.back()).empty());
  EXPECT_EQ(AsStrings(OfficeStationList(Office(7))), (std::vector<std::string>{
      "นครพนม", "มุกดาหาร", "ยโสธร", "อำนาจเจริญ", "อุบลราชธานี",
  }));
}

TEST(LocationCatalogue, OfficeSpecificSectionCases) {
  struct Case {
    int office;
    std::string_view project;
    std::vector<std::string> sections;
  };
  const std::vector<Case> cases = {
      {11, "โครงการชลประทานปทุมธานี", {""}},
      {10, "โครงการชลประทานสระบุรี", {std::string(kUnnumberedSection)}},
      {10, "โครงการชลประทานพระนครศรีอยุธยา", {""}},
      {8, "โครงการชลประทานนครราชสีมา", Numbered(10)},
      // Its own entry is missing; it offers the three sections of the entry at its place.
      {10, "โครงการส่งน้ำและบำรุงรักษาคลองหลวง", Numbered(3)},
  };
  for (const Case& c : cases) {
    const auto projects = OfficeProjectList(Office(c.office));
    EXPECT_NE(std::find(projects.begin(), projects.end(), c.project), projects.end())
        << c.project << " not offered by office " << c.office;
    EXPECT_EQ(AsStrings(ProjectSectionList(c.project)), c.sections) << c.project;
  }
  EXPECT_EQ(OfficeProjectList(Office(10))[11], "โครงการส่งน้ำและบำรุงรักษาคลองหลวง");
}

TEST(LocationCatalogue, LookupsCompareTheWholeTextExactly) {
  const std::string office1 = Office(1);
  const std::string prefix(kOfficePrefix);
  for (const std::string& office : {std::string(), office1 + " ", " " + office1, Office(0), Office(18), prefix,
                                    prefix + "01", prefix.substr(0, prefix.size() - 1) + "1"}) {
    EXPECT_TRUE(OfficeProjectList(office).empty()) << '[' << office << ']';
    EXPECT_TRUE(OfficeStationList(office).empty()) << '[' << office << ']';
  }
  // A text built at run time finds its office: the lookup compares characters, not addresses.
  EXPECT_EQ(OfficeProjectList(office1).size(), 6u);

  const std::string project(OfficeProjectList(office1)[0]);
  for (const std::string& near :
       {project + " ", " " + project, project.substr(0, project.size() - 1), std::string(kIrrigationPrefix),
        office1, std::string("โครงการส่งน้ำและบำรุงรักษานครหลวง")}) {
    EXPECT_TRUE(ProjectSectionList(near).empty()) << '[' << near << ']';
  }
  EXPECT_FALSE(ProjectSectionList(project).empty());
}

TEST(LocationCatalogue, TextsAreThaiScriptWithoutStrayBlanks) {
  for (std::string_view text : AllTexts()) {
    EXPECT_EQ(text.find("  "), std::string_view::npos) << '[' << text << ']';
    if (text.empty()) continue;
    EXPECT_NE(text.front(), ' ') << '[' << text << ']';
    EXPECT_NE(text.back(), ' ') << '[' << text << ']';
    for (char32_t point : CodePoints(text)) {
      const bool thai = point >= 0x0E01 && point <= 0x0E5B;
      const bool other = (point >= U'0' && point <= U'9') || point == U' ' || point == U'-' || point == U'_';
      EXPECT_TRUE(thai || other) << '[' << text << "] holds U+" << std::hex << static_cast<unsigned>(point);
    }
  }
}

}  // namespace
}  // namespace tuvo
