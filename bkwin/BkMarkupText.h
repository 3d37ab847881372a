// Plain text placed inside markup (rich text, loaded children): each character that the XML
// reader would take as markup is written as its entity, so the text shows as written and never
// adds elements.
#pragma once

#include "platform/base/Types.h"

#include <string_view>

// The character's text in markup; a character that needs no escape is viewed where it is.
inline std::wstring_view EscapedMarkupCharacter(const wchar_t& character) {
    switch (character) {
    case L'<':
        return L"&lt;";
    case L'>':
        return L"&gt;";
    case L'&':
        return L"&amp;";
    case L'"':
        return L"&quot;";
    case L'\'':
        return L"&apos;";
    default:
        return {&character, 1};
    }
}

inline WString EscapeMarkup(const WString& text) {
    WString out;
    for (const wchar_t& character : text) {
        out += EscapedMarkupCharacter(character);
    }
    return out;
}
