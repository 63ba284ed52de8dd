#pragma once
// The screen objects of start-up: the screen Image over the display's back
// buffer and the screen Graphics on it.
#include <cstdint>

class Application;

// Stores them as m_screenImage and m_screenGraphics; the back buffer starts
// black, as a fresh mutable image does. A null back buffer makes nothing.
void createScreenObjects(Application& application, uint16_t* backBuffer);
