// A map document of columns 0..width and rows 0..height with every layer
// allocated and zero, for tests that set only the hexes they look at.
#pragma once

#include "document/map_document.h"

namespace korv::test {

inline MapDocument BlankMap(int width, int height) {
  MapDocument map;
  map.MapWidth = static_cast<int16_t>(width);
  map.MapHeight = static_cast<int16_t>(height);
  AllocateMapLayers(map);
  return map;
}

}  // namespace korv::test
