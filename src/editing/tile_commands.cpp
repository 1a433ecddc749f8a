#include "editing/tile_commands.h"

#include "autotile/choosers.h"
#include "autotile/pattern_library.h"
#include "autotile/redraw_commands.h"
#include "editing/control.h"
#include "editor/map_io.h"
#include "platform/interaction.h"
#include "view/hex_drawing.h"

namespace korv {

namespace {

RetileContext Retiling(Editor& editor) {
  return {editor.Tiles, editor.RandomLists, editor.Folder, editor.Random};
}

HexRange Area(const MapEditor& session) {
  return AreaCommandRange(session.view, session.editor.Document, session.control.WholeMapArea);
}

// An "auto redraw" command: busy pointer, automatic choice on afterwards.
template <class Retile>
void AutoRedraw(MapEditor& session, bool undoCopy, Retile&& retile) {
  Editor& editor = session.editor;
  // Without its undo copy the command does not run: it could not be undone.
  if (undoCopy && !WriteSnapshot(editor)) return;
  {
    BusyScope busy(editor.Ui);
    retile(editor);
  }
  editor.Settings.AutoDraw = true;
  RedrawIfDrawn(session);
}

}  // namespace

void AutoRedrawRoads_Click(MapEditor& session) {
  const HexRange area = Area(session);
  AutoRedraw(session, session.control.WholeMapArea, [&](Editor& editor) {
    AutoRedrawRoads(editor.Document, Retiling(editor), area, editor.CurrentTile);
  });
}

void AutoRedrawTerrain_Click(MapEditor& session) {
  const HexRange area = Area(session);
  AutoRedraw(session, true, [&](Editor& editor) {
    AutoRedrawTerrain(editor.Document, Retiling(editor), area, editor.CurrentTile);
  });
}

void AutoRedrawForests_Click(MapEditor& session) {
  const HexRange area = Area(session);
  AutoRedraw(session, false, [&](Editor& editor) {
    AutoRedrawForests(editor.Document, Retiling(editor), area, editor.CurrentTile);
  });
}

void AutoRedrawMountains_Click(MapEditor& session) {
  const HexRange area = Area(session);
  AutoRedraw(session, false, [&](Editor& editor) { AutoRedrawMountains(editor.Document, area); });
}

void RedrawMapBasedOnTerrain_Click(MapEditor& session) {
  Editor& editor = session.editor;
  if (!WriteSnapshot(editor)) return;
  UpdateTiles(editor.Document, editor.Tiles, editor.RandomLists, editor.Random, editor.CurrentTile);
  RedrawIfDrawn(session);
}

void RebuildTerrainBasedOnTiles_Click(MapEditor& session) {
  Editor& editor = session.editor;
  if (!WriteSnapshot(editor)) return;
  RedoTerrainLayer(editor.Document, editor.Tiles);
}

void MemorizeRoadTilePatterns_Click(MapEditor& session) {
  Editor& editor = session.editor;
  MemorizeRoadTilePatterns(editor.Document, editor.Folder, editor.Tiles, editor.CurrentTile,
                           editor.Ui);
}

void MemoriseRiverTilePatterns_Click(MapEditor& session) {
  Editor& editor = session.editor;
  MemoriseRiverTilePatterns(editor.Document, editor.Folder, editor.Tiles, editor.Ui);
}

void MemoriseMountainPatterns_Click(MapEditor& session) {
  Editor& editor = session.editor;
  MemoriseMountainPatterns(editor.Document, editor.Folder, editor.Tiles, editor.CurrentTile,
                           editor.Ui);
}

void ScatteredWoods_Click(MapEditor& session) {
  Editor& editor = session.editor;
  ScatteredWoods(editor.Document, Retiling(editor), editor.CurrentTile);
  RedrawIfDrawn(session);
}

}  // namespace korv
