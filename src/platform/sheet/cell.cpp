#include "platform/sheet/cell.h"

#include "platform/locale.h"

namespace tuvo::sheet {

Value TypedEntry(std::string_view text) {
  if (text.empty()) return std::monostate{};
  if (auto number = locale::TryToNumber(text)) return *number;
  if (auto date = locale::TryParseDateEntry(text)) return DateValue{*date};
  return std::string(text);
}

double NumberOf(const Value& value) {
  if (std::holds_alternative<std::monostate>(value)) return 0;
  if (const double* number = std::get_if<double>(&value)) return *number;
  if (const DateValue* date = std::get_if<DateValue>(&value)) return locale::DateSerial(date->date);
  const std::string& text = std::get<std::string>(value);
  if (auto number = locale::TryToNumber(text)) return *number;
  throw SheetError("the cell text \"" + text + "\" is not a number");
}

}  // namespace tuvo::sheet
