// The object model: class records, instanceOf over records and interface
// lookups, the default Object operations and the factory's header set-up.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "runtime/lang/ObjectArray.h"
#include "runtime/lang/String.h"
#include "runtime/lang/java_lang_Runnable.h"
#include "runtime/object/Class.h"
#include "runtime/object/ObjectFactory.h"
#include "tests/support/RuntimeFixture.h"
#include "wince/log.h"

namespace {

// Shaped like cGame: a canvas with a Runnable view and the two constant
// interfaces.
class CanvasGameLike : public Object, public java_lang_Runnable {
 public:
  using Super = Object;
  static constexpr uint16_t classId = classid::cGame;
  void run() override { ++m_runs; }
  void* lookupInterface(int32_t interfaceId) override {
    switch (interfaceId) {
      case classid::java_lang_Runnable: return static_cast<java_lang_Runnable*>(this);
      case classid::IDefines: return &m_runs;
      case classid::IMenus: return this;
      default: return nullptr;
    }
  }
  int32_t m_runs;
};

class ActorLike : public Object {
 public:
  using Super = Object;
  static constexpr uint16_t classId = classid::cActor;
};

// Shaped like cActorMC: an actor that answers IDefines.
class PlayerActorLike : public ActorLike {
 public:
  using Super = ActorLike;
  static constexpr uint16_t classId = classid::cActorMC;
  void* lookupInterface(int32_t interfaceId) override { return interfaceId == classid::IDefines ? this : nullptr; }
};

class ObjectModelTest : public RuntimeFixture {};

// Three C++ classes under one class id, each with another set of reference
// fields.
class OneReference : public Object {
 public:
  using Super = Object;
  static constexpr uint16_t classId = classid::java_util_Random;
  Object* m_first;
  static constexpr auto referenceFields() { return ReferenceFieldList{&OneReference::m_first}; }
};
class TwoReferences : public Object {
 public:
  using Super = Object;
  static constexpr uint16_t classId = classid::java_util_Random;
  int64_t m_padding;
  Object* m_first;
  Object* m_second;
  static constexpr auto referenceFields() { return ReferenceFieldList{&TwoReferences::m_first, &TwoReferences::m_second}; }
};
class NoReferences : public Object {
 public:
  using Super = Object;
  static constexpr uint16_t classId = classid::java_util_Random;
  int64_t m_value;
};
class NoReferencesFirst : public NoReferences {
 public:
  using Super = NoReferences;
  static constexpr uint16_t classId = classid::java_util_Date;
};
class ReferencesSecond : public OneReference {
 public:
  using Super = OneReference;
  static constexpr uint16_t classId = classid::java_util_Date;
};

template <class T>
bool layoutMatches(T* object) {
  constexpr size_t count = referencefields::count<T>();
  void* addresses[count > 0 ? count : 1];
  if constexpr (count > 0) referencefields::collectAddresses<T>(*object, addresses);
  return Class::checkRefFieldLayout(object, addresses, static_cast<int32_t>(count));
}

std::string textOf(String* text) {
  std::string result;
  for (int32_t i = 0; i < text->length(); ++i) result += static_cast<char>(text->charAt(i));
  return result;
}

TEST_F(ObjectModelTest, InstanceOfFollowsRecordsAndInterfaceLookups) {
  Object* plain = newObject<Object>();
  Object* game = newObject<CanvasGameLike>();
  Object* actor = newObject<ActorLike>();
  Object* player = newObject<PlayerActorLike>();
  struct Case {
    Object* object;
    int32_t classId;
    int32_t expected;
  };
  const Case cases[] = {
      {nullptr, classid::Object, 0},
      {nullptr, classid::cGame, 0},
      {nullptr, classid::java_lang_Runnable, 0},
      {plain, classid::Object, 1},
      {plain, classid::String, 0},
      {plain, classid::java_lang_Runnable, 0},
      {game, classid::cGame, 1},
      {game, classid::javax_microedition_lcdui_Canvas, 1},
      {game, classid::javax_microedition_lcdui_Displayable, 1},
      {game, classid::Object, 1},
      {game, classid::java_lang_Runnable, 1},
      {game, classid::IDefines, 1},
      {game, classid::IMenus, 1},
      {game, classid::javax_microedition_midlet_MIDlet, 0},
      {game, classid::cActor, 0},
      {actor, classid::cActor, 1},
      {actor, classid::IDefines, 0},
      {actor, classid::cActorMC, 0},
      {player, classid::cActorMC, 1},
      {player, classid::cActor, 1},
      {player, classid::Object, 1},
      {player, classid::IDefines, 1},
      {player, classid::java_lang_Runnable, 0},
      {player, classid::cActorNPC, 0},
      {player, 0xFEEE, 0},
      {player, -1, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Object::instanceOf(c.object, c.classId), c.expected)
        << "object of class " << (c.object ? c.object->getClassId() : -1) << ", asked for " << c.classId;
  }
}

TEST_F(ObjectModelTest, RunnableViewIsTheBaseInsideTheObject) {
  auto* game = newObject<CanvasGameLike>();
  void* view = game->lookupInterface(classid::java_lang_Runnable);
  ASSERT_EQ(view, static_cast<java_lang_Runnable*>(game));
  EXPECT_NE(view, static_cast<void*>(game));
  EXPECT_GE(static_cast<char*>(view), reinterpret_cast<char*>(game));
  EXPECT_LT(static_cast<char*>(view), reinterpret_cast<char*>(game) + sizeof(CanvasGameLike));
  static_cast<java_lang_Runnable*>(view)->run();
  EXPECT_EQ(game->m_runs, 1);
}

TEST_F(ObjectModelTest, EveryObjectOfAClassIdBringsTheFirstOnesReferenceLayout) {
  wince::LogCapture log;
  EXPECT_TRUE(layoutMatches(newObject<OneReference>()));
  EXPECT_TRUE(layoutMatches(newObject<OneReference>()));
  EXPECT_TRUE(log.text().empty()) << log.text();
  // The factory checks by itself in debug and sanitizer builds; the answer
  // is the same in every build.
  EXPECT_FALSE(layoutMatches(newObject<TwoReferences>()));
  EXPECT_FALSE(layoutMatches(newObject<NoReferences>()));
  EXPECT_TRUE(log.contains("class java_util_Random: objects of two reference-field layouts share its id")) << log.text();
  EXPECT_EQ(log.text().find("two reference-field"), log.text().rfind("two reference-field")) << "logged once";

  EXPECT_TRUE(layoutMatches(newObject<NoReferencesFirst>()));
  EXPECT_FALSE(layoutMatches(newObject<ReferencesSecond>())) << "no reference fields is a layout too";
}

TEST_F(ObjectModelTest, FactorySetsUpTheHeader) {
  Object* plain = newObject<Object>();
  EXPECT_EQ(plain->getClassId(), classid::Object);
  EXPECT_EQ(plain->collectable(), 1);
  EXPECT_EQ(plain->collectorByte(), 1);
  Object* game = newObject<CanvasGameLike>();
  EXPECT_EQ(game->getClassId(), classid::cGame);
  EXPECT_EQ(Object::getClass(game), &block().classes[classid::cGame]);
}

TEST_F(ObjectModelTest, RecordsHoldTheClassTable) {
  const Class* object = Class::byId(0);
  ASSERT_NE(object, nullptr);
  EXPECT_STREQ(object->m_name, "Object");
  EXPECT_EQ(object->m_superclassId, 0xFEEEu);
  const Class* midlet = Class::byId(121);
  ASSERT_NE(midlet, nullptr);
  EXPECT_STREQ(midlet->m_name, "CorvaQNDR");
  EXPECT_EQ(midlet->m_superclassId, 100u);
  EXPECT_STREQ(Class::byId(125)->m_name, "SensibleRectangle");
  EXPECT_EQ(Class::byId(126), nullptr);
  EXPECT_EQ(Class::byId(-1), nullptr);
  EXPECT_EQ(Class::byId(0xFEEE), nullptr);
  for (int32_t id = 0; id < classCount; ++id) EXPECT_EQ(Class::byId(id)->m_classId, static_cast<uint32_t>(id));
}

TEST_F(ObjectModelTest, ForNameMatchesWholeNamesWithDotsAsUnderscores) {
  struct Case {
    const char* name;
    int32_t expectedId;  // -1: no class
  };
  const Case cases[] = {
      {"java.util.Hashtable", 57},
      {"java_util_Hashtable", 57},
      {"java.util.Hashtable.Entry", 55},
      {"java.util.Hash", -1},
      {"java.util.Hashtable2", -1},
      {"Object", 0},
      {"CorvaQNDR", 121},
      {"no.such.Class", -1},
      {"", -1},
  };
  for (const Case& c : cases) {
    Class* record = Class::forName(newString(c.name));
    if (c.expectedId < 0) {
      EXPECT_EQ(record, nullptr) << c.name;
    } else {
      ASSERT_NE(record, nullptr) << c.name;
      EXPECT_EQ(record->m_classId, static_cast<uint32_t>(c.expectedId)) << c.name;
    }
  }
  EXPECT_EQ(Class::forName(nullptr), nullptr);
  // A NUL inside the name never reads on into the next record's name or past
  // the last one.
  const std::string next = Class::byId(1)->m_name;
  std::u16string joined = u"Object";
  joined += u'\0';
  joined += std::u16string(next.begin(), next.end());
  EXPECT_EQ(Class::forName(newObject<String>(joined.data(), 0, static_cast<int32_t>(joined.size()))), nullptr);
  std::u16string pastTheEnd(Class::byId(classCount - 1)->m_name, Class::byId(classCount - 1)->m_name +
                                                                    std::strlen(Class::byId(classCount - 1)->m_name));
  pastTheEnd += std::u16string(u"\0\0\0xyz", 6);
  EXPECT_EQ(Class::forName(newObject<String>(pastTheEnd.data(), 0, static_cast<int32_t>(pastTheEnd.size()))), nullptr);
}

TEST_F(ObjectModelTest, GetClassOfNullOrSweptObjectIsNull) {
  EXPECT_EQ(Object::getClass(nullptr), nullptr);
  Object* plain = newObject<Object>();
  plain->setFreedClassId();
  EXPECT_EQ(Object::getClass(plain), nullptr);
  EXPECT_EQ(Object::instanceOf(plain, classid::Object), 0);
}

TEST_F(ObjectModelTest, ClassNameAndIsInstance) {
  Class* record = Class::byId(classid::cActorMC);
  EXPECT_EQ(textOf(record->getName()), "cActorMC");
  EXPECT_EQ(record->isInstance(newObject<PlayerActorLike>()), 1);
  EXPECT_EQ(record->isInstance(newObject<ActorLike>()), 0);
  EXPECT_EQ(record->isInstance(nullptr), 0);
  EXPECT_EQ(Object::getClass(record), Class::byId(classid::Class));
}

TEST_F(ObjectModelTest, DefaultOperations) {
  Object* plain = newObject<Object>();
  Object* other = newObject<Object>();
  char expected[64];
  std::snprintf(expected, sizeof expected, "Object_id=0 @0x%llx",
                static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(plain)));
  EXPECT_EQ(textOf(plain->toString()), expected);
  const auto address = reinterpret_cast<uintptr_t>(plain);
  EXPECT_EQ(plain->hashCode(), static_cast<int32_t>(static_cast<uint32_t>(address) ^ static_cast<uint32_t>(address >> 32)));
  EXPECT_EQ(plain->equals(plain), 1);
  EXPECT_EQ(plain->equals(other), 0);
  EXPECT_EQ(plain->equals(nullptr), 0);
  EXPECT_EQ(plain->lookupInterface(classid::java_lang_Runnable), nullptr);

  wince::LogCapture log;
  EXPECT_EQ(plain->clone(), nullptr);
  EXPECT_TRUE(log.contains("clone\n"));
  EXPECT_TRUE(log.contains("stacktrace:\n"));
}

TEST_F(ObjectModelTest, ToStringPrintsTheSignedClassId) {
  Object* swept = newObject<Object>();
  swept->setFreedClassId();
  char expected[64];
  std::snprintf(expected, sizeof expected, "Object_id=-274 @0x%llx",
                static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(swept)));
  EXPECT_EQ(textOf(swept->toString()), expected);
}

}  // namespace

namespace {

TEST(ObjectWithoutRuntime, IsMadeButHasNoRecord) {
  ASSERT_EQ(Application::get(), nullptr);
  Object* loose = newObject<PlayerActorLike>();
  ASSERT_NE(loose, nullptr);
  EXPECT_EQ(loose->getClassId(), classid::cActorMC);
  EXPECT_EQ(Object::getClass(loose), nullptr);
  EXPECT_EQ(Object::instanceOf(loose, classid::IDefines), 1);
  EXPECT_EQ(Object::instanceOf(loose, classid::cActor), 0);
  nativeFree(loose);
}

}  // namespace
