#pragma once
// The class initialisers of the java_lang classes that have static state
// (System, Boolean, Runtime), for the table the program hands the runtime.
#include "runtime/object/ClassInitialisers.h"

void setLangClassInitialisers(ClassInitialisers& table);
