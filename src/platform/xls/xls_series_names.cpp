#include "platform/xls/xls_series_names.h"

#include <gsf/gsf.h>

#include <QString>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "platform/sheet/chart.h"
#include "platform/sheet/palette.h"
#include "platform/sheet/workbook.h"

namespace tuvo::xls {

using sheet::Chart;
using sheet::Series;
using sheet::Sheet;
using sheet::SheetError;
using sheet::Workbook;
using sheet::PaletteColor;

namespace {

namespace fs = std::filesystem;

// Record types of the workbook stream.
constexpr std::uint16_t BofRecord = 0x0809;
constexpr std::uint16_t EofRecord = 0x000A;
constexpr std::uint16_t BoundSheetRecord = 0x0085;  // a sheet's name and the stream position of its BOF
constexpr std::uint16_t IndexRecord = 0x020B;       // stream positions of a sheet's row blocks
constexpr std::uint16_t ExtSstRecord = 0x00FF;      // stream positions into the shared strings
constexpr std::uint16_t PaletteRecord = 0x0092;
constexpr std::uint16_t SeriesRecord = 0x1003;
constexpr std::uint16_t BeginRecord = 0x1033;
constexpr std::uint16_t EndRecord = 0x1034;
constexpr std::uint16_t LinkRecord = 0x1051;        // where a series takes its name, values, categories
constexpr std::uint16_t SeriesTextRecord = 0x100D;  // the literal text of the link before it
constexpr std::uint16_t MarkerFormatRecord = 0x1009;
constexpr std::uint16_t ChartSubstream = 0x0020;    // BOF type of a chart

constexpr std::uint8_t NameLink = 0;      // link id of the series name
constexpr std::uint8_t LiteralLink = 1;   // link kind: text given in the file
constexpr std::size_t MaxSeriesText = 255;  // UTF-16 units of a series text

// Marker format: colours at 0 (outline) and 4 (fill), flags at 10, palette indexes at 12 and 14.
constexpr std::size_t MarkerFormatSize = 20;
constexpr std::uint16_t MarkerNoFill = 0x0010;
constexpr std::uint16_t MarkerNoBorder = 0x0020;
constexpr int FirstPaletteIcv = 8;  // the palette index of colour index 1

[[noreturn]] void Malformed(const std::string& what) { throw SheetError("the converted workbook stream " + what); }

std::uint16_t U16(const std::vector<unsigned char>& d, std::size_t at) {
  return static_cast<std::uint16_t>(d[at] | (d[at + 1] << 8));
}

std::uint32_t U32(const std::vector<unsigned char>& d, std::size_t at) {
  return d[at] | (d[at + 1] << 8) | (d[at + 2] << 16) | (static_cast<std::uint32_t>(d[at + 3]) << 24);
}

void Put16(std::vector<unsigned char>& d, std::size_t at, std::uint16_t v) {
  d[at] = static_cast<unsigned char>(v & 0xFF);
  d[at + 1] = static_cast<unsigned char>(v >> 8);
}

void Put32(std::vector<unsigned char>& d, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) d[at + static_cast<std::size_t>(i)] = static_cast<unsigned char>((v >> (8 * i)) & 0xFF);
}

void Append16(std::vector<unsigned char>& d, std::uint16_t v) {
  d.push_back(static_cast<unsigned char>(v & 0xFF));
  d.push_back(static_cast<unsigned char>(v >> 8));
}

void AppendRecord(std::vector<unsigned char>& out, std::uint16_t type, const std::vector<unsigned char>& body) {
  Append16(out, type);
  Append16(out, static_cast<std::uint16_t>(body.size()));
  out.insert(out.end(), body.begin(), body.end());
}

// One record of the stream: its type, where it starts, the length of its body.
struct Record {
  std::uint16_t type;
  std::size_t at;
  std::size_t length;
  std::size_t body() const { return at + 4; }
};

std::vector<Record> Records(const std::vector<unsigned char>& stream) {
  std::vector<Record> records;
  std::size_t at = 0;
  while (at + 4 <= stream.size()) {
    const Record r{U16(stream, at), at, U16(stream, at + 2)};
    if (r.body() + r.length > stream.size()) Malformed("ends inside a record at " + std::to_string(at));
    records.push_back(r);
    at = r.body() + r.length;
  }
  return records;
}

// A link that gives the series name as literal text, and that text as a series-text record: a
// string of at most 255 UTF-16 units (cut there), stored uncompressed.
std::vector<unsigned char> LiteralNameLink() { return {NameLink, LiteralLink, 0, 0, 0, 0, 0, 0}; }

std::vector<unsigned char> SeriesText(const std::string& name) {
  std::u16string text = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())).toStdU16String();
  if (text.size() > MaxSeriesText) {
    std::size_t cut = MaxSeriesText;
    if (text[cut - 1] >= 0xD800 && text[cut - 1] <= 0xDBFF) --cut;  // keep a surrogate pair whole
    text.resize(cut);
  }
  std::vector<unsigned char> body = {0, 0, static_cast<unsigned char>(text.size()), 1};
  for (char16_t c : text) Append16(body, static_cast<std::uint16_t>(c));
  return body;
}

// The file's colour palette (from its palette record, else the standard one), 0xRRGGBB by index
// from FirstPaletteIcv on.
std::vector<std::uint32_t> FilePalette(const std::vector<unsigned char>& stream, const std::vector<Record>& records) {
  for (const Record& r : records) {
    if (r.type == BofRecord && r.at != 0) break;  // the palette stands among the workbook's globals
    if (r.type != PaletteRecord || r.length < 2) continue;
    const std::size_t count = std::min<std::size_t>(U16(stream, r.body()), (r.length - 2) / 4);
    std::vector<std::uint32_t> palette;
    for (std::size_t i = 0; i < count; ++i) {
      const std::size_t at = r.body() + 2 + 4 * i;
      palette.push_back((std::uint32_t{stream[at]} << 16) | (std::uint32_t{stream[at + 1]} << 8) | stream[at + 2]);
    }
    return palette;
  }
  return {sheet::StandardPalette.begin(), sheet::StandardPalette.end()};
}

// The palette index nearest to a colour, as the file's colour fields want beside the colour.
std::uint16_t NearestIcv(const std::vector<std::uint32_t>& palette, std::uint32_t rgb) {
  auto distance = [rgb](std::uint32_t other) {
    long d = 0;
    for (int shift : {16, 8, 0}) {
      const long c = static_cast<long>((rgb >> shift) & 0xFF) - static_cast<long>((other >> shift) & 0xFF);
      d += c * c;
    }
    return d;
  };
  std::size_t best = 0;
  for (std::size_t i = 1; i < palette.size(); ++i) {
    if (distance(palette[i]) < distance(palette[best])) best = i;
  }
  return static_cast<std::uint16_t>(FirstPaletteIcv + best);
}

void PutRgb(std::vector<unsigned char>& d, std::size_t at, std::uint32_t rgb) {
  d[at] = static_cast<unsigned char>((rgb >> 16) & 0xFF);
  d[at + 1] = static_cast<unsigned char>((rgb >> 8) & 0xFF);
  d[at + 2] = static_cast<unsigned char>(rgb & 0xFF);
  d[at + 3] = 0;
}

// The marker format record with the mend's colours; a colour given is also shown.
std::vector<unsigned char> MendedMarker(std::vector<unsigned char> body, const SeriesMend& mend,
                                        const std::vector<std::uint32_t>& palette) {
  std::uint16_t flags = U16(body, 10);
  if (mend.markerLine) {
    PutRgb(body, 0, *mend.markerLine);
    Put16(body, 12, NearestIcv(palette, *mend.markerLine));
    flags &= static_cast<std::uint16_t>(~MarkerNoBorder);
  }
  if (mend.markerFill) {
    PutRgb(body, 4, *mend.markerFill);
    Put16(body, 14, NearestIcv(palette, *mend.markerFill));
    flags &= static_cast<std::uint16_t>(~MarkerNoFill);
  }
  Put16(body, 10, flags);
  return body;
}

// Stream positions that records hold, moved to where the records now stand.
class PositionMap {
 public:
  void Add(std::size_t oldAt, std::size_t newAt) { starts_.emplace_back(oldAt, newAt); }
  std::uint32_t operator()(std::uint32_t oldPosition) const {
    auto it = std::upper_bound(starts_.begin(), starts_.end(), std::pair<std::size_t, std::size_t>{oldPosition, SIZE_MAX});
    if (it == starts_.begin()) return oldPosition;
    --it;
    return static_cast<std::uint32_t>(it->second + (oldPosition - it->first));
  }

 private:
  std::vector<std::pair<std::size_t, std::size_t>> starts_;  // old record start, new record start
};

// Moves the stream positions held by the sheet list, the row-block indexes and the shared
// strings' index.
void MovePositions(std::vector<unsigned char>& out, const std::vector<Record>& records,
                   const std::vector<std::size_t>& newAt, const PositionMap& map) {
  for (std::size_t i = 0; i < records.size(); ++i) {
    const Record& r = records[i];
    const std::size_t body = newAt[i] + 4;
    auto move = [&](std::size_t field) {
      const std::uint32_t old = U32(out, body + field);
      if (old != 0) Put32(out, body + field, map(old));
    };
    if (r.type == BoundSheetRecord && r.length >= 4) {
      move(0);
    } else if (r.type == IndexRecord && r.length >= 16) {
      move(12);
      for (std::size_t field = 16; field + 4 <= r.length; field += 4) move(field);
    } else if (r.type == ExtSstRecord && r.length >= 2) {
      for (std::size_t field = 2; field + 8 <= r.length; field += 8) move(field);
    }
  }
}

// An owned GObject of libgsf.
template <typename T>
struct GsfUnref {
  void operator()(T* object) const {
    if (object != nullptr) g_object_unref(object);
  }
};
template <typename T>
using GsfPtr = std::unique_ptr<T, GsfUnref<T>>;

std::string TakeError(GError*& error) {
  std::string message = error != nullptr && error->message != nullptr ? error->message : "unknown failure";
  if (error != nullptr) g_error_free(error);
  error = nullptr;
  return message;
}

std::vector<unsigned char> ReadAll(GsfInput* input) {
  const gsf_off_t size = gsf_input_size(input);
  std::vector<unsigned char> bytes(static_cast<std::size_t>(size));
  if (size > 0 && gsf_input_read(input, static_cast<std::size_t>(size), bytes.data()) == nullptr) {
    throw SheetError("a stream of the file cannot be read");
  }
  return bytes;
}

void Write(GsfOutput* output, const std::vector<unsigned char>& bytes) {
  if (!bytes.empty() && !gsf_output_write(output, bytes.size(), bytes.data())) {
    throw SheetError("a stream of the mended file cannot be written");
  }
}

// Copies a storage's streams and storages into `out`, the workbook stream replaced by `book`.
void CopyStorage(GsfInfile* in, GsfOutfile* out, const std::vector<unsigned char>& book, bool top) {
  const int count = gsf_infile_num_children(in);
  for (int i = 0; i < count; ++i) {
    GsfPtr<GsfInput> child(gsf_infile_child_by_index(in, i));
    const char* name = gsf_infile_name_by_index(in, i);
    if (!child || name == nullptr) throw SheetError("an entry of the file cannot be read");
    const bool storage = GSF_IS_INFILE(child.get()) && gsf_infile_num_children(GSF_INFILE(child.get())) >= 0;
    GsfPtr<GsfOutput> copy(gsf_outfile_new_child(out, name, storage));
    if (!copy) throw SheetError(std::string("the entry \"") + name + "\" cannot be written");
    if (storage) {
      guint8 clsid[16];
      if (GSF_IS_INFILE_MSOLE(child.get()) && gsf_infile_msole_get_class_id(GSF_INFILE_MSOLE(child.get()), clsid)) {
        gsf_outfile_msole_set_class_id(GSF_OUTFILE_MSOLE(copy.get()), clsid);
      }
      CopyStorage(GSF_INFILE(child.get()), GSF_OUTFILE(copy.get()), book, false);
    } else if (top && std::strcmp(name, "Workbook") == 0) {
      Write(copy.get(), book);
    } else {
      Write(copy.get(), ReadAll(child.get()));
    }
    if (!gsf_output_close(copy.get())) throw SheetError(std::string("the entry \"") + name + "\" cannot be written");
  }
}

bool AnythingToMend(const std::vector<std::vector<SeriesMend>>& charts) {
  for (const auto& chart : charts) {
    for (const SeriesMend& s : chart) {
      if (s.name || s.markerFill || s.markerLine) return true;
    }
  }
  return false;
}

// The compound file of an .xls file and its workbook stream.
struct OpenXls {
  GsfPtr<GsfInput> file;
  GsfPtr<GsfInfile> ole;
  GsfPtr<GsfInput> book;
};

OpenXls Open(const fs::path& xls) {
  OpenXls open;
  GError* error = nullptr;
  open.file.reset(gsf_input_stdio_new(xls.c_str(), &error));
  if (!open.file) throw SheetError("it cannot be opened: " + TakeError(error));
  open.ole.reset(gsf_infile_msole_new(open.file.get(), &error));
  if (!open.ole) throw SheetError("it is no compound file: " + TakeError(error));
  open.book.reset(gsf_infile_child_by_name(open.ole.get(), "Workbook"));
  if (!open.book) throw SheetError("it has no workbook stream");
  return open;
}

// Whether a zip entry is a chart part.
bool IsChartPart(const std::string& path) {
  const std::string folder = "xl/charts/chart";
  return path.rfind(folder, 0) == 0 && path.size() > 4 && path.compare(path.size() - 4, 4, ".xml") == 0 &&
         path.find('/', folder.size()) == std::string::npos;
}

// Copies a zip folder's entries into `out`, the chart parts with their fonts for every script.
void CopyZipFolder(GsfInfile* in, GsfOutfile* out, const std::string& prefix) {
  const int count = gsf_infile_num_children(in);
  for (int i = 0; i < count; ++i) {
    GsfPtr<GsfInput> child(gsf_infile_child_by_index(in, i));
    const char* name = gsf_infile_name_by_index(in, i);
    if (!child || name == nullptr) throw SheetError("an entry of the file cannot be read");
    const std::string path = prefix + name;
    const bool folder = GSF_IS_INFILE(child.get()) && gsf_infile_num_children(GSF_INFILE(child.get())) >= 0;
    // Every entry gets the same fixed time, so that the same workbook gives the same file.
    GDateTime* fixed = g_date_time_new_utc(1980, 1, 1, 0, 0, 0);
    GsfPtr<GsfOutput> copy(folder ? gsf_outfile_new_child_full(out, name, TRUE, "modtime", fixed, nullptr)
                                  : gsf_outfile_new_child_full(out, name, FALSE, "compression-level",
                                                               GSF_ZIP_DEFLATED, "modtime", fixed, nullptr));
    g_date_time_unref(fixed);
    if (!copy) throw SheetError("the entry \"" + path + "\" cannot be written");
    if (folder) {
      CopyZipFolder(GSF_INFILE(child.get()), GSF_OUTFILE(copy.get()), path + "/");
    } else if (IsChartPart(path)) {
      const std::vector<unsigned char> bytes = ReadAll(child.get());
      const std::string xml = WithFontsForEveryScript(std::string(bytes.begin(), bytes.end()));
      Write(copy.get(), std::vector<unsigned char>(xml.begin(), xml.end()));
    } else {
      Write(copy.get(), ReadAll(child.get()));
    }
    if (!gsf_output_close(copy.get())) throw SheetError("the entry \"" + path + "\" cannot be written");
  }
}

}  // namespace

bool IsSavedSeries(const Series& series) { return !series.Values().Sheet().IsDeleted(); }

std::vector<std::vector<SeriesMend>> ChartMends(const Workbook& workbook) {
  std::vector<std::vector<SeriesMend>> charts;
  for (const Sheet* sheet : workbook.SheetList()) {
    if (sheet->Type() != Sheet::Kind::Chart) continue;
    const Chart& chart = static_cast<const Chart&>(*sheet);
    std::vector<SeriesMend>& mends = charts.emplace_back();
    for (int i = 1; i <= chart.SeriesCount(); ++i) {
      const Series& series = chart.SeriesCollection(i);
      if (!IsSavedSeries(series)) continue;
      SeriesMend& mend = mends.emplace_back();
      if (!series.NameReference() || series.NameReference()->Sheet().IsDeleted()) mend.name = series.Name();
      if (auto index = series.MarkerBackgroundColorIndex(); index && *index >= 1 && *index <= 56) {
        mend.markerFill = PaletteColor(*index);
      }
      if (auto index = series.MarkerForegroundColorIndex(); index && *index >= 1 && *index <= 56) {
        mend.markerLine = PaletteColor(*index);
      }
    }
  }
  return charts;
}

std::vector<unsigned char> MendWorkbookStream(const std::vector<unsigned char>& stream,
                                              const std::vector<std::vector<SeriesMend>>& charts) {
  const std::vector<Record> records = Records(stream);
  const std::vector<std::uint32_t> palette = FilePalette(stream, records);
  std::vector<unsigned char> out;
  out.reserve(stream.size() + 1024);
  std::vector<std::size_t> newAt(records.size());
  PositionMap map;

  int depth = 0;           // substreams open
  int chartDepth = 0;      // depth of the chart being read, 0 outside charts
  std::size_t chart = 0;   // charts met so far
  int blocks = 0;          // begin-end blocks open in the chart
  int seriesBlock = 0;     // block depth of the current series' block, 0 outside
  bool seriesNext = false; // a series record waits for its block
  std::size_t seriesCount = 0;
  bool dropSeriesText = false;
  const SeriesMend* mend = nullptr;

  for (std::size_t i = 0; i < records.size(); ++i) {
    const Record& r = records[i];
    newAt[i] = out.size();
    map.Add(r.at, out.size());
    std::vector<unsigned char> body(stream.begin() + static_cast<std::ptrdiff_t>(r.body()),
                                    stream.begin() + static_cast<std::ptrdiff_t>(r.body() + r.length));
    const bool wasDropping = dropSeriesText;
    dropSeriesText = false;

    if (r.type == BofRecord) {
      ++depth;
      if (r.length >= 4 && U16(stream, r.body() + 2) == ChartSubstream && chartDepth == 0) {
        if (chart >= charts.size()) Malformed("holds more charts than the workbook's " + std::to_string(charts.size()));
        chartDepth = depth;
        blocks = seriesBlock = 0;
        seriesNext = false;
        seriesCount = 0;
      }
    } else if (r.type == EofRecord) {
      if (chartDepth != 0 && depth == chartDepth) {
        if (seriesCount != charts[chart].size()) {
          Malformed("gives chart " + std::to_string(chart + 1) + " " + std::to_string(seriesCount) +
                    " series where the workbook has " + std::to_string(charts[chart].size()));
        }
        ++chart;
        chartDepth = 0;
        mend = nullptr;
      }
      --depth;
    } else if (chartDepth != 0 && depth == chartDepth) {
      if (r.type == SeriesRecord && blocks == 1) {
        if (seriesCount >= charts[chart].size()) {
          Malformed("gives chart " + std::to_string(chart + 1) + " more series than the workbook's " +
                    std::to_string(charts[chart].size()));
        }
        mend = &charts[chart][seriesCount++];
        seriesNext = true;
      } else if (r.type == BeginRecord) {
        ++blocks;
        if (seriesNext) seriesBlock = blocks;
        seriesNext = false;
      } else if (r.type == EndRecord) {
        if (blocks == seriesBlock) {
          seriesBlock = 0;
          mend = nullptr;
        }
        --blocks;
      } else if (mend != nullptr && seriesBlock != 0) {
        if (r.type == LinkRecord && blocks == seriesBlock && r.length >= 1 && body[0] == NameLink && mend->name) {
          AppendRecord(out, LinkRecord, LiteralNameLink());
          AppendRecord(out, SeriesTextRecord, SeriesText(*mend->name));
          dropSeriesText = true;  // a text the conversion may have written after the link
          continue;
        }
        if (r.type == SeriesTextRecord && wasDropping) continue;
        if (r.type == MarkerFormatRecord && blocks > seriesBlock && r.length >= MarkerFormatSize) {
          body = MendedMarker(std::move(body), *mend, palette);
        }
      }
    }
    AppendRecord(out, r.type, body);
  }
  if (chart != charts.size()) {
    Malformed("holds " + std::to_string(chart) + " charts where the workbook has " + std::to_string(charts.size()));
  }
  out.insert(out.end(), stream.begin() + static_cast<std::ptrdiff_t>(records.empty() ? 0 : records.back().body() + records.back().length),
             stream.end());
  MovePositions(out, records, newAt, map);
  return out;
}

std::vector<unsigned char> ReadWorkbookStream(const fs::path& xls) {
  try {
    return ReadAll(Open(xls).book.get());
  } catch (const SheetError& error) {
    throw SheetError("reading \"" + xls.string() + "\": " + error.what());
  }
}

void MendXlsCharts(const fs::path& xls, const Workbook& workbook, const fs::path& target) {
  const std::vector<std::vector<SeriesMend>> charts = ChartMends(workbook);
  if (!AnythingToMend(charts)) return;
  auto fail = [&](const std::string& what) -> SheetError {
    return SheetError("saving \"" + target.string() + "\": mending the charts of the converted file \"" +
                      xls.string() + "\": " + what);
  };
  const fs::path mended = xls.string() + ".mended";
  try {
    const OpenXls in = Open(xls);
    GsfInfile* ole = in.ole.get();
    const std::vector<unsigned char> stream = MendWorkbookStream(ReadAll(in.book.get()), charts);

    GError* error = nullptr;
    GsfPtr<GsfOutput> sink(gsf_output_stdio_new(mended.c_str(), &error));
    if (!sink) throw SheetError("\"" + mended.string() + "\" cannot be made: " + TakeError(error));
    GsfPtr<GsfOutfile> outOle(gsf_outfile_msole_new(sink.get()));
    if (!outOle) throw SheetError("\"" + mended.string() + "\" cannot be written");
    guint8 clsid[16];
    if (gsf_infile_msole_get_class_id(GSF_INFILE_MSOLE(ole), clsid)) {
      gsf_outfile_msole_set_class_id(GSF_OUTFILE_MSOLE(outOle.get()), clsid);
    }
    CopyStorage(ole, outOle.get(), stream, true);
    // Closing the compound file closes its file too.
    if (!gsf_output_close(GSF_OUTPUT(outOle.get()))) {
      throw SheetError("\"" + mended.string() + "\" cannot be written");
    }
  } catch (const SheetError& error) {
    std::error_code ignored;
    fs::remove(mended, ignored);
    throw fail(error.what());
  }
  if (std::rename(mended.c_str(), xls.c_str()) != 0) {
    const int error = errno;
    std::error_code ignored;
    fs::remove(mended, ignored);
    throw fail(std::string("cannot put the mended file in place: ") + std::strerror(error));
  }
}

std::string WithFontsForEveryScript(const std::string& xml) {
  const std::string latin = "<a:latin ";
  const std::string attribute = "typeface=\"";
  std::string out;
  std::size_t copied = 0;
  for (std::size_t at = xml.find(latin); at != std::string::npos; at = xml.find(latin, at + 1)) {
    const std::size_t close = xml.find('>', at);
    if (close == std::string::npos || xml[close - 1] != '/') continue;  // only an empty element
    const std::size_t after = close + 1;
    if (xml.compare(after, 5, "<a:ea") == 0 || xml.compare(after, 5, "<a:cs") == 0) continue;
    const std::size_t name = xml.find(attribute, at);
    if (name == std::string::npos || name > close) continue;
    const std::size_t start = name + attribute.size();
    const std::size_t stop = xml.find('"', start);
    if (stop == std::string::npos || stop > close) continue;
    const std::string typeface = xml.substr(start, stop - start);
    out.append(xml, copied, after - copied);
    out += "<a:ea typeface=\"" + typeface + "\"/><a:cs typeface=\"" + typeface + "\"/>";
    copied = after;
  }
  out.append(xml, copied, std::string::npos);
  return out;
}

void GiveChartFontsToEveryScript(const fs::path& xlsx) {
  const fs::path rewritten = xlsx.string() + ".fonts";
  auto fail = [&](const std::string& what) {
    std::error_code ignored;
    fs::remove(rewritten, ignored);
    return SheetError("writing \"" + xlsx.string() + "\": the chart fonts: " + what);
  };
  try {
    GError* error = nullptr;
    GsfPtr<GsfInput> file(gsf_input_stdio_new(xlsx.c_str(), &error));
    if (!file) throw SheetError("it cannot be opened: " + TakeError(error));
    GsfPtr<GsfInfile> zip(gsf_infile_zip_new(file.get(), &error));
    if (!zip) throw SheetError("it is no zip file: " + TakeError(error));
    GsfPtr<GsfOutput> sink(gsf_output_stdio_new(rewritten.c_str(), &error));
    if (!sink) throw SheetError("\"" + rewritten.string() + "\" cannot be made: " + TakeError(error));
    GsfPtr<GsfOutfile> out(gsf_outfile_zip_new(sink.get(), &error));
    if (!out) throw SheetError("\"" + rewritten.string() + "\" cannot be written: " + TakeError(error));
    CopyZipFolder(zip.get(), out.get(), "");
    // Closing the zip closes its file too.
    if (!gsf_output_close(GSF_OUTPUT(out.get()))) throw SheetError("\"" + rewritten.string() + "\" cannot be written");
  } catch (const SheetError& error) {
    throw fail(error.what());
  }
  if (std::rename(rewritten.c_str(), xlsx.c_str()) != 0) throw fail(std::string("cannot replace the file: ") + std::strerror(errno));
}

}  // namespace tuvo::xls
