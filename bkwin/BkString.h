// The string table: texts of the user interface by number, loaded from an XML resource whose
// root "string" holds <s id="N">text</s> elements.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <unordered_map>

#include "platform/base/Types.h"

class BkString {
public:
    // The process-wide table, created on first use.
    static BkString& Instance();

    // Adds every <s> of the resource; a later text with the same id replaces the earlier one.
    // False, leaving the table as it was, when the resource is missing, does not parse, or
    // its root is not "string".
    bool Load(int resourceId);

    // The text, or null when the id is absent.
    const WString* Get(std::int32_t id) const;
    // The text, or an empty one when the id is absent.
    WString Text(std::int32_t id) const;

private:
    std::unordered_map<std::int32_t, WString> m_texts;
};

// Fills the "%d" and "%s" of a template of the string table with the arguments in order ("%%"
// is one '%'); a template cannot make it read more arguments than it is given.
WString FillStringTemplate(const WString& format, std::initializer_list<WString> args);
