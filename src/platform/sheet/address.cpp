#include <algorithm>
#include <cctype>
#include <string>

#include "platform/sheet/range.h"

namespace tuvo::sheet {

namespace {

// One side of an area reference: a column, a row, or both.
struct Corner {
  int row = 0;     // 0: none given
  int column = 0;  // 0: none given
};

[[noreturn]] void BadAddress(std::string_view address) {
  throw SheetError("the range address \"" + std::string(address) + "\" is not valid");
}

// Reads "$B$3", "B", "3" (with optional "$" marks).
Corner ReadCorner(std::string_view text, std::string_view whole) {
  Corner corner;
  std::size_t i = 0;
  if (i < text.size() && text[i] == '$') ++i;
  long column = 0;
  std::size_t letters = 0;
  while (i < text.size() && std::isalpha(static_cast<unsigned char>(text[i]))) {
    column = column * 26 + (std::toupper(static_cast<unsigned char>(text[i])) - 'A' + 1);
    if (column > MaxColumns) BadAddress(whole);
    ++i;
    ++letters;
  }
  if (i < text.size() && text[i] == '$') {
    if (letters == 0) BadAddress(whole);
    ++i;
  }
  long row = 0;
  std::size_t digits = 0;
  while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
    row = row * 10 + (text[i] - '0');
    if (row > MaxRows) BadAddress(whole);
    ++i;
    ++digits;
  }
  if (i != text.size() || (letters == 0 && digits == 0) || (digits > 0 && row == 0)) {
    BadAddress(whole);
  }
  corner.column = static_cast<int>(column);
  corner.row = static_cast<int>(row);
  return corner;
}

Area ReadArea(std::string_view text, std::string_view whole) {
  const std::size_t colon = text.find(':');
  const Corner first = ReadCorner(text.substr(0, colon), whole);
  const Corner last = colon == std::string_view::npos ? first : ReadCorner(text.substr(colon + 1), whole);
  const bool columnsOnly = first.row == 0 && last.row == 0;
  const bool rowsOnly = first.column == 0 && last.column == 0;
  if (columnsOnly && first.column > 0 && last.column > 0 && colon != std::string_view::npos) {
    return {1, std::min(first.column, last.column), MaxRows, std::max(first.column, last.column)};
  }
  if (rowsOnly && first.row > 0 && last.row > 0 && colon != std::string_view::npos) {
    return {std::min(first.row, last.row), 1, std::max(first.row, last.row), MaxColumns};
  }
  if (first.row == 0 || first.column == 0 || last.row == 0 || last.column == 0) BadAddress(whole);
  return {std::min(first.row, last.row), std::min(first.column, last.column),
          std::max(first.row, last.row), std::max(first.column, last.column)};
}

}  // namespace

std::string ColumnLetters(int column) {
  if (column < 1 || column > MaxColumns) {
    throw SheetError("column " + std::to_string(column) + " lies outside the sheet");
  }
  std::string letters;
  while (column > 0) {
    const int digit = (column - 1) % 26;
    letters.insert(letters.begin(), static_cast<char>('A' + digit));
    column = (column - 1) / 26;
  }
  return letters;
}

std::vector<Area> ParseAddress(std::string_view address) {
  std::vector<Area> areas;
  std::size_t start = 0;
  while (true) {
    const std::size_t comma = address.find(',', start);
    const std::string_view part = address.substr(start, comma == std::string_view::npos ? comma : comma - start);
    if (part.empty()) BadAddress(address);
    areas.push_back(ReadArea(part, address));
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return areas;
}

std::string AreaAddress(const Area& area) {
  if (IsWholeColumns(area)) {
    return ColumnLetters(area.firstColumn) + ":" + ColumnLetters(area.lastColumn);
  }
  if (area.firstColumn == 1 && area.lastColumn == MaxColumns) {
    return std::to_string(area.firstRow) + ":" + std::to_string(area.lastRow);
  }
  std::string text = ColumnLetters(area.firstColumn) + std::to_string(area.firstRow);
  if (area.lastRow != area.firstRow || area.lastColumn != area.firstColumn) {
    text += ":" + ColumnLetters(area.lastColumn) + std::to_string(area.lastRow);
  }
  return text;
}

}  // namespace tuvo::sheet
