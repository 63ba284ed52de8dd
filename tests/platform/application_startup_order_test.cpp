// The order of start-up and shutdown as the log shows it: pools, collector,
// static block, the class initialisers, the screen, the MIDlet; and on the
// way down destroyApp before any object is freed, the objects freed while
// the static block still stands, then the block and the pools.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/java_lang/LangClassInitialisers.h"
#include "platform/javax_microedition_midlet/javax_microedition_midlet_MIDlet.h"
#include "runtime/app/ApplicationImpl.h"
#include "runtime/lang/DebugLog.h"
#include "runtime/object/ObjectFactory.h"
#include "runtime/object/StaticClass.h"
#include "runtime/thread/ThreadTable.h"
#include "runtime/thread/java_lang_Thread.h"
#include "wince/log.h"

namespace {

// What a finaliser sees of the static block during the final collection.
void logStaticsSeenByFinaliser() {
  Application* application = Application::get();
  StaticClass* block = application != nullptr ? application->getStaticClass() : nullptr;
  debugLog("MIDlet freed, static block %s, System.out %s", block != nullptr ? "present" : "gone",
           block != nullptr && block->java_lang_System.out != nullptr ? "present" : "gone");
}

class OrderMidlet : public javax_microedition_midlet_MIDlet {
 public:
  using Super = javax_microedition_midlet_MIDlet;
  static constexpr uint16_t classId = classid::CorvaQNDR;

  void init() {
    Super::init();
    debugLog("CorvaQNDR()");
  }
  void finalize() override {
    logStaticsSeenByFinaliser();
    Super::finalize();
  }
  void startApp() override { debugLog("startApp"); }
  void pauseApp() override { debugLog("pauseApp"); }
  void destroyApp(bool unconditional) override { debugLog("destroyApp(%s)", unconditional ? "true" : "false"); }
};

const ClassInitialisers& orderInitialisers() {
  static const ClassInitialisers table = [] {
    ClassInitialisers initialisers;
    setLangClassInitialisers(initialisers);
    initialisers.cGame = [] {
      debugLog("cGame::clinit, System.out %s", statics().java_lang_System.out != nullptr ? "made" : "missing");
    };
    initialisers.Kivra = [] {
      java_lang_Thread* current = java_lang_Thread::currentThread();
      debugLog("Kivra::clinit, current thread %s",
               current != nullptr && ThreadTable::instance().findThread(current) == 0 ? "the UI thread" : "unknown");
    };
    return initialisers;
  }();
  return table;
}

// Each line in order (others may lie between); reports the first that is
// missing or out of order.
void expectInOrder(const std::string& text, const std::vector<std::string>& lines) {
  size_t at = 0;
  for (const std::string& line : lines) {
    const size_t found = text.find(line + "\n", at);
    ASSERT_NE(found, std::string::npos) << '"' << line << "\" missing or out of order in:\n" << text;
    at = found + line.size();
  }
}

class StartupOrderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    startup.classInitialisers = &orderInitialisers();
    startup.literalPool = Application::LiteralPool::none;
    startup.objectHeapBytes = 1u << 20;
    startup.nativePoolBytes = 1u << 20;
    startup.createScreen = [](Application&, uint16_t*) { debugLog("createScreen"); };
    startup.createMidlet = [] { return static_cast<Object*>(newObject<OrderMidlet>()); };
  }
  void TearDown() override { host.shutdown(); }

  ApplicationStartup startup;
  ApplicationImpl host;
};

TEST_F(StartupOrderTest, StartsInTheFixedOrder) {
  wince::LogCapture log;
  ASSERT_EQ(host.init(startup), 1);
  expectInOrder(log.text(), {"new MemoryManagers", "new ObjectManager", "new StaticClass", "Application::init",
                               "cGame::clinit, System.out made", "Kivra::clinit, current thread the UI thread", "createScreen", "m_screenGraphics",
                             "CorvaQNDR()", "Application::startApp", "startApp"});
  EXPECT_NE(statics().java_lang_Runtime.instance, nullptr) << "Runtime's initialiser, the last, ran";
}

TEST_F(StartupOrderTest, ShutsDownInTheFixedOrderWithTheBlockStandingThroughTheFinalCollection) {
  ASSERT_EQ(host.init(startup), 1);
  wince::LogCapture log;
  host.shutdown();
  expectInOrder(log.text(), {"Application::close", "Application::destoryMIDlet", "destroyApp(true)",
                             "MIDlet freed, static block present, System.out present"});
  EXPECT_EQ(Application::get(), nullptr);
  EXPECT_EQ(host.application, nullptr);

  const std::string first = log.text();
  host.shutdown();
  EXPECT_EQ(log.text(), first) << "a second shutdown does nothing";
}

}  // namespace
