// Text as the fonts draw it on this machine: a font name is whatever fontconfig resolves it to,
// and a script that font lacks comes from a fallback font. Rows are fitted and long dates given
// their width from these measurements, not from the widths and heights of the named fonts.
#pragma once

#include <string>
#include <string_view>

#include "platform/sheet/cell.h"

namespace tuvo::sheet {

// The file's default font (libxlsxwriter's), that a cell without a font of its own shows in.
inline constexpr std::string_view StandardFontName = "Calibri";
inline constexpr double StandardFontSize = 11;

// The height in points a row needs for `text` in the format's font, in whole screen pixels:
// never lower than the font's ordinary line; text in a script whose marks stack (Thai) takes the
// whole line of the fonts that draw it, other text the height of its glyphs.
double FittedTextHeight(const CellFormat& format, std::string_view text);

// The same for a number not shown as a date: its digits and signs.
double FittedNumberHeight(const CellFormat& format);

// The same for a cell with nothing drawn in it: the ordinary line of the format's font size.
double FittedLineHeight(const CellFormat& format);

// The width in points of `text` drawn in the format's font.
double DrawnTextWidth(const CellFormat& format, std::string_view text);

// The width in points of a digit of the standard font as drawn: the unit of column widths.
double StandardDigitWidth();

// Whether a value in a cell of this format shows as the Thai long date ("1 มกราคม 2552").
bool ShowsLongDate(const Value& value, const CellFormat& format);

// The text a value shows in a cell of this format, as far as its drawn size goes: a long date in
// Thai, a number as its plain text, a text as it is.
std::string ShownText(const Value& value, const CellFormat& format);

}  // namespace tuvo::sheet
