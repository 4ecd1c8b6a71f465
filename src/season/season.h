// The crop texts and the season-length rule that the window, the run and every weekly writer share.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace tuvo {

struct SeasonTexts;

inline constexpr std::string_view RDTransplanted = "ข้าว กข. (นาดำ)";
inline constexpr std::string_view KDML105Transplanted = "ข้าวขาวดอกมะลิ 105 (นาดำ)";
inline constexpr std::string_view RDWetSeeded = "ข้าว กข. (นาหว่านน้ำตม)";

// True for the three crop texts the season rules know.
bool IsSeasonCrop(std::string_view crop);

// The week counts a season length is computed from.
struct WeekFields {
  std::int16_t NurseryPrepWeeks = 0;  // cboTriamplangKla
  std::int16_t SeedlingWeeks = 0;     // cboLiengklatime
  std::int16_t NurseryWeeks = 0;      // NurseryPrepWeeks + SeedlingWeeks
  std::int16_t WetPrepWeeks = 0;      // cboTriamplangNaWan
  std::int16_t StopWeeks = 0;         // cboStop
  std::int16_t GroupCount = 0;        // cboGroup
};

// Number of weeks of the season for the crop text, or nothing when no rule applies (another crop
// text, seedling weeks other than 3 and 4, stop weeks other than 1 to 3). Uses NurseryWeeks as
// given for the transplanted crops.
std::optional<std::int16_t> ScheduleWeeksFor(std::string_view crop, const WeekFields& weeks);

// The week fields by their lists' leading numbers, 16 bits, into `weeks` one by one (a failure
// leaves the fields read before it set); NurseryWeeks is the sum of the first two. GroupCount is
// left as it is: the callers read cboGroup each in their own way.
void RefreshWeekFields(const SeasonTexts& texts, WeekFields& weeks);

// The same read into fresh fields (GroupCount 0), so that a failure changes nothing of the caller's.
WeekFields ReadWeekFields(const SeasonTexts& texts);

// cboGroup by its leading number, 16 bits: "3 groups" counts 3.
std::int16_t GroupCountByLeadingNumber(const SeasonTexts& texts);

// cboGroup wholly as a number by the locale's conversion, 16 bits: "3 groups" is no count and
// throws locale::ConversionError.
std::int16_t GroupCountByLocaleNumber(const SeasonTexts& texts);

}  // namespace tuvo
