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
class javax_microedition_lcdui_Image;
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
  bool directLinkMode;
  int32_t loadIndex;
  int32_t loadTotal;
  String* linkToOpen;
  String* statusText;
  javax_microedition_midlet_MIDlet* midlet;
  bool usesCommands;
  bool visited;
  bool visitedChecked;
  bool arrowShown;
  int64_t arrowToggleTime;
  int32_t highlightColour;
  String* directLink;

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

  // Texts, font and images of the opened screen.
  ObjectArray* texts;
  ByteArray* glyphTable;
  int32_t fontHeight;
  int32_t glyphSpacing;
  ObjectArray* fontImages;  // Image[3]
  int32_t fontColour;
  IntArray* lineWidths;
  int32_t textBlockWidth;
  int32_t textBlockHeight;
  bool measureOnly;
  ObjectArray* images;      // Image[14]
  ObjectArray* pageImages;  // Image[]
  ObjectArray* listImages;  // Image[][]
  javax_microedition_lcdui_Image* parameterImage;
  javax_microedition_lcdui_Image* extraImage;

  // The view of the current page.
  bool listMode;
  int32_t listIndex;
  int32_t rowCount;
  int32_t visibleRows;
  int32_t selectedRow;
  int32_t firstRow;
  int32_t titleTextId;
  int32_t linkTextId;
  bool linkButtonShown;
  int32_t buttonX, buttonY, buttonWidth, buttonHeight;
  int32_t linkAreaX, linkAreaY, linkAreaWidth, linkAreaHeight;
  int32_t listLeft, listWidth, listTop, rowHeight;
  int32_t upArrowY, downArrowY;
  bool leftPressed, rightPressed;
  int32_t arrowPressFrames;

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
                              &KivraStatics::listRowCounts,   &KivraStatics::linkToOpen,
                              &KivraStatics::statusText,      &KivraStatics::directLink,
                              &KivraStatics::texts,           &KivraStatics::glyphTable,
                              &KivraStatics::fontImages,      &KivraStatics::lineWidths,
                              &KivraStatics::images,          &KivraStatics::pageImages,
                              &KivraStatics::listImages,      &KivraStatics::parameterImage,
                              &KivraStatics::extraImage};
  }
};
