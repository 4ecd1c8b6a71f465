// Thai regional settings with Buddhist-era years, independent of the machine's locale: the C
// library's conversions follow LC_NUMERIC, which Qt sets from the environment, so numbers go
// through <charconv> and dates through std::chrono only.
#include "platform/locale.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <system_error>

namespace tuvo::locale {

namespace {

using namespace std::chrono;

// Months 1 to 12 under the Thai regional settings.
const std::array<std::string, 12> kThaiMonthNames = {
    "มกราคม",
    "กุมภาพันธ์",
    "มีนาคม",
    "เมษายน",
    "พฤษภาคม",
    "มิถุนายน",
    "กรกฎาคม",
    "สิงหาคม",
    "กันยายน",
    "ตุลาคม",
    "พฤศจิกายน",
    "ธันวาคม",
};

constexpr int kBuddhistEraOffset = 543;
// The dates a workbook cell can hold, and so the dates the program reads and writes.
constexpr int kFirstYear = 1900;
constexpr int kLastYear = 9999;
constexpr sys_days kSerialEpoch = sys_days{1899y / December / 30d};

// Blanks and tabs, the separators of typed texts.
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
// ASCII digits only; Thai digits are not numbers to the conversions.
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The text without blanks and tabs at either end.
std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// A text of 1 to maxDigits ASCII digits and nothing else, as a number.
std::optional<int> ReadDigits(std::string_view text, std::size_t maxDigits) {
  if (text.empty() || text.size() > maxDigits) return std::nullopt;
  int value = 0;
  for (char c : text) {
    if (!IsDigit(c)) return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

// The month of a Thai month name, compared as the whole exact text.
std::optional<unsigned> MonthFromName(std::string_view text) {
  for (unsigned m = 1; m <= 12; ++m) {
    if (kThaiMonthNames[m - 1] == text) return m;
  }
  return std::nullopt;
}

// A day, month and Buddhist-era year into a date, when that day exists.
std::optional<Date> MakeDate(std::string_view dayText, std::optional<unsigned> month,
                             std::string_view yearText) {
  const auto day = ReadDigits(Trim(dayText), 2);
  const auto buddhistYear = ReadDigits(Trim(yearText), 5);
  if (!day || !month || !buddhistYear) return std::nullopt;
  const int gregorianYear = *buddhistYear - kBuddhistEraOffset;
  if (gregorianYear < kFirstYear || gregorianYear > kLastYear) return std::nullopt;
  const Date date{year{gregorianYear}, std::chrono::month{*month},
                  std::chrono::day{static_cast<unsigned>(*day)}};
  if (!date.ok()) return std::nullopt;
  return date;
}

// Splits a text at `separator` into exactly three parts.
std::optional<std::array<std::string_view, 3>> SplitThree(std::string_view text, char separator) {
  std::array<std::string_view, 3> parts;
  for (std::size_t i = 0; i < 2; ++i) {
    const auto at = text.find(separator);
    if (at == std::string_view::npos) return std::nullopt;
    parts[i] = text.substr(0, at);
    text.remove_prefix(at + 1);
  }
  if (text.find(separator) != std::string_view::npos) return std::nullopt;
  parts[2] = text;
  return parts;
}

// "d/m/yyyy" with the month as a Thai name or a number, year in the Buddhist era.
std::optional<Date> ReadSlashDate(std::string_view text) {
  const auto parts = SplitThree(Trim(text), '/');
  if (!parts) return std::nullopt;
  const std::string_view monthText = Trim((*parts)[1]);
  std::optional<unsigned> month = MonthFromName(monthText);
  if (!month) {
    if (const auto number = ReadDigits(monthText, 2)) month = static_cast<unsigned>(*number);
  }
  return MakeDate((*parts)[0], month, (*parts)[2]);
}

// "d mmmm yyyy": day, Thai month name and Buddhist-era year separated by blanks.
std::optional<Date> ReadLongDate(std::string_view text) {
  std::array<std::string_view, 3> words;
  std::size_t count = 0;
  text = Trim(text);
  while (!text.empty()) {
    if (count == words.size()) return std::nullopt;
    std::size_t end = 0;
    while (end < text.size() && !IsBlank(text[end])) ++end;
    words[count++] = text.substr(0, end);
    text = Trim(text.substr(end));
  }
  if (count != words.size()) return std::nullopt;
  return MakeDate(words[0], MonthFromName(words[1]), words[2]);
}

// A text in quotes for error messages.
std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

// A well-formed decimal text "[-]digits[.digits][e[-]digits]" into a double. Results beyond the
// range of a double overflow; results too small for it are 0, as the spreadsheet reads them.
double DecimalToDouble(const std::string& decimal) {
  double value = 0;
  const auto [end, ec] = std::from_chars(decimal.data(), decimal.data() + decimal.size(), value);
  if (ec == std::errc{} && end == decimal.data() + decimal.size()) return value;
  if (ec != std::errc::result_out_of_range) {
    throw ConversionError("not a number: " + Quoted(decimal));
  }
  // Out of range: an underflow when the first significant digit's place plus the exponent is
  // negative, an overflow otherwise.
  const std::string_view text(decimal);
  const std::size_t e = std::min(text.find('e'), text.size());
  const std::string_view mantissa = text.substr(0, e);
  const auto point = static_cast<long>(std::min(mantissa.find('.'), mantissa.size()));
  const auto first = static_cast<long>(mantissa.find_first_of("123456789"));
  const long place = first < point ? point - first - 1 : point - first;
  const long exponent = e < text.size() ? std::strtol(decimal.c_str() + e + 1, nullptr, 10) : 0;
  if (place + exponent < 0) return text[0] == '-' ? -0.0 : 0.0;
  throw OverflowError("number out of range: " + Quoted(decimal));
}

// One more exponent digit, capped so that a long run of digits cannot overflow the exponent
// itself (the value is out of range long before the cap).
long CappedExponent(long exponent, char digit) {
  return exponent < 100000 ? exponent * 10 + (digit - '0') : exponent;
}

// Appends "e", the sign and the exponent.
void AppendExponent(std::string& decimal, bool negative, long exponent) {
  decimal += 'e';
  if (negative) decimal += '-';
  decimal += std::to_string(exponent);
}

// The 15 significant digits of a finite, non-zero |value| and the decimal place of the first.
struct Digits15 {
  std::string digits;  // exactly 15 characters '0'..'9', the first not '0'
  int exponent = 0;    // the first digit stands for 10^exponent
};

// Correctly rounded 15 digits by to_chars, which ignores the C locale.
Digits15 SignificantDigits(double value) {
  char buffer[32];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::scientific, 14);
  // "d.dddddddddddddde+XX"
  const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
  Digits15 out;
  out.digits.reserve(15);
  out.digits += text[0];
  out.digits.append(text.substr(2, 14));
  int exponent = 0;
  std::from_chars(text.data() + 17 + (text[17] == '+' ? 1 : 0), text.data() + text.size(), exponent);
  out.exponent = exponent;
  return out;
}

// Blanks at either end, an optional sign, digits grouped by "," in threes after the first
// group ("1,500", "12,345,678"; "1,50", "1500,0" and ",500" are not numbers), an optional "."
// with decimals and an optional exponent; the whole text must be read. Gives the plain
// decimal text for DecimalToDouble.
std::optional<std::string> ReadNumberEntry(std::string_view text) {
  text = Trim(text);
  std::size_t i = 0;
  std::string decimal;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    if (text[i] == '-') decimal += '-';
    ++i;
  }
  std::size_t digits = 0;
  std::string mantissa;
  while (i < text.size() && IsDigit(text[i])) {
    mantissa += text[i++];
    ++digits;
  }
  while (digits > 0 && i < text.size() && text[i] == ',') {
    if (text.size() - i < 4) return std::nullopt;
    for (std::size_t k = 1; k <= 3; ++k) {
      if (!IsDigit(text[i + k])) return std::nullopt;
    }
    if (i + 4 < text.size() && IsDigit(text[i + 4])) return std::nullopt;
    mantissa.append(text.substr(i + 1, 3));
    i += 4;
  }
  if (i < text.size() && text[i] == '.') {
    mantissa += '.';
    ++i;
    while (i < text.size() && IsDigit(text[i])) {
      mantissa += text[i++];
      ++digits;
    }
  }
  if (digits == 0) return std::nullopt;
  decimal += mantissa.front() == '.' ? "0" + mantissa : mantissa;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long exponent = 0;
    std::size_t exponentDigits = 0;
    while (i < text.size() && IsDigit(text[i])) {
      exponent = CappedExponent(exponent, text[i++]);
      ++exponentDigits;
    }
    if (exponentDigits == 0) return std::nullopt;
    AppendExponent(decimal, negative, exponent);
  }
  if (i != text.size()) return std::nullopt;
  return decimal;
}

}  // namespace

// The month name, for months 1 to 12 only.
const std::string& ThaiMonthName(unsigned month) {
  if (month < 1 || month > 12) throw std::out_of_range("month out of range: " + std::to_string(month));
  return kThaiMonthNames[month - 1];
}

// As TryParseThaiDate, with the failure as an error naming the text.
Date ParseThaiDate(std::string_view text) {
  if (const auto date = TryParseThaiDate(text)) return *date;
  throw ConversionError("not a date: " + Quoted(text));
}

// The date conversion of the start-date lists.
std::optional<Date> TryParseThaiDate(std::string_view text) { return ReadSlashDate(text); }

// What the spreadsheet takes for a date when the text is typed into a cell.
std::optional<Date> TryParseDateEntry(std::string_view text) {
  if (const auto date = ReadSlashDate(text)) return date;
  return ReadLongDate(text);
}

// Day, Thai month name and Buddhist-era year, without leading zeros.
std::string LongDate(Date date) {
  return std::to_string(static_cast<unsigned>(date.day())) + " " +
         ThaiMonthName(static_cast<unsigned>(date.month())) + " " +
         std::to_string(static_cast<int>(date.year()) + kBuddhistEraOffset);
}

// Day, month number and Buddhist-era year joined by "/".
std::string ShortDate(Date date) {
  return std::to_string(static_cast<unsigned>(date.day())) + "/" +
         std::to_string(static_cast<unsigned>(date.month())) + "/" +
         std::to_string(static_cast<int>(date.year()) + kBuddhistEraOffset);
}

// The long date and the time as h-m-s.
std::string RunTimestamp(const DateTime& now) {
  return LongDate(now.date) + " " + std::to_string(now.hour) + "-" + std::to_string(now.minute) +
         "-" + std::to_string(now.second);
}

// Reads as BASIC's Val does: the number the text begins with, after leading blanks; blanks,
// tabs and line feeds inside the number are skipped (" 1 2" gives 12); a comma or any other
// character ends it. Only the decimal form with an optional "E" exponent is read.
double LeadingNumber(std::string_view text) {
  std::size_t i = 0;
  const auto skip = [&] {
    while (i < text.size() && (IsBlank(text[i]) || text[i] == '\n')) ++i;
  };
  const auto at = [&](auto predicate) {
    skip();
    return i < text.size() && predicate(text[i]);
  };

  std::string decimal;
  if (at([](char c) { return c == '+' || c == '-'; })) {
    if (text[i] == '-') decimal += '-';
    ++i;
  }
  bool anyDigit = false;
  std::string mantissa;
  while (at(IsDigit)) {
    mantissa += text[i++];
    anyDigit = true;
  }
  if (at([](char c) { return c == '.'; })) {
    ++i;
    mantissa += '.';
    while (at(IsDigit)) {
      mantissa += text[i++];
      anyDigit = true;
    }
  }
  if (!anyDigit) return 0.0;
  decimal += mantissa.front() == '.' ? "0" + mantissa : mantissa;

  if (at([](char c) { return c == 'e' || c == 'E'; })) {
    ++i;
    bool negative = false;
    if (at([](char c) { return c == '+' || c == '-'; })) negative = text[i++] == '-';
    long exponent = 0;
    bool exponentDigit = false;
    while (at(IsDigit)) {
      exponent = CappedExponent(exponent, text[i++]);
      exponentDigit = true;
    }
    if (exponentDigit) AppendExponent(decimal, negative, exponent);
  }
  return DecimalToDouble(decimal);
}

// Half to even into -32768 .. 32767.
std::int16_t ToInt16(double value) {
  if (std::isnan(value)) throw OverflowError("not a whole number: NaN");
  // Halves go to the even neighbour; computed by hand so that the FPU rounding mode is irrelevant.
  double whole = std::floor(value);
  const double fraction = value - whole;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0)) whole += 1.0;
  if (whole < std::numeric_limits<std::int16_t>::min() || whole > std::numeric_limits<std::int16_t>::max()) {
    throw OverflowError("overflow: " + NumberText(value) + " is outside -32768 to 32767");
  }
  return static_cast<std::int16_t>(whole);
}

// The leading number as a 16-bit whole number.
std::int16_t WholeNumber(std::string_view text) { return ToInt16(LeadingNumber(text)); }

// The typed-entry number reading, failing loudly.
double ToNumber(std::string_view text) {
  const auto decimal = ReadNumberEntry(text);
  if (!decimal) throw ConversionError("not a number: " + Quoted(text));
  return DecimalToDouble(*decimal);
}

// The typed-entry number reading, without errors.
std::optional<double> TryToNumber(std::string_view text) {
  const auto decimal = ReadNumberEntry(text);
  if (!decimal) return std::nullopt;
  try {
    return DecimalToDouble(*decimal);
  } catch (const OverflowError&) {
    return std::nullopt;
  }
}

// Halves go to the even neighbour, decided on the value's decimal text of 15 significant digits:
// 2.675 is stored just below 2.675 but reads "2.675" and so rounds as the tie it was written as,
// to 2.68. From 1e12 on, 15 digits do not reach below the second decimal and the value is kept.
double Round2(double value) {
  if (!std::isfinite(value) || value == 0.0) return value;
  const Digits15 d = SignificantDigits(value);
  const int kept = d.exponent + 3;  // digits down to the place of 10^-2
  if (kept >= 15) return value;
  long long hundredths = 0;
  bool up = false;
  if (kept >= 0) {
    for (int k = 0; k < kept; ++k) hundredths = hundredths * 10 + (d.digits[k] - '0');
    if (kept < 15) {
      const std::string_view rest = std::string_view(d.digits).substr(static_cast<std::size_t>(kept));
      if (rest[0] > '5') {
        up = true;
      } else if (rest[0] == '5') {
        const bool tie = rest.find_first_not_of('0', 1) == std::string_view::npos;
        up = !tie || hundredths % 2 != 0;
      }
    }
  }
  if (up) ++hundredths;
  if (hundredths == 0) return 0.0;
  std::string decimal = value < 0 ? "-" : "";
  decimal += std::to_string(hundredths);
  decimal += "e-2";
  return DecimalToDouble(decimal);
}

// Fixed-point text of the 15 significant digits, trailing zeros dropped.
std::string NumberText(double value) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value < 0 ? "-Infinity" : "Infinity";
  if (value == 0.0) return "0";
  Digits15 d = SignificantDigits(value);
  d.digits.erase(d.digits.find_last_not_of('0') + 1);
  std::string text = value < 0 ? "-" : "";
  if (d.exponent < 0) {
    text += "0.";
    text.append(static_cast<std::size_t>(-d.exponent - 1), '0');
    text += d.digits;
    return text;
  }
  const auto integerDigits = static_cast<std::size_t>(d.exponent) + 1;
  if (d.digits.size() <= integerDigits) {
    text += d.digits;
    text.append(integerDigits - d.digits.size(), '0');
  } else {
    text += d.digits.substr(0, integerDigits);
    text += '.';
    text += d.digits.substr(integerDigits);
  }
  return text;
}

// Whole days since 30 December 1899.
double DateSerial(Date date) { return static_cast<double>((sys_days{date} - kSerialEpoch).count()); }

// The whole days of a serial; a time of day in the fraction is dropped.
Date SerialDate(double serial) {
  const double firstSerial = DateSerial(year{1} / January / 1d);
  const double lastSerial = DateSerial(year{kLastYear} / December / 31d);
  if (!(serial >= firstSerial && serial < lastSerial + 1)) {
    throw ConversionError("not a date serial: " + NumberText(serial));
  }
  return Date{kSerialEpoch + days{static_cast<long>(std::floor(serial))}};
}

}  // namespace tuvo::locale
