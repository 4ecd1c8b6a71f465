// Thai regional settings with Buddhist-era years: month names, date texts, the locale's number
// conversions and rounding. Nothing here depends on the machine's own locale.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tuvo::locale {

using Date = std::chrono::year_month_day;

// A local date and time of day, as the clock gives it.
struct DateTime {
  Date date;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// A text that does not read as a number or a date.
class ConversionError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A value outside the range of a 16-bit whole number.
class OverflowError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The Thai month names "มกราคม" .. "ธันวาคม"; month 1 to 12.
const std::string& ThaiMonthName(unsigned month);

// Reads "day/Thai month name/Buddhist-era year" ("1/มกราคม/2552") into a date (year - 543); the
// month may also be its number. Only days that exist in the years 1900 to 9999 (Gregorian) are
// dates; anything else throws ConversionError naming the text.
Date ParseThaiDate(std::string_view text);
std::optional<Date> TryParseThaiDate(std::string_view text);

// Reads a Thai long date "1 มกราคม 2552" or short date "1/1/2552" (typed-entry conversion).
std::optional<Date> TryParseDateEntry(std::string_view text);

// The long date "1 มกราคม 2552" (also the "d mmmm yyyy" pattern).
std::string LongDate(Date date);

// The short date "1/1/2552".
std::string ShortDate(Date date);

// The run time stamp: long date, a blank, hour-minute-second without leading zeros.
std::string RunTimestamp(const DateTime& now);

// The number a text begins with; empty or non-numeric gives 0 ("12abc" gives 12). Blanks, tabs
// and line feeds are skipped, inside the number too (" 1 2" gives 12); a "," ends the number
// ("1,500" gives 1). A number beyond the range of a double throws OverflowError.
double LeadingNumber(std::string_view text);

// A number rounded half to even into a 16-bit integer; outside the range throws OverflowError.
std::int16_t ToInt16(double value);

// The whole number of a text: ToInt16(LeadingNumber(text)).
std::int16_t WholeNumber(std::string_view text);

// The locale's number conversion (decimal ".", grouping ","); not a number throws ConversionError,
// a number beyond the range of a double OverflowError. The whole text must read as the number,
// blanks at either end aside; grouping is in threes after the first group ("1,500", "12,345.5";
// "1,50" is not a number). TryToNumber gives no value where ToNumber would throw.
double ToNumber(std::string_view text);
std::optional<double> TryToNumber(std::string_view text);

// Rounds to 2 decimals, halves to even (0.125 gives 0.12, 0.375 gives 0.38), decided on the
// value's 15-significant-digit decimal text (2.675 gives 2.68).
double Round2(double value);

// The plain decimal text of a number: up to 15 significant digits, no exponent, no trailing zeros.
std::string NumberText(double value);

// Days since the spreadsheet epoch (30 December 1899) and back; SerialDate drops a time of day
// and throws ConversionError outside the years 1 to 9999.
double DateSerial(Date date);
Date SerialDate(double serial);

}  // namespace tuvo::locale
