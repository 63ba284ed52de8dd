#pragma once
// javax_microedition_io_File::list lives with the collections it answers
// with: the File class itself is the runtime's, below this library.
class java_util_Vector;
class javax_microedition_io_File;

// No folder is read: always a new, empty Vector (null when the heap is
// full).
java_util_Vector* javax_microedition_io_File_list(javax_microedition_io_File* file);
