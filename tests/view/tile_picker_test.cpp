#include "view/tile_picker.h"

#include <gtest/gtest.h>

namespace korv {
namespace {

TEST(TileAtSheetPosition, CellsOfSixteenTilesARow) {
  const HexGeometry geometry = HexGeometry::FromSizes(60, 50, 30);
  struct Case {
    double sx, sy;
    int tile;
  };
  const Case cases[] = {
      {0, 0, 0},   {59, 49, 0},  {60, 0, 1},        {130, 60, 18}, {959, 0, 15},
      {0, 50, 16}, {59.6, 0, 1}, {959, 4999, 1599}, {1000, 0, 16}};  // past the sheet's right edge:
                                                                     // the next row's number
  for (const Case& c : cases) {
    EXPECT_EQ(TileAtSheetPosition(c.sx, c.sy, geometry), c.tile) << c.sx << "," << c.sy;
  }
}

TEST(TilePickerCaption, NumberHexAndTerrainName) {
  TileTables tables;
  tables.TileCount = 200;
  tables.TileTerrain.assign(201, 1);
  tables.TileTerrain[0] = 0;
  tables.TerrainNames = {"Sea", "Clear"};
  EXPECT_EQ(TilePickerCaption(123, tables), "Tiles F2  123(x7B) Clear");
  EXPECT_EQ(TilePickerCaption(0, tables), "Tiles F2  0(x0) Sea");
  EXPECT_EQ(TilePickerCaption(255, tables), "Tiles F2  255(xFF)");  // beyond the last tile
  tables.TileTerrain[5] = 9;  // a terrain the table does not name
  EXPECT_EQ(TilePickerCaption(5, tables), "Tiles F2  5(x5) ");
}

TEST(ToggleRouting, KeysSwitchTheirDialogOnAndOff) {
  TileDialogRouting routing;
  EXPECT_TRUE(ToggleRouting(routing, PickerKey::kF2));
  EXPECT_TRUE(routing.TerrainDialogActive);
  EXPECT_FALSE(ToggleRouting(routing, PickerKey::kF2));
  EXPECT_FALSE(routing.TerrainDialogActive);
  EXPECT_TRUE(ToggleRouting(routing, PickerKey::kF3));
  EXPECT_TRUE(ToggleRouting(routing, PickerKey::kF4));
  EXPECT_TRUE(routing.RoadDialogActive);
  EXPECT_TRUE(routing.PatternDialogActive);
  EXPECT_FALSE(routing.TerrainDialogActive);
}

TEST(SheetScroll, RangeIsWhatDoesNotFit) {
  EXPECT_EQ(SheetScroll(960, 700, 60).maximum, 260);
  EXPECT_EQ(SheetScroll(960, 1200, 60).maximum, 0);
  EXPECT_EQ(SheetScroll(5000, 600, 50).step, 50);
}

}  // namespace
}  // namespace korv
