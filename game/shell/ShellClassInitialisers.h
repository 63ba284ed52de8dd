#pragma once
// The shell's entries of the class-initialiser table: IDefines, cGame (whose
// initialiser begins with the toolkit's share) and IMenus, which measures
// cGame's menu-row table; Kivra, the promotion screen.
#include "runtime/object/ClassInitialisers.h"

void setShellClassInitialisers(ClassInitialisers& table);
