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

StrategicPalette::StrategicPalette(const TileTables& tables, int highlightTerrain) {
  for (int t = 0; t < 256; ++t) {
    const bool black = highlightTerrain != 0 && t == highlightTerrain;
    terrain_[static_cast<size_t>(t)] = 0xff000000u | (black ? 0 : tables.TerrainRgb(t));
  }
  if (highlightTerrain != 0) return;
  // Every 16-bit tile number has its entry, so that a row is drawn without
  // a test or a branch per hex; negative numbers (32768 and up) and
  // numbers past the tables have no road.
  roadTiles_.assign(size_t{1} << 16, 0);
  const size_t known = std::min(tables.TileRoad.size(), size_t{1} << 15);
  for (size_t tile = 0; tile < known; ++tile)
    roadTiles_[tile] = tables.RoadOf(static_cast<int>(tile)) == 1;
}

void StrategicPalette::DrawRow(const MapDocument& document, int y, int width, uint32_t* out) const {
  const uint8_t* terrain = document.HexData.data() + document.Index(0, y);
  const int16_t* tile = document.HexTile.data() + document.Index(0, y);
  if (roadTiles_.empty()) {
    for (int x = 0; x < width; ++x) out[x] = terrain_[terrain[x]];
    return;
  }
  const uint8_t* road = roadTiles_.data();
  for (int x = 0; x < width; ++x) {
    // A road keeps only the colour's opaque alpha: black.
    const uint32_t keep = road[static_cast<uint16_t>(tile[x])] ? 0xff000000u : 0xffffffffu;
    out[x] = terrain_[terrain[x]] & keep;
  }
}

Picture DrawStrategicMap(const MapDocument& document, const TileTables& tables,
                         int highlightTerrain) {
  // A bitmap needs at least one pixel; a one-column map still gets one.
  // Hex (x, y) is pixel (x, y).
  Picture picture(std::max<int>(document.MapWidth, 1), std::max<int>(document.MapHeight, 1));
  const StrategicPalette palette(tables, highlightTerrain);
  std::span<uint8_t> bytes = picture.MutableBytes();
  for (int y = 0; y < picture.Height(); ++y) {
    palette.DrawRow(
        document, y, picture.Width(),
        reinterpret_cast<uint32_t*>(bytes.data() + static_cast<size_t>(picture.BytesPerRow()) *
                                                       static_cast<size_t>(y)));
  }
  return picture;
}

StrategicBitmapFile::StrategicBitmapFile(const MapDocument& document, const TileTables& tables,
                                         int highlightTerrain, Picture* picture)
    : document_(document),
      palette_(tables, highlightTerrain),
      picture_(picture),
      width_(std::max<int>(document.MapWidth, 1)),
      height_(std::max<int>(document.MapHeight, 1)),
      header_(BmpHeader(width_, height_, kNewPictureDotsPerMeter, kNewPictureDotsPerMeter)) {
  if (picture_) {
    picture_->ResizeForRedraw(width_, height_);
  } else {
    row_.resize(static_cast<size_t>(width_));
  }
}

size_t StrategicBitmapFile::Size() const {
  return kBmpHeaderBytes + BmpRowBytes(width_) * static_cast<size_t>(height_);
}

std::optional<std::span<const uint8_t>> StrategicBitmapFile::Next() {
  if (nextRow_ < 0) {
    nextRow_ = 0;
    return std::span<const uint8_t>(header_);
  }
  if (nextRow_ >= height_) return std::nullopt;
  // A quarter of a megabyte a block, which stays in the cache until it is
  // written. The file's rows run bottom up: file row r is picture row
  // height - 1 - r. The rows' padding, zeroed when the block is first
  // made, is never written.
  const size_t rowBytes = BmpRowBytes(width_);
  const int rows =
      std::min(height_ - nextRow_, std::max(1, static_cast<int>((1 << 18) / rowBytes)));
  if (block_.size() < rowBytes * static_cast<size_t>(rows))
    block_.resize(rowBytes * static_cast<size_t>(rows));
  std::span<uint8_t> pixels = picture_ ? picture_->MutableBytes() : std::span<uint8_t>();
  for (int r = 0; r < rows; ++r) {
    const int y = height_ - 1 - (nextRow_ + r);
    uint32_t* row = row_.data();
    if (picture_) {
      row = reinterpret_cast<uint32_t*>(
          pixels.data() + static_cast<size_t>(picture_->BytesPerRow()) * static_cast<size_t>(y));
    }
    palette_.DrawRow(document_, y, width_, row);
    PackBmpRow(row, width_, block_.data() + rowBytes * static_cast<size_t>(r));
  }
  nextRow_ += rows;
  return std::span<const uint8_t>(block_).first(rowBytes * static_cast<size_t>(rows));
}

void StrategicBitmapFile::Finish() {
  while (Next()) {
  }
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
