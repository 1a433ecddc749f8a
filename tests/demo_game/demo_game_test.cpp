// Painting on the demo folder korv-demo-game writes. (That the sample map
// saves back to its own bytes is the CI end-to-end session's.)
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <set>
#include <sstream>
#include <tuple>

#include "analysis/roads.h"
#include "analysis/tile_seams.h"
#include "cli/korvmap.h"
#include "document/hex_grid.h"
#include "editing/commands.h"
#include "editing/editing.h"
#include "editing/file_dialog.h"
#include "editing/fit_painting.h"
#include "editor/map_io.h"
#include "editor/startup.h"
#include "platform/interaction.h"
#include "platform/random.h"
#include "support/test_folder.h"
#include "view/viewport.h"

namespace korv {
namespace {

using Hex = std::pair<int, int>;

Hex Step(Hex hex, int side) {
  auto x = static_cast<int16_t>(hex.first);
  auto y = static_cast<int16_t>(hex.second);
  NeighbourStep(x, y, side);
  return {x, y};
}

std::vector<Hex> Ring(const MapDocument& map, Hex hex) {
  std::vector<Hex> ring;
  for (int d = 1; d <= 6; ++d) {
    if (const Hex near = Step(hex, d); map.Contains(near.first, near.second)) ring.push_back(near);
  }
  return ring;
}

// The side of `from` that `to` lies across; 0 when they are not neighbours.
int SideTowards(Hex from, Hex to) {
  for (int d = 1; d <= 6; ++d) {
    if (Step(from, d) == to) return d;
  }
  return 0;
}

bool Has(const std::vector<Hex>& hexes, Hex hex) {
  return std::find(hexes.begin(), hexes.end(), hex) != hexes.end();
}

// A hex at least `margin` columns and rows inside a 40 x 30 map.
Hex RandomHex(RandomSource& dice, int margin) {
  return {margin + static_cast<int>(dice.Uniform() * (40 - 2 * margin)),
          margin + static_cast<int>(dice.Uniform() * (30 - 2 * margin))};
}

// An editing session on a copy of the demo folder, with a 40 x 30 map of
// clear land strewn with lakes and woods, and a view of it for presses.
class DemoStrokeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::copy(KORV_DEMO_FOLDER, folder.Path(),
                          std::filesystem::copy_options::recursive);
    std::string error;
    ASSERT_TRUE(StartMapEditor(session, error)) << error;
    ASSERT_TRUE(NewMapDialog_OK(session.editor, "40", "30", error)) << error;
    session.view.ViewColumns = 12;
    session.view.ViewRows = 10;
    session.view.ViewPixelWidth = 13 * session.editor.Geometry.ColumnStep;
    session.view.ViewPixelHeight = 11 * session.editor.Geometry.RowStep;
    ResetViewForMap(session.view, Map());
    ASSERT_TRUE(
        CreateViewBuffer(session.editor, session.resources, session.switches, session.view));
    knowledge = LoadTileFitKnowledge(session.editor.Folder, Tiles());
    const auto firstOf = [this](int terrain) {
      for (int t = 0; t <= Tiles().TileCount; ++t) {
        if (Tiles().TerrainOf(t) == terrain && Tiles().RoadOf(t) == 0) return t;
      }
      return -1;
    };
    clear = Map().Tile(1, 1);
    lake = firstOf(11);
    forest = firstOf(8);
    town = firstOf(5);
    straightRoad = knowledge.RoadTilesWith(1, SideBit(kSideBottom) | SideBit(kSideTop)).front();
    for (int x = 0; x <= Map().MapWidth; ++x) {
      for (int y = 0; y <= Map().MapHeight; ++y) {
        const double u = scatter.Uniform();
        if (u < 0.1) Put(x, y, u < 0.05 ? lake : forest);
      }
    }
    // The editor starts on the folder without a word.
    EXPECT_TRUE(ui.Messages().empty()) << ::testing::PrintToString(ui.Messages());
  }
  MapDocument& Map() { return session.editor.Document; }
  const TileTables& Tiles() { return session.editor.Tiles; }
  void Put(int x, int y, int tile) {
    Map().Tile(x, y) = static_cast<int16_t>(tile);
    Map().Terrain(x, y) = Tiles().TerrainOf(tile);
  }
  void Settings(bool autoDraw, bool fit, bool randomTiles = false) {
    session.editor.Settings.AutoDraw = autoDraw;
    session.editor.Settings.FitNeighbours = fit;
    session.editor.Settings.RandomTiles = randomTiles;
  }
  // A press in the middle of hex (x, y), which must be in the view.
  void Press(Hex hex) {
    const PixelPoint p = HexToPixel(session.editor.Geometry, hex.first, hex.second);
    const ViewState& view = session.view;
    MapView_MouseDown(session, MouseButton::kLeft, 0,
                      p.left + 30.0 - view.ViewLeft * session.editor.Geometry.ColumnStep,
                      p.top + 25.0 - view.ViewTop * session.editor.Geometry.RowStep);
  }
  void Paint(const std::vector<Hex>& stroke, int tile) {
    for (const Hex& hex : stroke) {
      session.editor.CurrentTile = static_cast<int16_t>(tile);
      PaintHex(session, hex.first, hex.second);
    }
  }
  // A road across open land: each hex next to the one before and to no
  // other hex of the stroke, all clear and off the map's edge.
  std::vector<Hex> RoadPath(RandomSource& dice, size_t length) {
    std::vector<Hex> path;
    while (path.empty()) {
      const Hex start = RandomHex(dice, 1);
      if (Map().Terrain(start.first, start.second) == 1) path.push_back(start);
    }
    for (int attempt = 0; attempt < 200 && path.size() < length; ++attempt) {
      const std::vector<Hex> ring = Ring(Map(), path.back());
      const Hex next = ring[static_cast<size_t>(dice.Uniform() * ring.size())];
      const bool inside = next.first > 0 && next.first < 40 && next.second > 0 && next.second < 30;
      if (!inside || Map().Terrain(next.first, next.second) != 1 || Has(path, next)) continue;
      const std::vector<Hex> around = Ring(Map(), next);
      if (std::count_if(around.begin(), around.end(), [&](Hex h) { return Has(path, h); }) == 1)
        path.push_back(next);
    }
    return path;
  }
  // A blob of hexes grown from a random one.
  std::vector<Hex> Blob(RandomSource& dice, size_t size) {
    std::vector<Hex> blob{RandomHex(dice, 2)};
    while (blob.size() < size) {
      const std::vector<Hex> ring =
          Ring(Map(), blob[static_cast<size_t>(dice.Uniform() * blob.size())]);
      const Hex next = ring[static_cast<size_t>(dice.Uniform() * ring.size())];
      if (!Has(blob, next)) blob.push_back(next);
    }
    return blob;
  }
  // The seams of the stroke's hexes and of the hexes around them, one a line.
  std::string SeamsAround(const std::vector<Hex>& stroke) {
    std::set<Hex> hexes(stroke.begin(), stroke.end());
    for (const Hex& hex : stroke) {
      for (const Hex& near : Ring(Map(), hex)) hexes.insert(near);
    }
    std::string seams;
    for (const auto& [x, y] : hexes) {
      for (const TileSeam& seam : TileSeamsAt(Map(), Tiles(), knowledge, x, y))
        seams += TileSeamText(seam) + "\n";
    }
    return seams;
  }

  test::TempFolder folder;
  RecordingInteraction ui;
  SeededRandom random{11};
  SeededRandom scatter{3};
  MapEditor session{folder.Game(), ui, random};
  TileFitKnowledge knowledge;
  int clear = 0, lake = 0, forest = 0, town = 0, straightRoad = 0;
};

// Each random stroke painted on the strewn map twice: without the fitting
// (to count the seams it leaves) and with it: then no seam the sheet could
// close is left around it, its hexes keep the stroke's terrain, and each step
// of a road joins the next both ways.
TEST_F(DemoStrokeTest, FittedStrokesLeaveNoSeamTheSheetCouldClose) {
  SeededRandom strokes(5);
  const MapDocument strewn = Map();
  int seamsWithoutFit = 0;
  for (int run = 0; run < 30; ++run) {
    const bool road = run % 2 == 0;
    const int tile = road ? straightRoad : std::array{0, lake, forest}[run / 2 % 3];
    const std::vector<Hex> stroke =
        road ? RoadPath(strokes, 3 + run / 2) : Blob(strokes, 4 + run % 6);
    Map() = strewn;
    Settings(true, false);
    Paint(stroke, tile);
    const std::string unfitted = SeamsAround(stroke);
    seamsWithoutFit += static_cast<int>(std::count(unfitted.begin(), unfitted.end(), '\n'));
    Map() = strewn;
    Settings(true, true);
    Paint(stroke, tile);
    EXPECT_EQ(SeamsAround(stroke), "") << "run " << run;
    for (size_t i = 0; i < stroke.size(); ++i) {
      const auto [x, y] = stroke[i];
      EXPECT_EQ(Tiles().TerrainOf(Map().Tile(x, y)), Tiles().TerrainOf(tile)) << "run " << run;
      if (!road || i + 1 == stroke.size()) continue;
      const int d = SideTowards(stroke[i], stroke[i + 1]);
      EXPECT_EQ(Map().Data(x, y, d), kRoadLink) << "run " << run << " step " << i;
      const auto [nx, ny] = stroke[i + 1];
      EXPECT_EQ(Map().Data(nx, ny, OppositeSide(d)), kRoadLink) << "run " << run << " step " << i;
    }
  }
  // The strokes are ones that leave seams without the fitting.
  EXPECT_GT(seamsWithoutFit, 10);
}

// With "Fit Neighbours" off, or on while Auto-Tile is off, painting writes
// what it wrote before the switch existed: the digest of the saved map and
// control file and of every file under mapedit/ after strokes with and
// without Auto-Tile and Random Tiles is the one the editor gave then (for
// the demo folder as korv-demo-game writes it now).
TEST_F(DemoStrokeTest, WithTheSwitchOffStrokesWriteTheBytesTheyAlwaysWrote) {
  SeededRandom strokes(31);
  const int tiles[] = {straightRoad, 0, lake, forest};
  for (int run = 0; run < 12; ++run) {
    Settings(run % 3 != 0, run % 3 == 0, run % 4 == 1);
    Paint(run % 4 == 0 ? RoadPath(strokes, 8) : Blob(strokes, 6), tiles[run % 4]);
  }
  Map().MapPath = (folder / "maps/strokes.map").string();
  ASSERT_TRUE(SaveMap(session.editor));
  std::vector<std::string> files = {"maps/strokes.map", "maps/strokes.ctl"};
  std::vector<std::string> learnt;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder / "mapedit")) {
    if (entry.is_regular_file()) {
      learnt.push_back(std::filesystem::relative(entry.path(), folder.Path()).generic_string());
    }
  }
  std::sort(learnt.begin(), learnt.end());
  files.insert(files.end(), learnt.begin(), learnt.end());
  uint64_t digest = 14695981039346656037u;  // FNV-1a over names and bytes
  for (const std::string& file : files) {
    std::vector<uint8_t> bytes(file.begin(), file.end());
    const std::vector<uint8_t> content = folder.ReadBytes(file);
    bytes.insert(bytes.end(), content.begin(), content.end());
    for (uint8_t byte : bytes) digest = (digest ^ byte) * 1099511628211u;
  }
  EXPECT_EQ(files.size(), 235u);
  EXPECT_EQ(digest, 0x62a1fb99cd352d6cu);
}

// What counts as a seam: a road into land without a road, a coast that
// shows the wrong sides; not a road into a town or off the map, nor woods
// no tile of the sheet fits.
TEST_F(DemoStrokeTest, SeamsAreThoseTheSheetCouldClose) {
  std::string error;
  ASSERT_TRUE(NewMapDialog_OK(session.editor, "12", "10", error));
  const auto seamsAt = [this](int x, int y) {
    return TileSeamsAt(Map(), Tiles(), knowledge, x, y);
  };
  Put(4, 4, straightRoad);  // bottom into clear land, top into a town
  Put(4, 3, town);
  EXPECT_EQ(seamsAt(4, 4), (std::vector<TileSeam>{{4, 4, TileSeam::kRoadEnd, 2}}));
  // Both sides off the map.
  Put(0, 0, knowledge.RoadTilesWith(1, SideBit(kSideUpperLeft) | SideBit(kSideTop)).front());
  EXPECT_TRUE(seamsAt(0, 0).empty());
  Put(8, 5, 0);  // open sea, alone in clear land: a coast with no sea around fits
  ASSERT_EQ(seamsAt(8, 5), (std::vector<TileSeam>{{8, 5, TileSeam::kEdgeSeam, 0}}));
  // A tile number past the sheet (a damaged map) has no road sides.
  EXPECT_EQ(knowledge.SidesOf(Tiles().TileCount + 1), 0);
  // What the walk says of each: the road's side by name, or the edge.
  EXPECT_EQ(TileSeamText(seamsAt(4, 4)[0]), "Hex (4, 4): a road that ends at its bottom side");
  EXPECT_EQ(TileSeamText(seamsAt(8, 5)[0]), "Hex (8, 5): an edge that does not fit its neighbours");
  Put(8, 4, forest);
  Put(9, 4, forest);
  Put(7, 4, forest);  // three woods in a row: neither full forest nor a copse fits
  for (const Hex& hex : std::vector<Hex>{{8, 4}, {9, 4}, {7, 4}}) {
    EXPECT_TRUE(seamsAt(hex.first, hex.second).empty()) << hex.first << "," << hex.second;
  }
}

// "Find Tile Seams" walks from seam to seam, and korvmap seams counts them:
// a bent road painted with Auto-Tile leaves road ends, with Fit Neighbours none.
TEST_F(DemoStrokeTest, TheEditorAndKorvmapFindTheSeamsOfAStroke) {
  std::string error;
  const std::vector<Hex> road = {{4, 3}, {4, 4}, {4, 5}, {5, 5}, {6, 5}};
  const Command* find = FindCommand("Find Tile Seams");
  ASSERT_NE(find, nullptr);
  for (const bool fit : {false, true}) {
    ASSERT_TRUE(NewMapDialog_OK(session.editor, "12", "10", error));
    Settings(true, fit);
    Paint(road, straightRoad);
    const std::vector<TileSeam> seams = FindTileSeams(Map(), Tiles(), knowledge);
    EXPECT_EQ(seams.empty(), fit);
    std::vector<std::string> walked;
    ui.Clear();
    for (int i = 0; i < 20 && ui.Messages().empty(); ++i) {
      const std::string report = RunCommand(session, *find).report;
      if (!report.empty()) walked.push_back(report);
    }
    std::vector<std::string> expected;  // the first seam of each hex
    for (size_t i = 0; i < seams.size(); ++i) {
      if (i == 0 || seams[i].x != seams[i - 1].x || seams[i].y != seams[i - 1].y)
        expected.push_back(TileSeamText(seams[i]));
    }
    EXPECT_EQ(walked, expected);
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"none found"});
    Map().MapPath = (folder / "maps/road.map").string();
    ASSERT_TRUE(SaveMap(session.editor));
    std::ostringstream out, err;
    const int code = RunKorvmap(
        {"--folder", folder.Path().string(), "seams", Map().MapPath, "--list"}, out, err);
    EXPECT_EQ(code, fit ? kExitOk : kExitRefused) << err.str();
    const std::string text = out.str();
    EXPECT_EQ(static_cast<size_t>(std::count(text.begin(), text.end(), '\n')), seams.size() + 1);
    EXPECT_NE(text.find(std::to_string(seams.size()) + " seams"), std::string::npos) << text;
  }
}

// A bridge painted over a bridge of other road sides: the bridge chosen to
// fit the river keeps the painted road sides, and its road exits follow.
TEST_F(DemoStrokeTest, AFittedBridgeTakesTheRoadExitsOfItsPicture) {
  std::vector<int> bridges;
  for (int t = 0; t <= Tiles().TileCount; ++t) {
    if (knowledge.IsMember(t) && Tiles().RoadOf(t) == 1) bridges.push_back(t);
  }
  ASSERT_FALSE(bridges.empty());
  const int painted = bridges.front();
  const auto other = std::find_if(bridges.begin(), bridges.end(), [&](int t) {
    return knowledge.SidesOf(t) != knowledge.SidesOf(painted);
  });
  ASSERT_NE(other, bridges.end());
  Put(10, 10, *other);
  ConnectRoads(Map(), Tiles(), 10, 10);
  FitAfterPress(session.editor, 10, 10, static_cast<int16_t>(painted), 0);
  const SideBits sides = knowledge.SidesOf(Map().Tile(10, 10));
  EXPECT_EQ(sides, knowledge.SidesOf(painted));
  for (int d = 1; d <= 6; ++d)
    EXPECT_EQ(Map().Data(10, 10, d), sides & SideBit(d) ? kRoadLink : kNoLink) << d;
}

// The road-side tool with the switch on: the hex's tile gains the side and
// the neighbour across it the side back, both with the kind of link set. The
// press is one change: undone, both hexes and their road exits are as they
// were; redone, as the press left them.
TEST_F(DemoStrokeTest, TheRoadSideToolJoinsTheNeighbourAcrossTheSideInOneChange) {
  Settings(true, true);
  session.switches.RoadMode = 2;
  session.editor.Settings.RoadKind = kRailLink;
  // Across the upper right side the neighbour is in the next column; across
  // the top side it is in the same column.
  for (const auto& [side, nx, ny, back] : {std::tuple{kSideUpperRight, 6, 4, kSideLowerLeft},
                                           std::tuple{kSideTop, 5, 4, kSideBottom}}) {
    SCOPED_TRACE(side);
    Put(5, 5, straightRoad);
    Put(nx, ny, clear);
    session.interaction.RoadSide = side;
    const MapDocument before = Map();
    const size_t changes = session.history.UndoCount();
    Press({5, 5});
    ASSERT_EQ(session.history.UndoCount(), changes + 1);
    EXPECT_TRUE(knowledge.SidesOf(Map().Tile(5, 5)) & SideBit(side));
    EXPECT_EQ(knowledge.SidesOf(Map().Tile(nx, ny)), SideBit(back));
    EXPECT_EQ(Map().Data(5, 5, side), kRailLink);
    EXPECT_EQ(Map().Data(nx, ny, back), kRailLink);
    const MapDocument after = Map();
    UndoChange(session);
    EXPECT_EQ(Map().HexTile, before.HexTile);
    EXPECT_EQ(Map().HexData, before.HexData);
    RedoChange(session);
    EXPECT_EQ(Map().HexTile, after.HexTile);
    EXPECT_EQ(Map().HexData, after.HexData);
  }
}

}  // namespace
}  // namespace korv
