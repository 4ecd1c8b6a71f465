#include "platform/sheet/palette.h"

#include <string>

#include "platform/sheet/cell.h"

namespace tuvo::sheet {

std::uint32_t PaletteColor(int colorIndex) {
  if (colorIndex < 1 || colorIndex > static_cast<int>(StandardPalette.size())) {
    throw SheetError("there is no colour of index " + std::to_string(colorIndex) + " in the palette");
  }
  return StandardPalette[static_cast<std::size_t>(colorIndex - 1)];
}

}  // namespace tuvo::sheet
