#include "platform/java_lang/LangClassInitialisers.h"

#include "platform/java_lang/java_lang_Boolean.h"
#include "platform/java_lang/java_lang_Runtime.h"
#include "platform/java_lang/java_lang_System.h"

void setLangClassInitialisers(ClassInitialisers& table) {
  table.java_lang_System = &java_lang_System::clinit;
  table.java_lang_Boolean = &java_lang_Boolean::clinit;
  table.java_lang_Runtime = &java_lang_Runtime::clinit;
}
