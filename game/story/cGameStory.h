#pragma once
// cGame's story operations: the shell's cGame derives from this data-less
// base, so they are called cGame::findActionById like every other operation
// of cGame. Their state is storyStatics().
#include <cstdint>

class ASprite;
class ByteArray;
class IntArray;
class cActor;
class cActorMC;

class cGameStory {
 public:
  // The story's share of cGame's class initialiser: the script lists.
  static void clinit();

  // --- the room's item records (cGameItemTable.cpp)
  static void createItemTable();
  // The item and combination tables go with the room.
  static void releaseItemTables();
  // A copy of the first seven ints of source at entry n (0 <= n < 30).
  static void setItemRecord(IntArray* source, int32_t n);
  // Field of item id, -1 when id is outside 1..29 or its entry is empty.
  static int32_t getItemField(int32_t id, int32_t field);
  // Item id has a record in this load's table.
  static bool isItemDefined(int32_t id);
  // The first empty slot of the combination table, -1 when it is full.
  static int32_t findFreeCombination();
  // Combines the items of slots slotI and slotJ, in either order, by the
  // lowest table entry naming the pair: both are used once and the result
  // added. Answers the result's slot; -1, with nothing used, when there is
  // no such entry, no player, an empty slot or no room for the result.
  static int32_t findCombination(cActorMC* player, int32_t slotI, int32_t slotJ);

  // --- the inventory screen, GameState 11 (cGameInventory.cpp)
  static void clinitInventory();
  static void stateInventory(int32_t message);
  static void updateInventory();
  static void paintInventory();

  // --- the room's actions (cGameActionTable.cpp)
  // Empty, and no start action.
  static void resetActionTable();
  // No table at all, and no start action.
  static void clearActionTable();
  // A copy of record (opcode byte first); past 200 records it is dropped.
  static void addAction(ByteArray* record);
  // The index of the first action with that id, -1 when none.
  static int32_t findActionById(int32_t id);
  // Runs entry index by its type; a negative index does nothing.
  static void runAction(int32_t index);
  // False when no entry has the id, and while fast-forwarding for key
  // prompts (63) and inert entries (64); otherwise true exactly for a
  // cutscene start (62), whether or not the cutscene started.
  static bool runActionById(int32_t id);

  // --- the room's event script (cGameEventScript.cpp)
  // Indexes the block; a block that fails its checks is logged and loads as
  // none: the room plays without cutscenes.
  static void loadEventScript(ByteArray* data);
  // The room's script, lists and cutscene state let go.
  static void resetCutscenes();
  static void clearScripts();
  static void clearScriptActors();
  static void clearScriptSprites();
  static int32_t findCutscene(int32_t id);
  static int32_t getCutsceneFirstTrack(int32_t index);
  static bool isCutsceneFinished(int32_t index);
  static void startEventTrack(int32_t track, bool loop);
  static void resetEventTrack(int32_t track);
  static int32_t findScriptActorById(int32_t id);
  static ASprite* getScriptSprite(int32_t i);
  static void addScriptActor(cActor* actor);
  static void addScriptSprite(ASprite* sprite);
  // The track's actor, null for tracks of types 0 and 1 and empty slots.
  static cActor* getTrackActor(int32_t track);

  // --- the interpreter (cGameEventInterpreter.cpp, cGameEventCommands.cpp)
  // One frame of the track; true when a command started another cutscene
  // or handed control on, and the caller steps no further track.
  static bool stepEventTrack(int32_t track, int32_t cutscene);
  // Operand bytes of the opcode; -1 for the refused ones (32, 35).
  static int32_t skipOpcode(int32_t opcode);
  static void setActorAnimFromScript(cActor* actor, int32_t anim);

  // --- the cutscene driver (cGameCutscenes.cpp)
  static bool startCutscene(int32_t index, int32_t tenths, bool background, bool loop, bool deferrable);
  static bool startCutsceneEx(int32_t index, int32_t tenths, bool background, bool loop);
  static bool playCutscene(int32_t index);
  static void stepCutscene();
  static void endCutscene(int32_t index);
  static void skipCutscene();
  // True when the skip control took this frame's input.
  static bool handleCinematicSkip();
  static bool isCutsceneActive();
  // The script offers the player to skip the running cutscene.
  static bool cutsceneSkipOffered();
  // The closing pause runs: only the driver and the camera move.
  static bool isCutsceneHolding();
  // The running cutscene's transition: -1 plain, 1 pause when finished,
  // 2 pausing.
  static int32_t cutsceneTransition();
  // The running cutscene's index, -1 none.
  static int32_t currentCutscene();
  // The deferred start, taken up when a cinematic screen closes; opening
  // one discards it.
  static void takeUpDeferredCutscene();
  static void discardDeferredCutscene();

  // --- conversations (cGameConversation.cpp); queueing, the update and the
  // paint are cGame's.
  static bool isConversationQueueFull();
  static bool isConversationQueueIdle();
  // Stores count answers (text ids) for the question line at slot line;
  // the answer array is made once and kept until an answer is taken.
  static void setConversationAnswers(IntArray* answers, int32_t count, int32_t right, int32_t rightAction,
                                     int32_t wrongAction, int32_t line);
  // The line shown is a question still waiting for its answer.
  static bool isAnswerPending();
  // The portrait frame of sprite 11 for a speaker code.
  static int32_t speakerPortrait(int32_t code);
  // Clears the line shown, runs its action and moves on to the next slot.
  static void dismissConversationLine();
  static void paintConversationQuestion();
  // The frame's step of the next-line indicator, once per painted screen.
  static void stepConversationIndicator();

  // --- the two-option choice (cGameChoice.cpp); opening, the update and
  // the paint are cGame's.
  // The choice's and the timed events' first values.
  static void clinitChoice();
  // Nothing pending, no item offered, and the input reset.
  static void clearChoice();

  // --- timed events and the countdown (cGameTimedEvents.cpp); the
  // update and paint hooks are cGame's.
  static bool isCountdownActive();
  static void clearCountdown();
  // The timed captions back to none, whatever runs.
  static void stopCaptionSequence();

  // --- the two-button race (cGameRace.cpp) and the timing gauge
  // (cGameTimingGauge.cpp): interaction kinds 1 and 2, stepped and painted
  // by the interaction's dispatch while their mode is open.
  // The race's time limits by level (the class initialiser).
  static void initRaceTables();
  // Opens the race against a creature; false (and nothing opened) while a
  // mode is open, without a creature, or in a room without the race's
  // sprites.
  static bool startButtonInteraction(cActor* target);
  // An object of interaction kind 1: the race against the creature its
  // trigger wakes (params[5]); a win uses the object up. False, with
  // nothing opened, when there is no such creature or no race can start.
  static bool startObjectRace(cActor* object);
  static void updateTwoButtonGame();
  static void paintTwoButtonGame();
  // Sets up the gauge of the kind-2 mode that startInteraction has opened.
  // Without the gauge's sprite or a focus character the mode is closed
  // again and the answer is false.
  static bool startGaugeInteraction(cActor* target);
  static void updateGaugeGame();
  static void paintGaugeGame();
  // The in-game menu's entry: a swinging gauge starts again from the bottom.
  static void resetRunningGauge();
  // The race's players and the button let go (a room load).
  static void dropRacePlayers();

  // --- the interaction modes (cGameInteraction.cpp)
  // Width (height) of the frame aframe 0 of the actor's current animation
  // shows, at least 30; 30 without a player or sprite.
  static int32_t getActorFrameWidth(cActor* actor);
  static int32_t getActorFrameHeight(cActor* actor);

  // --- the close-up view (cGameCloseUp.cpp)
  // Finds the picture, relinks its chain by ids and places the cursor at its
  // centre; false when params[2] names no picture.
  static bool startHotspotSearch(cActor* actor);
  static void updateCloseUp();
  static void paintCloseUp();
  // The cursor moved by the held direction, accelerating, kept inside the
  // picture.
  static void panCloseUpView();
  // The first shown hotspot under the cursor becomes closeUpHotspot; false
  // (and closeUpHotspot kept) when there is none.
  static bool findHotspotUnderCursor();
  // Pulsing white corners around the actor's frame, offset by (dx, dy).
  static void paintSelectionFrame(cActor* actor, int32_t dx, int32_t dy);

  // --- the retry (cGameRoomRestore.cpp): the room as its snapshot holds
  // it; nothing without a snapshot.
  static void restoreRoomSnapshot();
};
