#include "platform/javax_microedition_io/javax_microedition_io_File_list.h"

#include "platform/java_util/java_util_Vector.h"
#include "runtime/object/ObjectFactory.h"

java_util_Vector* javax_microedition_io_File_list(javax_microedition_io_File*) { return newObject<java_util_Vector>(); }
