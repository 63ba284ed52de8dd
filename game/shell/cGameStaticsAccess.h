#pragma once
// Short names for the shell's cGame statics inside the shell's sources, and
// the flags the UI thread shares with the game thread, which are accessed
// atomically.
#include <atomic>

#include "game/GameStatics.h"
#include "game/toolkit/ASprite.h"
#include "runtime/lang/ObjectArray.h"
#include "runtime/Application.h"

namespace shell {

inline cGameLoopStatics& loop() { return shellStatics().cGameLoop; }
inline cGameStateMachineStatics& states() { return shellStatics().cGameStates; }
inline cGameKeyStatics& keys() { return shellStatics().cGameKeys; }
inline cGameTouchStatics& touch() { return shellStatics().cGameTouch; }
inline cGameBoxStatics& box() { return shellStatics().cGameBox; }
inline cGameMenuStatics& menu() { return shellStatics().cGameMenu; }
inline cGameLoadStatics& loading() { return shellStatics().cGameLoad; }
inline cGamePagesStatics& pages() { return shellStatics().cGamePages; }
inline cGameStateStatics& machine() { return toolkitStatics().cGameState; }

// The game's sprite table; a slot outside it reads empty and is not stored.
inline ASprite* spriteAt(int32_t slot) {
  ObjectArray* sprites = loop().sprites;
  return sprites != nullptr && slot >= 0 && slot < sprites->length() ? static_cast<ASprite*>(sprites->get(slot))
                                                                     : nullptr;
}
inline void setSprite(int32_t slot, ASprite* sprite) {
  ObjectArray* sprites = loop().sprites;
  if (sprites != nullptr && slot >= 0 && slot < sprites->length()) sprites->set(slot, sprite);
}

inline int32_t runState() { return std::atomic_ref(loop().runState).load(std::memory_order_acquire); }
inline void setRunState(int32_t value) { std::atomic_ref(loop().runState).store(value, std::memory_order_release); }
inline bool paused() { return std::atomic_ref(machine().paused).load(std::memory_order_acquire); }
inline void setPaused(bool value) { std::atomic_ref(machine().paused).store(value, std::memory_order_release); }

// java_lang_System::gc: the paint cycle runs the collection it asks for.
inline void requestCollection() {
  if (Application* application = Application::get()) application->m_gcRequested = 1;
}

inline bool exceptionPending() {
  Application* application = Application::get();
  return application != nullptr && application->getPending() != nullptr;
}

}  // namespace shell
