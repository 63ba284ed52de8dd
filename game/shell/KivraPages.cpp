// The promotion screen's pages: links looked up in descriptor properties,
// checked, numbered and enabled once at start-up from pack entry 0.
#include <algorithm>

#include "game/GameStatics.h"
#include "game/shell/Kivra.h"
#include "runtime/LiteralIds.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/DebugLog.h"
#include "runtime/lang/NumberText.h"
#include "runtime/lang/ObjectArray.h"
#include "runtime/lang/String.h"
#include "runtime/literals/StringLiteralPool.h"
#include "platform/javax_microedition_midlet/javax_microedition_midlet_MIDlet.h"

namespace {

KivraStatics& kivra() { return shellStatics().Kivra; }

String* literal(LiteralId id) { return stringLiteral(static_cast<int32_t>(id)); }

bool sameText(String* a, String* b) { return a != nullptr && b != nullptr && a->compareTo(b) == 0; }

String* concat(String* a, String* b) {
  if (a == nullptr) return b;
  if (b == nullptr) return a;
  return a->concat(b);
}

int32_t tableLength(ObjectArray* table) { return table != nullptr ? table->length() : 0; }

String* textAt(ObjectArray* table, int32_t i) { return static_cast<String*>(table->get(i)); }

ObjectArray* rowNameTable(int32_t list) {
  ObjectArray* tables = kivra().rowNames;
  return tables != nullptr ? static_cast<ObjectArray*>(tables->get(list)) : nullptr;
}

// The template for the main-link page and the lists' last rows.
String* mainLinkTemplate() {
  KivraStatics& k = kivra();
  return k.addParameter ? concat(k.mainLink, literal(LiteralId::promotionMainLinkSuffix)) : k.mainLink;
}

// A product page, or the main-link page (not counted).
void addPage(int32_t page, String* link, int32_t& counter) {
  KivraStatics& k = kivra();
  if (!Kivra::isValidValue(link)) return;
  k.pageEnabled->set(page, true);
  if (page != k.mainLinkPage) {
    ++counter;
    k.pageStep->set(page, 4);
    if (k.addParameter) {
      link = concat(link, literal(LiteralId::promotionCounterSeparator));
      if (counter < 10) link = concat(link, literal(LiteralId::promotionZero));
      link = concat(link, intToText(counter));
    }
  }
  k.pageLinks->set(page, link);
}

void addListPage(int32_t list, ObjectArray* names, String* source, int32_t lastTextId) {
  KivraStatics& k = kivra();
  const int32_t rows = tableLength(names);
  ObjectArray* links = newObjectArray(rows);
  IntArray* ids = newIntArray(rows);
  IntArray* textIds = newIntArray(rows);
  if (links == nullptr || ids == nullptr || textIds == nullptr) return;
  k.rowLinks->set(list, links);
  k.rowIds->set(list, ids);
  k.rowTextIds->set(list, textIds);
  int32_t kept = 0;
  for (int32_t j = 0; j < rows; ++j) {
    String* name = textAt(names, j);
    String* link;
    if (j == rows - 1) {
      link = k.mainLink == nullptr || k.mainLink->length() == 0
                 ? literal(LiteralId::emptyText)
                 : Kivra::lookupParameter(Kivra::property(int32_t(LiteralId::promotionMainLinksProperty)), name,
                                          mainLinkTemplate());
    } else if (sameText(name, literal(LiteralId::promotionMainLinkRow))) {
      link = k.mainLink;
    } else {
      link = Kivra::lookupParameter(source, name, k.linkTemplate);
    }
    if (!Kivra::isValidValue(link)) continue;
    links->set(kept, link);
    ids->set(kept, j);
    textIds->set(j, lastTextId - rows + 1 + j);
    ++kept;
  }
  if (kept > 0) {
    k.pageEnabled->set(list == 0 ? k.firstListPage : k.secondListPage, true);
    k.listRowCounts->set(list, kept);
  }
}

}  // namespace

bool Kivra::isValidValue(String* value) {
  if (value == nullptr) return false;
  String* trimmed = value->trim();
  if (trimmed == nullptr || trimmed->length() == 0) return false;
  String* upper = trimmed->toUpperCase();
  return !sameText(upper, literal(LiteralId::promotionNoLink)) &&
         !sameText(upper, literal(LiteralId::promotionNullValue)) && !sameText(upper, literal(LiteralId::promotionZero));
}

String* Kivra::lookupParameter(String* source, String* key, String* linkTemplate) {
  String* none = literal(LiteralId::emptyText);
  if (source == nullptr || key == nullptr || linkTemplate == nullptr) return none;
  String* separator = literal(LiteralId::keyValueSeparator);
  const int32_t found = source->indexOf(concat(key, separator));
  String* trimmedTemplate = linkTemplate->trim();
  if (found < 0 || trimmedTemplate == nullptr || trimmedTemplate->length() == 0) return none;
  // The value starts one character past the key: the separator is one character.
  const int32_t begin = found + key->length() + 1;
  int32_t end = source->indexOf(literal(LiteralId::promotionEntrySeparator), begin);
  if (end < 0) end = source->length();
  String* value = end >= begin ? source->substring(begin, end) : nullptr;
  value = value != nullptr ? value->trim() : nullptr;
  if (value == nullptr || value->length() == 0 || sameText(value, literal(LiteralId::promotionZero)) ||
      sameText(value->toUpperCase(), literal(LiteralId::promotionNullValue))) {
    return none;
  }
  if (sameText(value->toUpperCase(), literal(LiteralId::promotionNoLink)) ||
      sameText(key, literal(LiteralId::promotionBannerKey))) {
    return value;
  }
  String* marker = literal(LiteralId::promotionValueMarker);
  const int32_t at = trimmedTemplate->indexOf(marker);
  if (at < 0) return trimmedTemplate;
  String* head = trimmedTemplate->substring(0, at);
  String* tail = trimmedTemplate->substring(at + marker->length());
  return concat(concat(head, value), tail);
}

String* Kivra::property(int32_t literalIndex) {
  KivraStatics& k = kivra();
  String* key = stringLiteral(literalIndex);
  if (k.midlet == nullptr || key == nullptr) return nullptr;
  return k.midlet->getAppProperty(key);
}

int32_t Kivra::countEnabledPages() {
  BoolArray* enabled = kivra().pageEnabled;
  int32_t count = 0;
  for (int32_t i = 0; enabled != nullptr && i < enabled->length(); ++i) count += enabled->get(i) ? 1 : 0;
  return count;
}

void Kivra::buildPages() {
  KivraStatics& k = kivra();
  k.initialised = false;
  k.enabledPageCount = -1;
  if (!openPack() || !readMetadata()) return releasePack();
  String* version = k.versionText;
  if (sameText(version, literal(LiteralId::promotionWideGlyphVersion))) k.wideGlyphs = 2;
  releasePack();

  const int32_t n = tableLength(k.pageNames);
  const bool fullScreen = k.packFlags != nullptr && k.packFlags->get(0);
  k.firstTextId = 4 + (n - 1 > 0 ? n - 1 : 0);
  k.mainLinkPage = n;
  k.firstListPage = n + 1;
  k.secondListPage = n + 2;
  k.bannerPage = n + 3;
  k.fullScreenPage = n + 4;
  k.pageCount = n + 4 + (fullScreen ? 1 : 0);
  k.pageLinks = newObjectArray(k.pageCount);
  k.pageEnabled = newBoolArray(k.pageCount);
  k.pageStep = newIntArray(k.pageCount);
  k.rowLinks = newObjectArray(3);
  k.rowIds = newObjectArray(3);
  k.rowTextIds = newObjectArray(3);
  k.listRowCounts = newIntArray(3);
  if (k.pageLinks == nullptr || k.pageEnabled == nullptr || k.pageStep == nullptr || k.rowLinks == nullptr ||
      k.rowIds == nullptr || k.rowTextIds == nullptr || k.listRowCounts == nullptr) {
    return;
  }

  String* linkTemplate = property(int32_t(LiteralId::promotionTemplateProperty));
  k.linkTemplate = linkTemplate != nullptr ? linkTemplate->trim() : nullptr;
  k.addParameter = k.linkTemplate != nullptr && k.linkTemplate->indexOf(literal(LiteralId::promotionParameterMarker)) >= 0;

  int32_t counter = 0;
  String* pages = property(int32_t(LiteralId::promotionPagesProperty));
  for (int32_t i = 0; i < n; ++i) addPage(i, lookupParameter(pages, textAt(k.pageNames, i), k.linkTemplate), counter);

  String* mainLink = property(int32_t(LiteralId::promotionMainLinkProperty));
  mainLink = mainLink != nullptr ? mainLink->trim() : nullptr;
  k.mainLink = isValidValue(mainLink) ? mainLink : literal(LiteralId::emptyText);
  k.noticeText = property(int32_t(LiteralId::promotionNoticeProperty));
  const bool mainLinkValid = isValidValue(k.mainLink);
  String* mainLinks = property(int32_t(LiteralId::promotionMainLinksProperty));

  if (!fullScreen) {
    if (mainLinkValid) {
      addPage(k.mainLinkPage, lookupParameter(mainLinks, literal(LiteralId::promotionMainLinkKey), mainLinkTemplate()),
              counter);
    }
    ObjectArray* firstRows = rowNameTable(0);
    ObjectArray* secondRows = rowNameTable(1);
    const int32_t lastOfFirst = k.firstTextId + 13 + std::max(tableLength(firstRows), 1);
    const int32_t lastOfSecond = lastOfFirst + std::max(tableLength(secondRows), 1);
    addListPage(0, firstRows, property(int32_t(LiteralId::promotionFirstListProperty)), lastOfFirst);
    addListPage(1, secondRows, property(int32_t(LiteralId::promotionSecondListProperty)), lastOfSecond);
    if (isValidValue(lookupParameter(mainLinks, literal(LiteralId::promotionBannerKey), k.mainLink))) {
      String* link = k.mainLink;
      if (mainLinkValid) {
        k.pageEnabled->set(k.bannerPage, true);
        if (k.addParameter) link = concat(link, literal(LiteralId::promotionBannerSuffix));
      }
      k.pageLinks->set(k.bannerPage, link);
    }
  } else if (mainLinkValid) {
    k.pageLinks->set(k.fullScreenPage, k.mainLink);
    k.pageEnabled->set(k.fullScreenPage, true);
  }

  k.enabledPageCount = countEnabledPages();
  k.initialised = k.enabledPageCount > 0;
  if (!k.initialised) debugLog("Kivra: no page enabled; not initialised");
}
