#pragma once
// The toolkit's class initialisers and its block of statics, for the
// program's table and for toolkit tests that run without the shell.
#include "runtime/object/ClassInitialisers.h"

// Fills the toolkit classes' entries of the table (ASprite, BitmapFont,
// CVLibPlayer, ...); leaves the rest alone.
void setToolkitClassInitialisers(ClassInitialisers& table);
