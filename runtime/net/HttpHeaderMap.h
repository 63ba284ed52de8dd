#pragma once
// Header names compare without regard to ASCII case, as HTTP defines them:
// "content-length" finds "Content-Length".
#include <map>
#include <string>
#include <string_view>

struct HeaderNameLess {
  using is_transparent = void;
  bool operator()(std::u16string_view left, std::u16string_view right) const;
};

using HttpHeaderMap = std::map<std::u16string, std::u16string, HeaderNameLess>;
