#pragma once
// CorvaQNDR (class id 121): the game's MIDlet. Its first startApp makes the
// cGame canvas and starts the game thread; destroyApp only tells that thread
// to stop (it then ends the application itself).
#include "platform/javax_microedition_midlet/javax_microedition_midlet_MIDlet.h"

class CorvaQNDR : public javax_microedition_midlet_MIDlet {
 public:
  using Super = javax_microedition_midlet_MIDlet;
  static constexpr uint16_t classId = classid::CorvaQNDR;

  void init();
  void startApp() override;
  void pauseApp() override;
  void destroyApp(bool unconditional) override;
};

// The program's MIDlet factory.
Object* createCorvaQNDR();
