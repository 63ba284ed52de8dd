#pragma once
// A compiled method's catch blocks: entries searched in order, ended by one
// whose caughtClassId is 0. An entry covers the sites firstSite <= site <
// endSite.
#include <cstdint>

struct HandlerTableEntry {
  uint32_t caughtClassId;
  uint32_t firstSite;
  uint32_t endSite;
};
