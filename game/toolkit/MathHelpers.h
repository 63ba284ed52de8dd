#pragma once
// The game's integer geometry: angles of 256 units per turn (0 along +x, 64
// along +y, screen y growing downward) and 8.8 fixed-point cosines and
// tangents. These work over plain tables; cGame::cosLookup and
// cGame::angleOf run them over the tables in cGame's statics.
#include <cstdint>

namespace angle {
inline constexpr int32_t quarter = 64;
inline constexpr int32_t half = 128;
inline constexpr int32_t threeQuarters = 192;
inline constexpr int32_t fullTurn = 256;
// Steps of the arctangent table, and 1.0 in 8.8.
inline constexpr int32_t tableSteps = 256;
// Units per turn when degrees are converted (degrees * 256 / 360).
inline constexpr int32_t degreeScale = 256;
}  // namespace angle

inline constexpr int32_t cosTableLength = angle::quarter + 1;
inline constexpr int32_t arctangentTableLength = angle::tableSteps + 1;

// The cosine in 8.8 of any angle, from the quarter-wave table (65 entries).
int32_t cosineFromTable(const int32_t* cosines, int32_t angleUnits);

// Entry i of the arctangent table: the first angle a of 0..63 whose tangent
// band tan(a) <= i < tan(a + 1) holds i (tangents in 8.8), else 64.
void buildArctangentTable(const int32_t* cosines, int32_t* arctangents);

// The angle 0..255 of the vector (x, y) by octant reflection of the table.
int32_t angleFromArctangents(const int32_t* arctangents, int32_t x, int32_t y);
