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

// The room's countdown: its time and the action it runs at the end.
struct cGameCountdownStatics {
  int32_t countdownMs;
  int32_t countdownAction;
  // Seconds that restoring the last room snapshot may add to the countdown.
  int32_t snapshotBonusSeconds;
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

struct StoryStatics {
  cGameItemsStatics cGameItems;
  cGameActionsStatics cGameActions;
  cGameCountdownStatics cGameCountdown;
  cGameInteractionStatics cGameInteraction;
  cGameEventScriptStatics cGameEventScript;
  cGameCutsceneStatics cGameCutscene;
  cGameConversationStatics cGameConversation;
  auto parts() {
    return std::tie(cGameItems, cGameActions, cGameCountdown, cGameInteraction, cGameEventScript, cGameCutscene,
                    cGameConversation);
  }
};
