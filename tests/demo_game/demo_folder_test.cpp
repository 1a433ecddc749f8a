// The demo game folder as a whole: the same bytes on every run, every file
// the editor reads present and in its layout, the text tables agreeing with
// the tile table, and the editor's own start-up accepting the folder.
#include <gtest/gtest.h>

#include <set>

#include "demo_folder.h"
#include "demo_game.h"
#include "editor/editor.h"
#include "editor/map_io.h"
#include "editor/startup.h"
#include "flags.h"
#include "platform/bytes.h"
#include "platform/files.h"
#include "platform/interaction.h"
#include "platform/random.h"
#include "platform/text_fields.h"

namespace korv::demo::test {
namespace {

// The folder read by the other tests was written by the program; this run
// of the library must give the same bytes.
TEST(DemoFolder, TwoRunsWriteTheSameBytes) {
  const std::filesystem::path second = NewTemporaryFolder();
  std::string error;
  ASSERT_TRUE(WriteDemoGame(second, error)) << error;
  const std::vector<std::string> files = ListFilesBelow(DemoFolder());
  ASSERT_EQ(files, ListFilesBelow(second));
  for (const std::string& file : files)
    EXPECT_EQ(ReadWholeFile(DemoFolder() / file), ReadWholeFile(second / file)) << file;
}

TEST(DemoFolder, BitmapsAreTwentyFourBitWindowsBitmaps) {
  for (const std::string& file : ListFilesBelow(DemoFolder())) {
    if (file.size() < 4 || file.substr(file.size() - 4) != ".bmp") continue;
    const std::vector<uint8_t> bytes = ReadDemoFile(file);
    ASSERT_GE(bytes.size(), 54u) << file;
    ByteCursor header(bytes);
    EXPECT_EQ(header.ReadString(2), "BM") << file;
    header.Skip(12);
    EXPECT_EQ(header.ReadI32(), 40) << file << ": header size";
    const int32_t width = header.ReadI32();
    const int32_t height = header.ReadI32();
    header.Skip(2);
    EXPECT_EQ(header.ReadI16(), 24) << file << ": bits per pixel";
    const size_t rowBytes = (static_cast<size_t>(width) * 3 + 3) / 4 * 4;
    EXPECT_EQ(bytes.size(), 54 + rowBytes * static_cast<size_t>(std::abs(height))) << file;
  }
}

TEST(DemoFolder, TextFilesEndTheirLinesWithCrLf) {
  for (const std::string& file : ListFilesBelow(DemoFolder())) {
    if (file.find(".txt") == std::string::npos && file != "flags.xy") continue;
    const std::string text = ReadDemoText(file);
    ASSERT_FALSE(text.empty()) << file;
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n") << file;
    for (size_t i = 0; i < text.size(); ++i) {
      if (text[i] == '\n') {
        EXPECT_TRUE(i > 0 && text[i - 1] == '\r') << file << " at " << i;
      }
      if (text[i] == '\r') {
        EXPECT_TRUE(i + 1 < text.size() && text[i + 1] == '\n') << file;
      }
    }
  }
}

TEST(DemoFolder, GeometryAndFlagPosition) {
  TextFieldReader hexInfo(ReadDemoText("data/hex_info.txt"));
  std::vector<double> values;
  for (int i = 0; i < 3; ++i) {
    hexInfo.Skip(1);
    values.push_back(hexInfo.NextNumber());
  }
  EXPECT_EQ(values, (std::vector<double>{60, 50, 30}));
  EXPECT_TRUE(hexInfo.AtEnd());
  EXPECT_EQ(ReadDemoText("flags.xy"), "20,30\r\n");
}

TEST(DemoFolder, TileFilesHaveOneEntryPerCellOfTheSheet) {
  const Picture sheet = LoadDemoBitmap("bmp/mapl.bmp");
  ASSERT_EQ(sheet.Width(), 16 * 60);
  ASSERT_EQ(sheet.Height() % 50, 0);
  const size_t tiles = static_cast<size_t>((sheet.Width() / 60) * (sheet.Height() / 50));
  EXPECT_LT(tiles, 1000u);  // the editor's tile lists hold three-digit numbers
  EXPECT_EQ(tiles, static_cast<size_t>(Catalogue().TileCount()) + 1);
  const struct {
    const char* file;
    size_t bytesPerTile;
  } kFiles[] = {{"mapedit/tiletype.dat", 1},
                {"mapedit/roadinfo.dat", 6},
                {"mapedit/randomtile.dat", 1},
                {"mapedit/ptiles.dat", 1},
                {"mapedit/patterns.dat", 6}};
  for (const auto& file : kFiles)
    EXPECT_EQ(ReadDemoFile(file.file).size(), tiles * file.bytesPerTile) << file.file;
}

TEST(DemoFolder, HexDataListsTheSameTerrainAsTileType) {
  const std::vector<uint8_t> tileType = ReadDemoFile("mapedit/tiletype.dat");
  TextFieldReader hexData(ReadDemoText("data/hexdata.txt"));
  ASSERT_EQ(hexData.NextNumber(), static_cast<double>(tileType.size()));
  for (size_t t = 0; t < tileType.size(); ++t)
    ASSERT_EQ(hexData.NextNumber(), tileType[t]) << "tile " << t;
  EXPECT_TRUE(hexData.AtEnd());
}

TEST(DemoFolder, TerrainTableNamesEveryTerrainOfTheTiles) {
  TextFieldReader terrain(ReadDemoText("data/terrain.txt"));
  terrain.Skip(1);
  const int count = terrain.NextI16();
  terrain.Skip(1);
  ASSERT_EQ(count, static_cast<int>(TerrainTypes().size()));
  std::vector<std::string> names;
  for (int i = 0; i < count; ++i) {
    names.push_back(terrain.NextField());
    terrain.Skip(3);
    const int red = terrain.NextI16(), green = terrain.NextI16(), blue = terrain.NextI16();
    terrain.Skip(1);
    for (int channel : {red, green, blue}) {
      EXPECT_GE(channel, 0) << names.back();
      EXPECT_LE(channel, 255) << names.back();
    }
  }
  EXPECT_TRUE(terrain.AtEnd());
  // The special codes the editor knows.
  EXPECT_EQ(names[0], "Ocean");
  EXPECT_EQ(names[1], "Clear");
  EXPECT_EQ(names[5], "Town");
  EXPECT_EQ(names[8], "Forest");
  EXPECT_EQ(names[14], "Port");
  // Every terrain type has a tile, and every tile a listed terrain.
  const std::vector<uint8_t> tileType = ReadDemoFile("mapedit/tiletype.dat");
  std::set<int> used(tileType.begin(), tileType.end());
  for (int t = 0; t < count; ++t) EXPECT_TRUE(used.count(t)) << "no tile of " << names[t];
  EXPECT_LT(*used.rbegin(), count);
}

TEST(DemoFolder, NationsHaveFlagsOfTheThreeSizes) {
  TextFieldReader nations(ReadDemoText("default/nations/nations.txt"));
  const int count = nations.NextI16();
  ASSERT_GE(count, 5);
  ASSERT_LE(count, 8);
  std::set<std::string> seen;
  const struct {
    const char* suffix;
    int width, height;
  } kSizes[] = {{"", 21, 14}, {"02", 20, 13}, {"03", 9, 9}};
  for (int i = 1; i <= count; ++i) {
    const std::string name = nations.NextField();
    EXPECT_EQ(nations.NextI16(), i) << name;  // strength tile ids counted from 1
    EXPECT_TRUE(seen.insert(name).second) << name;
    for (const auto& size : kSizes) {
      const Picture flag = LoadDemoBitmap("flags/" + name + size.suffix + ".bmp");
      EXPECT_EQ(flag.Width(), size.width) << name << size.suffix;
      EXPECT_EQ(flag.Height(), size.height) << name << size.suffix;
    }
  }
  EXPECT_TRUE(nations.AtEnd());
  for (const auto& size : kSizes) {
    const Picture blank = LoadDemoBitmap(std::string("flags/blank") + size.suffix + ".bmp");
    EXPECT_EQ(blank.Width(), size.width);
    EXPECT_EQ(blank.Height(), size.height);
  }
}

TEST(DemoFolder, FlagsOfDifferentNationsDiffer) {
  std::set<std::vector<uint8_t>> pictures;
  for (const Nation& nation : DemoNations())
    pictures.insert(ReadDemoFile("flags/" + std::string(nation.Name) + ".bmp"));
  pictures.insert(ReadDemoFile("flags/blank.bmp"));
  EXPECT_EQ(pictures.size(), DemoNations().size() + 1);
}

// Copies the demo folder so that a test may let the editor write into it.
std::filesystem::path CopyOfDemoFolder() {
  const std::filesystem::path copy = NewTemporaryFolder();
  std::filesystem::copy(DemoFolder(), copy, std::filesystem::copy_options::recursive);
  return copy;
}

TEST(DemoFolder, EditorStartsWithoutRebuildingAnything) {
  const std::filesystem::path folder = CopyOfDemoFolder();
  RecordingInteraction ui;
  SeededRandom random(7);
  Editor editor(GameFolder(folder), ui, random);
  std::string error;
  ASSERT_TRUE(StartUp(editor, error)) << error;
  for (const auto& event : ui.events) {
    EXPECT_EQ(event.text.find("tiletype"), std::string::npos) << event.text;
    EXPECT_EQ(event.text.find("not found"), std::string::npos) << event.text;
  }
  const TileCatalogue& catalogue = Catalogue();
  const TileTables& tables = editor.Tiles;
  ASSERT_EQ(tables.TileCount, catalogue.TileCount());
  for (const TileEntry& entry : catalogue.Tiles) {
    const auto t = static_cast<size_t>(entry.Number);
    EXPECT_EQ(tables.TileTerrain[t], entry.Terrain) << "tile " << t;
    EXPECT_EQ(tables.TileRoad[t], entry.LinkSides() != 0 ? 1 : 0) << "tile " << t;
  }
  ASSERT_EQ(tables.TerrainMax + 1, static_cast<int>(TerrainTypes().size()));
  for (size_t i = 0; i < TerrainTypes().size(); ++i) {
    EXPECT_EQ(tables.TerrainNames[i], TerrainTypes()[i].Name);
    EXPECT_EQ(tables.TerrainColours[i][2], TerrainTypes()[i].Red);
    EXPECT_EQ(tables.TerrainColours[i][1], TerrainTypes()[i].Green);
    EXPECT_EQ(tables.TerrainColours[i][0], TerrainTypes()[i].Blue);
  }
  int16_t defaultTile = -1;
  ChooseDefaultTile(defaultTile, tables);
  EXPECT_EQ(defaultTile, catalogue.DefaultTile());
  // The random lists hold exactly the variants the table flags.
  for (size_t terrain = 0; terrain < TerrainTypes().size(); ++terrain) {
    std::vector<int16_t> expected;
    for (const TileEntry& entry : catalogue.Tiles)
      if (entry.Terrain == terrain && entry.RandomVariant) expected.push_back(entry.Number);
    ASSERT_LT(terrain, editor.RandomLists.ByTerrain.size());
    EXPECT_EQ(editor.RandomLists.ByTerrain[terrain], expected) << "terrain " << terrain;
  }
  // The sample map loads with these tables and saves back to the same bytes.
  const std::vector<uint8_t> bytes = ReadDemoFile("maps/sample.map");
  auto parsed = ParseMapFile(bytes, tables.TileTerrain, error);
  ASSERT_TRUE(parsed.has_value()) << error;
  EXPECT_EQ(parsed->Info.Version, 569);
  EXPECT_EQ(parsed->Info.NationSetName, "default");
  parsed->Document.NationSetName = parsed->Info.NationSetName;
  EXPECT_EQ(EncodeVersionedMap(parsed->Document, 569, true), bytes);
}

TEST(DemoFolder, WriteFailsWithAMessageWhenTheFolderIsAFile) {
  const std::filesystem::path blocker = NewTemporaryFolder() / "not-a-folder";
  ASSERT_TRUE(WriteFileAtomically(blocker, std::string_view("x")));
  std::string error;
  EXPECT_FALSE(WriteDemoGame(blocker, error));
  EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace korv::demo::test
