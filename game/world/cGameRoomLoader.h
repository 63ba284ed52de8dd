#pragma once
// What one read of a level-record stream keeps between its records.
#include <cstdint>

class IntArray;
class cActor;

struct RoomLoad {
  int32_t startId = -1;
  int32_t startActionId = -1;
  int32_t itemCounter = 1;  // item ids restart at 1 in every stream
  bool chainRun = false;
  bool pathRun = false;
  cActor* previous = nullptr;  // the object the next hotspot links to
  IntArray* position = nullptr;  // {x, y, 0} of the record, 24.8
  IntArray* params = nullptr;    // fresh, zeroed, for each record
};

// One actor-making record of the opcode, its body next in the data stream.
void readActorRecord(RoomLoad& load, int32_t opcode);
