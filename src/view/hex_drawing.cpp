#include "view/hex_drawing.h"

#include <algorithm>
#include <climits>

#include "view/overview.h"
#include "view/viewport.h"

namespace korv {

namespace {

// Tile t of the tile sheet has its cell at ((t mod 16) * width, (t div 16) * height).
constexpr int kTilesPerSheetRow = 16;

// Loads `relative` into `picture`, or leaves it empty: the drawing tolerates
// a missing overlay. A file that is there but cannot be read goes into
// `damaged`.
void LoadOverlay(Picture& picture, const GameFolder& folder, const std::string& relative,
                 std::vector<std::string>& damaged) {
  picture = Picture();
  if (!folder.Exists(relative)) return;
  const std::filesystem::path path = folder.Resolve(relative);
  std::string error;
  if (!picture.LoadBmp(path, &error)) {
    picture = Picture();
    damaged.push_back(path.string() + ": " + error);
  }
}

struct FlagStripKind {
  int cellWidth;
  int cellHeight;
  const char* suffix;  // after the nation's name: "", "02", "03"
};

// A nation name is used as a file name; one that would leave flags/ gets
// the blank flag.
bool UsableFlagName(const std::string& name) {
  return !name.empty() && name.find_first_of("/\\") == std::string::npos && name != "." &&
         name != "..";
}

Picture BuildFlagStrip(const GameFolder& folder, const std::vector<std::string>& nationNames,
                       const FlagStripKind& kind, std::vector<std::string>& damaged) {
  const int nationCount = std::max(static_cast<int>(nationNames.size()) - 1, 0);
  Picture strip((nationCount + 1) * kind.cellWidth, kind.cellHeight);
  const std::string blank = std::string("flags/blank") + kind.suffix + ".bmp";
  for (int i = 1; i <= nationCount; ++i) {
    const std::string& name = nationNames[static_cast<size_t>(i)];
    std::string relative = "flags/" + name + kind.suffix + ".bmp";
    if (!UsableFlagName(name) || !folder.Exists(relative)) relative = blank;
    Picture flag;
    LoadOverlay(flag, folder, relative, damaged);
    if (flag.IsNull()) continue;  // the cell stays black
    strip.Copy(i * kind.cellWidth, 0, flag, 0, 0, kind.cellWidth, kind.cellHeight);
  }
  return strip;
}

// Combines the mask cell with AND, then the picture cell with OR.
void Overlay(Picture& target, int dx, int dy, const Picture& mask, const Picture& picture, int sx,
             int sy, int w, int h) {
  target.And(dx, dy, mask, sx, sy, w, h);
  target.Or(dx, dy, picture, sx, sy, w, h);
}

// Copies flag cell `nation` of `strip`; what lies beyond the strip is black.
void CopyFlag(Picture& target, int dx, int dy, const Picture& strip, int nation, int cellWidth,
              int cellHeight) {
  const int sx = nation * cellWidth;
  if (sx < 0 || sx + cellWidth > strip.Width() || cellHeight > strip.Height()) {
    target.FillBlack(dx, dy, cellWidth, cellHeight);
  }
  target.Copy(dx, dy, strip, sx, 0, cellWidth, cellHeight);
}

}  // namespace

std::vector<std::string> LoadGraphics(HexDrawingResources& resources, const GameFolder& folder,
                                      const std::vector<std::string>& nationNames) {
  std::vector<std::string> damaged;
  LoadOverlay(resources.BlackHex, folder, "bmp/blackhex.bmp", damaged);
  LoadOverlay(resources.HexOutlinePicture, folder, "bmp/hexp.bmp", damaged);
  LoadOverlay(resources.HexOutlineMask, folder, "bmp/hexm.bmp", damaged);
  LoadOverlay(resources.EffectPicture, folder, "bmp/fx2.bmp", damaged);
  LoadOverlay(resources.EffectMask, folder, "bmp/fx2m.bmp", damaged);
  LoadOverlay(resources.RoadPicture, folder, "bmp/roads.bmp", damaged);
  LoadOverlay(resources.RoadMask, folder, "bmp/roadsm.bmp", damaged);
  LoadOverlay(resources.RailPicture, folder, "bmp/rr.bmp", damaged);
  LoadOverlay(resources.RailMask, folder, "bmp/rrm.bmp", damaged);
  for (std::string& flag : BuildFlagStrips(resources, folder, nationNames)) {
    damaged.push_back(std::move(flag));
  }
  return damaged;
}

std::vector<std::string> BuildFlagStrips(HexDrawingResources& resources, const GameFolder& folder,
                                         const std::vector<std::string>& nationNames) {
  std::vector<std::string> damaged;
  resources.LargeFlags =
      BuildFlagStrip(folder, nationNames, {kLargeFlagWidth, kLargeFlagHeight, ""}, damaged);
  resources.MediumFlags =
      BuildFlagStrip(folder, nationNames, {kMediumFlagWidth, kMediumFlagHeight, "02"}, damaged);
  resources.SmallFlags =
      BuildFlagStrip(folder, nationNames, {kSmallFlagWidth, kSmallFlagHeight, "03"}, damaged);
  return damaged;
}

std::string DamagedPicturesMessage(const std::vector<std::string>& damaged) {
  if (damaged.empty()) return {};
  std::string message = "These pictures are damaged and are not shown:";
  for (const std::string& one : damaged) message += "\n" + one;
  return message;
}

int HexDrawMode(const EditorSettings& settings, const DrawSwitches& switches, int x, int y) {
  if (!switches.GridLines) return kDrawNormal;
  const bool onColumnLine = settings.GridWidth != 0 && x % settings.GridWidth == 0;
  const bool onRowLine = settings.GridHeight != 0 && y % settings.GridHeight == 0;
  return onColumnLine || onRowLine ? kDrawGridLine : kDrawNormal;
}

void Print_hex(const Editor& editor, const HexDrawingResources& resources,
               const DrawSwitches& switches, ViewState& view, int x, int y, int mode) {
  const MapDocument& document = editor.Document;
  if (!document.Contains(x, y)) return;
  if (IsOverview(view)) {
    DrawOverviewHex(editor, resources, switches, view, x, y, mode);
    return;
  }
  const HexGeometry& geometry = editor.Geometry;
  const EditorSettings& settings = editor.Settings;
  const int w = geometry.HexPixelWidth;
  const int h = geometry.HexPixelHeight;
  const PixelPoint origin = HexToPixel(geometry, x, y);
  const int px = origin.left - (view.ViewLeft - 1) * geometry.ColumnStep;
  const int py = origin.top - (view.ViewTop - 1) * geometry.RowStep;
  Picture& buffer = view.ViewBuffer;

  // 1. Clear the hex shape; the corners keep the neighbours.
  buffer.And(px, py, resources.BlackHex, 0, 0, w, h);

  // 2. Tile; column 0 and row 0 stay black but get every later layer.
  const int tile = document.Tile(x, y);
  if (x > 0 && y > 0) {
    buffer.Or(px, py, editor.TileSheet, (tile % kTilesPerSheetRow) * w,
              (tile / kTilesPerSheetRow) * h, w, h);
  }

  // 3. Outline.
  if (settings.HexOutlines) {
    Overlay(buffer, px, py, resources.HexOutlineMask, resources.HexOutlinePicture, 0, 0, w, h);
  }

  // 4. Deployment marks, or flags and objective markers.
  const int flagX = px + settings.FlagOffsetX;
  const int flagY = py + settings.FlagOffsetY;
  if (switches.EditMode == 1) {
    const int deployment = document.HexDeployment[document.Index(x, y)];
    if (deployment > 0) {
      CopyFlag(buffer, flagX, flagY, resources.MediumFlags, deployment, kMediumFlagWidth,
               kMediumFlagHeight);
    }
  } else if (const int owner = document.Owner(x, y); owner > 0) {
    switch (document.Mark(x, y)) {
      case kNoObjective:
        if (settings.ShowRoadControl) {
          CopyFlag(buffer, flagX + kSmallFlagShiftX, flagY, resources.SmallFlags, owner,
                   kSmallFlagWidth, kSmallFlagHeight);
        }
        break;
      case kSecondaryObjective:
        CopyFlag(buffer, flagX, flagY, resources.MediumFlags, owner, kMediumFlagWidth,
                 kMediumFlagHeight);
        break;
      case kPrimaryObjective:
      case kOilResource: {
        CopyFlag(buffer, flagX, flagY, resources.LargeFlags, owner, kLargeFlagWidth,
                 kLargeFlagHeight);
        const int cell =
            document.Mark(x, y) == kPrimaryObjective ? kPrimaryObjectiveCell : kOilResourceCell;
        Overlay(buffer, px, py, resources.EffectMask, resources.EffectPicture, cell * w, 0, w, h);
        break;
      }
      default:
        break;
    }
  }

  // 5, 6. Road exits only while the road-side tool is active; railroads always.
  // All road exits come before all railroad exits, whose cells may overlap.
  if (switches.RoadMode > 0) {
    for (int d = 1; d <= 6; ++d) {
      if (document.Data(x, y, d) != kRoadLink) continue;
      Overlay(buffer, px, py, resources.RoadMask, resources.RoadPicture, (d - 1) * w, 0, w, h);
    }
  }
  for (int d = 1; d <= 6; ++d) {
    if (document.Data(x, y, d) != kRailLink) continue;
    Overlay(buffer, px, py, resources.RailMask, resources.RailPicture, (d - 1) * w, 0, w, h);
  }

  // 7-9. Selection, grid line and tile highlight share the blue highlight;
  // drawing it more than once gives the same picture, so once is enough.
  const bool blue = switches.InSelection(x, y) || mode == kDrawGridLine ||
                    (switches.HighlightTile != -1 && tile == switches.HighlightTile);
  if (blue) {
    Overlay(buffer, px, py, resources.EffectMask, resources.EffectPicture, kBlueHighlightX, 0, w,
            h);
  }
}

HexRange RedrawRange(const ViewState& view, const MapDocument& document) {
  return {std::max(0, view.ViewLeft - 1),
          std::min<int>(view.ViewLeft + view.ViewColumns + 1, document.MapWidth),
          std::max(0, view.ViewTop - 2),
          std::min<int>(view.ViewTop + view.ViewRows + 1, document.MapHeight)};
}

void RedrawBuffers(const Editor& editor, const HexDrawingResources& resources,
                   const DrawSwitches& switches, ViewState& view) {
  view.ViewBuffer.Fill(0x000000);
  ForEachHex(RedrawRange(view, editor.Document), [&](int x, int y) {
    Print_hex(editor, resources, switches, view, x, y,
              HexDrawMode(editor.Settings, switches, x, y));
  });
  BlitPic1(editor.Geometry, view);
}

void RedrawHex(const Editor& editor, const HexDrawingResources& resources,
               const DrawSwitches& switches, ViewState& view, int x, int y, JumpMapState* jumpMap) {
  if (!editor.Document.Contains(x, y)) return;
  RedrawHexes(editor, resources, switches, view, {{x, y}}, jumpMap);
}

void RedrawHexes(const Editor& editor, const HexDrawingResources& resources,
                 const DrawSwitches& switches, ViewState& view,
                 const std::vector<std::pair<int, int>>& hexes, JumpMapState* jumpMap) {
  const MapDocument& document = editor.Document;
  const HexGeometry& g = editor.Geometry;
  // What the hexes' drawing can reach on the screen: each hex's cell and
  // the largest flag at its place.
  const int flagRight =
      std::max({kLargeFlagWidth, kMediumFlagWidth, kSmallFlagShiftX + kSmallFlagWidth});
  const int flagBottom = std::max({kLargeFlagHeight, kMediumFlagHeight, kSmallFlagHeight});
  int left = INT32_MAX, top = INT32_MAX, right = INT32_MIN, bottom = INT32_MIN;
  for (const auto& [x, y] : hexes) {
    if (!document.Contains(x, y)) continue;
    if (jumpMap) SetStrategicHex(*jumpMap, document, editor.Tiles, x, y);
    Print_hex(editor, resources, switches, view, x, y,
              HexDrawMode(editor.Settings, switches, x, y));
    const PixelPoint origin = HexToPixel(g, x, y);
    const int sx = origin.left - view.ViewLeft * g.ColumnStep;
    const int sy = origin.top - view.ViewTop * g.RowStep;
    left = std::min(left, sx);
    top = std::min(top, sy);
    right = std::max({right, sx + g.HexPixelWidth, sx + editor.Settings.FlagOffsetX + flagRight});
    bottom =
        std::max({bottom, sy + g.HexPixelHeight, sy + editor.Settings.FlagOffsetY + flagBottom});
  }
  if (left > right) {
    BlitPic1(g, view);
    return;
  }
  const PixelRect area{left, top, right - left, bottom - top};
  BlitPic1(g, view, &area);
}

void BlueHex(const HexGeometry& geometry, const HexDrawingResources& resources, ViewState& view,
             int x, int y) {
  if (IsOverview(view)) return;  // too small to point at anything
  if (view.ScreenIsWindow) {
    // Drawn on the screen alone, not on the buffer it shows.
    view.ViewScreen = view.ViewScreen.Detached();
    view.ScreenIsWindow = false;
  }
  const PixelPoint origin = HexToPixel(geometry, x, y);
  Overlay(view.ViewScreen, origin.left - view.ViewLeft * geometry.ColumnStep,
          origin.top - view.ViewTop * geometry.RowStep, resources.EffectMask,
          resources.EffectPicture, kBlueHighlightX, 0, geometry.HexPixelWidth,
          geometry.HexPixelHeight);
  view.ScreenMarked = true;
  view.PresentedArea.reset();
  if (view.OnPresent) view.OnPresent();
}

MenuEntry HexOutlinesMenuEntry(bool hexOutlines) {
  return {hexOutlines ? "Hex Outlines ON" : "Hex Outlines OFF", hexOutlines};
}

MenuEntry HexsidesOn_Click(Editor& editor, const HexDrawingResources& resources,
                           const DrawSwitches& switches, ViewState& view) {
  editor.Settings.HexOutlines = !editor.Settings.HexOutlines;
  RedrawBuffers(editor, resources, switches, view);
  return HexOutlinesMenuEntry(editor.Settings.HexOutlines);
}

MenuEntry GridLines_Click(DrawSwitches& switches) {
  switches.GridLines = !switches.GridLines;
  return {"Grid Lines", switches.GridLines};
}

}  // namespace korv
