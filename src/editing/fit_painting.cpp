#include "editing/fit_painting.h"

#include "analysis/roads.h"
#include "autotile/fit_neighbours.h"
#include "document/hex_grid.h"

namespace korv {

bool FitsNeighbours(const MapEditor& session) {
  const EditorSettings& settings = session.editor.Settings;
  return settings.FitNeighbours && settings.AutoDraw && session.autoTile.ChooseTile;
}

void FitAfterPress(Editor& editor, int x, int y, int16_t paintedTile, int roadSide) {
  MapDocument& document = editor.Document;
  const TileTables& tables = editor.Tiles;
  const TileFitKnowledge knowledge = LoadTileFitKnowledge(editor.Folder, tables);
  const FitContext context{document,      tables,        knowledge,
                           editor.Folder, editor.Random, editor.Settings.RandomTiles};
  HexList changed;
  if (roadSide > 0) {
    changed = FitRoadSide(context, x, y, roadSide);
  } else {
    if (tables.RoadOf(document.Tile(x, y)) == 1) changed = FitRoadsAround(context, x, y);
    // The painted tile's own terrain decides, when it takes part in the patterns.
    const int asTile = knowledge.IsMember(paintedTile) ? paintedTile : document.Tile(x, y);
    if (FitPatternTile(context, x, y, asTile)) {
      changed.emplace_back(x, y);
      const int terrain = tables.TerrainOf(document.Tile(x, y));
      document.Terrain(x, y) = static_cast<uint8_t>(terrain);
      if (terrain == 5 || terrain == 14) {
        for (int side = 1; side <= 6; ++side) document.Data(x, y, side) = kRoadLink;
      }
    }
    for (const auto& hex : FitPatternRing(context, x, y)) changed.push_back(hex);
  }
  for (const auto& [hx, hy] : changed) {
    if (tables.RoadOf(document.Tile(hx, hy)) == 1) ConnectRoads(document, tables, hx, hy);
  }
  if (roadSide > 0) {
    // The side just set, and the one back, keep the kind of link chosen.
    const auto kind = static_cast<uint8_t>(editor.Settings.RoadKind);
    for (const auto& [hx, hy] : changed) {
      const int side = hx == x && hy == y ? roadSide : OppositeSide(roadSide);
      if (document.Data(hx, hy, side) != kNoLink) document.Data(hx, hy, side) = kind;
    }
  }
}

}  // namespace korv
