#include "platform/sheet/row_fit.h"

#include <QCoreApplication>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QString>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <mutex>
#include <optional>
#include <unordered_map>
#include <variant>

#include "platform/locale.h"

namespace tuvo::sheet {

namespace {

// Room above and below the text together, in points, so that no mark touches the cell's edge.
constexpr double TextMargin = 2.5;
// The ordinary line of a font, in units of its size.
constexpr double OrdinaryLine = 1.2;
// Fonts are measured at this many pixels to the point: large enough that hinting rounds nothing
// and the measures hold whatever the screen's resolution.
constexpr double PixelsPerPoint = 10;

// Row heights go in whole pixels of the ordinary 96-dpi screen, as the application keeps them;
// LibreOffice cuts a height between pixels down to the pixel below, so heights round up.
constexpr double PointsPerScreenPixel = 0.75;

double WholePixels(double points) {
  return std::ceil(points / PointsPerScreenPixel - 1e-9) * PointsPerScreenPixel;
}

double FontSize(const CellFormat& format) { return format.fontSize > 0 ? format.fontSize : StandardFontSize; }

QFont DrawnFont(const CellFormat& format) {
  QFont font(QString::fromStdString(format.fontName.empty() ? std::string(StandardFontName) : format.fontName));
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(FontSize(format) * PixelsPerPoint))));
  font.setBold(format.bold);
  font.setItalic(format.italic);
  return font;
}

// Fonts exist only once a GUI application does; without one nothing can be measured.
bool CanMeasure() { return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr; }

// Whether the text holds a script beyond Latin (Thai, for one). The Thai fonts keep room above
// and below their letters for stacked marks, and such text needs that whole line; Latin letters,
// digits and signs sit within the ordinary line even in those fonts.
bool NeedsFullLine(std::string_view text) {
  if (std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
    return false;
  }
  const QString decoded = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  for (const char32_t c : decoded.toUcs4()) {
    switch (QChar::script(c)) {
      case QChar::Script_Unknown:
      case QChar::Script_Common:
      case QChar::Script_Inherited:
      case QChar::Script_Latin:
        break;
      default:
        return true;
    }
  }
  return false;
}

// What a number is drawn with, whatever its format.
constexpr std::string_view NumberGlyphs = "0123456789,.-";

struct Measurement {
  double lineHeight = 0;  // points: the whole line of every font the text is drawn in
  double inkHeight = 0;   // points: from the line's bottom to the top of the tallest glyph
  double width = 0;       // points
};

// Measurements by font and text, kept for the life of the program: a season repeats its fonts and
// most of its texts in every group.
class Measurements {
 public:
  Measurement Of(const CellFormat& format, std::string_view text) {
    std::string key = format.fontName;
    key += '\x1f';
    key += std::to_string(FontSize(format));
    key += format.bold ? 'b' : '-';
    key += format.italic ? 'i' : '-';
    key += '\x1f';
    key += text;
    const std::lock_guard lock(mutex_);
    auto [it, added] = cache_.try_emplace(std::move(key));
    if (added) it->second = Measure(format, text);
    return it->second;
  }

  double DigitWidth() {
    const std::lock_guard lock(mutex_);
    if (!digitWidth_) digitWidth_ = QFontMetricsF(DrawnFont(CellFormat{})).horizontalAdvance(QChar('0')) / PixelsPerPoint;
    return *digitWidth_;
  }

 private:
  // One line of the text laid out as drawn: its height covers the fallback fonts it takes.
  static Measurement Measure(const CellFormat& format, std::string_view text) {
    const QString shown = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    const QFont font = DrawnFont(format);
    QTextLayout layout(shown, font);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    if (!line.isValid()) return {};
    const double inkTop = -QFontMetricsF(font).tightBoundingRect(shown).top();
    return {(line.ascent() + line.descent()) / PixelsPerPoint, (line.descent() + inkTop) / PixelsPerPoint,
            line.naturalTextWidth() / PixelsPerPoint};
  }

  std::mutex mutex_;
  std::unordered_map<std::string, Measurement> cache_;
  std::optional<double> digitWidth_;
};

Measurements& Cache() {
  static Measurements cache;
  return cache;
}

}  // namespace

double FittedLineHeight(const CellFormat& format) { return WholePixels(OrdinaryLine * FontSize(format) + TextMargin); }

double FittedTextHeight(const CellFormat& format, std::string_view text) {
  const double ordinary = FittedLineHeight(format);
  if (text.empty() || !CanMeasure()) return ordinary;
  const Measurement drawn = Cache().Of(format, text);
  // The text stands on the line's bottom, a descent above the cell's; without marks to stack it
  // needs no more than its tallest glyph above that.
  const double needed = NeedsFullLine(text) ? drawn.lineHeight : drawn.inkHeight;
  return std::max(ordinary, WholePixels(needed + TextMargin));
}

double FittedNumberHeight(const CellFormat& format) { return FittedTextHeight(format, NumberGlyphs); }

double DrawnTextWidth(const CellFormat& format, std::string_view text) {
  if (text.empty() || !CanMeasure()) return 0;
  return Cache().Of(format, text).width;
}

double StandardDigitWidth() {
  // Without fonts, the digit the file format assumes of its default font: 7 pixels.
  if (!CanMeasure()) return 5.25;
  return Cache().DigitWidth();
}

bool ShowsLongDate(const Value& value, const CellFormat& format) {
  if (std::holds_alternative<DateValue>(value)) {
    return format.numberFormat.empty() || format.numberFormat == ThaiLongDateFormat;
  }
  return std::holds_alternative<double>(value) && format.numberFormat == ThaiLongDateFormat;
}

std::string ShownText(const Value& value, const CellFormat& format) {
  if (const auto* text = std::get_if<std::string>(&value)) return *text;
  if (std::holds_alternative<std::monostate>(value)) return {};
  const double number = NumberOf(value);
  if (ShowsLongDate(value, format)) {
    if (const auto* date = std::get_if<DateValue>(&value)) return locale::LongDate(date->date);
    try {
      return locale::LongDate(locale::SerialDate(number));
    } catch (const locale::ConversionError&) {
      // a serial outside the calendar shows as "###", no text
      return {};
    }
  }
  return locale::NumberText(number);
}

}  // namespace tuvo::sheet
