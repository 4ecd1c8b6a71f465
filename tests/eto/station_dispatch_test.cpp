// Which station text reaches which station table: first match, exact whole-text comparison, and
// the two office-list texts served by another station's tables.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "eto/select_station_eto.h"
#include "eto/station_alias.h"
#include "forms/location_catalogue.h"

namespace tuvo {
namespace {

std::string_view ProcedureOf(std::string_view station) {
  const StationDispatchEntry* entry = FindStationETo(station);
  return entry == nullptr ? std::string_view("(none)") : entry->procedure;
}

TEST(StationDispatch, EveryStationHasItsOwnTextProcedureAndTable) {
  std::set<std::string_view> texts, procedures;
  std::set<const StationEToTable*> tables;
  for (const StationDispatchEntry& entry : StationDispatchList) {
    texts.insert(entry.StationName);
    procedures.insert(entry.procedure);
    tables.insert(entry.table);
    EXPECT_EQ(FindStationETo(entry.StationName), &entry) << entry.procedure;
  }
  EXPECT_EQ(texts.size(), 91u);
  EXPECT_EQ(procedures.size(), 91u);
  EXPECT_EQ(tables.size(), 91u);  // stations with equal values still own a table each
  EXPECT_EQ(StationDispatchList.front().procedure, "FillEToChiangMai");
  EXPECT_EQ(StationDispatchList.back().procedure, "FillEToNarathiwat");
}

TEST(StationDispatch, StationsThatShareANameStayApart) {
  const std::vector<std::pair<std::string_view, std::string_view>> cases = {
      {"น่าน", "FillEToNan"},
      {"ทุ่งช้าง_น่าน", "FillEToThungChangNan"},
      {"ท่าวังผา_น่าน", "FillEToThaWangPhaNan"},
      {"ชลบุรี", "FillEToChonBuri"},
      {"พัทยา_ชลบุรี", "FillEToPhatthayaChonBuri"},
      {"สัตหีบ_ชลบุรี", "FillEToSattahipChonBuri"},
      {"ลพบุรี", "FillEToLopBuri"},
      {"บัวชุม_ลพบุรี", "FillEToBuaChumLopBuri"},
      {"ประจวบคีรีขันธ์", "FillEToPrachuapKhiriKhan"},
      {"หัวหิน_ประจวบคีรีขันธ์", "FillEToHuaHinPrachuapKhiriKhan"},
      {"เชียงใหม่", "FillEToChiangMai"},
      {"เชียงราย", "FillEToChiangRai"},
  };
  for (const auto& [station, procedure] : cases) {
    EXPECT_EQ(ProcedureOf(station), procedure) << station;
  }
  EXPECT_NE(FindStationETo("ลพบุรี")->table, FindStationETo("บัวชุม_ลพบุรี")->table);
}

TEST(StationDispatch, TextsThatDifferInAnyCharacterMatchNothing) {
  const std::string lampang = "ลำปาง";
  std::string suratOtherLetter = "สุราษฏร์ธานี";
  suratOtherLetter.replace(suratOtherLetter.find("\u0E0F"), 3, "\u0E0E");  // ฏ written as ฎ
  for (const std::string& station :
       {lampang + " ", " " + lampang, std::string(), lampang.substr(0, lampang.size() - 3),
        std::string("Lampang"), suratOtherLetter}) {
    EXPECT_EQ(FindStationETo(station), nullptr) << station;
    EXPECT_FALSE(HasStationETo(station)) << station;
  }
  EXPECT_TRUE(HasStationETo(lampang));
}

TEST(StationDispatch, CapitalAndIslandUseTheirStationsTables) {
  EXPECT_EQ(StationTableName("กรุงเทพมหานคร"), "กรุงเทพ");
  EXPECT_EQ(StationTableName("เกาะสมุย_สุราษฏร์ธานี"), "สุราษฏร์ธานี");
  EXPECT_EQ(StationTableName("ลำปาง "), "ลำปาง ");
  EXPECT_EQ(ProcedureOf("กรุงเทพมหานคร"), "FillEToKrungThep");
  EXPECT_EQ(ProcedureOf("เกาะสมุย_สุราษฏร์ธานี"), "FillEToSuratThani");
}

TEST(StationDispatch, EveryTextTheOfficeListsOfferReachesATable) {
  std::set<std::string_view> offered;
  for (const std::string_view office : OfficeList()) {
    for (const std::string_view station : OfficeStationList(office)) {
      offered.insert(station);
      EXPECT_TRUE(HasStationETo(station)) << office << ": " << station;
    }
  }
  EXPECT_EQ(offered.size(), 90u);
}

}  // namespace
}  // namespace tuvo
