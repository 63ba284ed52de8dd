// The promotion screen's life: set-up at start-up, each opening, the states
// of one frame and the view of the current page.
#include "game/GameStatics.h"
#include "game/shell/Kivra.h"
#include "runtime/LiteralIds.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/DebugLog.h"
#include "runtime/lang/ObjectArray.h"
#include "runtime/lang/String.h"
#include "runtime/literals/StringLiteralPool.h"

namespace {

KivraStatics& kivra() { return shellStatics().Kivra; }

void setScreenSize(int32_t width, int32_t height) {
  KivraStatics& k = kivra();
  k.screenWidth = width;
  k.screenHeight = height;
  k.centreX = width / 2;
  k.centreY = height / 2;
  k.pageHeight = height * 93 / 100;
  k.pageMargin = height * 5 / 100;
}

bool pageEnabled(int32_t page) { return kivra().pageEnabled != nullptr && kivra().pageEnabled->get(page); }

int32_t firstEnabledPage() {
  for (int32_t page = 0; page < kivra().pageCount; ++page) {
    if (pageEnabled(page)) return page;
  }
  return -1;
}

void resetListView() {
  kivra().firstRow = 0;
  kivra().selectedRow = 0;
}

// Steps back (-1) or forward (1), wrapping, to the next enabled page.
void stepPage(int32_t direction) {
  KivraStatics& k = kivra();
  for (int32_t tries = 0; tries < k.pageCount; ++tries) {
    k.pageIndex = (k.pageIndex + direction + k.pageCount) % k.pageCount;
    if (pageEnabled(k.pageIndex)) break;
  }
}

// The chosen link with the parameter value put in (or appended).
String* completeLink(String* link) {
  KivraStatics& k = kivra();
  if (!k.addParameter || k.parameterValues == nullptr) return link;
  auto* value = static_cast<String*>(k.parameterValues->get(k.parameterIndex));
  String* marker = stringLiteral(static_cast<int32_t>(LiteralId::promotionParameter));
  if (value == nullptr || marker == nullptr) return link;
  const int32_t at = link->indexOf(marker);
  String* head = link->concat(marker);
  String* tail = nullptr;
  if (at >= 0) {
    head = link->substring(0, at + marker->length());
    // The one placeholder character after the marker goes; a marker at the
    // very end has none.
    const int32_t rest = at + marker->length() + 1;
    tail = rest < link->length() ? link->substring(rest) : nullptr;
  }
  String* completed = head->concat(value);
  return tail != nullptr ? completed->concat(tail) : completed;
}

void takeChosenLink() {
  KivraStatics& k = kivra();
  String* link = nullptr;
  if (k.listMode) {
    auto* links = k.rowLinks != nullptr ? static_cast<ObjectArray*>(k.rowLinks->get(k.listIndex)) : nullptr;
    if (links != nullptr) link = static_cast<String*>(links->get(k.selectedRow));
  } else if (k.pageLinks != nullptr) {
    link = static_cast<String*>(k.pageLinks->get(k.pageIndex));
  }
  if (link == nullptr || link->length() < 2) return;
  k.linkToOpen = completeLink(link);
}

void browse(int32_t action) {
  KivraStatics& k = kivra();
  switch (action) {
    case Kivra::listUp:
      if (k.listMode && k.selectedRow >= 1) {
        --k.selectedRow;
        if (k.selectedRow < k.firstRow) --k.firstRow;
      }
      break;
    case Kivra::listDown:
      if (k.listMode && k.selectedRow < k.rowCount - 1) {
        ++k.selectedRow;
        if (k.selectedRow >= k.firstRow + k.visibleRows) ++k.firstRow;
      }
      break;
    case Kivra::previousPage:
    case Kivra::nextPage:
      if (k.enabledPageCount < 2) break;
      if (action == Kivra::nextPage && k.leftPressed) {
        resetListView();
        break;
      }
      stepPage(action == Kivra::nextPage ? 1 : -1);
      resetListView();
      Kivra::resetPageView();
      (action == Kivra::nextPage ? k.rightPressed : k.leftPressed) = true;
      break;
    case Kivra::choose:
    case Kivra::chooseLink: k.state = Kivra::linkChosen; break;
    case Kivra::back: k.state = Kivra::leaving; break;
    default: break;
  }
}

}  // namespace

void Kivra::clinit() {
  KivraStatics& k = kivra();
  k.highlightColour = 0xCF0900;
  k.enabledPageCount = -1;
  k.cachedEntryIndex = -1;
  k.fontColour = 1;
}

void Kivra::initialize(javax_microedition_midlet_MIDlet* midlet, String* resourceName, int32_t width, int32_t height,
                       Object* displayable) {
  KivraStatics& k = kivra();
  setScreenSize(width, height);
  if (k.midlet != nullptr || midlet == nullptr || resourceName == nullptr) return;
  k.midlet = midlet;
  k.packName = resourceName;
  k.usesCommands = displayable != nullptr;
  buildPages();
}

void Kivra::openScreen(String* statusText, int32_t index) {
  KivraStatics& k = kivra();
  resetInput();
  k.failed = false;
  if (k.parameterValues == nullptr || index < 0 || index >= k.parameterValues->length()) {
    // Nothing could be loaded: the screen leaves at its first update.
    k.state = leaving;
    return;
  }
  k.loadIndex = -1;
  k.savedState = -1;
  k.parameterIndex = index;
  k.statusText = statusText;
  k.state = loading;
  k.pageIndex = 0;
  resetListView();
  k.lineWidths = newIntArray(10);
  k.leftPressed = k.rightPressed = false;
  k.arrowPressFrames = 0;
  k.loadTotal = k.pageCount + 4;
  storeVisited();
  k.pageIndex = firstEnabledPage();
  if (k.pageIndex < 0) {
    k.initialised = false;
    k.state = leaving;
    debugLog("Kivra: no page enabled; not initialised");
  }
}

bool Kivra::update(int32_t action) {
  KivraStatics& k = kivra();
  if (k.failed) return !k.directLinkMode || k.state == leaving;
  if (!k.initialised) return true;
  if (k.pointerAction) {
    k.pointerAction = false;
  } else {
    k.action = action;
  }
  switch (k.state) {
    case loading:
      if (k.loadIndex < k.loadTotal) {
        loadStep(k.loadIndex);
        ++k.loadIndex;
      } else {
        k.state = browsing;
        resetPageView();
        ++k.loadIndex;
      }
      break;
    case browsing:
      if (k.action >= listUp && k.action <= listDown) browse(k.action);
      break;
    case pageReload:
      releasePageResources();
      loadStep(pageLoadStep());
      k.state = browsing;
      break;
    case message:
      if (k.action == choose) takeChosenLink();
      if (k.action == back) k.state = browsing;
      break;
    case leaving:
      releasePageResources();
      releasePack();
      return true;
    case linkChosen: takeChosenLink(); break;
    default: break;
  }
  return false;
}

void Kivra::resetPageView() {
  KivraStatics& k = kivra();
  const int32_t page = k.pageIndex;
  k.titleTextId = page;
  resetListView();
  k.rowCount = 0;
  k.listMode = false;
  auto* link = k.pageLinks != nullptr ? static_cast<String*>(k.pageLinks->get(page)) : nullptr;
  String* noLink = stringLiteral(static_cast<int32_t>(LiteralId::promotionNoLink));
  k.linkButtonShown = link != nullptr && link->length() > 0 && (noLink == nullptr || link->compareTo(noLink) != 0);
  if (page == k.firstListPage || page == k.secondListPage) {
    k.listMode = true;
    k.listIndex = page == k.firstListPage ? 0 : 1;
    k.linkButtonShown = false;
    k.rowCount = k.listRowCounts != nullptr ? k.listRowCounts->get(k.listIndex) : 0;
  }
  if (page == k.bannerPage || page == k.fullScreenPage) k.linkButtonShown = true;
  k.linkTextId = k.firstTextId + (page < k.mainLinkPage ? 10 : 9);
}

void Kivra::resetInput() {
  KivraStatics& k = kivra();
  k.action = 0;
  k.pointerAction = true;
  k.pressedAction = 0;
}

void Kivra::sizeChanged() {
  KivraStatics& k = kivra();
  setScreenSize(k.screenHeight, k.screenWidth);
  if (k.state == browsing) resetPageView();
}

void Kivra::hide() {
  KivraStatics& k = kivra();
  if (k.state == loading || k.state == pageReload) {
    k.savedState = k.state;
    k.state = paused;
  }
  resetInput();
}

void Kivra::show() {
  KivraStatics& k = kivra();
  if (k.state == paused) {
    k.state = k.savedState;
    k.loadIndex = -1;
  }
  resetInput();
}

String* Kivra::getText(int32_t id) {
  ObjectArray* texts = kivra().texts;
  String* text = texts != nullptr && id >= 0 && id < texts->length() ? static_cast<String*>(texts->get(id)) : nullptr;
  return text != nullptr ? text : stringLiteral(static_cast<int32_t>(LiteralId::emptyText));
}

int32_t Kivra::pageLoadStep() {
  KivraStatics& k = kivra();
  const int32_t page = k.pageIndex;
  if (k.pageStep != nullptr && page >= 0 && page < k.pageStep->length() && k.pageStep->get(page) == 4) return 4;
  if (page == k.mainLinkPage) return 5;
  if (page == k.firstListPage) return 6;
  if (page == k.secondListPage) return 7;
  if (page == k.bannerPage) return 8;
  if (page == k.fullScreenPage && k.pageCount > k.fullScreenPage) return 9;
  return -1;
}
