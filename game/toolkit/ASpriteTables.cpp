// Read accessors over the sprite's tables. A table the sprite does not have
// reads as empty: counts 0, values 0. Indices outside a table are the
// arrays' own checks (logged, 0).
#include "game/toolkit/ASprite.h"

namespace {

template <class ArrayKind>
int32_t lengthOf(const ArrayKind* array) {
  return array != nullptr ? array->length() : 0;
}

template <class ArrayKind>
int32_t valueOf(const ArrayKind* array, int32_t index) {
  return array != nullptr ? static_cast<int32_t>(array->get(index)) : 0;
}

int32_t unsignedByteOf(const ByteArray* array, int32_t index) { return valueOf(array, index) & 0xFF; }

// Rect tables are bytes, or shorts under flag 0x400.
int32_t rectValueOf(const Array* array, int32_t index, bool wide) {
  if (array == nullptr) return 0;
  if (wide) return static_cast<const ShortArray*>(array)->get(index);
  return static_cast<const ByteArray*>(array)->get(index);
}

}  // namespace

int32_t ASprite::getFrameCount() const { return lengthOf(frameModuleCount); }

int32_t ASprite::getAnimCount() const { return lengthOf(animAFrameCount); }

int32_t ASprite::getFModuleCount(int32_t frame) const { return unsignedByteOf(frameModuleCount, frame); }

int32_t ASprite::getAFrameCount(int32_t anim) const { return unsignedByteOf(animAFrameCount, anim); }

int32_t ASprite::getAFrameFrame(int32_t aframe) const {
  return unsignedByteOf(aframeFrame, aframe) | (valueOf(aframeFlags, aframe) & spritetransform::indexHighBits) << 2;
}

int32_t ASprite::getAFrameFrame(int32_t anim, int32_t aframe) const {
  return getAFrameFrame(valueOf(animFirstAFrame, anim) + aframe);
}

int32_t ASprite::getAFrameOffsetX(int32_t aframe) const { return valueOf(aframeX, aframe); }

int32_t ASprite::getAFrameOffsetY(int32_t aframe) const { return valueOf(aframeY, aframe); }

int32_t ASprite::getAFrameOffsetX(int32_t anim, int32_t aframe) const {
  return getAFrameOffsetX(valueOf(animFirstAFrame, anim) + aframe);
}

int32_t ASprite::getAFrameOffsetY(int32_t anim, int32_t aframe) const {
  return getAFrameOffsetY(valueOf(animFirstAFrame, anim) + aframe);
}

int32_t ASprite::getAFrameFlags(int32_t anim, int32_t aframe) const {
  return unsignedByteOf(aframeFlags, valueOf(animFirstAFrame, anim) + aframe);
}

int32_t ASprite::getAFrameTime(int32_t anim, int32_t aframe) const {
  return unsignedByteOf(aframeTime, valueOf(animFirstAFrame, anim) + aframe);
}

int32_t ASprite::getFModuleModule(int32_t fmodule) const {
  return unsignedByteOf(fmoduleModule, fmodule) | (valueOf(fmoduleFlags, fmodule) & spritetransform::indexHighBits) << 2;
}

int32_t ASprite::getFModuleModule(int32_t frame, int32_t fmodule) const {
  return getFModuleModule(valueOf(frameFirstModule, frame) + fmodule);
}

int32_t ASprite::getFModuleFlags(int32_t frame, int32_t fmodule) const {
  return unsignedByteOf(fmoduleFlags, valueOf(frameFirstModule, frame) + fmodule);
}

int32_t ASprite::getFModuleValue(int32_t frame, int32_t fmodule) const {
  return getFModuleX(valueOf(frameFirstModule, frame) + fmodule);
}

int32_t ASprite::getFModuleY(int32_t frame, int32_t fmodule) const {
  return getFModuleY(valueOf(frameFirstModule, frame) + fmodule);
}

int32_t ASprite::getFModuleX(int32_t fmodule) const { return valueOf(fmoduleX, fmodule); }

int32_t ASprite::getFModuleY(int32_t fmodule) const { return valueOf(fmoduleY, fmodule); }

int32_t ASprite::getFModulePalette(int32_t fmodule) const { return unsignedByteOf(fmodulePalette, fmodule); }

int32_t ASprite::getModuleKind(int32_t module) const { return valueOf(moduleKind, module); }

int32_t ASprite::getModuleX(int32_t module) const {
  return moduleXShorts != nullptr ? moduleXShorts->get(module) : unsignedByteOf(moduleXBytes, module);
}

int32_t ASprite::getModuleY(int32_t module) const {
  return moduleYShorts != nullptr ? moduleYShorts->get(module) : unsignedByteOf(moduleYBytes, module);
}

int32_t ASprite::getModuleWidth(int32_t module) const { return valueOf(moduleWidth, module) & 0xFFFF; }

int32_t ASprite::getModuleHeight(int32_t module) const { return valueOf(moduleHeight, module) & 0xFFFF; }

int32_t ASprite::getModuleColour(int32_t module) const { return valueOf(moduleColour, module); }

int32_t ASprite::getModuleParameterStart(int32_t module) const {
  for (int32_t i = 0; i + 1 < lengthOf(moduleParameterIndex); i += 2)
    if (moduleParameterIndex->get(i) == module) return moduleParameterIndex->get(i + 1);
  return -1;
}

int32_t ASprite::getFrameX(int32_t frame) const {
  return rectValueOf(frameRects, frame * 4, (flags & spriteflag::offsetsShorts) != 0);
}

int32_t ASprite::getFrameY(int32_t frame) const {
  return rectValueOf(frameRects, frame * 4 + 1, (flags & spriteflag::offsetsShorts) != 0);
}

int32_t ASprite::getFrameWidth(int32_t frame) const {
  const bool wide = (flags & spriteflag::offsetsShorts) != 0;
  return rectValueOf(frameRects, frame * 4 + 2, wide) & (wide ? 0xFFFF : 0xFF);
}

int32_t ASprite::getFrameHeight(int32_t frame) const {
  const bool wide = (flags & spriteflag::offsetsShorts) != 0;
  return rectValueOf(frameRects, frame * 4 + 3, wide) & (wide ? 0xFFFF : 0xFF);
}

int32_t ASprite::getFrameCollisionRectCount(int32_t frame) const {
  if (frameFirstCollisionRect == nullptr) return 0;
  return frameFirstCollisionRect->get(frame + 1) - frameFirstCollisionRect->get(frame);
}

int32_t ASprite::getCollisionRectValue(int32_t frame, int32_t rect, int32_t value) const {
  const int32_t index = (valueOf(frameFirstCollisionRect, frame) + rect) * 4 + value;
  return rectValueOf(collisionRects, index, (flags & spriteflag::offsetsShorts) != 0);
}

int32_t ASprite::getModuleDataOffset(int32_t module) const { return valueOf(moduleDataOffsets, module); }
