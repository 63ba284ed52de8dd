#pragma once
// How the media natives compare a content type or control name: the given
// text matches when it is empty or is a prefix of the name, ASCII letters
// compared without case. A null text matches nothing.
class String;

bool matchesMediaName(String* given, const char* name);
