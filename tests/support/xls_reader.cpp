#include "xls_reader.h"

#include <freexl.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include <stdlib.h>
#include <unistd.h>

namespace tuvo::test {

namespace {

// Record types of the workbook stream.
constexpr std::uint16_t BofRecord = 0x0809;
constexpr std::uint16_t EofRecord = 0x000A;
// A record type that no reader knows: what a blanked record becomes.
constexpr std::uint16_t BlankRecord = 0x1FFF;

constexpr std::uint32_t EndOfChain = 0xFFFFFFFA;  // this and above end a sector chain

[[noreturn]] void NotXls(const std::filesystem::path& path, const std::string& why) {
  throw std::runtime_error("\"" + path.string() + "\" is not a readable .xls file: " + why);
}

std::uint32_t U32(const std::vector<unsigned char>& d, std::size_t at) {
  if (at + 4 > d.size()) throw std::runtime_error("offset beyond the file");
  return d[at] | (d[at + 1] << 8) | (d[at + 2] << 16) | (static_cast<std::uint32_t>(d[at + 3]) << 24);
}

std::uint16_t U16(const std::vector<unsigned char>& d, std::size_t at) {
  if (at + 2 > d.size()) throw std::runtime_error("offset beyond the file");
  return static_cast<std::uint16_t>(d[at] | (d[at + 1] << 8));
}

// The workbook stream of a compound file, as the file offsets of its bytes' blocks.
class WorkbookStream {
 public:
  explicit WorkbookStream(std::vector<unsigned char>& file) : file_(file) {
    const std::vector<unsigned char> signature = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    if (file.size() < 512 || !std::equal(signature.begin(), signature.end(), file.begin())) {
      throw std::runtime_error("no compound file header");
    }
    sectorSize_ = std::size_t{1} << U16(file, 30);
    const std::size_t miniSectorSize = std::size_t{1} << U16(file, 32);
    const std::uint32_t fatSectors = U32(file, 44);
    const std::uint32_t directoryStart = U32(file, 48);
    const std::uint32_t miniCutoff = U32(file, 56);
    const std::uint32_t miniFatStart = U32(file, 60);
    std::uint32_t difatSector = U32(file, 68);

    std::vector<std::uint32_t> fatList;
    for (std::size_t i = 0; i < 109 && fatList.size() < fatSectors; ++i) fatList.push_back(U32(file, 76 + 4 * i));
    while (fatList.size() < fatSectors && difatSector < EndOfChain) {
      const std::size_t base = SectorOffset(difatSector);
      for (std::size_t i = 0; i + 1 < sectorSize_ / 4 && fatList.size() < fatSectors; ++i) {
        fatList.push_back(U32(file, base + 4 * i));
      }
      difatSector = U32(file, base + sectorSize_ - 4);
    }
    for (std::uint32_t sector : fatList) {
      const std::size_t base = SectorOffset(sector);
      for (std::size_t i = 0; i < sectorSize_ / 4; ++i) fat_.push_back(U32(file, base + 4 * i));
    }

    // The directory: the root entry (its stream holds the small streams) and the workbook.
    std::uint32_t rootStart = EndOfChain;
    std::uint32_t bookStart = EndOfChain;
    std::uint32_t bookSize = 0;
    for (std::uint32_t sector : Chain(directoryStart)) {
      const std::size_t base = SectorOffset(sector);
      for (std::size_t e = 0; e < sectorSize_ / 128; ++e) {
        const std::size_t entry = base + 128 * e;
        const std::uint16_t nameBytes = U16(file, entry + 64);
        std::string name;
        for (std::size_t i = 0; i + 2 < nameBytes && i < 64; i += 2) name += static_cast<char>(file[entry + i]);
        if (file[entry + 66] == 5) rootStart = U32(file, entry + 116);
        if (name == "Workbook" || name == "Book") {
          bookStart = U32(file, entry + 116);
          bookSize = U32(file, entry + 120);
        }
      }
    }
    if (bookStart >= EndOfChain) throw std::runtime_error("no workbook stream");
    size_ = bookSize;
    if (bookSize >= miniCutoff) {
      blockSize_ = sectorSize_;
      for (std::uint32_t sector : Chain(bookStart)) blocks_.push_back(SectorOffset(sector));
    } else {
      // A small stream lives in mini sectors inside the root entry's stream.
      std::vector<std::size_t> rootSectors;
      for (std::uint32_t sector : Chain(rootStart)) rootSectors.push_back(SectorOffset(sector));
      std::vector<std::uint32_t> miniFat;
      for (std::uint32_t sector : Chain(miniFatStart)) {
        for (std::size_t i = 0; i < sectorSize_ / 4; ++i) miniFat.push_back(U32(file, SectorOffset(sector) + 4 * i));
      }
      blockSize_ = miniSectorSize;
      for (std::uint32_t mini = bookStart; mini < EndOfChain; mini = mini < miniFat.size() ? miniFat[mini] : EndOfChain) {
        const std::size_t inRoot = std::size_t{mini} * miniSectorSize;
        if (inRoot / sectorSize_ >= rootSectors.size()) throw std::runtime_error("mini sector beyond the root stream");
        blocks_.push_back(rootSectors[inRoot / sectorSize_] + inRoot % sectorSize_);
        if (blocks_.size() > file.size()) throw std::runtime_error("looping mini sector chain");
      }
    }
    if (blocks_.size() * blockSize_ < size_) throw std::runtime_error("workbook stream shorter than its size");
  }

  std::size_t Size() const { return size_; }
  unsigned char& At(std::size_t offset) { return file_[blocks_[offset / blockSize_] + offset % blockSize_]; }
  std::uint16_t Word(std::size_t offset) { return static_cast<std::uint16_t>(At(offset) | (At(offset + 1) << 8)); }
  void SetWord(std::size_t offset, std::uint16_t value) {
    At(offset) = static_cast<unsigned char>(value & 0xFF);
    At(offset + 1) = static_cast<unsigned char>(value >> 8);
  }

 private:
  std::size_t SectorOffset(std::uint32_t sector) const {
    const std::size_t offset = (std::size_t{sector} + 1) * sectorSize_;
    if (offset + sectorSize_ > file_.size()) throw std::runtime_error("sector beyond the file");
    return offset;
  }
  std::vector<std::uint32_t> Chain(std::uint32_t start) const {
    std::vector<std::uint32_t> chain;
    for (std::uint32_t s = start; s < EndOfChain; s = s < fat_.size() ? fat_[s] : EndOfChain) {
      chain.push_back(s);
      if (chain.size() > fat_.size()) throw std::runtime_error("looping sector chain");
    }
    return chain;
  }

  std::vector<unsigned char>& file_;
  std::size_t sectorSize_ = 512;
  std::vector<std::uint32_t> fat_;
  std::size_t blockSize_ = 512;
  std::vector<std::size_t> blocks_;
  std::size_t size_ = 0;
};

// FreeXL ends its reading at the first record after a chart that a sheet holds (the chart's own
// end record closes the sheet for it), and would take the chart's cached numbers for cells. The
// chart's records, from its begin record to its end record, are blanked in place; the offsets of
// every other record stay as they are. Returns the file's bytes so changed.
std::vector<unsigned char> WithoutEmbeddedCharts(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) NotXls(path, "it cannot be opened");
  std::vector<unsigned char> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  try {
    WorkbookStream stream(file);
    int depth = 0;
    for (std::size_t at = 0; at + 4 <= stream.Size();) {
      const std::uint16_t type = stream.Word(at);
      const std::uint16_t length = stream.Word(at + 2);
      const int before = depth;
      if (type == BofRecord) ++depth;
      if (type == EofRecord) --depth;
      if (std::max(before, depth) >= 2) stream.SetWord(at, BlankRecord);
      at += 4 + std::size_t{length};
    }
  } catch (const std::runtime_error& error) {
    NotXls(path, error.what());
  }
  return file;
}

}  // namespace

XlsReader::XlsReader(const std::filesystem::path& path) : path_(path) {
  // FreeXL reads a private copy with the sheets' embedded charts blanked.
  const std::vector<unsigned char> bytes = WithoutEmbeddedCharts(path);
  std::string copy = (std::filesystem::temp_directory_path() / "tuvo-xls-read-XXXXXX").string();
  const int fd = mkstemp(copy.data());
  if (fd < 0) throw std::runtime_error("no temporary copy of \"" + path.string() + "\"");
  const bool written = write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
  close(fd);
  const int opened = written ? freexl_open(copy.c_str(), &handle_) : -1;
  unlink(copy.c_str());
  if (opened != FREEXL_OK || handle_ == nullptr) {
    if (handle_ != nullptr) freexl_close(handle_);
    handle_ = nullptr;
    throw std::runtime_error("FreeXL cannot read \"" + path.string() + "\"");
  }
  unsigned int count = 0;
  freexl_get_info(handle_, FREEXL_BIFF_SHEET_COUNT, &count);
  for (unsigned int i = 0; i < count; ++i) {
    const char* name = nullptr;
    freexl_get_worksheet_name(handle_, static_cast<unsigned short>(i), &name);
    names_.emplace_back(name == nullptr ? "" : name);
  }
}

XlsReader::~XlsReader() {
  if (handle_ != nullptr) freexl_close(handle_);
}

void XlsReader::Select(int sheet) const {
  if (sheet < 1 || sheet > static_cast<int>(names_.size()) ||
      freexl_select_active_worksheet(handle_, static_cast<unsigned short>(sheet - 1)) != FREEXL_OK) {
    throw std::runtime_error("\"" + path_.string() + "\" has no sheet " + std::to_string(sheet));
  }
}

int XlsReader::RowCount(int sheet) const {
  Select(sheet);
  unsigned int rows = 0;
  unsigned short columns = 0;
  freexl_worksheet_dimensions(handle_, &rows, &columns);
  return static_cast<int>(rows);
}

int XlsReader::ColumnCount(int sheet) const {
  Select(sheet);
  unsigned int rows = 0;
  unsigned short columns = 0;
  freexl_worksheet_dimensions(handle_, &rows, &columns);
  return columns;
}

sheet::Value XlsReader::Cell(int sheet, int row, int column) const {
  Select(sheet);
  unsigned int rows = 0;
  unsigned short columns = 0;
  freexl_worksheet_dimensions(handle_, &rows, &columns);
  if (row < 1 || column < 1 || static_cast<unsigned>(row) > rows || static_cast<unsigned>(column) > columns) {
    return std::monostate{};
  }
  FreeXL_CellValue cell{};
  if (freexl_get_cell_value(handle_, static_cast<unsigned>(row - 1), static_cast<unsigned short>(column - 1), &cell) !=
      FREEXL_OK) {
    return std::monostate{};
  }
  switch (cell.type) {
    case FREEXL_CELL_INT: return static_cast<double>(cell.value.int_value);
    case FREEXL_CELL_DOUBLE: return cell.value.double_value;
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT: return std::string(cell.value.text_value);
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME: {
      int y = 0;
      unsigned m = 0;
      unsigned d = 0;
      std::sscanf(cell.value.text_value, "%d-%u-%u", &y, &m, &d);
      return sheet::DateValue{std::chrono::year{y} / std::chrono::month{m} / std::chrono::day{d}};
    }
    case FREEXL_CELL_TIME: return std::string(cell.value.text_value);
    default: return std::monostate{};
  }
}

sheet::Value XlsReader::Cell(const std::string& sheet, int row, int column) const {
  for (std::size_t i = 0; i < names_.size(); ++i) {
    if (names_[i] == sheet) return Cell(static_cast<int>(i) + 1, row, column);
  }
  throw std::runtime_error("\"" + path_.string() + "\" has no sheet named \"" + sheet + "\"");
}

}  // namespace tuvo::test
