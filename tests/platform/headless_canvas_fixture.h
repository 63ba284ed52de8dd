#pragma once
// A runtime over the headless GDI display whose current Displayable is a
// canvas of the test's own class, active and ready for the paint cycle.
#include <gtest/gtest.h>

#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_CanvasScreen.h"
#include "runtime/app/ApplicationImpl.h"
#include "runtime/object/ObjectFactory.h"
#include "tests/wince/window_test_window.h"

template <class CanvasType>
class HeadlessCanvasFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(host.openDisplay(u"GDI", window.handle), 1);
    ApplicationStartup startup;
    startup.literalPool = Application::LiteralPool::none;
    startup.objectHeapBytes = 1u << 20;
    startup.nativePoolBytes = 1u << 20;
    startup.createScreen = &createScreenObjects;
    ASSERT_EQ(host.init(startup), 1);
    canvas = newObject<CanvasType>();
    host.application->m_current = canvas;
    host.displayActive = 1;
  }
  void TearDown() override { host.shutdown(); }

  TestWindow window;
  ApplicationImpl host;
  CanvasType* canvas = nullptr;
};
