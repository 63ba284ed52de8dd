#pragma once
// Limits the sprite reader holds every block to. The content compiler's
// writer and lint refuse what the reader would refuse, from these same
// numbers.
#include <cstdint>

namespace spritelimit {
constexpr int32_t maxIndex = 1024;          // modules, frames, aframes: 10-bit indices
constexpr int32_t maxPalettes = 16;
constexpr int32_t pixelBufferSize = 20480;  // the shared buffer: 160 x 128
constexpr int32_t minEntryBytes = 27;
constexpr int32_t maxFrameModulesPerFrame = 255;
constexpr int32_t maxAFramesPerAnim = 255;
// Frames naming frames nest; damaged data could nest them in a cycle.
constexpr int32_t maxFrameNesting = 16;
// Within that depth a few frame modules naming frames each multiply the work
// of one paint, measure or cache walk; past this many visited frame modules
// the walk stops.
constexpr int32_t maxFrameModulesPerWalk = 16384;
// The shared line-break table of wrapped text: a count, then a break and a
// width per line.
constexpr int32_t lineBreakShorts = 400;
constexpr int32_t maxWrappedLines = (lineBreakShorts - 1) / 2;
}  // namespace spritelimit
