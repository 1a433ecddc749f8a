// "Map to Bitmap" (F6): a section of the map, from the hex in the view's
// upper left corner on, drawn with its tile pictures only (no overlays) into
// one picture saved as map.bmp in the game folder.
#pragma once

#include <optional>
#include <string>

#include "document/hex_grid.h"
#include "document/map_document.h"
#include "platform/picture.h"

namespace korv {

// The message of a section the editor cannot draw: too large, or reaching
// past the map.
constexpr const char* kNotEnoughMemory = "Not enough Memory";

// Draws columns left..left + columns and rows top..top + rows (one more
// than asked, as the section's last column and row show in part) on a
// picture of columns x ColumnStep by rows x RowStep pixels: for each hex
// the clearing mask (AND) and its tile's cell of the sheet (OR); even
// columns half a row lower. Nothing when a hex lies off the map or the
// picture would be too large.
std::optional<Picture> RenderMapBitmap(const MapDocument& document, const HexGeometry& geometry,
                                       const Picture& tileSheet, const Picture& clearingMask,
                                       int left, int top, int columns, int rows);

// The dialog's boxes: a number rounded to a whole one, at least 1.
int16_t SectionSize(const std::string& text);

}  // namespace korv
