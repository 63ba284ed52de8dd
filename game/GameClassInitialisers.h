#pragma once
// The game's class initialisers and its block of statics, for the static
// block's set-up: the program's table, which tests and fuzz targets share.
#include "runtime/object/ClassInitialisers.h"

const ClassInitialisers& gameClassInitialisers();
