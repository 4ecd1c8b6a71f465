// Reads a saved .xls workbook back with FreeXL: sheet names in order and cell values.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "platform/sheet/cell.h"

namespace tuvo::test {

class XlsReader {
 public:
  // Opens the file; a file FreeXL cannot read throws std::runtime_error.
  explicit XlsReader(const std::filesystem::path& path);
  ~XlsReader();
  XlsReader(const XlsReader&) = delete;
  XlsReader& operator=(const XlsReader&) = delete;

  // The names of the sheets, in order (a chart sheet saved as a worksheet holding the chart is
  // among them).
  const std::vector<std::string>& SheetNames() const { return names_; }

  // The value of the cell (row, column), 1-based, of the sheet at a 1-based position or of a
  // name: empty, number, text or date. A sheet that is not there throws std::runtime_error.
  sheet::Value Cell(int sheet, int row, int column) const;
  sheet::Value Cell(const std::string& sheet, int row, int column) const;

  // The rows and columns the sheet uses (0 for an empty sheet).
  int RowCount(int sheet) const;
  int ColumnCount(int sheet) const;

 private:
  void Select(int sheet) const;

  std::filesystem::path path_;
  const void* handle_ = nullptr;
  std::vector<std::string> names_;
};

}  // namespace tuvo::test
