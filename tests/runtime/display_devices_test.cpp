#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/display/DirectDrawDisplay.h"
#include "runtime/display/DisplayOpening.h"
#include "runtime/display/GdiDisplay.h"
#include "tests/wince/window_test_window.h"
#include "wince/ddraw_library.h"
#include "wince/log.h"

namespace {

// A DirectDraw test double: surfaces with pixels of their own, every call
// written to one journal, and failures and lost surfaces on request.
struct DirectDrawScript {
  std::vector<std::string> journal;
  bool createFails = false;
  bool cooperativeFails = false;
  int failSurfaceNumber = 0;  // 1 primary, 2 back
  DWORD screenWidth = 800, screenHeight = 480;
  LONG backPitch = 1664;
  DDSURFACEDESC primaryRequest{}, backRequest{};
  DDBLTFX blitEffects{};
  DWORD blitFlags = 0;
};
DirectDrawScript* script = nullptr;

class FakeSurface final : public IDirectDrawSurface {
 public:
  FakeSurface(bool primary, const DDSURFACEDESC& request)
      : m_primary(primary), m_name(primary ? "primary" : "back"), m_format(request.ddpfPixelFormat) {
    if (primary) m_format = DDPIXELFORMAT{sizeof(DDPIXELFORMAT), DDPF_RGB, 0, 16, 0xF800, 0x07E0, 0x001F, 0};
    m_pixels.resize(size_t(script->backPitch) * 480 / 2);
  }
  ULONG_PTR Release() override {
    script->journal.push_back(m_name + ".Release");
    delete this;
    return 0;
  }
  HRESULT Lock(RECT*, DDSURFACEDESC* description, DWORD, HANDLE) override {
    script->journal.push_back(m_name + ".Lock");
    description->dwWidth = m_primary ? script->screenWidth : 800;
    description->dwHeight = m_primary ? script->screenHeight : 480;
    description->lPitch = m_primary ? LONG(script->screenWidth * 2) : script->backPitch;
    description->ddpfPixelFormat = m_format;
    description->lpSurface = m_pixels.data();
    return DD_OK;
  }
  HRESULT Unlock(RECT*) override {
    script->journal.push_back(m_name + ".Unlock");
    return DD_OK;
  }
  HRESULT IsLost() override { return lost ? DDERR_SURFACELOST : DD_OK; }
  HRESULT Restore() override {
    script->journal.push_back(m_name + ".Restore");
    lost = false;
    return DD_OK;
  }
  HRESULT Blt(RECT*, IDirectDrawSurface*, RECT*, DWORD flags, DDBLTFX* effects) override {
    script->journal.push_back(m_name + ".Blt");
    script->blitFlags = flags;
    script->blitEffects = *effects;
    return DD_OK;
  }
  bool lost = false;
  uint16_t* pixels() { return m_pixels.data(); }

 private:
  ~FakeSurface() = default;
  bool m_primary;
  std::string m_name;
  DDPIXELFORMAT m_format;
  std::vector<uint16_t> m_pixels;
};

FakeSurface* lastPrimary = nullptr;
FakeSurface* lastBack = nullptr;

class FakeDirectDraw final : public IDirectDraw {
 public:
  ULONG_PTR Release() override {
    script->journal.push_back("directDraw.Release");
    delete this;
    return 0;
  }
  HRESULT SetCooperativeLevel(HWND, DWORD flags) override {
    script->journal.push_back("directDraw.SetCooperativeLevel " + std::to_string(flags));
    return script->cooperativeFails ? DDERR_GENERIC : DD_OK;
  }
  HRESULT CreateSurface(DDSURFACEDESC* description, IDirectDrawSurface** surface, void*) override {
    const bool primary = (description->dwFlags & DDSD_CAPS) != 0;
    (primary ? script->primaryRequest : script->backRequest) = *description;
    script->journal.push_back(std::string("directDraw.CreateSurface ") + (primary ? "primary" : "back"));
    if (script->failSurfaceNumber == (primary ? 1 : 2)) return DDERR_GENERIC;
    auto made = new FakeSurface(primary, *description);
    (primary ? lastPrimary : lastBack) = made;
    *surface = made;
    return DD_OK;
  }

 private:
  ~FakeDirectDraw() = default;
};

HRESULT fakeDirectDrawCreate(void*, IDirectDraw** directDraw, void*) {
  script->journal.push_back("DirectDrawCreate");
  if (script->createFails) return DDERR_GENERIC;
  *directDraw = new FakeDirectDraw;
  return DD_OK;
}

class DisplayDevices : public ::testing::Test {
 protected:
  void SetUp() override { script = &m_script; }
  void TearDown() override {
    wince::unregisterLibrary(u"ddraw.dll");
    script = nullptr;
  }
  void provideDirectDraw() {
    wince::registerLibrary(u"ddraw.dll", {{u"DirectDrawCreate", reinterpret_cast<FARPROC>(&fakeDirectDrawCreate)}});
  }
  DirectDrawScript m_script;
};

struct OpenCase {
  const char16_t* type;
  bool directDrawPresent;
  int result;
  const char* log;
  int bufferPitch;  // tells the devices apart; 0 when none is left
};

TEST_F(DisplayDevices, OpenDisplayChoosesByTypeAndLogsAsWritten) {
  TestWindow window;
  const OpenCase cases[] = {
      {u"GDI", false, 1, "\nApplicationImpl::openDisplay(GDI): Using GDI display type.\n", 1600},
      {u"DDRAW", false, 0, "openDisplay(DDRAW): Could not create a DDRAW display type.", -1},
      {u"DDRAW", true, 1, "openDisplay(DDRAW): Using DDRAW display type.", 1664},
      {u"AUTO", false, 1,
       "\nApplicationImpl::openDisplay(AUTO): Could not create a DDRAW display type.\n"
       "\nApplicationImpl::openDisplay(AUTO): Using GDI display type.\n",
       1600},
      {u"AUTO", true, 1, "\nApplicationImpl::openDisplay(AUTO): Using DDRAW display type.\n", 1664},
      {u"OPENGL", false, 0, "\nApplicationImpl::openDisplay(): Display type invalid.\n", 0},
      {nullptr, false, 0, "\nApplicationImpl::openDisplay(): Display type invalid.\n", 0},
  };
  for (const OpenCase& entry : cases) {
    const std::u16string type = entry.type ? entry.type : u"null";
    const std::string label(type.begin(), type.end());
    SCOPED_TRACE(label + (entry.directDrawPresent ? " with DirectDraw" : ""));
    if (entry.directDrawPresent)
      provideDirectDraw();
    else
      wince::unregisterLibrary(u"ddraw.dll");
    DisplayDevice* display = nullptr;
    wince::LogCapture log;
    EXPECT_EQ(openDisplayDevice(entry.type, window.handle, &display), entry.result);
    EXPECT_EQ(log.text(), entry.log);
    if (entry.bufferPitch == 0) {
      EXPECT_EQ(display, nullptr);
    } else {
      ASSERT_NE(display, nullptr) << "a failed device stays stored for shutdown";
      if (entry.bufferPitch > 0) {
        EXPECT_EQ(display->getBufferPitch(), entry.bufferPitch);
      }
    }
    delete display;
    EXPECT_EQ(wince::libraryLoadCount(u"ddraw.dll"), 0);
  }
}

TEST_F(DisplayDevices, GdiDisplayPresentsItsBackBufferStretchedToTheScreen) {
  TestWindow window(u"CorvantaClass", u"Corvanta - Quendrill", 400, 240);
  GdiDisplay display(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), 800, 480);
  ASSERT_EQ(display.open(window.handle), 1);
  EXPECT_EQ(display.getBitsPerPixel(), 16);
  EXPECT_EQ(display.getPixelFormat(), 2);
  EXPECT_EQ(display.getScreenPitch(), 800);
  EXPECT_EQ(display.getBufferPitch(), 1600);
  EXPECT_EQ(display.stretchMode(), COLORONCOLOR);
  display.setSmoothStretch();
  EXPECT_EQ(display.stretchMode(), HALFTONE);

  auto pixels = static_cast<uint16_t*>(display.getBufferPixels());
  ASSERT_NE(pixels, nullptr);
  for (int i = 0; i < 800 * 480; ++i) pixels[i] = (i % 800) < 400 ? 0x07E0 : 0xF81F;
  EXPECT_EQ(wince::driver::backBuffer(), std::vector<uint16_t>(pixels, pixels + 800 * 480)) << "drawn in place";
  const uint64_t presents = wince::driver::presentCount();
  ASSERT_EQ(display.flush(), 1);
  EXPECT_EQ(wince::driver::presentCount(), presents + 1);
  const std::vector<uint16_t> frame = wince::driver::presentedFrame();
  EXPECT_EQ(frame[0], 0x07E0);
  EXPECT_EQ(frame[239 * 400 + 199], 0x07E0);
  EXPECT_EQ(frame[239 * 400 + 200], 0xF81F);

  display.close();
  EXPECT_EQ(display.getBufferPixels(), nullptr) << "no pointer into a freed bitmap";
  EXPECT_EQ(display.flush(), 0);
  EXPECT_TRUE(wince::driver::backBuffer().empty());
}

TEST_F(DisplayDevices, GdiDisplayThatCannotMakeItsBitmapGivesEverythingBack) {
  TestWindow window;
  GdiDisplay display(800, 480, 0, 480);
  EXPECT_EQ(display.open(window.handle), 0);
  EXPECT_EQ(display.getBufferPixels(), nullptr);
  EXPECT_EQ(display.flush(), 0);
}

TEST_F(DisplayDevices, DirectDrawDisplayOpensBlitsAndRestoresLostSurfaces) {
  TestWindow window;
  provideDirectDraw();
  DirectDrawDisplay display(800, 480, 800, 480);
  ASSERT_EQ(display.open(window.handle), 1);
  EXPECT_EQ(m_script.journal,
            (std::vector<std::string>{"DirectDrawCreate", "directDraw.SetCooperativeLevel 0",
                                      "directDraw.CreateSurface primary", "primary.Lock", "primary.Unlock",
                                      "directDraw.CreateSurface back", "back.Lock", "back.Unlock"}));
  EXPECT_EQ(m_script.primaryRequest.ddsCaps.dwCaps, DDSCAPS_PRIMARYSURFACE);
  EXPECT_EQ(m_script.backRequest.dwFlags, 0x1006u);
  EXPECT_EQ(m_script.backRequest.dwWidth, 800u);
  EXPECT_EQ(m_script.backRequest.dwHeight, 480u);
  EXPECT_EQ(m_script.backRequest.ddpfPixelFormat.dwRBitMask, 0xF800u) << "the primary's format";
  EXPECT_EQ(display.getPixelFormat(), 2);
  EXPECT_EQ(display.getBufferPitch(), 1664);
  EXPECT_EQ(display.getBufferPixels(), lastBack->pixels());

  m_script.journal.clear();
  ASSERT_EQ(display.flush(), 1);
  EXPECT_EQ(m_script.journal, (std::vector<std::string>{"primary.Blt"}));
  EXPECT_EQ(m_script.blitFlags, DDBLT_ROP);
  EXPECT_EQ(m_script.blitEffects.dwSize, 28u);
  EXPECT_EQ(m_script.blitEffects.dwROP, SRCCOPY);

  // The mode changed while the surfaces were lost.
  m_script.screenWidth = 640;
  m_script.backPitch = 1700;
  lastPrimary->lost = true;
  lastBack->lost = true;
  EXPECT_EQ(display.getScreenWidth(), 640);
  EXPECT_EQ(display.getBufferPitch(), 1700);
  EXPECT_EQ(display.getScreenPitch(), 1280);

  m_script.journal.clear();
  display.close();
  EXPECT_EQ(m_script.journal, (std::vector<std::string>{"back.Release", "primary.Release", "directDraw.Release"}));
  EXPECT_EQ(wince::libraryLoadCount(u"ddraw.dll"), 0);
  EXPECT_EQ(display.flush(), 0);
}

TEST_F(DisplayDevices, DirectDrawDisplayFailuresReleaseWhatWasMadeInOrder) {
  TestWindow window;
  provideDirectDraw();
  struct FailureCase {
    const char* name;
    void (*arrange)(DirectDrawScript&);
    std::vector<std::string> releases;
  };
  const FailureCase cases[] = {
      {"create", [](DirectDrawScript& s) { s.createFails = true; }, {}},
      {"cooperative level", [](DirectDrawScript& s) { s.cooperativeFails = true; }, {"directDraw.Release"}},
      {"primary surface", [](DirectDrawScript& s) { s.failSurfaceNumber = 1; }, {"directDraw.Release"}},
      {"back surface", [](DirectDrawScript& s) { s.failSurfaceNumber = 2; }, {"primary.Release", "directDraw.Release"}},
  };
  for (const FailureCase& entry : cases) {
    SCOPED_TRACE(entry.name);
    m_script = DirectDrawScript{};
    entry.arrange(m_script);
    DirectDrawDisplay display(800, 480, 800, 480);
    EXPECT_EQ(display.open(window.handle), 0);
    std::vector<std::string> releases;
    for (const std::string& call : m_script.journal)
      if (call.find("Release") != std::string::npos) releases.push_back(call);
    EXPECT_EQ(releases, entry.releases);
    EXPECT_EQ(wince::libraryLoadCount(u"ddraw.dll"), 0);
    EXPECT_EQ(display.getBufferPixels(), nullptr);
  }

  wince::registerLibrary(u"ddraw.dll", {});
  DirectDrawDisplay withoutEntry(800, 480, 800, 480);
  EXPECT_EQ(withoutEntry.open(window.handle), 0) << "a library without DirectDrawCreate is no DirectDraw";
  EXPECT_EQ(wince::libraryLoadCount(u"ddraw.dll"), 0);
}

}  // namespace
