#pragma once
// The hint shown over play: its text, how long it stays, an optional icon
// and the top of its box. The world's effects set them; the shell paints.
#include <cstdint>

#include "runtime/object/ReferenceFields.h"

class CVLibPlayer;
class String;

struct cGameNoticeStatics {
  String* noticeText;
  int32_t noticeRemaining;  // ms; nothing is shown at 0
  int32_t noticeY;
  CVLibPlayer* noticeIcon;  // null: a hint without an icon
  static constexpr auto referenceFields() {
    return ReferenceFieldList{&cGameNoticeStatics::noticeText, &cGameNoticeStatics::noticeIcon};
  }
};
