#include "runtime/net/HttpHeaderMap.h"

#include <algorithm>

namespace {
char16_t foldAsciiCase(char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c; }
}  // namespace

bool HeaderNameLess::operator()(std::u16string_view left, std::u16string_view right) const {
  return std::lexicographical_compare(left.begin(), left.end(), right.begin(), right.end(),
                                      [](char16_t a, char16_t b) { return foldAsciiCase(a) < foldAsciiCase(b); });
}
