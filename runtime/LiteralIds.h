#pragma once
// Indices of the string-literal pool (/constants.bin) that code asks for by
// number. The texts live in content/literals.txt; the content compiler
// refuses a table that lacks any index named here.
#include <cstdint>
#include <string_view>

#define QUENDRILL_LITERALS(X)               \
  X(promotionPack, 0)                       \
  X(emptyText, 1)                           \
  X(promotionNoLink, 11)                    \
  X(promotionNullValue, 12)                 \
  X(promotionZero, 13)                      \
  X(keyValueSeparator, 14)                  \
  X(promotionEntrySeparator, 15)            \
  X(promotionBannerKey, 16)                 \
  X(promotionValueMarker, 17)               \
  X(promotionCounterSeparator, 19)          \
  X(promotionMainLinkSuffix, 20)            \
  X(promotionMainLinksProperty, 21)         \
  X(promotionMainLinkRow, 23)               \
  X(promotionWideGlyphVersion, 26)          \
  X(promotionTemplateProperty, 29)          \
  X(promotionParameterMarker, 30)           \
  X(promotionPagesProperty, 31)             \
  X(promotionMainLinkProperty, 32)          \
  X(promotionNoticeProperty, 33)            \
  X(promotionMainLinkKey, 34)               \
  X(promotionFirstListProperty, 36)         \
  X(promotionSecondListProperty, 37)        \
  X(promotionBannerSuffix, 38)              \
  X(promotionDirectValue, 44)               \
  X(promotionDirectKey, 45)                 \
  X(promotionDirectProperty, 46)            \
  X(wrapSeparator, 47)                      \
  X(textEncodingName, 48)                   \
  X(languageSuffix7, 49)                    \
  X(promotionExtraImageValue, 50)           \
  X(promotionParameter, 51)                 \
  X(promotionVisitedStore, 52)              \
  X(listSeparator, 107)                     \
  X(loadingSpritePack, 126)                 \
  X(packNamePrefix, 128)                    \
  X(diagnosticsFpsLabel, 198)               \
  X(diagnosticsMemoryLabel, 199)            \
  X(fontPack, 130)                          \
  X(mathTablePack, 134)                     \
  X(commonSpritePack, 139)                  \
  X(heroSpritePack, 141)                    \
  X(objectSpritePack, 145)                  \
  X(castSpritePackA, 148)                   \
  X(castSpritePackB, 151)                   \
  X(levelPack, 153)                         \
  X(tileSetPack, 154)                       \
  X(firstMapPack, 155)                      \
  X(menuStateSeparator, 160)                \
  X(paletteSwitchCode, 161)                 \
  X(savedGameStore, 166)                    \
  X(soundTypeTablePack, 167)                \
  X(soundPack, 168)                         \
  X(contentTypeWave, 169)                   \
  X(contentTypeAmr, 170)                    \
  X(contentTypeCmid, 171)                   \
  X(contentTypeOgg, 172)                    \
  X(contentTypeOther, 173)                  \
  X(clockDigitPadding, 13)                  \
  X(ammunitionLabel, 180)                   \
  X(narrationCaptionLead, 181)              \
  X(itemCountPrefix, 193)                   \
  X(twoDigitOverflow, 185)                  \
  X(combinationTableFull, 186)              \
  X(clockSeparatorPadded, 187)              \
  X(clockSeparator, 188)                    \
  X(uiSpritePack, 190)                      \
  X(versionProperty, 191)                   \
  X(languageSuffix0, 200)                   \
  X(languageSuffix1, 201)                   \
  X(languageSuffix2, 202)                   \
  X(languageSuffix3, 203)                   \
  X(languageSuffix4, 204)                   \
  X(languageSuffix5, 205)                   \
  X(languageSuffix6, 206)                   \
  X(languageSuffix8, 207)                   \
  X(languageSuffix9, 208)                   \
  X(languageSuffix10, 209)                  \
  X(languageSuffix11, 210)                  \
  X(languageSuffix12, 211)                  \
  X(languageSuffix13, 212)                  \
  X(languageSuffix14, 213)                  \
  X(packPartInfix, 217)                     \
  X(vectorNegativeCapacity, 220)            \
  X(timeZoneBadDaylightSaving, 221)         \
  X(timeZoneBadMonth, 222)                  \
  X(timeZoneFirstId, 223)                   \
  X(startRuleBadMonth, 224)                 \
  X(startRuleBadTime, 225)                  \
  X(startRuleBadDayOfWeek, 226)             \
  X(startRuleBadDayOfWeekInMonth, 227)      \
  X(startRuleBadDay, 228)                   \
  X(endRuleBadMonth, 229)                   \
  X(endRuleBadTime, 230)                    \
  X(endRuleBadDayOfWeek, 231)               \
  X(endRuleBadDayOfWeekInMonth, 232)        \
  X(endRuleBadDay, 233)                     \
  X(timeZoneSecondId, 234)                  \
  X(timerNegativeDelay, 235)                \
  X(timerNonPositivePeriod, 236)            \
  X(timerNegativeTime, 237)                 \
  X(timerCancelled, 238)                    \
  X(timerTaskNotNew, 239)                   \
  X(randomBoundNotPositive, 240)            \
  X(hashtableTextStart, 241)                \
  X(hashtableTextEnd, 242)                  \
  X(hashtableNoMoreElements, 243)           \
  X(dateTextOfNull, 244)                    \
  X(monthName0, 245)                        \
  X(monthName1, 246)                        \
  X(monthName2, 247)                        \
  X(monthName3, 248)                        \
  X(monthName4, 249)                        \
  X(monthName5, 250)                        \
  X(monthName6, 251)                        \
  X(monthName7, 252)                        \
  X(monthName8, 253)                        \
  X(monthName9, 254)                        \
  X(monthName10, 255)                       \
  X(monthName11, 256)                       \
  X(dayName0, 257)                          \
  X(dayName1, 258)                          \
  X(dayName2, 259)                          \
  X(dayName3, 260)                          \
  X(dayName4, 261)                          \
  X(dayName5, 262)                          \
  X(dayName6, 263)                          \
  X(arrayIndexOutOfBoundsMessage, 265)      \
  X(threadTextStart, 266)                   \
  X(threadTextPriority, 267)                \
  X(threadTextEnd, 268)                     \
  X(systemPropertyKey, 269)                 \
  X(systemPropertyValue, 270)               \
  X(floatText, 271)                         \
  X(trueText, 277)                          \
  X(falseText, 278)                         \
  X(recordStoreSeparator, 300)              \
  X(recordStorePrefix, 301)                 \
  X(recordStoreSuffix, 302)                 \
  X(recordStoreRecordInfix, 303)            \
  X(recordStoreDefaultVendor, 304)          \
  X(recordStoreOwnerSuffix, 305)            \
  X(recordStoreFull, 306)                   \
  X(recordStoreWriteFailed, 307)            \
  X(recordStoreBadIndex, 308)               \
  X(recordStoreNameTaken, 309)              \
  X(recordStoreReadFailed, 310)             \
  X(savedGameRefusedInfix, 311)

enum class LiteralId : int32_t {
#define QUENDRILL_LITERAL_ENUMERATOR(name, index) name = index,
  QUENDRILL_LITERALS(QUENDRILL_LITERAL_ENUMERATOR)
#undef QUENDRILL_LITERAL_ENUMERATOR
};

// The language suffixes of the text packs' names, in the order of the
// game's language indices (0..14).
inline constexpr LiteralId languageSuffixLiterals[] = {
    LiteralId::languageSuffix0,  LiteralId::languageSuffix1,  LiteralId::languageSuffix2,
    LiteralId::languageSuffix3,  LiteralId::languageSuffix4,  LiteralId::languageSuffix5,
    LiteralId::languageSuffix6,  LiteralId::languageSuffix7,  LiteralId::languageSuffix8,
    LiteralId::languageSuffix9,  LiteralId::languageSuffix10, LiteralId::languageSuffix11,
    LiteralId::languageSuffix12, LiteralId::languageSuffix13, LiteralId::languageSuffix14,
};

struct NamedLiteral {
  std::string_view name;
  int32_t index;
};

// Every index above with its name, for the content compiler and the tests.
inline constexpr NamedLiteral namedLiterals[] = {
#define QUENDRILL_NAMED_LITERAL(name, index) {#name, index},
    QUENDRILL_LITERALS(QUENDRILL_NAMED_LITERAL)
#undef QUENDRILL_NAMED_LITERAL
};
