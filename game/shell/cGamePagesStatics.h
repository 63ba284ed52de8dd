#pragma once
// The screens after play and beside the menus: the results of a chapter,
// the scrolling text page (the credits) and the help pages.
#include <cstdint>

#include "runtime/object/ReferenceFields.h"

class CVLibPlayer;
class ObjectArray;
class String;

struct cGamePagesStatics {
  static constexpr int32_t helpPageCount = 7;

  // Results: phases 0..5 (fade in and out the first title, fade in the
  // second, rows one by one, the grade, waiting for the player).
  int32_t resultsPhase;
  int32_t resultsFade;  // 0..350
  String* resultsTitle;
  int32_t resultsRow;  // last row shown, -1 none
  CVLibPlayer* resultsAnim;
  ObjectArray* resultsRowTable;  // six int[3]: label text, count index or -1, score index

  // Text page. Its scroll position is its own: the loader's step counter
  // must not move the credits (nor the credits a loading run).
  String* textPageLines;  // the wrapped text, lines split by line breaks
  int32_t textPageHeight;  // lines x line pitch
  int32_t textPageY;       // y of the first line
  bool textPageAutoReturn;

  int32_t helpPage;  // 0..6

  static constexpr auto referenceFields() {
    return ReferenceFieldList{&cGamePagesStatics::resultsTitle, &cGamePagesStatics::resultsAnim,
                              &cGamePagesStatics::resultsRowTable, &cGamePagesStatics::textPageLines};
  }
};
