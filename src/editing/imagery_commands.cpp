#include "editing/imagery_commands.h"

#include "imagery/map_render.h"
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

}  // namespace korv
