#include "editing/editing.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "analysis/roads.h"
#include "editing/clipboard.h"
#include "editing/commands.h"
#include "editing/control.h"
#include "editing/fit_painting.h"
#include "editor/map_io.h"
#include "view/viewport.h"

namespace korv {

namespace {

// A number as the status line shows it: a blank where a minus sign would be.
std::string Str(int value) {
  return (value >= 0 ? " " : "") + std::to_string(value);
}

void Redraw(MapEditor& session) {
  RedrawBuffers(session.editor, session.resources, session.switches, session.view);
}

void RedrawCurrentHex(MapEditor& session) {
  RedrawHex(session.editor, session.resources, session.switches, session.view,
            session.interaction.CurrentHexX, session.interaction.CurrentHexY,
            &session.editor.JumpMap);
}

void ExtendSelection(DrawSwitches& s, int hx, int hy) {
  auto x = static_cast<int16_t>(hx);
  auto y = static_cast<int16_t>(hy);
  if (s.SelectionLeft == 0) s.SelectionLeft = x;
  if (s.SelectionTop == 0) s.SelectionTop = y;
  if (s.SelectionRight == 0) s.SelectionRight = x;
  if (s.SelectionBottom == 0) s.SelectionBottom = y;
  if (x < s.SelectionLeft) s.SelectionLeft = x;
  if (y < s.SelectionTop) s.SelectionTop = y;
  if (x > s.SelectionRight) s.SelectionRight = x;
  if (y > s.SelectionBottom) s.SelectionBottom = y;
  // A press inside the rectangle pulls the right and bottom edges back.
  if (s.SelectionLeft < x && x < s.SelectionRight) s.SelectionRight = x;
  if (s.SelectionTop < y && y < s.SelectionBottom) s.SelectionBottom = y;
}

// B and N: the neighbouring tile of the same terrain and road byte.
int16_t SteppedTile(const TileTables& tables, int16_t current, int step) {
  if (!tables.IsTile(current) || tables.TileCount < 0) return current;
  const uint8_t terrain = tables.TerrainOf(current);
  const uint8_t road = tables.RoadOf(current);
  const int count = tables.TileCount + 1;
  int t = current;
  // The search always ends: it comes back to the current tile, which matches.
  do {
    t = ((t + step) % count + count) % count;
  } while (tables.TerrainOf(t) != terrain || tables.RoadOf(t) != road);
  return static_cast<int16_t>(t);
}

// What a left press changed, as the Edit menu names it.
std::string PressChangeName(const MapEditor& session) {
  if (session.switches.EditMode == 1) return "Deployment";
  if (session.switches.EditMode == 2) return "Hex Control";
  if (session.interaction.ClearSides) return "Clear Sides";
  if (session.switches.RoadMode != 0) return "Road Side";
  return "Paint";
}

// B, N and R: the current hex gets `tile`, kept as one change.
void SetCurrentHexTile(MapEditor& session, int16_t tile, const char* name) {
  const int x = session.interaction.CurrentHexX;
  const int y = session.interaction.CurrentHexY;
  RecordedEdit(session, HexRange{x, x, y, y}, name,
               [&] { session.editor.Document.Tile(x, y) = tile; });
}

}  // namespace

int HexDistance(int x1, int y1, int x2, int y2) {
  const int dx = std::abs(x1 - x2);
  const int dy = std::abs(y1 - y2);
  if (dx == 0) return dy;
  if (dy == 0) return dx;
  const int e = dx / 2;  // rounded down
  const int f = dx - e;  // rounded up
  // Even columns stand half a row lower.
  if (IsLowerColumn(x1)) {
    return y1 > y2 ? dx + std::max(0, dy - e) : dx + std::max(0, dy - f);
  }
  return y1 < y2 ? dx + std::max(0, dy - e) : dx + std::max(0, dy - f);
}

std::string StatusText(const MapEditor& session, int hx, int hy, const std::string& hexName) {
  const Editor& editor = session.editor;
  const MapDocument& d = editor.Document;
  const NationTables& nations = editor.Nations;
  auto nationName = [&](int n) -> std::string {
    if (n < 0 || n > nations.NationCount) return "nation " + std::to_string(n);
    return nations.NationNames[static_cast<size_t>(n)];
  };
  const int terrain = d.Terrain(hx, hy);
  std::string text = "Hex: (" + Str(hx) + ", " + Str(hy) + ") ";
  text += editor.Tiles.TerrainName(terrain) + "(" + std::to_string(terrain) + ") ";
  text += " LM(" + std::to_string(d.HexLandMass[d.Index(hx, hy)]) + ") ";
  const int owner = d.Owner(hx, hy);
  const int mark = d.Mark(hx, hy);
  if (owner != 0 || mark != 0) {
    text += nationName(owner);
    const int original = d.HexOriginalOwner[d.Index(hx, hy)];
    if (original > 0 && original != owner) text += " (" + nationName(original) + ") ";
    if (mark == kSecondaryObjective) text += " Secondary Obj.";
    if (mark == kPrimaryObjective) text += " Primary Obj.";
    if (mark == kOilResource) text += " Oil Resource";
    char formatted[16];
    std::snprintf(formatted, sizeof formatted, "(%02d)", mark);
    text += formatted;
  }
  text += " Tile # (" + Str(d.Tile(hx, hy)) + ")";
  text += hexName;
  text += " d=" + std::to_string(HexDistance(hx, hy, session.interaction.CurrentHexX,
                                             session.interaction.CurrentHexY));
  return text;
}

void PaintHex(MapEditor& session, int x, int y) {
  Editor& editor = session.editor;
  MapDocument& d = editor.Document;
  const TileTables& tables = editor.Tiles;
  if (editor.Settings.RandomTiles) {
    randomtile(editor.CurrentTile, tables, editor.RandomLists, editor.Random);
  }
  const int16_t paintedTile = editor.CurrentTile;
  const bool road = tables.RoadOf(editor.CurrentTile) == 1;
  int rememberedTile = -1;
  if (!editor.Settings.AutoDraw) {
    if (session.autoTile.RecordPatterns) {
      session.autoTile.RecordPatterns(editor, x, y, editor.CurrentTile, road);
    }
  } else if (session.autoTile.ChooseTile) {
    const int answer = session.autoTile.ChooseTile(editor, x, y, road);
    if (tables.IsTile(answer)) {
      // A tile of another terrain is put down once; painting goes on with
      // the tile the designer chose.
      if (tables.TerrainOf(answer) != tables.TerrainOf(editor.CurrentTile)) {
        rememberedTile = editor.CurrentTile;
      }
      editor.CurrentTile = static_cast<int16_t>(answer);
    }
  }
  d.Terrain(x, y) = tables.TerrainOf(editor.CurrentTile);
  d.Tile(x, y) = editor.CurrentTile;
  if (tables.RoadOf(editor.CurrentTile) == 1) ConnectRoads(d, tables, x, y);
  const int terrain = tables.TerrainOf(editor.CurrentTile);
  if (terrain == 5 || terrain == 14) {
    for (int side = 1; side <= 6; ++side) d.Data(x, y, side) = kRoadLink;
  }
  if (rememberedTile >= 0) editor.CurrentTile = static_cast<int16_t>(rememberedTile);
  if (FitsNeighbours(session)) FitAfterPress(editor, x, y, paintedTile, 0);
}

PressOutcome MapView_MouseDown(MapEditor& session, MouseButton button, int shift, double vx,
                               double vy) {
  PressOutcome outcome;
  Editor& editor = session.editor;
  MapDocument& d = editor.Document;
  const HexPosition hex = ViewPixelToHex(editor.Geometry, session.view, d, vx, vy);
  InteractionState& interaction = session.interaction;
  interaction.CurrentHexX = static_cast<int16_t>(hex.x);
  interaction.CurrentHexY = static_cast<int16_t>(hex.y);
  const int x = hex.x;
  const int y = hex.y;
  DrawSwitches& switches = session.switches;

  if (button == MouseButton::kLeft && shift == 1) {
    ExtendSelection(switches, x, y);
    Redraw(session);
  } else if (button == MouseButton::kLeft && shift == 0) {
    // A press changes its hex and, joining roads, the sides of its neighbours.
    ChangeRecorder recorder(d, HexRange{x - 1, x + 1, y - 1, y + 1});
    if (switches.EditMode == 0) {
      if (switches.RoadMode == 0) {
        PaintHex(session, x, y);
      } else {
        editor.CurrentTile = d.Tile(x, y);
        const int side = std::clamp<int>(interaction.RoadSide, 1, 6);
        d.Data(x, y, side) = static_cast<uint8_t>(editor.Settings.RoadKind);
        if (editor.Settings.AutoDraw && session.autoTile.ChooseTile) {
          const int answer = session.autoTile.ChooseTile(editor, x, y, true);
          if (editor.Tiles.IsTile(answer)) d.Tile(x, y) = static_cast<int16_t>(answer);
        }
        if (FitsNeighbours(session)) FitAfterPress(editor, x, y, d.Tile(x, y), side);
      }
    }
    if (interaction.ClearSides) {
      editor.CurrentTile = d.Tile(x, y);
      for (int side = 1; side <= 6; ++side) d.Data(x, y, side) = kNoLink;
      Print_hex(editor, session.resources, switches, session.view, x, y, kDrawNormal);
    }
    if (switches.EditMode == 1) {
      int16_t& mark = d.Deployment(x, y);
      if (mark == 0) {
        mark = session.control.SelectedNation;
      } else if (mark > 0) {
        mark = 0;
      }
    }
    if (switches.EditMode == 2) HexControl_Click(session, x, y);
    KeepChange(session, std::move(recorder), PressChangeName(session));
  } else if (button == MouseButton::kRight) {
    switches.EditMode = 0;
    editor.CurrentTile = d.Tile(x, y);
    switches.RoadMode = 0;
    editor.Settings.AutoDraw = false;
    editor.Settings.RandomTiles = false;
    switches.SelectionLeft = switches.SelectionRight = 0;
    switches.SelectionTop = switches.SelectionBottom = 0;
    outcome.pickedUp = true;
    Redraw(session);
  }
  RedrawCurrentHex(session);
  return outcome;
}

bool TileSheet_MouseDown(MapEditor& session, MouseButton button, int tile) {
  session.editor.CurrentTile = static_cast<int16_t>(std::clamp<int>(tile, 0, INT16_MAX));
  if (button == MouseButton::kLeft) LeaveSpecialTools(session);
  return button == MouseButton::kRight;
}

void BlockFill_Click(MapEditor& session) {
  Editor& editor = session.editor;
  MapDocument& d = editor.Document;
  const ViewState& view = session.view;
  const int lastX = std::min<int>(view.ViewLeft + view.ViewColumns, d.MapWidth);
  const int lastY = std::min<int>(view.ViewTop + view.ViewRows, d.MapHeight);
  RecordedEdit(session, HexRange{view.ViewLeft, lastX, view.ViewTop, lastY}, "Block Fill", [&] {
    for (int x = view.ViewLeft; x <= lastX; ++x) {
      for (int y = view.ViewTop; y <= lastY; ++y) {
        if (editor.Settings.RandomTiles) {
          randomtile(editor.CurrentTile, editor.Tiles, editor.RandomLists, editor.Random);
        }
        d.Terrain(x, y) = editor.Tiles.TerrainOf(editor.CurrentTile);
        d.Tile(x, y) = editor.CurrentTile;
      }
    }
  });
  Redraw(session);
}

std::string ClearSides_Click(MapEditor& session) {
  session.interaction.ClearSides = !session.interaction.ClearSides;
  return ClearSidesButtonCaption(session);
}

bool RoadStrip_MouseDown(MapEditor& session, double x) {
  const int width = std::max<int>(session.editor.Geometry.HexPixelWidth, 1);
  const long position = std::lround(x);
  if (position < 0) return false;
  const long side = position / width + 1;
  if (side > 6) return false;
  session.interaction.ClearSides = false;
  session.switches.EditMode = 0;
  session.switches.RoadMode = 2;
  Redraw(session);
  session.interaction.RoadSide = static_cast<int16_t>(side);
  return true;
}

void SetRoadKind(MapEditor& session, int kind) {
  session.editor.Settings.RoadKind = static_cast<int16_t>(kind == 2 ? 2 : 1);
}

void MainWindow_KeyUp(MapEditor& session, int modifiers) {
  if (session.interaction.KeysEnabled) session.interaction.ModifierKeys = modifiers;
}

void HexNameBox_Focus(MapEditor& session, bool hasFocus) {
  session.interaction.KeysEnabled = !hasFocus;
}

KeyOutcome MainWindow_KeyDown(MapEditor& session, EditorKey key, int modifiers) {
  KeyOutcome outcome;
  InteractionState& interaction = session.interaction;
  if (!interaction.KeysEnabled) return outcome;
  interaction.ModifierKeys = modifiers;
  Editor& editor = session.editor;
  MapDocument& d = editor.Document;
  // The keys that write to the current hex need it on the map.
  const bool currentHexOnMap = d.Contains(interaction.CurrentHexX, interaction.CurrentHexY);
  switch (key) {
    case EditorKey::kF1:
      outcome.show = KeyOutcome::kJumpMap;
      break;
    case EditorKey::kF2:
      outcome.show = KeyOutcome::kTilePicker;
      break;
    case EditorKey::kF3:
      outcome.show = KeyOutcome::kControl;
      break;
    case EditorKey::kF4:
      session.switches.HighlightTile =
          session.switches.HighlightTile == -1 ? editor.CurrentTile : -1;
      Redraw(session);
      break;
    case EditorKey::kF5:
      WriteSnapshot(editor);
      break;
    case EditorKey::kF6:
      outcome.show = KeyOutcome::kMapToBitmap;
      break;
    case EditorKey::kF7:
      RecordedEdit(session, HexRange{0, d.MapWidth, 0, d.MapHeight}, "Undo Copy",
                   [&] { outcome.mapReplaced = Undo_Click(session).sizeChanged; });
      break;
    case EditorKey::kF8: {
      const ViewState& view = session.view;
      const int lastX = std::min<int>(view.ViewLeft + view.ViewColumns, d.MapWidth);
      const int lastY = std::min<int>(view.ViewTop + view.ViewRows, d.MapHeight);
      for (int x = view.ViewLeft; x <= lastX; ++x) {
        for (int y = view.ViewTop; y <= lastY; ++y) {
          if (d.Terrain(x, y) == 8 && session.autoTile.RecordPatterns) {
            session.autoTile.RecordPatterns(editor, x, y, d.Tile(x, y), false);
          }
        }
      }
      break;
    }
    case EditorKey::kUp:
      outcome.scrollY = -1;
      break;
    case EditorKey::kDown:
      outcome.scrollY = 1;
      break;
    case EditorKey::kLeft:
      outcome.scrollX = -1;
      break;
    case EditorKey::kRight:
      outcome.scrollX = 1;
      break;
    case EditorKey::kA:
      editor.Settings.AutoDraw = !editor.Settings.AutoDraw;
      outcome.autoTileChanged = true;
      break;
    case EditorKey::kB:
    case EditorKey::kN: {
      const int16_t tile =
          SteppedTile(editor.Tiles, editor.CurrentTile, key == EditorKey::kB ? -1 : 1);
      if (!editor.Tiles.IsTile(tile) || !currentHexOnMap) break;
      editor.CurrentTile = tile;
      SetCurrentHexTile(session, tile, key == EditorKey::kB ? "Previous Tile" : "Next Tile");
      RedrawCurrentHex(session);
      outcome.progress = "Tile " + Str(tile);
      break;
    }
    case EditorKey::kC:
      ToggleJumpBoxColour(editor.JumpMap);
      break;
    case EditorKey::kR:
      if (!currentHexOnMap) break;
      randomtile(editor.CurrentTile, editor.Tiles, editor.RandomLists, editor.Random);
      SetCurrentHexTile(session, editor.CurrentTile, "Random Tile");
      RedrawCurrentHex(session);
      outcome.progress = "Tile " + Str(editor.CurrentTile);
      break;
    case EditorKey::kX:
      RecordedEdit(session, HexRange{0, d.MapWidth, 0, d.MapHeight}, "Original Owners of Cities",
                   [&d] {
                     for (int x = 0; x <= d.MapWidth; ++x) {
                       for (int y = 0; y <= d.MapHeight; ++y) {
                         if (d.Terrain(x, y) == 6) d.OriginalOwner(x, y) = d.Owner(x, y);
                       }
                     }
                   });
      break;
    case EditorKey::kSlash:
      outcome.show = KeyOutcome::kHelp;
      break;
    case EditorKey::kH:
    case EditorKey::kOther:
      break;
  }
  const ViewState& view = session.view;
  DrawJumpBox(editor.JumpMap, d, editor.Tiles, view.ViewLeft, view.ViewTop, view.ViewColumns,
              view.ViewRows);
  return outcome;
}

}  // namespace korv
