#pragma once
// The class initialisers of the program, for the static block's set-up.
#include "runtime/object/ClassInitialisers.h"

const ClassInitialisers& gameClassInitialisers();
