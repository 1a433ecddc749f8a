// An editor on a small game whose tiles cover what auto-tiling tells apart:
// tiles 0-1 sea (terrain 0), 2 river (2), 3 bridge (2 with a road), 4-14
// clear (1), 15 clear with a road through top and bottom, 16-23 forest (8),
// 24-31 mountain (3). The map is 8 x 8, every hex clear tile 4.
#pragma once

#include "document/map_document.h"
#include "support/editor_fixture.h"

namespace korv::test {

inline MiniGame AutoTileGame() {
  MiniGame game = DefaultMiniGame();
  game.tileTerrain[2] = 2;
  game.tileTerrain[3] = 2;
  game.roadInfo[3 * 6 + 1] = 1;  // the bridge leaves through its upper right side
  return game;
}

struct AutoTileWorld : EditorOnMiniGame {
  AutoTileWorld() : EditorOnMiniGame(AutoTileGame()) { Resize(8, 8); }

  MapDocument& Map() { return editor.Document; }
  // A fresh map of highest column `width` and row `height`, all clear tile 4.
  void Resize(int width, int height) {
    MapDocument& map = editor.Document;
    map.MapWidth = static_cast<int16_t>(width);
    map.MapHeight = static_cast<int16_t>(height);
    AllocateMapLayers(map);
    for (int x = 0; x <= width; ++x) {
      for (int y = 0; y <= height; ++y) Put(x, y, 4);
    }
  }
  // Tile `tile` on hex (x, y), with its terrain.
  void Put(int x, int y, int tile) {
    editor.Document.Tile(x, y) = static_cast<int16_t>(tile);
    editor.Document.Terrain(x, y) = editor.Tiles.TerrainOf(tile);
  }
};

}  // namespace korv::test
