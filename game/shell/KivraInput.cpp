// The promotion screen's pointer input, the opening of a chosen link (which
// ends the program), the visited mark and the main menu's direct link.
#include "game/GameStatics.h"
#include "game/shell/Kivra.h"
#include "game/toolkit/PendingExceptions.h"
#include "platform/java_lang/java_lang_System.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Graphics.h"
#include "platform/javax_microedition_lcdui/javax_microedition_lcdui_Image.h"
#include "platform/javax_microedition_midlet/javax_microedition_midlet_MIDlet.h"
#include "platform/javax_microedition_rms/javax_microedition_rms_RecordStore.h"
#include "runtime/LiteralIds.h"
#include "runtime/lang/DebugLog.h"
#include "runtime/lang/ObjectArray.h"
#include "runtime/lang/String.h"
#include "runtime/literals/StringLiteralPool.h"
#include "runtime/thread/java_lang_Thread.h"

namespace {

KivraStatics& kivra() { return shellStatics().Kivra; }

javax_microedition_lcdui_Image* fixedImage(int32_t i) {
  ObjectArray* images = kivra().images;
  return images != nullptr ? static_cast<javax_microedition_lcdui_Image*>(images->get(i)) : nullptr;
}
int32_t widthOf(javax_microedition_lcdui_Image* image) { return image != nullptr ? image->getWidth() : 0; }
int32_t heightOf(javax_microedition_lcdui_Image* image) { return image != nullptr ? image->getHeight() : 0; }

bool inside(int32_t v, int32_t low, int32_t high) { return v > low && v < high; }

int32_t hitList(int32_t x, int32_t y) {
  KivraStatics& k = kivra();
  const int32_t w = k.screenWidth;
  const int32_t h = k.screenHeight;
  if (!inside(x, k.listLeft, k.listLeft + k.listWidth)) return -1;
  const int32_t shown = std::min(k.visibleRows, k.rowCount - k.firstRow);
  for (int32_t row = 0; row < shown; ++row) {
    if (!inside(y, k.listTop + row * k.rowHeight, k.listTop + (row + 1) * k.rowHeight)) continue;
    if (k.firstRow + row == k.selectedRow) return Kivra::choose;
    k.selectedRow = k.firstRow + row;
    return 0;
  }
  const int32_t w12 = widthOf(fixedImage(12));
  if (k.visibleRows >= k.rowCount || !inside(x, w12 * 3 / 2 + 2, w - w12 * 3 / 2 + 2)) return -1;
  auto* listImages = k.listImages != nullptr ? static_cast<ObjectArray*>(k.listImages->get(k.listIndex)) : nullptr;
  auto* rowZero = listImages != nullptr ? static_cast<javax_microedition_lcdui_Image*>(listImages->get(0)) : nullptr;
  const int32_t s = widthOf(rowZero) + widthOf(fixedImage(5)) + w / 100 + h * 5 / 100;
  if (inside(y, k.upArrowY - (s - 1) / 2, k.upArrowY + s - 1) && k.selectedRow > 0) return Kivra::listUp;
  if (inside(y, k.downArrowY - (s - 1) / 2, k.downArrowY + s - 1) && k.selectedRow < k.rowCount - 1) {
    return Kivra::listDown;
  }
  return -1;
}

}  // namespace

int32_t Kivra::hitTest(int32_t x, int32_t y) {
  KivraStatics& k = kivra();
  if (x < 1 || y < 1 || k.state == loading || k.pageIndex < 0) return 0;
  const int32_t w = k.screenWidth;
  const int32_t h = k.screenHeight;
  if (k.listMode) {
    const int32_t code = hitList(x, y);
    if (code >= 0) return code;
  } else if ((k.linkButtonShown && inside(x, k.buttonX, k.buttonX + k.buttonWidth) &&
              inside(y, k.buttonY, k.buttonY + k.buttonHeight)) ||
             (inside(x, k.linkAreaX, k.linkAreaX + k.linkAreaWidth) &&
              inside(y, k.linkAreaY, k.linkAreaY + k.linkAreaHeight))) {
    return chooseLink;
  }
  const int32_t w7 = widthOf(fixedImage(7));
  const int32_t h7 = heightOf(fixedImage(7));
  if (inside(y, h / 2 - h7, h / 2 + h7)) {
    if (inside(x, 0, 2 * w7)) return previousPage;
    if (inside(x, w - 2 * w7, w + w7)) return nextPage;
  }
  const int32_t w13 = widthOf(fixedImage(13));
  if (!k.usesCommands && y >= h - 2 * heightOf(fixedImage(13)) && y <= h) {
    if (inside(x, 2, 2 + 2 * w13)) return 0;
    if (inside(x, w - 2 - 2 * w13, w - 2)) return back;
  }
  return 0;
}

void Kivra::pointerPressed(int32_t x, int32_t y) {
  const int32_t code = hitTest(x, y);
  if (code != 0) kivra().pressedAction = code;
}

void Kivra::pointerDragged(int32_t x, int32_t y) { pointerPressed(x, y); }

void Kivra::pointerReleased(int32_t x, int32_t y) {
  KivraStatics& k = kivra();
  const int32_t code = hitTest(x, y);
  if (code != 0) {
    k.action = code;
    k.pointerAction = true;
  }
  k.pressedAction = 0;
}

void Kivra::openLink() {
  KivraStatics& k = kivra();
  String* link = k.linkToOpen;
  if (link == nullptr || link->length() < 2) return;
  k.linkToOpen = nullptr;
  javax_microedition_midlet_MIDlet::platformRequest(k.midlet, link);
  java_lang_Thread::sleep(200);
  takePendingException(classid::java_lang_Exception);
  k.state = k.failed ? leaving : browsing;
  javax_microedition_midlet_MIDlet::notifyDestroyed(k.midlet);
}

bool Kivra::wasVisited() {
  KivraStatics& k = kivra();
  if (!k.initialised || k.visitedChecked) return k.visited;
  String* name = stringLiteral(static_cast<int32_t>(LiteralId::promotionVisitedStore));
  javax_microedition_rms_RecordStore* store = javax_microedition_rms_RecordStore::openRecordStore(name, false);
  if (takePendingException(classid::javax_microedition_rms_RecordStoreNotFoundException)) return false;
  if (takePendingException(classid::java_lang_Exception) || store == nullptr) {
    k.visitedChecked = true;
    return k.visited = false;
  }
  store->closeRecordStore();
  takePendingException(classid::java_lang_Exception);
  k.visited = k.visitedChecked = true;
  return true;
}

void Kivra::storeVisited() {
  KivraStatics& k = kivra();
  k.visited = k.visitedChecked = true;
  String* name = stringLiteral(static_cast<int32_t>(LiteralId::promotionVisitedStore));
  javax_microedition_rms_RecordStore* store = javax_microedition_rms_RecordStore::openRecordStore(name, false);
  if (takePendingException(classid::javax_microedition_rms_RecordStoreNotFoundException)) {
    store = javax_microedition_rms_RecordStore::openRecordStore(name, true);
  }
  if (takePendingException(classid::java_lang_Exception)) return (void)debugLog("Kivra: visited mark not stored");
  if (store != nullptr) store->closeRecordStore();
  takePendingException(classid::java_lang_Exception);
}

bool Kivra::paintNewArrow(javax_microedition_lcdui_Graphics* g, javax_microedition_lcdui_Image* image, int32_t x,
                          int32_t y, int32_t anchor) {
  KivraStatics& k = kivra();
  if (k.visited || !k.initialised || image == nullptr || g == nullptr) return false;
  const int64_t now = java_lang_System::currentTimeMillis();
  if (now - k.arrowToggleTime > 800) {
    k.arrowShown = !k.arrowShown;
    k.arrowToggleTime = now;
  }
  if (k.arrowShown) g->drawImage(image, x, y, anchor);
  return true;
}

bool Kivra::findDirectLink() {
  KivraStatics& k = kivra();
  if (k.directLinkMode) return true;
  String* wanted = stringLiteral(static_cast<int32_t>(LiteralId::promotionDirectValue));
  bool asked = false;
  for (int32_t i = 0; k.parameterValues != nullptr && i < k.parameterValues->length(); ++i) {
    auto* value = static_cast<String*>(k.parameterValues->get(i));
    asked = asked || (value != nullptr && wanted != nullptr && value->compareTo(wanted) == 0);
  }
  if (!asked) return false;
  // The marker as the template gives the looked-up value itself.
  String* marker = stringLiteral(static_cast<int32_t>(LiteralId::promotionValueMarker));
  String* link = lookupParameter(property(static_cast<int32_t>(LiteralId::promotionMainLinksProperty)),
                                 stringLiteral(static_cast<int32_t>(LiteralId::promotionDirectKey)), marker);
  if (!isValidValue(link)) {
    link = property(static_cast<int32_t>(LiteralId::promotionDirectProperty));
    link = link != nullptr ? link->trim() : nullptr;
  }
  if (!isValidValue(link)) return false;
  if (k.addParameter && k.parameterValues != nullptr) {
    String* suffix = lookupParameter(
        stringLiteral(static_cast<int32_t>(LiteralId::promotionMainLinkKey))
            ->concat(stringLiteral(static_cast<int32_t>(LiteralId::keyValueSeparator)))
            ->concat(static_cast<String*>(k.parameterValues->get(k.parameterIndex))),
        stringLiteral(static_cast<int32_t>(LiteralId::promotionMainLinkKey)),
        stringLiteral(static_cast<int32_t>(LiteralId::promotionMainLinkSuffix)));
    if (isValidValue(suffix)) link = link->concat(suffix);
  }
  k.directLink = link;
  k.directLinkMode = true;
  return true;
}

void Kivra::openDirectLink() {
  KivraStatics& k = kivra();
  k.failed = true;
  if (!findDirectLink()) return;
  k.linkToOpen = k.directLink;
  k.state = directLink;
}
