#pragma once
// The story's statics: one struct per concern, reached as
// storyStatics().cGameItems.
#include <cstdint>
#include <tuple>

#include "runtime/object/ReferenceFields.h"

class ObjectArray;
class cActor;

// The room's item records: entry 0 an empty int[0], entries 1..29 int[7].
struct cGameItemsStatics {
  static constexpr int32_t tableSize = 30;
  ObjectArray* itemTable;
  static constexpr auto referenceFields() { return ReferenceFieldList{&cGameItemsStatics::itemTable}; }
};

// The room's action records, each a copy of its level record from the
// opcode byte on.
struct cGameActionsStatics {
  static constexpr int32_t capacity = 200;
  ObjectArray* actions;  // byte[] each
  int32_t actionCount;
  static constexpr auto referenceFields() { return ReferenceFieldList{&cGameActionsStatics::actions}; }
};

// The room's countdown: its time and the action it runs at the end.
struct cGameCountdownStatics {
  int32_t countdownMs;
  int32_t countdownAction;
};

// The close-up view of an interaction: the first hotspot of its chain.
struct cGameInteractionStatics {
  cActor* closeUpChain;
  static constexpr auto referenceFields() { return ReferenceFieldList{&cGameInteractionStatics::closeUpChain}; }
};

struct StoryStatics {
  cGameItemsStatics cGameItems;
  cGameActionsStatics cGameActions;
  cGameCountdownStatics cGameCountdown;
  cGameInteractionStatics cGameInteraction;
  auto parts() { return std::tie(cGameItems, cGameActions, cGameCountdown, cGameInteraction); }
};
