#pragma once
// cGame's story progress: the chapter being played, its progress value and
// the switches that follow from it, and each value's resource ids.
#include <cstdint>

#include "runtime/object/ReferenceFields.h"

class IntArray;
class ObjectArray;

struct cGameProgressStatics {
  static constexpr int32_t chapterCount = 10;

  IntArray* progress;          // int[10]: 0..9, the progress value of each chapter
  ObjectArray* idsByProgress;  // ten int[], by progress value
  int32_t chapter;
  int32_t finishedChapter;  // the chapter just completed, -1 none
  bool sideViewMode;        // progress value 1 or 6
  bool chapterEnding;       // no next chapter
  bool chapterFlag;         // a chapter of value 1 was started
  bool roomFlag;            // the current room header's last flag (set by the room loader)

  static constexpr auto referenceFields() {
    return ReferenceFieldList{&cGameProgressStatics::progress, &cGameProgressStatics::idsByProgress};
  }
};
