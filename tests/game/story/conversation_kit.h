#pragma once
// A conversation line on screen for tests of the parts that give way to
// one, and the ring's slots as the tests read them.
#include <cstdint>

#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "runtime/lang/Arrays.h"

namespace conversationkit {

inline cGameConversationStatics& talk() { return storyStatics().cGameConversation; }

// Queues a plain line (no action, speaker or balloon), making the ring
// first when the room has none.
inline int32_t showLine(int32_t text = 0) {
  if (talk().conversationTexts == nullptr) cGame::initConversationQueue();
  return cGame::queueConversationLine(text, -1, -1, -1);
}

// The text id queued in slot, -1 when the slot is empty.
inline int32_t queuedText(int32_t slot) {
  IntArray* texts = talk().conversationTexts;
  if (texts == nullptr || slot < 0 || slot >= texts->length() || texts->get(slot) < 0) return -1;
  return texts->get(slot) - 272;
}

// The text id of the line shown, -1 none.
inline int32_t shownText() { return queuedText(talk().conversationRead); }

}  // namespace conversationkit
