#pragma once
// Creation of multi-dimensional arrays (behind OperandStack::multianewarray).
#include <cstdint>

class ObjectArray;

// An ObjectArray of lengths[0] elements, each an array of lengths[1], and so
// on for dimensionCount levels; the descriptor ("[[I", "[[[Ljava/lang/Object;")
// names the kind of the innermost level. Levels below the last given length
// stay null. Null when the heap is full or the arguments make no array.
ObjectArray* newMultiArray(const char* descriptor, const int32_t* lengths, int32_t dimensionCount);
