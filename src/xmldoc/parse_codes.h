// The service's parse error codes for the malformations that the interface does not name, as a
// backend that parses by itself reports them.
#ifndef L3XML_XMLDOC_PARSE_CODES_H
#define L3XML_XMLDOC_PARSE_CODES_H

#include "xmldoc/xml_dom.h"

namespace l3xml {
namespace dom {

inline constexpr Status kParseMissingQuote = static_cast<Status>(0xC00CE502u);
inline constexpr Status kParseCommentSyntax = static_cast<Status>(0xC00CE503u);
inline constexpr Status kParseBadNameChar = static_cast<Status>(0xC00CE505u);
inline constexpr Status kParseBadCharInString = static_cast<Status>(0xC00CE506u);
inline constexpr Status kParseBadCharData = static_cast<Status>(0xC00CE508u);
inline constexpr Status kParseMissingWhitespace = static_cast<Status>(0xC00CE509u);
inline constexpr Status kParseExpectingTagEnd = static_cast<Status>(0xC00CE50Au);
inline constexpr Status kParseMissingSemicolon = static_cast<Status>(0xC00CE50Du);
inline constexpr Status kParseInternalError = static_cast<Status>(0xC00CE512u);
inline constexpr Status kParseUnexpectedWhitespace = static_cast<Status>(0xC00CE513u);
inline constexpr Status kParsePiSyntax = static_cast<Status>(0xC00CE51Au);
inline constexpr Status kParseMultipleColons = static_cast<Status>(0xC00CE51Cu);
inline constexpr Status kParseBadDecimal = static_cast<Status>(0xC00CE51Du);
inline constexpr Status kParseBadHexadecimal = static_cast<Status>(0xC00CE51Eu);
inline constexpr Status kParseBadUnicode = static_cast<Status>(0xC00CE51Fu);
inline constexpr Status kParseDuplicateAttribute = static_cast<Status>(0xC00CE554u);
inline constexpr Status kParseBadDeclaration = static_cast<Status>(0xC00CE557u);
inline constexpr Status kParseUnexpectedEnd = static_cast<Status>(0xC00CE559u);
inline constexpr Status kParseCdataEndInText = static_cast<Status>(0xC00CE55Cu);
inline constexpr Status kParseBadDoctype = static_cast<Status>(0xC00CE563u);
inline constexpr Status kParseUnclosedCdata = static_cast<Status>(0xC00CE564u);
inline constexpr Status kParseExpectingVersion = static_cast<Status>(0xC00CE569u);
inline constexpr Status kParseUnknownEncoding = static_cast<Status>(0xC00CE56Eu);
inline constexpr Status kParseEncodingSwitch = static_cast<Status>(0xC00CE56Fu);
inline constexpr Status kParseReservedName = static_cast<Status>(0xC00CE576u);
inline constexpr Status kParseBadStandalone = static_cast<Status>(0xC00CE579u);
inline constexpr Status kParseUndefinedEntity = static_cast<Status>(0xC00CE57Cu);
inline constexpr Status kParseBadVersion = static_cast<Status>(0xC00CE57Fu);

}  // namespace dom
}  // namespace l3xml

#endif  // L3XML_XMLDOC_PARSE_CODES_H
