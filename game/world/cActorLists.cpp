// The layer list (ascending DepthKey), the factory and the display list.
#include "game/GameStatics.h"
#include "game/shell/cGame.h"
#include "game/world/cActor.h"
#include "runtime/lang/Arrays.h"
#include "runtime/lang/DebugLog.h"
#include "runtime/object/ObjectFactory.h"

namespace {

cActorStatics& lists() { return worldStatics().cActor; }

void setLayerHead(int32_t layer, cActor* actor) {
  ObjectArray* heads = lists().layerHeads;
  if (heads != nullptr && layer >= 0 && layer < heads->length()) heads->set(layer, actor);
}

cActor* displayEntry(ObjectArray* list, int32_t i) { return static_cast<cActor*>(list->get(i)); }

}  // namespace

void cActor::initLists() {
  cActorStatics& state = lists();
  state.layerHeads = newObjectArray(1);
  state.displayList = newObjectArray(cActorStatics::displayCapacity);
  state.displayCount = 0;
  state.displayOverflowLogged = false;
  worldStatics().cGamePlay.hudActionHighlight = false;
  worldStatics().cGamePlay.areaTriggerCount = 0;
}

void cActor::initDisplayList() {
  releaseLayer(0);
  lists().displayCount = 0;
  lists().displayList = newObjectArray(cActorStatics::displayCapacity);
}

cActor* cActor::layerHead(int32_t layer) {
  ObjectArray* heads = lists().layerHeads;
  if (heads == nullptr || layer < 0 || layer >= heads->length()) return nullptr;
  return static_cast<cActor*>(heads->get(layer));
}

cActor* cActor::create(int32_t kind, int32_t layer, IntArray* position) {
  cActor* actor = newObject<cActor>();
  if (actor == nullptr) return nullptr;
  actor->init(kind, position);
  actor->insertIntoLayer(layer);
  return actor;
}

int64_t cActor::getDepthKey() const {
  return int64_t{getPixelZ()} * (int64_t{1} << 40) + int64_t{getPixelY()} * (int64_t{1} << 20) + getPixelX();
}

int32_t cActor::compareDepth(cActor* a, cActor* b) { return a->getDepthKey() > b->getDepthKey() ? -1 : 1; }

void cActor::insertIntoLayer(int32_t newLayer) {
  layer = newLayer;
  const int64_t key = getDepthKey();
  cActor* previous = nullptr;
  cActor* next = layerHead(newLayer);
  // Equal keys stay in front of the newcomer: it goes after them.
  while (next != nullptr && next->getDepthKey() <= key) {
    previous = next;
    next = next->nextInLayer;
  }
  prevInLayer = previous;
  nextInLayer = next;
  if (previous != nullptr) previous->nextInLayer = this;
  else setLayerHead(newLayer, this);
  if (next != nullptr) next->prevInLayer = this;
}

void cActor::unlink() {
  if (prevInLayer != nullptr) prevInLayer->nextInLayer = nextInLayer;
  else if (layerHead(layer) == this) setLayerHead(layer, nextInLayer);
  if (nextInLayer != nullptr) nextInLayer->prevInLayer = prevInLayer;
  layer = -1;
  nextInLayer = nullptr;
  prevInLayer = nullptr;
}

void cActor::reposition() {
  const int64_t key = getDepthKey();
  const bool outOfPlace = (nextInLayer != nullptr && nextInLayer->getDepthKey() < key) ||
                          (prevInLayer != nullptr && prevInLayer->getDepthKey() > key);
  if (!outOfPlace) return;
  const int32_t sameLayer = layer;
  unlink();
  insertIntoLayer(sameLayer);
}

void cActor::resortMoved(int32_t layer) {
  cActor* actor = layerHead(layer);
  while (actor != nullptr) {
    // Taken before the move: an actor re-placed further down would otherwise
    // end the walk early and leave the movers behind it out of order.
    cActor* next = actor->nextInLayer;
    if (actor->hasFlag(ActorFlags::MOVED)) {
      actor->reposition();
      actor->flags &= ~ActorFlags::MOVED;
    }
    actor = next;
  }
}

void cActor::releaseLayer(int32_t layer) {
  while (cActor* head = layerHead(layer)) head->unlink();
}

void cActor::sortDisplayList(ObjectArray* list, int32_t lo, int32_t hi) {
  // Quicksort with the range's first entry as pivot; the right part is
  // handled by the loop. Equal keys end where these exact steps put them.
  while (lo < hi) {
    cActor* pivot = displayEntry(list, lo);
    const int64_t pivotKey = pivot->getDepthKey();
    int32_t i = lo;
    int32_t j = hi;
    while (i < j) {
      while (displayEntry(list, j)->getDepthKey() > pivotKey && i < j) --j;
      list->set(i, list->get(j));
      while (displayEntry(list, i)->getDepthKey() <= pivotKey && i < j) ++i;
      list->set(j, list->get(i));
    }
    list->set(i, pivot);
    if (i - 1 > lo) sortDisplayList(list, lo, i - 1);
    lo = i + 1;
  }
}

void cActor::paintLayer(int32_t layer) {
  cActorStatics& state = lists();
  ObjectArray* list = state.displayList;
  state.displayCount = 0;
  if (list == nullptr) return;
  for (cActor* actor = layerHead(layer); actor != nullptr; actor = actor->nextInLayer) {
    if (!actor->isOnScreen()) continue;
    // A room is made to keep within the list; past it the rest are left out.
    if (state.displayCount >= list->length()) {
      if (!state.displayOverflowLogged) {
        debugLog("More than %d actors on screen; the rest are not painted", list->length());
        state.displayOverflowLogged = true;
      }
      break;
    }
    list->set(state.displayCount++, actor);
  }
  sortDisplayList(list, 0, state.displayCount - 1);
  for (int32_t i = 0; i < state.displayCount; ++i) {
    if (cActor* actor = displayEntry(list, i)) actor->paint();
  }
}

void cGameWorld::registerAllActors() {
  for (cActor* actor = cActor::layerHead(0); actor != nullptr; actor = actor->nextInLayer) {
    cGame::addScriptActor(actor);
  }
}
