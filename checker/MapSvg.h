#pragma once

#include "FinishedRun.h"

#include <string>

// The memory map of a run as inline SVG: `<svg id="map">` with one `<rect>` per cell, in cell
// order, its classes the cell's kind and "damaged", its `<title>` the records it touches.
std::u16string MapSvg(const FinishedRun& run);

// The map's legend, outside the map: a swatch and a word for every kind and for damage.
std::u16string MapLegend();
