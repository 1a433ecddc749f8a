// Painting on the demo folder is tests/demo_game's.
#include "editing/tile_commands.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "editor/map_io.h"
#include "support/autotile_world.h"
#include "support/korvmap_run.h"

namespace korv {
namespace {

TEST(TileCommands, AreasUndoCopiesAndTheAutomaticSwitch) {
  test::SessionOnMiniGame world(test::AutoTileGame());
  MapEditor& session = world.session;
  MapDocument& map = world.Map();
  // Road tiles at (2, 2) (visible) and (20, 20) (off the view), a library
  // that turns a lone road into tile 15.
  world.folder.WriteText("mapedit/roadpatterns/0-0-0-0-0-0.txt", "0-0-0-0-0-0,15\r\n-1\r\n");
  for (auto [x, y] : {std::pair{2, 2}, std::pair{20, 20}}) {
    map.Tile(x, y) = 3;  // a bridge picture on clear land: re-chosen
    map.Terrain(x, y) = 1;
  }
  const auto snapshot = world.folder / "autosave.map";
  std::filesystem::remove(snapshot);
  AutoRedrawRoads_Click(session);
  EXPECT_EQ(map.Tile(2, 2), 15);
  EXPECT_EQ(map.Tile(20, 20), 3);
  EXPECT_FALSE(FileExists(snapshot));
  EXPECT_TRUE(session.editor.Settings.AutoDraw);
  session.control.WholeMapArea = true;
  AutoRedrawRoads_Click(session);
  EXPECT_EQ(map.Tile(20, 20), 15);
  EXPECT_TRUE(FileExists(snapshot));

  // Terrain redraw skips clear hexes; the terrain rebuild
  // sets each hex's terrain from its tile and leaves its side links.
  std::filesystem::remove(snapshot);
  world.folder.WriteText("mapedit/t08/000000.txt", "022\r\n");
  map.Tile(5, 5) = 16;
  map.Terrain(5, 5) = 8;
  map.Tile(6, 6) = 16;  // a forest picture on a clear hex stays
  AutoRedrawTerrain_Click(session);
  EXPECT_TRUE(FileExists(snapshot));
  EXPECT_EQ(map.Tile(5, 5), 22);
  EXPECT_EQ(map.Tile(6, 6), 16);
  // The forest redraw re-chooses forest hexes only.
  map.Tile(5, 5) = 17;
  AutoRedrawForests_Click(session);
  EXPECT_EQ(map.Tile(5, 5), 22);
  EXPECT_EQ(map.Tile(6, 6), 16);
  map.Terrain(6, 6) = 8;
  map.Data(7, 7, 2) = kRoadLink;  // side links stay as they are
  const std::vector<uint8_t> data = map.HexData;
  map.Terrain(7, 7) = 3;  // hill terrain under a clear tile is put right
  RebuildTerrainBasedOnTiles_Click(session);
  EXPECT_EQ(map.HexData, data);
}

using test::Korvmap;
using test::KorvmapRun;

TEST(TileCommands, KorvmapPaintsAsTheSessionDoesAndLearns) {
  test::SessionOnMiniGame world(test::AutoTileGame());
  MapEditor& session = world.session;
  world.Map().Tile(4, 3) = 15;  // clear land with a road, as the start-up map is clear
  world.Map().MapPath = world.Path("in.map");
  ASSERT_TRUE(SaveMap(session.editor));
  const std::string folder = world.folder.Path().string();

  // Painting by hand through korvmap learns what the session would.
  const KorvmapRun paint = Korvmap({"--folder", folder, "paint", world.Path("in.map"),
                                    world.Path("out.map"), "--tile", "15", "4,4", "4,5"});
  ASSERT_EQ(paint.code, kExitOk) << paint.err;
  EXPECT_EQ(world.folder.ReadText("mapedit/roadpatterns/1-0-0-0-0-0.txt"),
            "15-0-0-0-0-0,15\r\n-1\r\n");
  std::string error;
  auto painted = ReadMapFile(world.Path("out.map"), session.editor.Tiles.TileTerrain, error);
  ASSERT_TRUE(painted) << error;
  EXPECT_EQ(painted->Document.Tile(4, 5), 15);
  EXPECT_EQ(painted->Document.Data(4, 4, kSideTop), kRoadLink);  // joined to the road above

  const KorvmapRun learn = Korvmap({"--folder", folder, "learn", world.Path("out.map")});
  ASSERT_EQ(learn.code, kExitOk) << learn.err;
  EXPECT_THAT(learn.out, testing::HasSubstr("mapedit/roadpatterns: "));
}

}  // namespace
}  // namespace korv
