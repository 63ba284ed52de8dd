// System's property table and streams, printing null, printStackTrace,
// Runtime and Boolean's statics, and their class initialisers.
#include <gtest/gtest.h>

#include <string>

#include "platform/java_lang/LangClassInitialisers.h"
#include "platform/java_lang/java_lang_Boolean.h"
#include "platform/java_lang/java_lang_Integer.h"
#include "platform/java_lang/java_lang_Runtime.h"
#include "platform/java_lang/java_lang_System.h"
#include "runtime/exceptions/Exceptions.h"
#include "runtime/exceptions/ThrowNew.h"
#include "runtime/gc/ObjectManager.h"
#include "runtime/io/java_io_ByteArrayOutputStream.h"
#include "runtime/io/java_io_ConsoleOutputStream.h"
#include "runtime/io/java_io_PrintStream.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/String.h"
#include "runtime/literals/StringLiteralPool.h"
#include "runtime/object/ObjectFactory.h"
#include "tests/support/LiteralPoolBytes.h"
#include "tests/support/RuntimeFixture.h"
#include "wince/clock.h"
#include "wince/log.h"

namespace {

std::string textOf(String* text) {
  if (text == nullptr) return "(null)";
  std::string bytes;
  for (int32_t i = 0; i < text->length(); ++i) bytes += static_cast<char>(text->charAt(i));
  return bytes;
}

String* property(const char* key) { return java_lang_System::getProperty(key != nullptr ? newString(key) : nullptr); }

// The pool as the build packs it, as far as these classes read it, and the
// java_lang class initialisers run on it.
class LangStatics : public RuntimeFixture {
 protected:
  void SetUp() override {
    RuntimeFixture::SetUp();
    ASSERT_TRUE(loadStringLiteralPool(literalPoolBytes(
        279, {{269, "microedition.platform"}, {270, "PocketPC"}, {277, "true"}, {278, "false"}})));
    ClassInitialisers table;
    setLangClassInitialisers(table);
    table.java_lang_System();
    table.java_lang_Boolean();
    table.java_lang_Runtime();
  }
  void TearDown() override {
    application().m_pending = nullptr;
    RuntimeFixture::TearDown();
  }

  // A PrintStream whose bytes can be read back.
  java_io_ByteArrayOutputStream* capture = nullptr;
  java_io_PrintStream* capturingStream() {
    capture = newObject<java_io_ByteArrayOutputStream>();
    return newObject<java_io_PrintStream>(capture);
  }
  std::string captured() { return textOf(capture->toString()); }
};

TEST_F(LangStatics, InitialisersFillTheirSlotsOfTheTable) {
  ClassInitialisers table;
  setLangClassInitialisers(table);
  EXPECT_EQ(table.java_lang_System, &java_lang_System::clinit);
  EXPECT_EQ(table.java_lang_Boolean, &java_lang_Boolean::clinit);
  EXPECT_EQ(table.java_lang_Runtime, &java_lang_Runtime::clinit);
  EXPECT_EQ(table.cGame, nullptr) << "the game's slots stay the program's";
}

TEST_F(LangStatics, PropertyTable) {
  struct Case {
    const char* key;
    const char* value;
  };
  const Case cases[] = {
      {"microedition.media.version", "1.0"},
      {"microedition.platform", "PocketPC"},
      {"MICROEDITION.PLATFORM", "PROPERTY VALUE EMPTY"},
      {"microedition.platform ", "PROPERTY VALUE EMPTY"},
      {"microedition.locale", "PROPERTY VALUE EMPTY"},
      {"microedition.configuration", "PROPERTY VALUE EMPTY"},
      {"", "PROPERTY VALUE EMPTY"},
  };
  for (const Case& c : cases) EXPECT_EQ(textOf(property(c.key)), c.value) << c.key;

  wince::LogCapture log;
  EXPECT_EQ(textOf(property(nullptr)), "PROPERTY VALUE EMPTY");
  EXPECT_TRUE(log.contains("null key")) << log.text();
  EXPECT_EQ(application().getPending(), nullptr);

  collect();
  EXPECT_EQ(textOf(property("microedition.platform")), "PocketPC") << "the table is a root";
  EXPECT_EQ(property("microedition.platform"), stringLiteral(270)) << "the literal itself";
}

TEST_F(LangStatics, OutAndErrAreOneStreamThatDiscardsEverything) {
  java_io_PrintStream* out = java_lang_System::out();
  ASSERT_NE(out, nullptr);
  EXPECT_EQ(java_lang_System::err(), out);
  ASSERT_NE(out->m_out, nullptr);
  EXPECT_EQ(out->m_out->getClassId(), classid::java_io_ConsoleOutputStream);
  wince::LogCapture log;
  out->println(newString("hello"));
  out->print(static_cast<String*>(nullptr));
  out->println(static_cast<Object*>(nullptr));
  out->print(int64_t{-5});
  EXPECT_EQ(application().getPending(), nullptr);
  EXPECT_EQ(log.text(), "") << "nothing printed reaches the log";
}

TEST_F(LangStatics, PrintingNullPrintsTheWordNull) {
  java_io_PrintStream* stream = capturingStream();
  wince::LogCapture log;
  stream->print(static_cast<String*>(nullptr));
  stream->print(u'|');
  stream->print(static_cast<Object*>(nullptr));
  stream->print(u'|');
  // An object whose toString is null (an exception without message).
  stream->println(static_cast<Object*>(newObject<java_lang_Exception>(nullptr)));
  stream->println(static_cast<String*>(nullptr));
  EXPECT_EQ(captured(), "null|null|null\nnull\n");
  EXPECT_FALSE(log.contains("NullPointer")) << log.text();
  EXPECT_EQ(application().getPending(), nullptr);

  // Without a wrapped stream there is nothing to print on: logged, no crash.
  auto* bare = newObject<java_io_PrintStream>(static_cast<java_io_OutputStream*>(nullptr));
  bare->print(static_cast<String*>(nullptr));
  EXPECT_TRUE(log.contains("NullPointer"));
}

TEST_F(LangStatics, PrintStackTracePrintsTheTraceThenALineFeedOnErr) {
  java_io_PrintStream* err = capturingStream();
  statics().java_lang_System.err = err;

  newObject<java_lang_IllegalStateException>(newString("never thrown"))->printStackTrace();
  EXPECT_EQ(captured(), "null\n") << "a never thrown exception has a null trace";

  capture->reset();
  application().pushName("caller()");
  throwNew<java_lang_IllegalStateException>();
  application().popName();
  auto* thrown = static_cast<java_lang_Throwable*>(application().getPending());
  application().m_pending = nullptr;
  ASSERT_NE(thrown, nullptr);
  thrown->printStackTrace();
  EXPECT_EQ(captured(), "stacktrace:\ncaller()\n\n");

  statics().java_lang_System.err = nullptr;
  thrown->printStackTrace();  // before System's initialiser: nothing, no crash
  EXPECT_EQ(application().getPending(), nullptr);
}

TEST_F(LangStatics, RuntimeIsOneObjectWithTheHostsMemoryFigures) {
  java_lang_Runtime* runtime = java_lang_Runtime::getRuntime();
  ASSERT_NE(runtime, nullptr);
  EXPECT_EQ(runtime, statics().java_lang_Runtime.instance);
  EXPECT_EQ(runtime->getClassId(), classid::java_lang_Runtime);
  collect();
  EXPECT_EQ(java_lang_Runtime::getRuntime(), runtime) << "kept by the static block";
  EXPECT_EQ(runtime->getClassId(), classid::java_lang_Runtime);

  const int64_t total = runtime->totalMemory();
  const int64_t available = runtime->freeMemory();
  EXPECT_GT(total, int64_t{1} << 20);
  EXPECT_GT(available, 0);
  EXPECT_LE(available, total);

  runtime->gc();
  runtime->exit(3);
  EXPECT_EQ(application().getPending(), nullptr);
  EXPECT_NE(Application::get(), nullptr) << "exit ends nothing";
}

TEST_F(LangStatics, BooleanConstants) {
  java_lang_Boolean* yes = statics().java_lang_Boolean.trueValue;
  java_lang_Boolean* no = statics().java_lang_Boolean.falseValue;
  ASSERT_NE(yes, nullptr);
  ASSERT_NE(no, nullptr);
  collect();
  EXPECT_TRUE(yes->booleanValue());
  EXPECT_FALSE(no->booleanValue());
  EXPECT_TRUE(yes->equals(newObject<java_lang_Boolean>(7)));
  EXPECT_EQ(textOf(no->toString()), "false");
}

class LangStaticsWithoutInitialisers : public RuntimeFixture {};

TEST_F(LangStaticsWithoutInitialisers, EverythingStillAnswers) {
  EXPECT_EQ(textOf(property("microedition.platform")), "PROPERTY VALUE EMPTY");
  EXPECT_EQ(textOf(property("microedition.media.version")), "1.0");
  EXPECT_EQ(java_lang_System::out(), nullptr);
  java_lang_Runtime* runtime = java_lang_Runtime::getRuntime();
  ASSERT_NE(runtime, nullptr) << "made on first use";
  EXPECT_EQ(java_lang_Runtime::getRuntime(), runtime);

  // System's initialiser without a literal pool: streams, an empty table.
  wince::LogCapture log;
  java_lang_System::clinit();
  EXPECT_NE(java_lang_System::out(), nullptr);
  EXPECT_EQ(textOf(property("microedition.platform")), "PROPERTY VALUE EMPTY");
  EXPECT_EQ(application().getPending(), nullptr);
}

TEST_F(LangStatics, GcAsksForAThrottledCollection) {
  wince::useFakeClock(1000000, false);
  ObjectManager& manager = *application().getObjectManager();
  manager.gc(ObjectManager::forced);
  const uint32_t before = manager.collectionCount();
  java_lang_System::gc();
  EXPECT_EQ(manager.collectionCount(), before) << "within 2000 ms of the last collection";
  wince::advanceFakeClock(2000);
  java_lang_System::gc();
  EXPECT_EQ(manager.collectionCount(), before + 1);
  wince::useRealClock();
}

TEST_F(LangStatics, ParseIntIsDecimalAndNeverRaises) {
  const struct {
    const char* text;
    int32_t value;
  } cases[] = {{" 42abc", 42}, {"abc", 0}, {"-7", -7}, {"+12", 12}, {"", 0}, {"0155", 155}};
  for (const auto& c : cases) EXPECT_EQ(java_lang_Integer::parseInt(newString(c.text)), c.value) << c.text;
  wince::LogCapture log;
  EXPECT_EQ(java_lang_Integer::parseInt(newString("ff"), 16), 0);
  EXPECT_TRUE(log.contains("base == 10"));
  EXPECT_EQ(takePending(), nothingPending);
}

TEST_F(LangStatics, ArraycopyUnderItsSystemName) {
  IntArray* source = newIntArray(4);
  IntArray* destination = newIntArray(4);
  for (int32_t i = 0; i < 4; ++i) source->set(i, i + 1);
  java_lang_System::arraycopy(source, 1, destination, 0, 3);
  EXPECT_EQ(destination->get(0), 2);
  EXPECT_EQ(destination->get(2), 4);
  EXPECT_EQ(destination->get(3), 0);
  wince::LogCapture log;
  java_lang_System::arraycopy(source, 2, destination, 0, 3);
  EXPECT_EQ(destination->get(0), 2) << "a range outside copies nothing";
  EXPECT_FALSE(log.text().empty());
}

}  // namespace
