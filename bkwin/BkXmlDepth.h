// A guard for XML that arrives at run time (message-box markup, rich text, children loaded by
// id, the update prompt's text from the network): the XML reader, and the element and markup
// trees built from it, recurse once per nesting level, so markup nested too deeply is refused
// before it is parsed.
#pragma once

#include <string_view>

class TiXmlDocument;

// The deepest nesting accepted in run-time XML, in elements.
constexpr int kMaxXmlDepth = 64;

// How deeply the elements of the text nest, as the XML reader would build them; comments,
// CDATA sections, declarations and quoted attribute values are skipped. Never less than the
// depth the reader reaches, so a text within a limit here is within it when parsed.
int XmlNestingDepth(std::string_view xml);

// Parses the UTF-8 text into `document` when its elements nest at most `maxDepth` deep. False
// when it nests deeper (nothing is parsed then) or does not parse.
bool ParseXmlWithinDepth(std::string_view xml, int maxDepth, TiXmlDocument& document);
