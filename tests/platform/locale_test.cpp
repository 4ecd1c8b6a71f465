// Thai regional settings: dates with Buddhist-era years and the locale's number conversions.
#include "platform/locale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace tuvo::locale {
namespace {

using namespace std::chrono;

TEST(ThaiMonthName, NamesMonthsOneToTwelve) {
  EXPECT_EQ(ThaiMonthName(1), "มกราคม");
  EXPECT_EQ(ThaiMonthName(2), "กุมภาพันธ์");
  EXPECT_EQ(ThaiMonthName(12), "ธันวาคม");
  EXPECT_THROW(ThaiMonthName(0), std::out_of_range);
  EXPECT_THROW(ThaiMonthName(13), std::out_of_range);
}

struct DateCase {
  const char* text;
  Date date;
};

TEST(ParseThaiDate, ReadsDayMonthNameAndBuddhistYear) {
  const DateCase cases[] = {
      {"1/มกราคม/2552", 2009y / January / 1d},
      {"29/กุมภาพันธ์/2551", 2008y / February / 29d},
      {"31/ธันวาคม/2587", 2044y / December / 31d},
      {"1/ตุลาคม/2551", 2008y / October / 1d},
      {"01/มีนาคม/2552", 2009y / March / 1d},
      {"15/5/2552", 2009y / May / 15d},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ParseThaiDate(c.text), c.date);
    EXPECT_EQ(TryParseThaiDate(c.text), c.date);
  }
}

TEST(ParseThaiDate, RefusesTextsThatNameNoDay) {
  const char* cases[] = {
      "29/กุมภาพันธ์/2552",  // 2009 is no leap year
      "31/เมษายน/2552",      // April has 30 days
      "0/มกราคม/2552",
      "1/มกรา/2552",         // not a whole month name
      "1/13/2552",
      "1/มกราคม/2442",       // before 1900
      "1/มกราคม/",
      "1/มกราคม",
      "1/มกราคม/2552/1",
      "1 มกราคม 2552",
      "",
      "ก/มกราคม/2552",
  };
  for (const char* text : cases) {
    SCOPED_TRACE(text);
    EXPECT_EQ(TryParseThaiDate(text), std::nullopt);
    EXPECT_THROW(ParseThaiDate(text), ConversionError);
  }
}

TEST(ParseThaiDate, ErrorNamesTheText) {
  try {
    ParseThaiDate("29/กุมภาพันธ์/2552");
    FAIL() << "no error";
  } catch (const ConversionError& e) {
    EXPECT_NE(std::string(e.what()).find("\"29/กุมภาพันธ์/2552\""), std::string::npos) << e.what();
  }
}

TEST(TryParseDateEntry, ReadsThaiLongAndShortDates) {
  const DateCase dates[] = {
      {"1 มกราคม 2552", 2009y / January / 1d},
      {"27 พฤษภาคม 2552", 2009y / May / 27d},
      {"  29 กุมภาพันธ์ 2551 ", 2008y / February / 29d},
      {"1/1/2552", 2009y / January / 1d},
      {"26/6/2551", 2008y / June / 26d},
      {"1/มกราคม/2552", 2009y / January / 1d},
  };
  for (const auto& c : dates) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(TryParseDateEntry(c.text), c.date);
  }
  const char* texts[] = {"ม.ค.", "1 มกราคม", "1 1 2552", "มกราคม 1 2552", "29 กุมภาพันธ์ 2552",
                         "1/1", "12", "1.5", "ข้าว กข. (นาดำ)", "1 มกราคม 2552 9-5-7", ""};
  for (const char* text : texts) {
    SCOPED_TRACE(text);
    EXPECT_EQ(TryParseDateEntry(text), std::nullopt);
  }
}

TEST(DateTexts, LongShortAndTimestamp) {
  EXPECT_EQ(LongDate(2009y / January / 1d), "1 มกราคม 2552");
  EXPECT_EQ(LongDate(2008y / February / 29d), "29 กุมภาพันธ์ 2551");
  EXPECT_EQ(ShortDate(2009y / January / 1d), "1/1/2552");
  EXPECT_EQ(ShortDate(2009y / December / 27d), "27/12/2552");
  EXPECT_EQ(RunTimestamp({2026y / December / 10d, 9, 5, 7}), "10 ธันวาคม 2569 9-5-7");
  EXPECT_EQ(RunTimestamp({2009y / March / 23d, 14, 3, 9}), "23 มีนาคม 2552 14-3-9");
  EXPECT_EQ(RunTimestamp({2009y / March / 23d, 0, 0, 0}), "23 มีนาคม 2552 0-0-0");
  // What the program writes, it reads back.
  for (const Date d : {2009y / January / 1d, 2044y / December / 31d, 1900y / January / 1d}) {
    EXPECT_EQ(TryParseDateEntry(LongDate(d)), d);
    EXPECT_EQ(TryParseDateEntry(ShortDate(d)), d);
  }
}

TEST(DateSerial, CountsDaysFromTheSpreadsheetEpoch) {
  EXPECT_EQ(DateSerial(2009y / January / 1d), 39814);
  EXPECT_EQ(DateSerial(1900y / March / 1d), 61);
  EXPECT_EQ(DateSerial(1899y / December / 30d), 0);
  EXPECT_EQ(SerialDate(39814), 2009y / January / 1d);
  EXPECT_EQ(SerialDate(39814.75), 2009y / January / 1d);
  EXPECT_EQ(SerialDate(DateSerial(2044y / December / 31d)), 2044y / December / 31d);
  EXPECT_THROW(SerialDate(std::nan("")), ConversionError);
  EXPECT_THROW(SerialDate(1e12), ConversionError);
}

struct NumberCase {
  const char* text;
  double value;
};

TEST(LeadingNumber, ReadsTheNumberATextBeginsWith) {
  const NumberCase cases[] = {
      {"12abc", 12},   {"", 0},         {"abc", 0},      {"0.5", 0.5},     {"1,500", 1},
      {"  7", 7},      {" 1 2", 12},    {"1\t5 ไร่", 15}, {"-3", -3},       {"+4", 4},
      {"- 2", -2},     {".5", 0.5},     {"5.", 5},       {"1.2.3", 1.2},   {"1e3", 1000},
      {"2.5E-1x", 0.25}, {"1e", 1},     {"1e+", 1},      {"--1", 0},       {"-", 0},
      {".", 0},        {"150 ไร่", 150}, {"ไร่ 150", 0},  {"1e-400", 0},    {"0", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(LeadingNumber(c.text), c.value);
  }
  EXPECT_THROW(LeadingNumber("1e400"), OverflowError);
}

TEST(ToInt16, RoundsHalvesToEvenAndRefusesOverflow) {
  const std::pair<double, int> cases[] = {
      {2.5, 2},     {3.5, 4},       {-2.5, -2},     {-3.5, -4},     {2.4999, 2},
      {2.5001, 3},  {0.5, 0},       {1.5, 2},       {-0.5, 0},      {32767, 32767},
      {-32768, -32768}, {32767.4, 32767}, {-32768.5, -32768}, {7, 7},
  };
  for (const auto& [value, expected] : cases) {
    SCOPED_TRACE(value);
    EXPECT_EQ(ToInt16(value), expected);
  }
  for (double value : {32768.0, 32767.5, -32769.0, -32768.6, 1e300,
                       std::numeric_limits<double>::infinity(), std::nan("")}) {
    SCOPED_TRACE(value);
    EXPECT_THROW(ToInt16(value), OverflowError);
  }
}

TEST(WholeNumber, IsTheRoundedLeadingNumber) {
  EXPECT_EQ(WholeNumber("4"), 4);
  EXPECT_EQ(WholeNumber(""), 0);
  EXPECT_EQ(WholeNumber("2.5 สัปดาห์"), 2);
  EXPECT_EQ(WholeNumber("20"), 20);
  EXPECT_THROW(WholeNumber("40000"), OverflowError);
}

TEST(ToNumber, ReadsTheWholeTextWithGrouping) {
  const NumberCase cases[] = {
      {"1,500", 1500},      {"1,500.5", 1500.5}, {" 12 ", 12},        {"12", 12},
      {"0.5", 0.5},         {".5", 0.5},         {"5.", 5},           {"-3", -3},
      {"+3", 3},            {"12,345,678", 12345678}, {"1234,567", 1234567}, {"1e3", 1000},
      {"2.5E-1", 0.25},     {"0", 0},            {"10000000", 1e7},   {"1e-400", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ToNumber(c.text), c.value);
    EXPECT_EQ(TryToNumber(c.text), c.value);
  }
}

TEST(ToNumber, RefusesTextsThatAreNotWhollyANumber) {
  const char* cases[] = {"150 ไร่", "", "  ", "abc", "1,50", "1,5000", ",500", "1,", "1.500,5",
                         "1,500.5,0", "1 2", "- 3", "1e", "1e+", ".", "-", "12abc", "0x10",
                         "inf", "nan", "1..2"};
  for (const char* text : cases) {
    SCOPED_TRACE(text);
    EXPECT_EQ(TryToNumber(text), std::nullopt);
    EXPECT_THROW(ToNumber(text), ConversionError);
  }
  EXPECT_EQ(TryToNumber("1e400"), std::nullopt);
  EXPECT_THROW(ToNumber("1e400"), OverflowError);
}

TEST(Round2, HalvesGoToEvenOnTheWrittenValue) {
  const std::pair<double, double> cases[] = {
      {0.125, 0.12},  {0.375, 0.38},   {26.125, 26.12}, {26.375, 26.38}, {2.675, 2.68},
      {2.665, 2.66},  {1.005, 1.0},    {1.015, 1.02},   {-0.125, -0.12}, {-2.675, -2.68},
      {1.234, 1.23},  {1.236, 1.24},   {0.004, 0.0},    {0.005, 0.0},    {0.0051, 0.01},
      {0.015, 0.02},  {12.3, 12.3},    {0.0, 0.0},      {1234567.895, 1234567.9},
      {0.1 + 0.2, 0.3}, {1e-9, 0.0},
  };
  for (const auto& [value, expected] : cases) {
    SCOPED_TRACE(value);
    EXPECT_EQ(Round2(value), expected);
  }
  EXPECT_FALSE(std::signbit(Round2(-0.001)));
  EXPECT_EQ(Round2(1e15 + 2), 1e15 + 2);
}

TEST(NumberText, PlainDecimalOfFifteenDigits) {
  const std::pair<double, const char*> cases[] = {
      {150, "150"},         {12.5, "12.5"},         {0.1 + 0.2, "0.3"},   {111.06, "111.06"},
      {-3, "-3"},           {1e-5, "0.00001"},       {0, "0"},             {-0.0, "0"},
      {1e20, "100000000000000000000"}, {123456789012345678.0, "123456789012346000"},
      {2.0 / 3.0, "0.666666666666667"}, {-0.25, "-0.25"}, {1600, "1600"},  {39814, "39814"},
  };
  for (const auto& [value, expected] : cases) {
    SCOPED_TRACE(expected);
    EXPECT_EQ(NumberText(value), expected);
  }
  // The plain text reads back through the number conversion.
  for (double value : {150.0, 12.5, 111.06, -3.0, 1e-5, 2.0 / 3.0}) {
    EXPECT_EQ(ToNumber(NumberText(value)), std::stod(NumberText(value)));
  }
}

}  // namespace
}  // namespace tuvo::locale
