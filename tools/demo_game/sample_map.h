// The sample map of the demo game (maps/sample.map): a 40 x 30 landscape
// that shows what the tiles can do — a coast with an island and a port, a
// river with bridges flowing out of the mountain massif, a lake fed by a
// stream, woods, farmland, swamp and desert, towns joined by roads and a
// rail road, and the control, objectives and deployment of two nations.
#pragma once

#include <string>

#include "document/map_document.h"
#include "tile_catalogue.h"

namespace korv::demo {

constexpr int16_t kSampleMapWidth = 40;   // highest column
constexpr int16_t kSampleMapHeight = 30;  // highest row

// Fills `document` with the sample map; the same map every time. False,
// with `error` naming the hex, when the tile table has no tile for a hex
// (which means the map and the table have drifted apart).
bool BuildSampleMap(const TileCatalogue& catalogue, MapDocument& document, std::string& error);

}  // namespace korv::demo
