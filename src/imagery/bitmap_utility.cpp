#include "imagery/bitmap_utility.h"

#include <cstdio>
#include <optional>

#include "platform/characters.h"
#include "platform/files.h"

namespace korv {

namespace {

// Calls `visit(blue, green, red)` on every pixel, column by column.
template <class Visit>
void ForEachPixel(Picture& picture, Visit&& visit) {
  std::span<uint8_t> bytes = picture.MutableBytes();
  const auto rowBytes = static_cast<size_t>(picture.BytesPerRow());
  for (int x = 0; x < picture.Width(); ++x) {
    for (int y = 0; y < picture.Height(); ++y) {
      uint8_t* pixel =
          bytes.data() + rowBytes * static_cast<size_t>(y) + 4 * static_cast<size_t>(x);
      visit(pixel[0], pixel[1], pixel[2], x, y);
    }
  }
}

uint32_t Rgb(uint8_t red, uint8_t green, uint8_t blue) {
  return (static_cast<uint32_t>(red) << 16) | (static_cast<uint32_t>(green) << 8) | blue;
}

void SetRgb(uint8_t& blue, uint8_t& green, uint8_t& red, uint32_t rgb) {
  red = (rgb >> 16) & 0xff;
  green = (rgb >> 8) & 0xff;
  blue = rgb & 0xff;
}

}  // namespace

int ReductionValue(int colourReductionValue) {
  return colourReductionValue == 0 ? 4 : colourReductionValue;
}

void ReduceColours(Picture& picture, int colourReductionValue) {
  const int s = ReductionValue(colourReductionValue);
  ForEachPixel(picture, [s](uint8_t& blue, uint8_t& green, uint8_t& red, int, int) {
    for (uint8_t* c : {&red, &green, &blue}) *c = static_cast<uint8_t>(*c / s * s);
  });
}

void SeparateColour(Picture& picture, int channel) {
  ForEachPixel(picture, [channel](uint8_t& blue, uint8_t& green, uint8_t& red, int, int) {
    uint8_t* channels[3] = {&blue, &green, &red};
    uint8_t& kept = *channels[channel];
    uint8_t& other1 = *channels[(channel + 1) % 3];
    uint8_t& other2 = *channels[(channel + 2) % 3];
    if (kept >= other1 && kept >= other2) {
      other1 = other2 = 0;
    } else {
      blue = green = red = 255;
    }
  });
}

Picture SpriteMask(const Picture& picture) {
  Picture mask = picture;
  ForEachPixel(mask, [](uint8_t& blue, uint8_t& green, uint8_t& red, int, int) {
    const bool black = blue == 0 && green == 0 && red == 0;
    SetRgb(blue, green, red, black ? 0xffffff : 0x000000);
  });
  return mask;
}

std::string SpriteMaskPath(const std::string& bitmapPath) {
  return DropLastCharacters(bitmapPath, 4) + "m.bmp";
}

bool ReplaceColour(Picture& picture, uint32_t from, uint32_t to) {
  for (int shift : {16, 8, 0}) {
    if (((from >> shift) & 0xff) == ((to >> shift) & 0xff)) return false;
  }
  ForEachPixel(picture, [from, to](uint8_t& blue, uint8_t& green, uint8_t& red, int, int) {
    if (Rgb(red, green, blue) == from) SetRgb(blue, green, red, to);
  });
  return true;
}

std::string SectorFileName(int x, int y) {
  char name[32];
  std::snprintf(name, sizeof name, "%02d%02d.bmp", (x / 300) % 100, (y / 300) % 100);
  return name;
}

bool SaveAsSectors(const Picture& picture, const std::string& folder, std::string& error) {
  if (!EnsureFolder(folder, &error)) return false;
  for (int x = 0; x <= picture.Width(); x += 300) {
    for (int y = 0; y <= picture.Height(); y += 300) {
      Picture sector(300, 300);
      sector.Copy(0, 0, picture, x, y, 300, 300);
      if (!sector.SaveBmp(std::filesystem::path(folder) / SectorFileName(x, y), &error)) {
        return false;
      }
    }
  }
  return true;
}

namespace {

// The index of pixel (x, y) in the conversion's marks, or none.
std::optional<size_t> MarkIndex(const BitmapToMap& conversion, int x, int y) {
  if (x < 0 || y < 0 || x > conversion.width || y > conversion.height) return std::nullopt;
  const size_t index =
      static_cast<size_t>(y) * (static_cast<size_t>(conversion.width) + 1) + static_cast<size_t>(x);
  if (index >= conversion.ConversionMarks.size()) return std::nullopt;
  return index;
}

}  // namespace

BitmapToMap StartConversion(int width, int height) {
  if (width < 0 || height < 0) return {};
  return {
      std::vector<uint8_t>((static_cast<size_t>(width) + 1) * (static_cast<size_t>(height) + 1), 0),
      width, height};
}

uint8_t ConversionMark(const BitmapToMap& conversion, int x, int y) {
  const std::optional<size_t> index = MarkIndex(conversion, x, y);
  return index ? conversion.ConversionMarks[*index] : 0;
}

int AssignTerrain(Picture& picture, BitmapToMap& conversion, MapDocument& document, uint32_t colour,
                  uint8_t terrain, uint32_t marker) {
  int assigned = 0;
  ForEachPixel(picture, [&](uint8_t& blue, uint8_t& green, uint8_t& red, int x, int y) {
    if (Rgb(red, green, blue) != colour) return;
    SetRgb(blue, green, red, marker);
    ++assigned;
    const std::optional<size_t> index = MarkIndex(conversion, x, y);
    if (!index) return;
    conversion.ConversionMarks[*index] = 1;
    if (document.Contains(x + 1, y + 1)) document.Terrain(x + 1, y + 1) = terrain;
  });
  return assigned;
}

}  // namespace korv
