#pragma once
// A runtime whose game block is the whole game's, with the content's literal
// table, a MIDlet whose descriptor a test writes, and the promotion pack
// served from memory.
#include <fstream>
#include <sstream>
#include <string>

#include "game/GameStatics.h"
#include "game/shell/Kivra.h"
#include "game/toolkit/ToolkitClassInitialisers.h"
#include "platform/java_lang/LangClassInitialisers.h"
#include "platform/java_util/java_util_Hashtable.h"
#include "platform/javax_microedition_midlet/javax_microedition_midlet_MIDlet.h"
#include "runtime/lang/String.h"
#include "runtime/literals/StringLiteralPool.h"
#include "runtime/object/ObjectFactory.h"
#include "tests/game/toolkit/game_data_fixture.h"
#include "tools/compiler/LiteralTable.h"
#include "tools/writers/LiteralPoolWriter.h"
#include "tools/writers/PromotionPackWriter.h"

inline const ClassInitialisers& kivraTestInitialisers() {
  static const ClassInitialisers table = [] {
    ClassInitialisers initialisers;
    initialisers.gameStatics = describeGameStatics<GameStatics>();
    setLangClassInitialisers(initialisers);
    setToolkitClassInitialisers(initialisers);
    return initialisers;
  }();
  return table;
}

class KivraFixture : public RuntimeFixture {
 protected:
  KivraFixture() : RuntimeFixture(4u << 20, 4u << 20, &kivraTestInitialisers()) {}

  void SetUp() override {
    RuntimeFixture::SetUp();
    std::ifstream file(std::string(QUENDRILL_CONTENT_DIR) + "/literals.txt");
    std::stringstream text;
    text << file.rdbuf();
    ASSERT_TRUE(loadStringLiteralPool(tools::writeLiteralPool(tools::parseLiteralTable(text.str(), "literals").texts)));
    gamedatatest::resources() = {};
    toolkitStatics().cGamePack.opener = &gamedatatest::openFromMemory;
    KivraStatics& k = Kivra::statics();
    k.packName = stringLiteral(0);
    k.cachedEntryIndex = -1;
    k.midlet = newObject<javax_microedition_midlet_MIDlet>();
    // Only what a test writes: not the descriptor of an installed archive.
    k.midlet->properties = newObject<java_util_Hashtable>(11);
  }

  static void installPack(std::vector<uint8_t> bytes) { gamedatatest::resources().files["/promo"] = std::move(bytes); }

  // Descriptor lines "key:value".
  static void setDescriptor(const std::string& lines) {
    parseDescriptor(newString(lines.c_str()), Kivra::statics().midlet->properties);
  }

  static std::string text(String* value) {
    if (value == nullptr) return "(null)";
    std::string out;
    for (char16_t c : value->view()) out += static_cast<char>(c);
    return out;
  }
  static String* str(const std::string& value) { return newString(value.c_str()); }
};
