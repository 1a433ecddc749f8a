#include "imagery/seasonal.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>
#include <span>

#include "platform/files.h"

#include "platform/characters.h"

namespace korv {

namespace {

ColourTable Table(double factor) {
  ColourTable table{};
  for (int i = 0; i < 256; ++i) {
    // The entry's index as a single-precision number times the factor.
    long value = static_cast<long>(std::floor(static_cast<double>(static_cast<float>(i)) * factor));
    ByteMe(value);
    table[static_cast<size_t>(i)] = static_cast<uint8_t>(value);
  }
  return table;
}

// The mud field colours as red, green, blue.
constexpr uint8_t kMudColours[7][3] = {{179, 179, 115}, {239, 219, 127}, {227, 199, 119},
                                       {207, 207, 119}, {223, 219, 123}, {219, 191, 111},
                                       {239, 235, 163}};

}  // namespace

void ByteMe(long& value) {
  if (value > 255) value = 255;
  if (value < 0) value = 0;
}

ColourTable DarkTable() {
  return Table(0.75);
}

ColourTable BrightTable() {
  return Table(2.25);
}

namespace {

// Applies `rule` to one pixel's blue, green and red bytes.
inline void ApplyToPixel(uint8_t& blue, uint8_t& green, uint8_t& red, SeasonalRule rule) {
  static const ColourTable dark = DarkTable();
  static const ColourTable bright = BrightTable();
  switch (rule) {
    case SeasonalRule::kUnhighlight:
      red = dark[red];
      green = dark[green];
      blue = dark[blue];
      break;
    case SeasonalRule::kRedHex:
      green = 0;
      blue = 0;
      break;
    case SeasonalRule::kWinter:
      if (red == 195 && green == 195 && blue == 119) {
        red = bright[red];
        green = bright[green];
        blue = bright[blue];
      }
      break;
    case SeasonalRule::kMud:
      for (const auto& colour : kMudColours) {
        if (red != colour[0] || green != colour[1] || blue != colour[2]) continue;
        for (int twice = 0; twice < 2; ++twice) {
          red = dark[red];
          green = dark[green];
          blue = dark[blue];
        }
      }
      break;
  }
}

}  // namespace

void ApplySeasonalRule(Picture& picture, SeasonalRule rule) {
  std::span<uint8_t> bytes = picture.MutableBytes();
  const size_t rowBytes = static_cast<size_t>(picture.BytesPerRow());
  for (int y = 0; y < picture.Height(); ++y) {
    uint8_t* pixel = bytes.data() + rowBytes * static_cast<size_t>(y);
    // Blue, green, red, and a fourth byte left alone.
    for (int x = 0; x < picture.Width(); ++x, pixel += 4)
      ApplyToPixel(pixel[0], pixel[1], pixel[2], rule);
  }
}

std::vector<std::string> SeasonalFileNames(const std::string& sourcePath) {
  // Cut by characters: a name such as "karté.bmp" keeps whole letters.
  if (CharacterCount(sourcePath) < 5) return {};
  const std::string base = DropLastCharacters(sourcePath, 5);
  std::vector<std::string> names;
  for (const char* suffix : {"d", "r", "wl", "wd", "ml", "md"})
    names.push_back(base + suffix + ".bmp");
  return names;
}

bool CreateSeasonalMaps(const Picture& source, const std::string& sourcePath,
                        const std::function<void(const std::string&)>& step, std::string& error) {
  const std::vector<std::string> files = SeasonalFileNames(sourcePath);
  if (files.empty() || source.IsNull()) {
    error = "no bitmap is open";
    return false;
  }
  // Each step: its rule and whether it starts again from the source (the
  // dark winter and mud pictures are made from the light ones).
  static constexpr struct {
    SeasonalRule rule;
    bool fromSource;
  } kSteps[] = {{SeasonalRule::kUnhighlight, true}, {SeasonalRule::kRedHex, true},
                {SeasonalRule::kWinter, true},      {SeasonalRule::kUnhighlight, false},
                {SeasonalRule::kMud, true},         {SeasonalRule::kUnhighlight, false}};
  // Each file is made from the source a block of rows at a time, through
  // the rules of its picture in order: the bytes the pictures would write,
  // without a copy of the picture or of the file in memory.
  const int width = source.Width();
  const int height = source.Height();
  const size_t rowBytes = BmpRowBytes(width);
  const std::array<uint8_t, kBmpHeaderBytes> header =
      BmpHeader(width, height, source.Image().dotsPerMeterX(), source.Image().dotsPerMeterY());
  const std::span<const uint8_t> pixels = source.Bytes();
  const auto sourceRowBytes = static_cast<size_t>(source.BytesPerRow());
  std::vector<SeasonalRule> rules;
  std::vector<uint8_t> block;
  // A picture has few colours: what the rules make of each is kept in a
  // small table by colour, entry 0xff000000 | rgb -> rgb (0 while empty).
  constexpr size_t kRemembered = 4096;
  std::vector<std::pair<uint32_t, uint32_t>> remembered(kRemembered);
  for (size_t i = 0; i < files.size(); ++i) {
    if (step) step("Creating " + files[i]);
    if (kSteps[i].fromSource) rules.clear();
    rules.push_back(kSteps[i].rule);
    std::fill(remembered.begin(), remembered.end(), std::pair<uint32_t, uint32_t>{0, 0});
    int nextRow = -1;  // -1: the header comes next
    const auto next = [&]() -> std::optional<std::span<const uint8_t>> {
      if (nextRow < 0) {
        nextRow = 0;
        return std::span<const uint8_t>(header);
      }
      if (nextRow >= height) return std::nullopt;
      // The file's rows run bottom up.
      const int rows =
          std::min(height - nextRow, std::max(1, static_cast<int>((1 << 20) / rowBytes)));
      // Every byte is written: the pixels, then the row's padding. One byte
      // more lets each pixel be stored as four bytes, the fourth overwritten
      // by the next pixel or the padding.
      block.resize(rowBytes * static_cast<size_t>(rows) + 1);
      for (int r = 0; r < rows; ++r) {
        const uint8_t* from =
            pixels.data() + sourceRowBytes * static_cast<size_t>(height - 1 - nextRow - r);
        uint8_t* to = block.data() + rowBytes * static_cast<size_t>(r);
        // Neighbouring pixels are mostly of one colour: the last one's
        // outcome is kept at hand.
        uint32_t lastRgb = 0xffffffffu;
        uint32_t lastOut = 0;
        for (int x = 0; x < width; ++x, from += 4, to += 3) {
          uint32_t rgb;
          std::memcpy(&rgb, from, 4);
          rgb &= 0xffffffu;
          if (rgb != lastRgb) {
            auto& entry = remembered[(rgb ^ (rgb >> 12)) % kRemembered];
            if (entry.first != (0xff000000u | rgb)) {
              uint8_t blue = from[0], green = from[1], red = from[2];
              for (SeasonalRule rule : rules) ApplyToPixel(blue, green, red, rule);
              entry = {0xff000000u | rgb,
                       uint32_t{blue} | uint32_t{green} << 8 | uint32_t{red} << 16};
            }
            lastRgb = rgb;
            lastOut = entry.second;
          }
          std::memcpy(to, &lastOut, 4);
        }
        std::fill(to, block.data() + rowBytes * static_cast<size_t>(r + 1), uint8_t{0});
      }
      block.pop_back();
      nextRow += rows;
      return std::span<const uint8_t>(block);
    };
    FileSetWriter writer;
    if (!writer.Add(files[i], kBmpHeaderBytes + rowBytes * static_cast<size_t>(height), next,
                    &error) ||
        !writer.Commit(&error)) {
      return false;
    }
  }
  return true;
}

}  // namespace korv
