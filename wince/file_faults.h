#pragma once
// Injected failures of file operations, so that tests can show what a full
// disk or a failing rename does to data. Counted operations: every
// wince::fwrite and wince::fclose, and the writes, closes and rename of an
// atomic replace.
namespace wince {

enum class FileOperation { write, rename, close };

// Makes the nth next call of the operation fail (1: the very next one) and
// only that one; 0 turns the fault off.
void failNthFileOperation(FileOperation operation, int nth);
void clearFileFaults();
// True while a fault is set and its call has not come yet, so that a test
// can tell it has failed every step of an operation.
bool fileFaultPending(FileOperation operation);

// Counts one call of the operation; true when this is the call that fails.
bool fileOperationFails(FileOperation operation);

}  // namespace wince
