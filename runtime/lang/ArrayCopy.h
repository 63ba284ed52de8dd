#pragma once
// The copy behind java_lang_System::arraycopy.
#include <cstdint>

class Object;

// Copies length elements of source from sourcePosition to destination from
// destinationPosition; overlapping ranges of one array copy as if through a
// temporary. A null array, arrays of two kinds, or a range outside either
// array is logged and nothing is copied.
void arraycopy(Object* source, int32_t sourcePosition, Object* destination, int32_t destinationPosition,
               int32_t length);
