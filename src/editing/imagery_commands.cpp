#include "editing/imagery_commands.h"

#include <filesystem>

#include "editor/map_io.h"
#include "imagery/map_render.h"
#include "jumpmap/strategic_map.h"
#include "platform/characters.h"
#include "platform/interaction.h"
#include "view/hex_drawing.h"

namespace korv {

CommandOutcome MapToBitmap_Click(MapEditor& session) {
  Editor& editor = session.editor;
  BusyScope busy(editor.Ui);
  const EditorSettings& settings = editor.Settings;
  auto section =
      RenderMapBitmap(editor.Document, editor.Geometry, editor.TileSheet,
                      session.resources.BlackHex, session.view.ViewLeft, session.view.ViewTop,
                      settings.MapToBitmapWidth, settings.MapToBitmapHeight);
  const std::string path = editor.Folder.Resolve("map.bmp").string();
  std::string error;
  if (!section || !section->SaveBmp(path, &error)) {
    editor.Ui.Message(kNotEnoughMemory);
    return {};
  }
  CommandOutcome outcome;
  outcome.report = "Saved " + path;
  return outcome;
}

bool JumpMapFlags(MapEditor& session, int nation) {
  Editor& editor = session.editor;
  if (editor.BitmapPath.empty()) editor.BitmapPath = editor.Folder.Resolve("newmap.map").string();
  const HexDrawingResources& resources = session.resources;
  std::string error;
  if (!ZoomFlags(editor.JumpMap, editor.Document, {resources.LargeFlags, resources.MediumFlags},
                 nation, editor.BitmapPath, error)) {
    editor.Ui.Message("The objectives cannot be shown: " + error + ".");
    return false;
  }
  return true;
}

namespace {

std::string Number(int value) {
  return (value >= 0 ? " " : "") + std::to_string(value);
}

}  // namespace

bool LoadUtilityBitmap(Editor& editor, BitmapUtilityState& state, const std::string& path) {
  Picture picture;
  std::string error;
  if (!picture.LoadBmp(path, &error)) {
    editor.Ui.Message("The bitmap " + path + " cannot be opened: " + error + ".");
    return false;
  }
  // Marks and modes belong to the picture they were made on.
  LeaveBitmapUtility(state);
  state.picture = std::move(picture);
  state.path = path;
  state.fileName = std::filesystem::path(path).filename().string();
  return true;
}

void LeaveBitmapUtility(BitmapUtilityState& state) {
  state.replaceColourMode = false;
  state.bitmapToMapMode = false;
  state.conversion = {};
}

std::optional<std::string> BitmapUtilityCaption(const BitmapUtilityState& state, int x, int y) {
  const Picture& picture = state.picture;
  if (x < 0 || y < 0 || x >= picture.Width() || y >= picture.Height()) return std::nullopt;
  const uint32_t rgb = picture.PixelAt(x, y);
  return state.fileName + Number((rgb >> 16) & 0xff) + Number((rgb >> 8) & 0xff) +
         Number(rgb & 0xff) + Number(ConversionMark(state.conversion, x, y));
}

BitmapPress BitmapUtility_Press(MapEditor& session, BitmapUtilityState& state, int x, int y) {
  Picture& picture = state.picture;
  if (x < 0 || y < 0 || x >= picture.Width() || y >= picture.Height()) return BitmapPress::kNothing;
  Editor& editor = session.editor;
  const uint32_t clicked = picture.PixelAt(x, y);
  if (state.replaceColourMode) {
    if (!ReplaceColour(picture, clicked, state.newColour)) {
      editor.Ui.Message(kBackgroundColourMessage);
      return BitmapPress::kNothing;
    }
    const std::string saved = editor.Folder.Resolve("picture2.bmp").string();
    std::string error;
    if (picture.SaveBmp(saved, &error)) {
      editor.Ui.Message("Saved " + saved);
    } else {
      editor.Ui.Message("The picture was not written: " + error + ".");
    }
    return BitmapPress::kPictureChanged;
  }
  if (!state.bitmapToMapMode) return BitmapPress::kNothing;
  const uint8_t terrain = editor.Tiles.TerrainOf(editor.CurrentTile);
  const MapDocument& document = editor.Document;
  RecordedEdit(session, HexRange{0, document.MapWidth, 0, document.MapHeight}, "Assign Terrain",
               [&] {
                 AssignTerrain(picture, state.conversion, editor.Document, clicked, terrain,
                               editor.Tiles.TerrainRgb(terrain));
               });
  return BitmapPress::kTerrainAssigned;
}

bool ConvertBitmapToMap(Editor& editor, BitmapUtilityState& state) {
  Picture& picture = state.picture;
  if (picture.IsNull()) {
    editor.Ui.Message("No bitmap is loaded: choose one with File > Load Bitmap.");
    return false;
  }
  if (const std::string problem = CheckMapSize(picture.Width(), picture.Height());
      !problem.empty()) {
    editor.Ui.Message("This bitmap cannot become a map: " + problem + ".");
    return false;
  }
  state.bitmapToMapMode = true;
  ReduceColours(picture, editor.Settings.BitmapUtilityValue);
  std::string error;
  if (!picture.SaveBmp(editor.Folder.Resolve("picture2.bmp"), &error)) {
    editor.Ui.Message("The picture was not written: " + error + ".");
  }
  MapDocument& document = editor.Document;
  document.MapWidth = static_cast<int16_t>(picture.Width());
  document.MapHeight = static_cast<int16_t>(picture.Height());
  document.MapName = DropLastCharacters(state.fileName, 3) + "map";
  document.MapPath = DropLastCharacters(state.path, 3) + "map";
  editor.CaptionName = document.MapName;
  NewMap(editor);
  state.conversion = StartConversion(picture.Width(), picture.Height());
  return true;
}

}  // namespace korv
