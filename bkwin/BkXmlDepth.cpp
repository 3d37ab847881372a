#include "bkwin/BkXmlDepth.h"

#include <tinyxml.h>

#include <algorithm>
#include <cctype>
#include <string>

namespace {

// Where the reader starts an element: '<' then a letter, an underscore or any byte of a
// multi-byte UTF-8 character.
bool StartsElementName(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 0x7F || std::isalpha(byte) || c == '_';
}

// The position after the first `end` at or after `from`, or the end of the text.
std::size_t After(std::string_view xml, std::size_t from, std::string_view end) {
    const std::size_t found = xml.find(end, from);
    return found == std::string_view::npos ? xml.size() : found + end.size();
}

} // namespace

int XmlNestingDepth(std::string_view xml) {
    int depth = 0;
    int deepest = 0;
    std::size_t i = 0;
    while (i < xml.size()) {
        if (xml[i] != '<') {
            ++i;
            continue;
        }
        const std::string_view rest = xml.substr(i);
        if (rest.starts_with("<!--")) {
            i = After(xml, i + 4, "-->");
        } else if (rest.starts_with("<![CDATA[")) {
            i = After(xml, i + 9, "]]>");
        } else if (rest.starts_with("</")) {
            // An end tag ends the open element, or the reader gives up at a mismatched one.
            depth = std::max(depth - 1, 0);
            i = After(xml, i + 2, ">");
        } else if (rest.size() > 1 && StartsElementName(rest[1])) {
            deepest = std::max(deepest, ++depth);
            // The start tag: quoted values may hold '>' and "/>".
            for (i += 1; i < xml.size() && xml[i] != '>'; ++i) {
                if (xml[i] == '"' || xml[i] == '\'') {
                    const std::size_t close = xml.find(xml[i], i + 1);
                    i = close == std::string_view::npos ? xml.size() - 1 : close;
                } else if (xml[i] == '/' && i + 1 < xml.size() && xml[i + 1] == '>') {
                    --depth;
                }
            }
            ++i;
        } else {
            // Declarations and anything else the reader does not know end at the first '>'.
            i = After(xml, i + 1, ">");
        }
    }
    return deepest;
}

bool ParseXmlWithinDepth(std::string_view xml, int maxDepth, TiXmlDocument& document) {
    if (XmlNestingDepth(xml) > maxDepth) {
        return false;
    }
    document.Parse(std::string(xml).c_str(), nullptr, TIXML_ENCODING_UTF8);
    return !document.Error();
}
