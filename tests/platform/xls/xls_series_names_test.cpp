// The chart mend of the saved .xls: literal series names and marker colours written into the
// converted charts, the stream positions of the records behind them moved. First on small
// hand-made workbook streams, then on files that LibreOffice converted and reads back.
#include "platform/xls/xls_series_names.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "platform/sheet/palette.h"
#include "platform/sheet/sheet.h"
#include "platform/xls/office_application.h"
#include "support/libreoffice_convert.h"
#include "support/temp_folder.h"
#include "support/xls_reader.h"

namespace tuvo::xls {

using sheet::Chart;
using sheet::SheetError;
using sheet::Workbook;
using sheet::Worksheet;
using sheet::Value;
using sheet::PaletteColor;
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<unsigned char>;

const std::string Percolation = "การซึมลึก";
const std::string EffectiveRain = "ฝนใช้การ";

// Record types the tests write and look for.
constexpr std::uint16_t Bof = 0x0809, Eof = 0x000A, BoundSheet = 0x0085, Index = 0x020B, DefColWidth = 0x0055,
                        DbCell = 0x00D7, Palette = 0x0092, ChartRec = 0x1002, SeriesRec = 0x1003, Begin = 0x1033,
                        End = 0x1034, Link = 0x1051, SeriesText = 0x100D, DataFormat = 0x1006,
                        MarkerFormat = 0x1009, TextRec = 0x1025, Row = 0x0208;

void Put16(Bytes& b, std::uint16_t v) {
  b.push_back(static_cast<unsigned char>(v & 0xFF));
  b.push_back(static_cast<unsigned char>(v >> 8));
}
void Put32(Bytes& b, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<unsigned char>((v >> (8 * i)) & 0xFF));
}
std::uint16_t Get16(const Bytes& b, std::size_t at) { return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8)); }
std::uint32_t Get32(const Bytes& b, std::size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

// A record as the tests see it.
struct Rec {
  std::uint16_t type;
  Bytes body;
  std::size_t at = 0;  // where it stands in its stream
};

std::vector<Rec> Parse(const Bytes& stream) {
  std::vector<Rec> records;
  for (std::size_t at = 0; at + 4 <= stream.size();) {
    const std::uint16_t length = Get16(stream, at + 2);
    records.push_back({Get16(stream, at), Bytes(stream.begin() + at + 4, stream.begin() + at + 4 + length), at});
    at += 4 + length;
  }
  return records;
}

// The index of the record that starts at `at`; -1 when none does.
int RecordAt(const std::vector<Rec>& records, std::size_t at) {
  for (std::size_t i = 0; i < records.size(); ++i) {
    if (records[i].at == at) return static_cast<int>(i);
  }
  return -1;
}

// Builds a workbook stream record by record, with stream positions filled in at the end.
class StreamBuilder {
 public:
  // Appends a record; returns its number.
  std::size_t Add(std::uint16_t type, Bytes body = {}) {
    records_.push_back({type, std::move(body)});
    return records_.size() - 1;
  }
  // The 4 bytes at `offset` of record `holder`'s body will hold the position of record `target`.
  void PointAt(std::size_t holder, std::size_t offset, std::size_t target) { pointers_.push_back({holder, offset, target}); }

  Bytes Build() {
    std::vector<std::size_t> at;
    std::size_t position = 0;
    for (const Rec& r : records_) {
      at.push_back(position);
      position += 4 + r.body.size();
    }
    for (const Pointer& p : pointers_) {
      Bytes& body = records_[p.holder].body;
      for (int i = 0; i < 4; ++i) body[p.offset + i] = static_cast<unsigned char>((at[p.target] >> (8 * i)) & 0xFF);
    }
    Bytes stream;
    for (const Rec& r : records_) {
      Put16(stream, r.type);
      Put16(stream, static_cast<std::uint16_t>(r.body.size()));
      stream.insert(stream.end(), r.body.begin(), r.body.end());
    }
    return stream;
  }

 private:
  struct Pointer {
    std::size_t holder, offset, target;
  };
  std::vector<Rec> records_;
  std::vector<Pointer> pointers_;
};

Bytes BofBody(std::uint16_t kind) {
  Bytes b;
  Put16(b, 0x0600);
  Put16(b, kind);
  Put32(b, 0);
  Put32(b, 0);
  Put32(b, 0);
  return b;
}

// The name link as the conversion writes it for a literal name: a reference to #N/A.
const Bytes ErrorNameLink = {0, 2, 0, 0, 0, 0, 2, 0, 0x1C, 0x2A};
// A name link referring to a cell (Sheet1!B1 as a 3-D reference).
const Bytes ReferenceNameLink = {0, 2, 0, 0, 0, 0, 7, 0, 0x3A, 0, 0, 0, 0, 1, 0};
const Bytes ValuesLink = {1, 2, 0, 0, 0, 0, 0, 0};
const Bytes LiteralLink = {0, 1, 0, 0, 0, 0, 0, 0};

// A series-text body: id 0, then the text in UTF-16 (ASCII here).
Bytes TextBody(const std::string& ascii) {
  Bytes b = {0, 0, static_cast<unsigned char>(ascii.size()), 1};
  for (char c : ascii) Put16(b, static_cast<std::uint16_t>(c));
  return b;
}

// A marker format the way the conversion writes it: the line's colour (green), circle, size 7.
Bytes GreenMarker() {
  return {0x00, 0xFF, 0x00, 0, 0x00, 0xFF, 0x00, 0, 8, 0, 0x30, 0, 11, 0, 11, 0, 0x8C, 0, 0, 0};
}

// One series block: name link (optionally followed by a text), values link, the series' marker.
void AddSeries(StreamBuilder& s, const Bytes& nameLink, const std::string& convertedText = {}) {
  s.Add(SeriesRec, Bytes(12, 0));
  s.Add(Begin);
  s.Add(Link, nameLink);
  if (!convertedText.empty()) s.Add(SeriesText, TextBody(convertedText));
  s.Add(Link, ValuesLink);
  s.Add(DataFormat, {0xFF, 0xFF, 0, 0, 0, 0, 0, 0});
  s.Add(Begin);
  s.Add(MarkerFormat, GreenMarker());
  s.Add(End);
  s.Add(End);
}

// A workbook of two sheets: the first holds a chart of three series and a titled text, the
// second has a row block that its index record points at.
Bytes HandMadeStream() {
  StreamBuilder s;
  s.Add(Bof, BofBody(0x0005));
  const std::size_t sheet1Entry = s.Add(BoundSheet, {0, 0, 0, 0, 0, 0, 1, 0, 'A'});
  const std::size_t sheet2Entry = s.Add(BoundSheet, {0, 0, 0, 0, 0, 0, 1, 0, 'B'});
  s.Add(Eof);
  const std::size_t sheet1 = s.Add(Bof, BofBody(0x0010));
  s.Add(Bof, BofBody(0x0020));
  s.Add(ChartRec, Bytes(16, 0));
  s.Add(Begin);
  AddSeries(s, ErrorNameLink);
  AddSeries(s, ReferenceNameLink);
  AddSeries(s, LiteralLink, "Column T");
  s.Add(TextRec, Bytes(32, 0));
  s.Add(Begin);
  s.Add(Link, LiteralLink);
  s.Add(SeriesText, TextBody("Title"));
  s.Add(End);
  s.Add(End);
  s.Add(Eof);
  s.Add(Eof);
  const std::size_t sheet2 = s.Add(Bof, BofBody(0x0010));
  const std::size_t index = s.Add(Index, Bytes(20, 0));
  const std::size_t defColWidth = s.Add(DefColWidth, {8, 0});
  const std::size_t row = s.Add(Row, Bytes(16, 0));
  const std::size_t dbCell = s.Add(DbCell, {0, 0, 0, 0});
  s.Add(Eof);
  s.PointAt(sheet1Entry, 0, sheet1);
  s.PointAt(sheet2Entry, 0, sheet2);
  s.PointAt(index, 12, defColWidth);
  s.PointAt(index, 16, dbCell);
  (void)row;
  return s.Build();
}

// A series mend: name, marker fill and marker outline colour.
SeriesMend Mend(std::optional<std::string> name, std::optional<std::uint32_t> fill = {},
                std::optional<std::uint32_t> line = {}) {
  SeriesMend mend;
  mend.name = std::move(name);
  mend.markerFill = fill;
  mend.markerLine = line;
  return mend;
}

// The mends of the hand-made chart: a literal name, a name by reference, a literal name over the
// text the conversion made up; dark blue fill and red outline on the first.
std::vector<std::vector<SeriesMend>> HandMadeMends() {
  return {{Mend(Percolation, 0x000080, 0xFF0000), Mend({}), Mend(EffectiveRain)}};
}

// The UTF-16 text of a series-text body.
std::u16string TextOf(const Rec& r) {
  std::u16string text;
  for (std::size_t i = 0; i < r.body[2]; ++i) text += static_cast<char16_t>(Get16(r.body, 4 + 2 * i));
  return text;
}

std::u16string U16(const std::string& utf8) {
  // The test texts are Thai or ASCII: one or three bytes per character.
  std::u16string out;
  for (std::size_t i = 0; i < utf8.size();) {
    const unsigned char c = static_cast<unsigned char>(utf8[i]);
    if (c < 0x80) {
      out += c;
      ++i;
    } else {
      out += static_cast<char16_t>(((c & 0x0F) << 12) | ((utf8[i + 1] & 0x3F) << 6) | (utf8[i + 2] & 0x3F));
      i += 3;
    }
  }
  return out;
}

// The records of each series block of the stream's charts, in order.
std::vector<std::vector<Rec>> SeriesBlocks(const std::vector<Rec>& records) {
  std::vector<std::vector<Rec>> blocks;
  int depth = 0;
  int open = -1;
  for (std::size_t i = 0; i < records.size(); ++i) {
    const Rec& r = records[i];
    if (r.type == SeriesRec) {
      blocks.emplace_back();
      open = depth + 1;
      continue;
    }
    if (r.type == Begin) ++depth;
    if (r.type == End) {
      if (depth == open) open = -1;
      --depth;
    }
    if (open != -1 && depth >= open && r.type != Begin) blocks.back().push_back(r);
  }
  return blocks;
}

TEST(XlsChartMend, LiteralNamesBecomeTextsAndReferencesStay) {
  const Bytes stream = HandMadeStream();
  const auto mended = Parse(MendWorkbookStream(stream, HandMadeMends()));
  const auto series = SeriesBlocks(mended);
  ASSERT_EQ(series.size(), 3u);

  // Series 1: the error reference gives way to a literal name and its text.
  ASSERT_GE(series[0].size(), 3u);
  EXPECT_EQ(series[0][0].type, Link);
  EXPECT_EQ(series[0][0].body, LiteralLink);
  EXPECT_EQ(series[0][1].type, SeriesText);
  EXPECT_EQ(TextOf(series[0][1]), U16(Percolation));
  EXPECT_EQ(series[0][2].body, ValuesLink);

  // Series 2: given by reference, left as converted.
  EXPECT_EQ(series[1][0].body, ReferenceNameLink);
  EXPECT_EQ(series[1][1].body, ValuesLink);

  // Series 3: the made-up text is replaced, not doubled.
  EXPECT_EQ(series[2][0].body, LiteralLink);
  EXPECT_EQ(TextOf(series[2][1]), U16(EffectiveRain));
  EXPECT_EQ(series[2][2].body, ValuesLink);

  // The chart title's own link and text are no series name.
  bool title = false;
  for (const Rec& r : mended) title |= r.type == SeriesText && TextOf(r) == u"Title";
  EXPECT_TRUE(title);
  std::size_t texts = 0;
  for (const Rec& r : mended) texts += r.type == SeriesText;
  EXPECT_EQ(texts, 3u);
}

TEST(XlsChartMend, PositionsOfTheRecordsBehindTheChartMove) {
  const Bytes stream = HandMadeStream();
  const Bytes mendedStream = MendWorkbookStream(stream, HandMadeMends());
  ASSERT_NE(mendedStream.size(), stream.size());
  const auto records = Parse(mendedStream);

  std::vector<std::size_t> sheets;
  for (const Rec& r : records) {
    if (r.type == BoundSheet) sheets.push_back(Get32(r.body, 0));
  }
  ASSERT_EQ(sheets.size(), 2u);
  for (std::size_t at : sheets) {
    const int i = RecordAt(records, at);
    ASSERT_GE(i, 0) << "a sheet entry points into a record";
    EXPECT_EQ(records[i].type, Bof);
  }

  for (const Rec& r : records) {
    if (r.type != Index) continue;
    const int defCol = RecordAt(records, Get32(r.body, 12));
    const int dbCell = RecordAt(records, Get32(r.body, 16));
    ASSERT_GE(defCol, 0);
    ASSERT_GE(dbCell, 0);
    EXPECT_EQ(records[defCol].type, DefColWidth);
    EXPECT_EQ(records[dbCell].type, DbCell);
  }
}

TEST(XlsChartMend, MarkersTakeTheirOwnColoursAndShowThem) {
  StreamBuilder s;
  s.Add(Bof, BofBody(0x0005));
  // A palette whose dark blue stands at the 25th place only (the 11th is changed).
  Bytes palette;
  Put16(palette, 56);
  for (int i = 1; i <= 56; ++i) {
    const std::uint32_t rgb = i == 11 ? 0x123456 : PaletteColor(i);
    palette.push_back(static_cast<unsigned char>(rgb >> 16));
    palette.push_back(static_cast<unsigned char>((rgb >> 8) & 0xFF));
    palette.push_back(static_cast<unsigned char>(rgb & 0xFF));
    palette.push_back(0);
  }
  s.Add(Palette, palette);
  s.Add(Eof);
  s.Add(Bof, BofBody(0x0020));
  s.Add(ChartRec, Bytes(16, 0));
  s.Add(Begin);
  AddSeries(s, ErrorNameLink);
  AddSeries(s, ErrorNameLink);
  s.Add(End);
  s.Add(Eof);
  const auto mended = Parse(MendWorkbookStream(s.Build(), {{Mend({}, 0x000080, 0xFF0000), Mend({})}}));
  std::vector<Bytes> markers;
  for (const Rec& r : mended) {
    if (r.type == MarkerFormat) markers.push_back(r.body);
  }
  ASSERT_EQ(markers.size(), 2u);
  const Bytes& m = markers[0];
  EXPECT_EQ(Bytes(m.begin(), m.begin() + 8), (Bytes{0xFF, 0, 0, 0, 0, 0, 0x80, 0}));  // outline red, fill dark blue
  EXPECT_EQ(Get16(m, 10) & 0x30, 0) << "fill and outline shown";
  EXPECT_EQ(Get16(m, 12), 3 + 7) << "red is colour 3";
  EXPECT_EQ(Get16(m, 14), 25 + 7) << "dark blue is colour 25 of this palette";
  const Bytes converted = GreenMarker();
  EXPECT_EQ(Bytes(m.begin() + 16, m.end()), Bytes(converted.begin() + 16, converted.end())) << "size kept";
  EXPECT_EQ(Get16(m, 8), 8) << "style kept";
  EXPECT_EQ(markers[1], GreenMarker()) << "a series without marker colours keeps the converted ones";
  // Nothing but the marker formats changed: no name was given.
  for (const auto& block : SeriesBlocks(mended)) EXPECT_EQ(block[0].body, ErrorNameLink);
}

TEST(XlsChartMend, ALongNameIsCutAt255Units) {
  StreamBuilder s;
  s.Add(Bof, BofBody(0x0020));
  s.Add(ChartRec, Bytes(16, 0));
  s.Add(Begin);
  AddSeries(s, ErrorNameLink);
  s.Add(End);
  s.Add(Eof);
  std::string name;
  for (int i = 0; i < 100; ++i) name += Percolation;  // 900 characters
  const auto series = SeriesBlocks(Parse(MendWorkbookStream(s.Build(), {{Mend(name)}})));
  ASSERT_EQ(series.size(), 1u);
  EXPECT_EQ(TextOf(series[0][1]), U16(name).substr(0, 255));
}

TEST(XlsChartMend, AStreamThatDoesNotMatchTheWorkbookIsRefused) {
  const Bytes stream = HandMadeStream();
  const std::vector<std::vector<std::vector<SeriesMend>>> wrong = {
      {},                                                        // no chart in the workbook
      {{{}, {}, {}}, {{}}},                                      // two charts
      {{{}, {}}},                                                // two series
      {{{}, {}, {}, {}}},                                        // four series
  };
  for (const auto& charts : wrong) {
    EXPECT_THROW(MendWorkbookStream(stream, charts), SheetError);
  }
  Bytes cut(stream.begin(), stream.end() - 6);  // the end record and half the row block's
  EXPECT_THROW(MendWorkbookStream(cut, HandMadeMends()), SheetError) << "a record cut short";
}

TEST(XlsxChartFonts, ALatinTypefaceIsGivenToTheEastAsianAndComplexScripts) {
  struct Case {
    std::string xml, expected;
  };
  const std::string both = "<a:ea typeface=\"Angsana New\"/><a:cs typeface=\"Angsana New\"/>";
  for (const Case& c : {
           Case{"<a:rPr sz=\"2000\"><a:latin typeface=\"Angsana New\"/></a:rPr>",
                "<a:rPr sz=\"2000\"><a:latin typeface=\"Angsana New\"/>" + both + "</a:rPr>"},
           Case{"<a:latin typeface=\"Angsana New\" pitchFamily=\"18\"/><a:latin typeface=\"Angsana New\"/>",
                "<a:latin typeface=\"Angsana New\" pitchFamily=\"18\"/>" + both + "<a:latin typeface=\"Angsana New\"/>" + both},
           Case{"<a:latin typeface=\"A\"/><a:cs typeface=\"B\"/>", "<a:latin typeface=\"A\"/><a:cs typeface=\"B\"/>"},
           Case{"<a:latin typeface=\"A\"></a:latin>", "<a:latin typeface=\"A\"></a:latin>"},
           Case{"<a:latin pitchFamily=\"18\"/>", "<a:latin pitchFamily=\"18\"/>"},
           Case{"<c:chart/>", "<c:chart/>"},
       }) {
    EXPECT_EQ(WithFontsForEveryScript(c.xml), c.expected) << c.xml;
  }
}

// ---- Files converted by LibreOffice.

// The chart:series tags of a flat document, in order.
std::vector<std::string> SeriesTags(const std::string& document) {
  std::vector<std::string> tags;
  for (std::size_t at = document.find("<chart:series "); at != std::string::npos;
       at = document.find("<chart:series ", at + 1)) {
    tags.push_back(document.substr(at, document.find('>', at) - at));
  }
  return tags;
}

// A chart sheet in front of every worksheet, two series over Sheet1: the first named by a
// literal, the second by a reference; the last worksheet holds a value.
class SavedChart : public ::testing::Test {
 protected:
  void SetUp() override {
    Worksheet& data = wb.Worksheets(1);
    data.Cells(1, 2).SetValue(EffectiveRain);
    for (int r = 2; r <= 5; ++r) {
      data.Cells(r, 1).SetValue(10.0 * r);
      data.Cells(r, 2).SetValue(20.0 * r);
    }
    wb.Worksheets(3).Cells(2, 2).SetValue(4321.0);
    Chart& chart = wb.AddChart();  // in front of the active Sheet1
    chart.SetSourceData(data.Range("A2:B5"));
    chart.SeriesCollection(1).SetName("=\"" + Percolation + "\"");
    chart.SeriesCollection(2).SetName("='Sheet1'!$B$1");
    chart.SeriesCollection(1).SetMarkerBackgroundColorIndex(25);
    chart.SeriesCollection(1).SetMarkerForegroundColorIndex(3);
    chart.SetHasLegend(true);
  }
  test::TempFolder folder{"tuvo-mend-test"};
  OfficeApplication app;
  Workbook& wb = app.Workbooks().Add();
};

TEST_F(SavedChart, LibreOfficeReadsTheLiteralNameBackAndTheReferenceStays) {
  const fs::path file = folder.Path() / "chart.xls";
  wb.SaveAs(file.string());
  const std::vector<std::string> tags = SeriesTags(test::ReadText(test::ConvertWithLibreOffice(file, "fods", folder.Path())));
  ASSERT_EQ(tags.size(), 2u);
  EXPECT_NE(tags[0].find("loext:label-string=\"&quot;" + Percolation + "&quot;\""), std::string::npos) << tags[0];
  EXPECT_NE(tags[0].find("chart:values-cell-range-address=\"Sheet1.A2:Sheet1.A5\""), std::string::npos) << tags[0];
  EXPECT_NE(tags[1].find("chart:label-cell-address=\"Sheet1.B1"), std::string::npos) << tags[1];
  EXPECT_EQ(tags[1].find("label-string"), std::string::npos) << tags[1];
}

TEST_F(SavedChart, TheMendedFileKeepsItsSheetsAndCellsAndCarriesTheMarkerColours) {
  const fs::path file = folder.Path() / "chart.xls";
  wb.SaveAs(file.string());
  const test::XlsReader xls(file);  // reads the sheets by the positions the sheet list holds
  EXPECT_EQ(xls.SheetNames(), (std::vector<std::string>{"Chart1", "Sheet1", "Sheet2", "Sheet3"}));
  EXPECT_EQ(xls.Cell("Sheet3", 2, 2), Value{4321.0});
  EXPECT_EQ(xls.Cell("Sheet1", 1, 2), Value{EffectiveRain});
  EXPECT_EQ(xls.Cell("Sheet1", 5, 1), Value{50.0});

  const auto series = SeriesBlocks(Parse(ReadWorkbookStream(file)));
  ASSERT_EQ(series.size(), 2u);
  std::vector<Bytes> markers;
  for (const auto& block : series) {
    for (const Rec& r : block) {
      if (r.type == MarkerFormat) markers.push_back(r.body);
    }
  }
  ASSERT_EQ(markers.size(), 2u);
  EXPECT_EQ(Bytes(markers[0].begin(), markers[0].begin() + 8), (Bytes{0xFF, 0, 0, 0, 0, 0, 0x80, 0}));
}

TEST_F(SavedChart, MendsFollowTheSavedSeries) {
  Chart& chart = static_cast<Chart&>(wb.Sheets("Chart1"));
  Chart& second = wb.AddChart();  // in front of the first
  second.SetSourceData(wb.Worksheets(2).Range("A1:A3"));
  wb.Worksheets(2).Delete();  // its series is not saved
  const std::vector<std::vector<SeriesMend>> mends = ChartMends(wb);
  ASSERT_EQ(mends.size(), 2u);
  EXPECT_TRUE(mends[0].empty());
  EXPECT_EQ(mends[1], (std::vector<SeriesMend>{Mend(Percolation, 0x000080, 0xFF0000), Mend({})}));
  EXPECT_TRUE(IsSavedSeries(chart.SeriesCollection(1)));
  EXPECT_FALSE(IsSavedSeries(second.SeriesCollection(1)));
}

TEST(XlsChartMend, AFileThatIsNoWorkbookCannotBeRead) {
  const test::TempFolder folder{"tuvo-mend-test"};
  const fs::path file = folder.Path() / "not.xls";
  std::ofstream(file) << "not a compound file";
  try {
    ReadWorkbookStream(file);
    ADD_FAILURE() << "read";
  } catch (const SheetError& error) {
    EXPECT_NE(std::string(error.what()).find(file.string()), std::string::npos) << error.what();
  }
}

}  // namespace
}  // namespace tuvo::xls
