#include "imagery/seasonal.h"

#include <cmath>

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

void ApplySeasonalRule(Picture& picture, SeasonalRule rule) {
  static const ColourTable dark = DarkTable();
  static const ColourTable bright = BrightTable();
  std::span<uint8_t> bytes = picture.MutableBytes();
  const size_t rowBytes = static_cast<size_t>(picture.BytesPerRow());
  for (int y = 0; y < picture.Height(); ++y) {
    uint8_t* pixel = bytes.data() + rowBytes * static_cast<size_t>(y);
    for (int x = 0; x < picture.Width(); ++x, pixel += 4) {
      // Blue, green, red, and a fourth byte left alone.
      uint8_t& blue = pixel[0];
      uint8_t& green = pixel[1];
      uint8_t& red = pixel[2];
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
  Picture work;
  for (size_t i = 0; i < files.size(); ++i) {
    if (step) step("Creating " + files[i]);
    if (kSteps[i].fromSource) work = source;
    ApplySeasonalRule(work, kSteps[i].rule);
    if (!work.SaveBmp(files[i], &error)) return false;
  }
  return true;
}

}  // namespace korv
