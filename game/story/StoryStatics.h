#pragma once
// The story's statics: one struct per concern, reached as
// storyStatics().cGameItems.
#include <cstdint>
#include <tuple>

#include "runtime/object/ReferenceFields.h"

class BoolArray;
class ByteArray;
class IntArray;
class ObjectArray;
class CVLibPlayer;
class ShortArray;
class String;
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
  // A chapter-end cinematic asked for in room 3 waits for the room's timed
  // event sequence to end; -1 none.
  int32_t pendingCinematicText;
  static constexpr auto referenceFields() { return ReferenceFieldList{&cGameActionsStatics::actions}; }
};

// The room's event script, indexed by cutscene and by track (tracks are
// numbered in file order across all cutscenes), the tracks' run-time state,
// and the actors and sprites tracks address by slot.
struct cGameEventScriptStatics {
  static constexpr int32_t actorCapacity = 600;
  static constexpr int32_t spriteCapacity = 49;
  ByteArray* eventScriptData;
  int32_t cutsceneCount;
  ShortArray* cutsceneIds;
  ByteArray* cutsceneTrackCounts;
  int32_t trackCount;
  ShortArray* trackOffset;  // of the track's type byte
  ShortArray* trackLength;  // from the type byte to the end of its last keyframe
  ByteArray* trackType;
  IntArray* trackFlags;
  BoolArray* trackStarted;
  IntArray* trackElapsed;    // ms
  IntArray* trackActorSlot;  // into scriptActors, -1 none
  IntArray* trackReadPos;    // of the next keyframe, -1 finished or idle
  IntArray* trackVelocityX;  // 24.8 per ms
  IntArray* trackVelocityY;
  // The actor a spawning track made, which its looping restarts reuse.
  ObjectArray* trackSpawned;
  ObjectArray* scriptActors;
  int32_t scriptActorCount;
  ObjectArray* scriptSprites;
  int32_t scriptSpriteCount;
  static constexpr auto referenceFields() {
    using S = cGameEventScriptStatics;
    return ReferenceFieldList{&S::eventScriptData, &S::cutsceneIds,    &S::cutsceneTrackCounts, &S::trackOffset,
                              &S::trackLength,     &S::trackType,      &S::trackFlags,          &S::trackStarted,
                              &S::trackElapsed,    &S::trackActorSlot, &S::trackReadPos,        &S::trackVelocityX,
                              &S::trackVelocityY,  &S::trackSpawned,   &S::scriptActors,        &S::scriptSprites};
  }
};

// The cutscene that runs (one at a time), how it closes, its skip control
// and the one deferred start. fullSpeedAnimation is the shell's.
struct cGameCutsceneStatics {
  int32_t currentCutscene;  // -1 none
  bool cutsceneLoop;
  bool cutsceneSkipOffered;
  bool cutsceneSkipMode;
  cActor* cutsceneWaitActor;
  bool cutsceneFastForward;
  // -1 ends once finished, 1 closes with a pause once finished, 2 pausing.
  int32_t cutsceneTransition;
  int32_t cutsceneTransitionTime;  // ms
  int32_t deferredCutscene;        // -1 none
  int32_t deferredFastForward;     // tenths
  bool deferredBackground;
  bool deferredLoop;
  // Counts the starts that happened, so that a caller can tell a start
  // from a refusal or a deferral.
  int32_t startCount;
  static constexpr auto referenceFields() { return ReferenceFieldList{&cGameCutsceneStatics::cutsceneWaitActor}; }
};

// What a room's start makes for the story: its flag, its 13-int table, its
// looping animation player (slot 34, animation 16) and the 13-byte block
// of story flags.
struct cGameStoryFlagsStatics {
  static constexpr int32_t tableSize = 13;
  bool roomStarted;
  IntArray* roomTable;
  CVLibPlayer* roomAnimationPlayer;
  ByteArray* storyFlagBlock;
  static constexpr auto referenceFields() {
    using S = cGameStoryFlagsStatics;
    return ReferenceFieldList{&S::roomTable, &S::roomAnimationPlayer, &S::storyFlagBlock};
  }
};

// The room's countdown: its time and the action it runs at the end.
struct cGameCountdownStatics {
  int32_t countdownMs;
  int32_t countdownAction;
  // Seconds that restoring the last room snapshot may add to the countdown.
  int32_t snapshotBonusSeconds;
};

// The two-option choice: the question about using a carried item on a
// scene object, or a notice that is only acknowledged.
struct cGameChoiceStatics {
  String* choiceText;
  int32_t choiceType;    // 1 notice, 2 question with two buttons
  int32_t choiceState;   // 0 none, 1 just opened, 2 waiting, 3 answered
  int32_t choiceParam;   // inventory slot of the item offered, -1 none
  cActor* choiceActor;   // the object the item is used on
  int32_t choiceOption;  // 0 first button, 1 second
  // The first button's use of the item runs: the object may not ask again
  // on the same press.
  bool choiceAnswering;
  static constexpr auto referenceFields() {
    return ReferenceFieldList{&cGameChoiceStatics::choiceText, &cGameChoiceStatics::choiceActor};
  }
};

// The captioned phases around the fight with the room's leading creature.
struct cGameTimedEventStatics {
  int32_t timedElapsed;  // ms in the current phase
  int32_t timedPhase;    // 0..4 running, -1 none, -2 the alarm has finished
  String* timedCaption;  // null when none
  int32_t timedCaptionX;
  int32_t timedCaptionY;
  static constexpr auto referenceFields() { return ReferenceFieldList{&cGameTimedEventStatics::timedCaption}; }
};

// The interaction mode that owns the frame, and the close-up view's picture
// (a chain of hotspots), cursor and pending after-cutscene.
struct cGameInteractionStatics {
  cActor* closeUpChain;  // the first hotspot: the picture
  // The open mode, shared by every kind: 1 open, 2 left, 0 before the first.
  int32_t interactionMode;
  int32_t interactionModeSeen;  // interactionMode as the update began
  cActor* interactionTarget;
  int32_t interactionKind;  // InteractionKind; 2 after leaving
  bool interactionOverWorld;  // the world is painted under the mode
  CVLibPlayer* closeUpCursor;
  int32_t closeUpCursorX;  // world pixels
  int32_t closeUpCursorY;
  int32_t closeUpSpeedX;  // pixels per frame, 0..6
  int32_t closeUpSpeedY;
  int32_t closeUpCentreX;  // the picture's pixel position
  int32_t closeUpCentreY;
  int32_t closeUpLimitX;  // how far the cursor may leave the centre
  int32_t closeUpLimitY;
  int32_t closeUpOverHotspot;  // 1 when closeUpHotspot lies under the cursor
  cActor* closeUpHotspot;
  int32_t closeUpAfterKind;  // 0 nothing, 2 a cutscene once the view is left
  int32_t closeUpAfterId;
  static constexpr auto referenceFields() {
    using S = cGameInteractionStatics;
    return ReferenceFieldList{&S::closeUpChain, &S::interactionTarget, &S::closeUpCursor, &S::closeUpHotspot};
  }
};

// The two-button race against a creature and the timing gauge: the button
// both show, the gauge's level (the race's approach value), and the race's
// seven players, kept from the first race until a room is loaded.
struct cGameRaceStatics {
  CVLibPlayer* interactionButton;
  int32_t interactionButtonAnim;  // base; one more while in the success range
  int32_t gaugeValue;
  bool gaugeRising;
  bool gaugeRunning;  // the gauge swings; in the race, the approach step
  bool gaugeSucceeded;
  bool gaugeStopped;
  CVLibPlayer* raceLeftSide;
  CVLibPlayer* raceRightSide;
  CVLibPlayer* raceLeftMarker;
  CVLibPlayer* raceRightMarker;
  CVLibPlayer* raceCentre;
  CVLibPlayer* raceLeftZone;
  CVLibPlayer* raceRightZone;
  IntArray* raceTimeLimits;  // ms, by race level
  int8_t raceLevel;
  int16_t raceLeftY;  // screen px
  int16_t raceRightY;
  int16_t raceCentreY;
  bool raceLeftRising;  // the marker moves down the screen
  bool raceRightRising;
  int64_t raceTimeLeft;  // ms
  // The object whose use started the race, which a win uses up; null for a
  // race a stunned creature started.
  cActor* raceStarter;
  static constexpr auto referenceFields() {
    using S = cGameRaceStatics;
    return ReferenceFieldList{&S::interactionButton, &S::raceLeftSide,  &S::raceRightSide,
                              &S::raceLeftMarker,    &S::raceRightMarker, &S::raceCentre,
                              &S::raceLeftZone,      &S::raceRightZone, &S::raceTimeLimits,
                              &S::raceStarter};
  }
};

// The lines waiting to be shown, a ring read at conversationRead; the
// question of the line shown with its answers.
struct cGameConversationStatics {
  static constexpr int32_t slots = 15;
  IntArray* conversationTexts;  // text id + 272, -1 empty
  IntArray* conversationActions;
  IntArray* conversationSpeakers;
  IntArray* conversationBalloonActors;
  int32_t conversationRead;
  int32_t conversationWrite;
  int64_t conversationFrames;  // painted frames of the line shown
  bool conversationMayAdvance;
  int32_t linePressSerial;  // the touch press serial when the line shown first painted
  CVLibPlayer* conversationNextIcon;
  CVLibPlayer* conversationIcon;
  IntArray* answerTexts;  // text id + 272 each; null when no question waits
  int32_t answerRight;
  int32_t answerRightAction;
  int32_t answerWrongAction;
  int32_t answerLine;
  int32_t answerChosen;  // -1 none highlighted
  static constexpr auto referenceFields() {
    using S = cGameConversationStatics;
    return ReferenceFieldList{&S::conversationTexts,         &S::conversationActions,  &S::conversationSpeakers,
                              &S::conversationBalloonActors, &S::conversationNextIcon, &S::conversationIcon,
                              &S::answerTexts};
  }
};

// The cinematic screen over the game: its kind, phase (-1 closed) and clock,
// the text it shows, where the camera jumps when it opens, the checkpoint of
// a restart, the narration's text and caption, and the game-over choice.
struct cGameCinematicStatics {
  int32_t cinematicDuration;  // ms; 0x7FFFFFFF while a text waits
  int32_t cinematicElapsed;   // ms
  int32_t cinematicPhase;
  int32_t cinematicKind;
  int32_t cinematicText;     // text id, -1 none
  int32_t cinematicCameraX;  // px, -1 none
  int32_t cinematicCameraY;
  cActor* restartActor;
  String* narrationCaption;
  int32_t narrationTyped;   // 24.8 characters shown
  int32_t narrationScroll;  // 24.8 y of the text's top
  int32_t narrationHeight;  // px
  String* narrationLines;   // the text with its line breaks
  int32_t gameOverOption;   // 0 retry, 1 main menu
  static constexpr auto referenceFields() {
    using S = cGameCinematicStatics;
    return ReferenceFieldList{&S::restartActor, &S::narrationCaption, &S::narrationLines};
  }
};

// The inventory screen (GameState 11): its mode, the slots it points at and
// the action menu that is open.
struct cGameInventoryStatics {
  int32_t inventoryMode;  // 1 browsing, 2 action menu, 3 choosing the second item
  int32_t inventoryFirst;  // the slot chosen first for a combination, -1 none
  int32_t inventoryCursor;
  int32_t inventoryScroll;  // first visible row: 0 or 1
  IntArray* inventoryActions;  // the open menu's codes; the last (close) is the back softkey
  int32_t inventoryActionCursor;
  IntArray* usableItemActions;  // {use, combine, close}
  IntArray* otherItemActions;   // {combine, close}
  static constexpr auto referenceFields() {
    using S = cGameInventoryStatics;
    return ReferenceFieldList{&S::inventoryActions, &S::usableItemActions, &S::otherItemActions};
  }
};

struct StoryStatics {
  cGameItemsStatics cGameItems;
  cGameActionsStatics cGameActions;
  cGameCountdownStatics cGameCountdown;
  cGameInteractionStatics cGameInteraction;
  cGameRaceStatics cGameRace;
  cGameEventScriptStatics cGameEventScript;
  cGameCutsceneStatics cGameCutscene;
  cGameConversationStatics cGameConversation;
  cGameCinematicStatics cGameCinematic;
  cGameInventoryStatics cGameInventory;
  cGameChoiceStatics cGameChoice;
  cGameTimedEventStatics cGameTimedEvents;
  cGameStoryFlagsStatics cGameStoryFlags;
  auto parts() {
    return std::tie(cGameItems, cGameActions, cGameCountdown, cGameInteraction, cGameRace, cGameEventScript,
                    cGameCutscene, cGameConversation, cGameCinematic, cGameInventory, cGameChoice, cGameTimedEvents,
                    cGameStoryFlags);
  }
};
