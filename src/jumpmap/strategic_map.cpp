#include "jumpmap/strategic_map.h"

#include <algorithm>
#include <array>
#include <span>

#include "platform/characters.h"

namespace korv {

uint32_t StrategicColour(const MapDocument& document, const TileTables& tables,
                         int highlightTerrain, int x, int y) {
  const int terrain = document.Terrain(x, y);
  if (highlightTerrain == 0 && tables.RoadOf(document.Tile(x, y)) == 1) return 0;
  if (highlightTerrain != 0 && terrain == highlightTerrain) return 0;
  return tables.TerrainRgb(terrain);
}

Picture DrawStrategicMap(const MapDocument& document, const TileTables& tables,
                         int highlightTerrain) {
  // A bitmap needs at least one pixel; a one-column map still gets one.
  Picture picture(std::max<int>(document.MapWidth, 1), std::max<int>(document.MapHeight, 1));
  // Hex (x, y) is pixel (x, y): rows of the picture run along the layers'
  // rows, written as whole words.
  std::array<uint32_t, 256> colours{};
  for (int t = 0; t < 256; ++t)
    colours[static_cast<size_t>(t)] = 0xff000000u | tables.TerrainRgb(t);
  std::span<uint8_t> bytes = picture.MutableBytes();
  const int width = std::min<int>(picture.Width(), document.MapWidth + 1);
  const int height = std::min<int>(picture.Height(), document.MapHeight + 1);
  for (int y = 0; y < height; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(
        bytes.data() + static_cast<size_t>(picture.BytesPerRow()) * static_cast<size_t>(y));
    for (int x = 0; x < width; ++x) {
      const int terrain = document.Terrain(x, y);
      const bool black = highlightTerrain == 0 ? tables.RoadOf(document.Tile(x, y)) == 1
                                               : terrain == highlightTerrain;
      row[x] = black ? 0xff000000u : colours[static_cast<size_t>(terrain)];
    }
  }
  return picture;
}

StrategicBitmapFile::StrategicBitmapFile(const MapDocument& document, const TileTables& tables,
                                         int highlightTerrain)
    : document_(document),
      tables_(tables),
      highlightTerrain_(highlightTerrain),
      width_(std::max<int>(document.MapWidth, 1)),
      height_(std::max<int>(document.MapHeight, 1)),
      header_(BmpHeader(width_, height_, kNewPictureDotsPerMeter, kNewPictureDotsPerMeter)) {}

size_t StrategicBitmapFile::Size() const {
  return kBmpHeaderBytes + BmpRowBytes(width_) * static_cast<size_t>(height_);
}

std::optional<std::span<const uint8_t>> StrategicBitmapFile::Next() {
  if (nextRow_ < 0) {
    nextRow_ = 0;
    return std::span<const uint8_t>(header_);
  }
  if (nextRow_ >= height_) return std::nullopt;
  // About a megabyte a block. The file's rows run bottom up: file row r is
  // picture row height - 1 - r, and hex (x, y) is pixel (x, y).
  const size_t rowBytes = BmpRowBytes(width_);
  const int rows =
      std::min(height_ - nextRow_, std::max(1, static_cast<int>((1 << 20) / rowBytes)));
  block_.assign(rowBytes * static_cast<size_t>(rows), 0);
  std::array<uint32_t, 256> colours{};
  for (int t = 0; t < 256; ++t) colours[static_cast<size_t>(t)] = tables_.TerrainRgb(t);
  for (int r = 0; r < rows; ++r) {
    const int y = height_ - 1 - (nextRow_ + r);
    uint8_t* to = block_.data() + rowBytes * static_cast<size_t>(r);
    for (int x = 0; x < width_; ++x) {
      const int terrain = document_.Terrain(x, y);
      const bool black = highlightTerrain_ == 0 ? tables_.RoadOf(document_.Tile(x, y)) == 1
                                                : terrain == highlightTerrain_;
      const uint32_t rgb = black ? 0 : colours[static_cast<size_t>(terrain)];
      to[0] = rgb & 0xff;
      to[1] = (rgb >> 8) & 0xff;
      to[2] = (rgb >> 16) & 0xff;
      to += 3;
    }
  }
  nextRow_ += rows;
  return std::span<const uint8_t>(block_);
}

}  // namespace korv

namespace korv {

void DrawJumpBox(JumpMapState& jumpMap, const MapDocument& document, const TileTables& tables,
                 int left, int top, int columns, int rows) {
  if (jumpMap.MapPicture.IsNull()) {
    ReplaceStrategicMap(jumpMap, DrawStrategicMap(document, tables, jumpMap.HighlightTerrain));
  }
  const Picture& map = jumpMap.MapPicture;
  Picture& shown = jumpMap.Shown;
  if (!jumpMap.Outline || shown.Width() != map.Width() || shown.Height() != map.Height()) {
    shown = Picture(map.Image().copy());
  } else {
    // The old outline's four edges take the strategic picture's pixels back.
    const PixelRect& old = *jumpMap.Outline;
    const int right = old.x + old.width - 1;
    const int bottom = old.y + old.height - 1;
    shown.Copy(old.x, old.y, map, old.x, old.y, old.width, 1);
    shown.Copy(old.x, bottom, map, old.x, bottom, old.width, 1);
    shown.Copy(old.x, old.y, map, old.x, old.y, 1, old.height);
    shown.Copy(right, old.y, map, right, old.y, 1, old.height);
  }
  const PixelRect box{left, top, columns + 1, rows + 1};
  shown.DrawRectOutline(box, jumpMap.JumpBoxColour);
  jumpMap.Outline = box;
}

void SetStrategicHex(JumpMapState& jumpMap, const MapDocument& document, const TileTables& tables,
                     int x, int y) {
  const uint32_t colour = StrategicColour(document, tables, jumpMap.HighlightTerrain, x, y);
  jumpMap.MapPicture.SetPixel(x, y, colour);
  if (!jumpMap.Outline) return;
  const PixelRect& box = *jumpMap.Outline;
  const bool inside =
      x > box.x && x < box.x + box.width - 1 && y > box.y && y < box.y + box.height - 1;
  const bool outside =
      x < box.x || x > box.x + box.width - 1 || y < box.y || y > box.y + box.height - 1;
  if (inside || outside) jumpMap.Shown.SetPixel(x, y, colour);
}

void ReplaceStrategicMap(JumpMapState& jumpMap, Picture picture) {
  jumpMap.MapPicture = std::move(picture);
  jumpMap.Outline.reset();
}

void ToggleJumpBoxColour(JumpMapState& jumpMap) {
  jumpMap.JumpBoxColour = jumpMap.JumpBoxColour == 0xffffff ? 0x000000 : 0xffffff;
}

ViewCorner JumpMapClick(int x, int y, int viewColumns, int viewRows, int maxLeft, int maxTop) {
  ViewCorner corner{x - viewColumns / 2, y - viewRows / 2};
  corner.left = std::max(1, std::min(corner.left, maxLeft));
  corner.top = std::max(1, std::min(corner.top, maxTop));
  return corner;
}

std::string StrategicBitmapPath(const std::string& mapPath) {
  return DropLastCharacters(mapPath, 3) + "bmp";
}

bool ZoomFlags(JumpMapState& jumpMap, MapDocument& document, const FlagStrips& flags, int nation,
               const std::string& mapPath, std::string& error) {
  Picture picture;
  const std::string path = StrategicBitmapPath(mapPath);
  if (!picture.LoadBmp(path, &error)) {
    error = "the strategic bitmap " + path + " cannot be read (save the map first): " + error;
    return false;
  }
  // The flag of owner o: large for primary objectives, medium for secondary
  // ones; other marks show none.
  const auto flag = [&](int x, int y, int owner, int mark, bool stretched) {
    if (mark == kPrimaryObjective) {
      picture.Stretch({x, y, stretched ? 18 : 16, stretched ? 12 : 11}, flags.large,
                      {owner * 21, 0, 21, 14});
    } else if (mark == kSecondaryObjective) {
      picture.Stretch({x, y, stretched ? 18 : 16, stretched ? 11 : 10}, flags.medium,
                      {owner * 20, 0, 20, 13});
    }
  };
  if (nation == 0) {
    RebuildObjectiveList(document);
    for (int x = 0; x <= document.MapWidth; ++x) {
      for (int y = 0; y <= document.MapHeight; ++y) {
        if (document.Mark(x, y) > 0) flag(x, y, document.Owner(x, y), document.Mark(x, y), false);
      }
    }
  } else {
    for (int k = 1; k <= document.ObjectiveCount; ++k) {
      if (document.Objective(k, kObjectiveOriginalOwner) != nation) continue;
      const int x = document.Objective(k, kObjectiveX);
      const int y = document.Objective(k, kObjectiveY);
      if (!document.Contains(x, y)) continue;
      flag(x, y, document.Owner(x, y), document.Mark(x, y), true);
    }
  }
  ReplaceStrategicMap(jumpMap, std::move(picture));
  return true;
}

}  // namespace korv
