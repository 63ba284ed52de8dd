#pragma once
// cGame's toolkit operations. cGame is one class in the design, but the
// toolkit must build without the folders above it, so its share of cGame's
// operations is this data-less base, from which the shell's cGame derives:
// a call written cGame::readPackEntry reaches it there. Toolkit sources name
// them cGame:: too, through the alias in cGameAlias.h (for .cpp files only).
// The operations are static, as cGame keeps its whole state in statics.
#include <cstdint>

class Object;

class cGameToolkit {
 public:
  // --- resource packs, streams and texts
  // (declared by the game-data files)

  // --- sprites: loading, caches
  // (declared by the sprite files)

  // --- sound bank
  // (declared by the sound files)

 protected:
  cGameToolkit() = default;
};
