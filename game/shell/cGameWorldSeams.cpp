// What a room load calls of the world and the story before those land. Each
// body is the part's stand-in until its own file replaces it; the level
// data's readers only step past their data.
#include "game/GameStatics.h"
#include "game/shell/cGame.h"

// The story value a room load starts from (-1) and the route points (none).
void cGame::resetRoomLoadState() {}
// The room's item records, filled by its level data.
void cGame::createItemTable() {}
// The action table: empty, no start action.
void cGame::resetActionTable() { worldStatics().cGameRoom.startActionIndex = -1; }
// Any interaction left over from the previous room.
void cGame::leaveInteraction() {}
// A level-record stream: actors, zones, items and the room header.
void cGame::loadRoomObjects(ByteArray*) {}
// The room's event script: its cutscenes and tracks indexed.
void cGame::loadEventScript(ByteArray*) {}
// Story flag, 13-int table, watched flags, popup, hint, conversation
// queue, cinematic and anchored panel for a room's start.
void cGame::prepareRoomStory() {}
void cGame::setPlayerControl(bool) {}
// Both partners found and given their carried items back.
void cGame::restorePartners() {}
// The room as it starts, for a later restore.
void cGame::snapshotRoomState(int32_t, int32_t) {}
// The action table's entry runs (-1: nothing).
void cGame::runAction(int32_t) {}
// Timed events and the choice.
void cGame::clearRoomTimedState() {}
// The story's animation player (slot 34, animation 16).
void cGame::keepRoomAnimationPlayer(CVLibPlayer*) {}
// The 13-byte block of story flags.
void cGame::clearStoryFlagBlock() {}
// Actors, cutscenes, scripts, actions, interaction, focus, partners, timed
// events, snapshot, popup, tables, choice, cinematic, effects, hints and the
// conversation queue of the world being left.
void cGame::clearWorld() {}
