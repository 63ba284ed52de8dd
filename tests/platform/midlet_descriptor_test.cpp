// The application descriptor as getAppProperty answers it.
#include <gtest/gtest.h>

#include <string>

#include "platform/java_util/java_util_Hashtable.h"
#include "platform/javax_microedition_midlet/javax_microedition_midlet_MIDlet.h"
#include "runtime/app/ApplicationImpl.h"
#include "runtime/lang/String.h"
#include "runtime/object/ObjectFactory.h"
#include "tests/support/RuntimeFixture.h"

namespace {

std::u16string textOf(String* text) {
  std::u16string result;
  for (int32_t i = 0; i < text->length(); ++i) result += text->charAt(i);
  return result;
}

class MidletDescriptor : public RuntimeFixture {
 protected:
  // The answer for key after the descriptor text is read.
  std::u16string property(const char16_t* descriptor, const char16_t* key) {
    auto* midlet = newObject<javax_microedition_midlet_MIDlet>();
    parseDescriptor(newObject<String>(descriptor), midlet->properties);
    return textOf(midlet->getAppProperty(newObject<String>(key)));
  }
};

TEST_F(MidletDescriptor, TheProgramsDescriptorComesFromTheArchive) {
  auto* midlet = newObject<javax_microedition_midlet_MIDlet>();
  ASSERT_NE(midlet->properties, nullptr);
  EXPECT_EQ(textOf(midlet->getAppProperty(newObject<String>("MIDlet-Name"))), u"Quendrill");
  EXPECT_EQ(textOf(midlet->getAppProperty(newObject<String>("No-Such-Key"))), u"PROPERTY VALUE EMPTY");
  EXPECT_EQ(textOf(midlet->getAppProperty(nullptr)), u"PROPERTY VALUE EMPTY");
}

TEST_F(MidletDescriptor, LinesTable) {
  struct DescriptorCase {
    const char16_t* text;
    const char16_t* key;
    const char16_t* value;
  };
  const DescriptorCase cases[] = {
      {u"MIDlet-Name: Quendrill\r\nMIDlet-Version: 1.0\r\n", u"MIDlet-Name", u"Quendrill"},
      {u"MIDlet-Name: Quendrill\r\nMIDlet-Version: 1.0\r\n", u"MIDlet-Version", u"1.0"},
      {u"A: 1\nURL: http://example.org:80/x", u"URL", u"http://example.org:80/x"},  // no final LF, ':' in value
      {u"Empty:\nB: 2\n", u"Empty", u""},
      {u"Empty:\r\n", u"Empty", u""},
      {u"Key: value\n", u"key", u"PROPERTY VALUE EMPTY"},  // case matters
      {u"Key: first\nKey: second\n", u"Key", u"second"},
      {u"no colon here\nKey: value\n", u"Key", u"value"},
      {u"Key: value\nno colon here", u"Key", u"value"},
      {u"no colon here", u"no colon here", u"PROPERTY VALUE EMPTY"},
      {u"\n\nKey: value\n\n", u"Key", u"value"},
      {u"  Spaced Key  :  spaced value  \n", u"Spaced Key", u"spaced value"},
      {u"", u"Key", u"PROPERTY VALUE EMPTY"},
  };
  for (const DescriptorCase& entry : cases) {
    SCOPED_TRACE(std::string(entry.text, entry.text + std::char_traits<char16_t>::length(entry.text)));
    EXPECT_EQ(property(entry.text, entry.key), entry.value);
  }
}

TEST_F(MidletDescriptor, NotifyDestroyedEndsTheRunAtTheNextPass) {
  ApplicationImpl host;
  ASSERT_EQ(host.running, 1);
  javax_microedition_midlet_MIDlet::notifyDestroyed(nullptr);
  EXPECT_EQ(host.running, 0);
  EXPECT_FALSE(javax_microedition_midlet_MIDlet::platformRequest(nullptr, newObject<String>("http://example.org")));
}

}  // namespace
