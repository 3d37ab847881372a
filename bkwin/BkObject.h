// The root of every object loaded from XML: skins, styles and elements.
#pragma once

#include <cstdint>
#include <string_view>

class TiXmlElement;

// Result codes of attribute handling.
using HRESULT = std::int32_t;
constexpr HRESULT S_OK = 0;
constexpr HRESULT E_FAIL = HRESULT(0x80004005u);
constexpr bool FAILED(HRESULT result) {
    return result < 0;
}
constexpr bool SUCCEEDED(HRESULT result) {
    return result >= 0;
}

class CBkObject {
public:
    CBkObject() = default;
    CBkObject(const CBkObject&) = default;
    CBkObject& operator=(const CBkObject&) = default;
    virtual ~CBkObject() = default;

    // Case-sensitive comparison with the class's XML tag.
    virtual bool IsTag(std::string_view name) const { return name == TagName(); }
    virtual const char* TagName() const = 0;

    // Applies every attribute of the element in document order with the loading flag set;
    // unknown attributes are ignored.
    virtual bool LoadXml(const TiXmlElement& element);

    // Derived classes offer the attribute to their base first and test their own names only
    // when the base fails; an unknown name answers E_FAIL.
    virtual HRESULT ApplyAttribute(std::string_view name, std::string_view value, bool loading);
};
