#pragma once
// Kivra's statics (the promotion screen): its pack, the pages and links built
// from the descriptor, and the screen's view of the current page.
#include <cstdint>

#include "runtime/object/ReferenceFields.h"

class BoolArray;
class ByteArray;
class IntArray;
class ObjectArray;
class String;
class javax_microedition_midlet_MIDlet;

struct KivraStatics {
  int32_t state;
  int32_t savedState;
  int32_t action;
  bool pointerAction;
  int32_t pressedAction;
  bool initialised;
  bool failed;
  int32_t screenWidth;
  int32_t screenHeight;
  int32_t centreX;
  int32_t centreY;
  int32_t pageHeight;
  int32_t pageMargin;
  javax_microedition_midlet_MIDlet* midlet;
  int32_t highlightColour;

  // The pack: the resource name, its entry offsets and the one cached entry.
  String* packName;
  IntArray* packOffsets;
  ByteArray* cachedEntry;
  int32_t cachedEntryIndex;
  // The running read position inside an entry, and whether a read ran past
  // its end (the entry is then refused).
  int32_t position;
  bool readPastEnd;

  // Pack entry 0.
  ObjectArray* parameterValues;
  ObjectArray* pageNames;
  ObjectArray* rowNames;  // three tables of row names
  BoolArray* packFlags;
  String* versionText;
  int32_t wideGlyphs;
  int32_t parameterIndex;

  // Pages and links.
  int32_t pageCount;
  int32_t pageIndex;
  BoolArray* pageEnabled;
  ObjectArray* pageLinks;
  IntArray* pageStep;
  int32_t enabledPageCount;
  int32_t mainLinkPage;
  int32_t firstListPage;
  int32_t secondListPage;
  int32_t bannerPage;
  int32_t fullScreenPage;
  String* linkTemplate;
  bool addParameter;
  String* mainLink;
  String* noticeText;
  int32_t firstTextId;  // b: 4 + max(n - 1, 0)

  // Lists: per list (three slots, two filled).
  ObjectArray* rowLinks;       // String[][]
  ObjectArray* rowIds;         // int[][]
  ObjectArray* rowTextIds;     // int[][]
  IntArray* listRowCounts;

  static constexpr auto referenceFields() {
    return ReferenceFieldList{&KivraStatics::midlet,          &KivraStatics::packName,
                              &KivraStatics::packOffsets,     &KivraStatics::cachedEntry,
                              &KivraStatics::parameterValues, &KivraStatics::pageNames,
                              &KivraStatics::rowNames,        &KivraStatics::packFlags,
                              &KivraStatics::versionText,     &KivraStatics::pageEnabled,
                              &KivraStatics::pageLinks,       &KivraStatics::pageStep,
                              &KivraStatics::linkTemplate,    &KivraStatics::mainLink,
                              &KivraStatics::noticeText,      &KivraStatics::rowLinks,
                              &KivraStatics::rowIds,          &KivraStatics::rowTextIds,
                              &KivraStatics::listRowCounts};
  }
};
