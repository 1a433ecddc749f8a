// Load + save of a 1000 x 1000 map beside a plain copy of the same bytes.
// Budget: loading and saving stays within 1.3 times the copy.
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <filesystem>
#include <fstream>

#include "editor/map_io.h"
#include "platform/files.h"
#include "platform/interaction.h"
#include "platform/picture.h"
#include "platform/random.h"

namespace korv {
namespace {

namespace fs = std::filesystem;

struct BigMapFixture {
  BigMapFixture() {
    folder = fs::temp_directory_path() / "korv-bench-map";
    fs::create_directories(folder);
    MapDocument document;
    document.MapWidth = 999;
    document.MapHeight = 999;
    AllocateMapLayers(document);
    SeededRandom random(1);
    for (size_t i = 0; i < document.HexTile.size(); ++i) {
      document.HexTile[i] = static_cast<int16_t>(random.Uniform() * 200);
      document.HexData[i] = static_cast<uint8_t>(random.Uniform() * 9);
    }
    for (int x = 1; x < 999; x += 50) {
      document.Owner(x, x) = 1;
      document.Mark(x, x) = kSecondaryObjective;
    }
    RebuildObjectiveList(document);
    document.NationSetName = "default";
    source = folder / "big.map";
    WriteFileAtomically(source, EncodeVersionedMap(document, 569, true));
  }
  fs::path folder;
  fs::path source;
};

// Between two rounds the disk writes out what the last one left and the
// files it replaced are let go, as between two saves of a designer; left to
// pile up, the earlier rounds' work would slow the later ones by whatever
// the disk allows.
void SettleTheDisk(benchmark::State& state) {
  state.PauseTiming();
  WaitForReplacedFiles();
  sync();
  state.ResumeTiming();
}

BigMapFixture& Fixture() {
  static BigMapFixture fixture;
  return fixture;
}

void BM_CopyMapBytes(benchmark::State& state) {
  BigMapFixture& fixture = Fixture();
  for (auto _ : state) {
    auto bytes = ReadWholeFile(fixture.source);
    WriteFileAtomically(fixture.folder / "copy.map", *bytes);
    SettleTheDisk(state);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * FileLength(fixture.source));
}
BENCHMARK(BM_CopyMapBytes)->Unit(benchmark::kMillisecond);

// A second baseline: the bytes a load reads and a save writes, copied
// plainly. The save writes more than the map file: the map (15 MB), its
// strategic picture (3 MB) and its control file (2 MB). Here the map file is
// read whole and written out three times, as files of those three sizes,
// each through a temporary file renamed into place as the save does.
void BM_CopyTheBytesOfALoadAndSave(benchmark::State& state) {
  BigMapFixture& fixture = Fixture();
  const size_t hexes = 1000 * 1000;
  const size_t picture = kBmpHeaderBytes + BmpRowBytes(999) * 999;
  const size_t control = hexes * MapDocument::kControlPlanes;
  for (auto _ : state) {
    auto bytes = ReadWholeFile(fixture.source);
    const std::span<const uint8_t> all(*bytes);
    FileSetWriter files;
    files.Add(fixture.folder / "copy.bmp", all.first(picture));
    files.Add(fixture.folder / "copy.map", all);
    files.Add(fixture.folder / "copy.ctl", all.first(control));
    files.Commit();
    SettleTheDisk(state);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * FileLength(fixture.source));
}
BENCHMARK(BM_CopyTheBytesOfALoadAndSave)->Unit(benchmark::kMillisecond);

void BM_LoadAndSaveMap(benchmark::State& state) {
  BigMapFixture& fixture = Fixture();
  RecordingInteraction ui;
  SeededRandom random(1);
  Editor editor(GameFolder(fixture.folder), ui, random);
  editor.Tiles.TileCount = 255;
  editor.Tiles.TileTerrain.assign(256, 1);
  editor.Tiles.TileRoad.assign(256, 0);
  for (auto _ : state) {
    editor.Document.MapPath = fixture.source.string();
    if (!LoadMap(editor)) state.SkipWithError("load failed");
    editor.Document.MapPath = (fixture.folder / "saved.map").string();
    if (!SaveMap(editor)) state.SkipWithError("save failed");
    SettleTheDisk(state);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * FileLength(fixture.source));
}
BENCHMARK(BM_LoadAndSaveMap)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korv
