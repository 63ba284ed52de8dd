#pragma once
// cGame's story operations: the shell's cGame derives from this data-less
// base, so they are called cGame::findActionById like every other operation
// of cGame. Their state is storyStatics().
#include <cstdint>

class ByteArray;
class IntArray;

class cGameStory {
 public:
  // --- the room's item records (cGameItemTable.cpp)
  static void createItemTable();
  // The item and combination tables go with the room.
  static void releaseItemTables();
  // A copy of the first seven ints of source at entry n (0 <= n < 30).
  static void setItemRecord(IntArray* source, int32_t n);
  // Field of item id, -1 when id is outside 1..29 or its entry is empty.
  static int32_t getItemField(int32_t id, int32_t field);

  // --- the room's actions (cGameActionTable.cpp)
  // Empty, and no start action.
  static void resetActionTable();
  // No table at all, and no start action.
  static void clearActionTable();
  // A copy of record (opcode byte first); past 200 records it is dropped.
  static void addAction(ByteArray* record);
  // The index of the first action with that id, -1 when none.
  static int32_t findActionById(int32_t id);
};
