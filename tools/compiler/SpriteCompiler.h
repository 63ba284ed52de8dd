#pragma once
// The sprite stage: a description (JSON) and its art (SVG rasterised with
// librsvg and cairo, or a PNG sheet) compiled into a sprite block.
//
//   {
//     "art": "hero.svg", "scale": 1,            // optional; images need it
//     "flags": ["computeFrameRects", ...],     // layout flags by name
//     "encoding": "runs" | "alphaRuns" | ...,  // default "runs" (0x56F2)
//     "paletteFormat": "8888" | "4444" | "5515" | "6505",
//     "recolours": [{"#ff0000": "#0000ff"}],   // palettes 1.. from palette 0
//     "modules": [
//       {"name": "body", "rect": [x, y, w, h]},                    // art
//       {"name": "bar", "shape": "filledRectangle", "colour": "#80ff0000", "size": [w, h]},
//       {"name": "pie", "shape": "filledArc", "colour": "#ff00ff00", "size": [w, h], "parameters": [0, 90]}
//     ],
//     "frames": [{"name": "stand", "modules": [{"module": "body", "at": [x, y], "flags": ["flipX"]},
//                                              {"frame": "other", "at": [x, y]}],
//                 "collision": [[x, y, w, h]], "rect": [x, y, w, h]}],
//     "animations": [{"name": "walk", "frames": [{"frame": "stand", "time": 2, "at": [0, 0]}]}]
//   }
//
// Art pixels are reduced to one exact palette (at most 256 colours; index 0
// is the transparent key). A picture larger than a module may be (20480
// pixels) becomes several modules, and every frame naming it gets all of
// them. Frame rects not given are measured as the game measures them.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/writers/SpriteWriter.h"

namespace tools {

// ARGB pixels of the art, row by row.
struct ArtImage {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;
};

// SVG (by librsvg, at scale) or PNG. Throws std::runtime_error.
ArtImage rasteriseArt(const std::filesystem::path& file, double scale);

// The description's sprite; art paths are relative to the description.
// Throws std::runtime_error naming the description and what is wrong.
SpriteDescription compileSpriteDescription(const std::string& json, const std::filesystem::path& folder,
                                           const std::string& sourceName);
std::vector<uint8_t> compileSprite(const std::filesystem::path& descriptionFile);

}  // namespace tools
