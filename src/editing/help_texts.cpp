#include "editing/help_texts.h"

#include <optional>

#include "platform/text_fields.h"

namespace korv {

std::string KeyboardHelpText(int mapFileVersion) {
  const std::string lines[] = {
      "Korv Map Editor version " + std::to_string(mapFileVersion),
      "Keyboard commands:",
      "F1 Show jump/strategic map.",
      "F2 Show tiles.",
      "F3 Show Country control/objectives form.",
      "F4 Select current Map Tile to hightlight in BlUE. ON/OFF",
      "Up,Down,Left,Right arrow keys - scroll map up,down,left,right.",
      "A - Toggle AutoDraw on / off",
      "B - Replace current hex tile with previous tile of the terrain type.",
      "C - Toggle Jump map box colour from Black to White.",
      "N - Replace current hex tile with next tile of the terrain type.",
      "R - Toggle Randomize Tiles On or Off.",
      "Right Mouse Button (Main Screen) - Pick up tile.",
      "Right Mouse Button (Tile screen) - Set Tile Info.",
  };
  std::string text;
  for (const std::string& line : lines) {
    text += line;
    text += '\r';
  }
  return text;
}

TileCommandTexts BuiltInTileCommandTexts() {
  return {
      "F1 - Display this screen",
      "F2 - Set Tile Terrain Type",
      "F3 - Set Tile Road Connections",
      "F4 - Set Tile Terrain Patterns (AutoTile Info)",
      "Left Click - Select tile to place on Map Screen.",
      "Right Click - Open Road Connections screen.",
      "Same as hitting F2.",
      "Terrain NOT Tile based patterns. ",
      "For more info see \\korv_info\\patterns.",
  };
}

TileCommandTexts ReadTileCommandTexts(const GameFolder& folder) {
  TileCommandTexts texts = BuiltInTileCommandTexts();
  const std::filesystem::path path = folder.Resolve(kTileCommandsHelpFile);
  if (!FileExists(path)) return texts;
  std::optional<TextFieldReader> reader = TextFieldReader::FromFile(path);
  if (!reader) return texts;
  // A short file ends the reading: the labels it does not reach keep their
  // built-in texts.
  for (int label = 0; label < kTileCommandFileFields; ++label) {
    std::string field;
    if (!reader->Next(field)) break;
    texts[static_cast<size_t>(label)] = field;
  }
  return texts;
}

}  // namespace korv
