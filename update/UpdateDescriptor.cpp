#include "update/UpdateDescriptor.h"

#include "bkwin/BkMarkupText.h"
#include "platform/base/Utf8.h"

#include <json/json.h>

#include <array>
#include <memory>

namespace {

// The markup, a text of the three members at each "%s".
constexpr std::wstring_view kPromptFormat =
    L"<c color=\"FF0000\"><b>%s : %s</b></c><br/> <c color=\"2222ee\"><b>%s</b></c>";

std::optional<Json::Value> ParseObject(std::string_view text) {
    Json::CharReaderBuilder builder;
    builder["allowComments"] = true;
    builder["collectComments"] = true;
    const std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    Json::Value root;
    std::string errors;
    try {
        if (!reader->parse(text.data(), text.data() + text.size(), &root, &errors)) {
            return std::nullopt;
        }
    } catch (const Json::Exception&) {
        // Nesting deeper than the reader's limit.
        return std::nullopt;
    }
    if (!root.isObject()) {
        return std::nullopt;
    }
    return root;
}

int IntegerMember(const Json::Value& object, const char* key) {
    const Json::Value& value = object[key];
    return value.isConvertibleTo(Json::intValue) ? value.asInt() : 0;
}

// The member's text as a byte string: up to a zero byte that a "\u0000" put into it.
WString TextMember(const Json::Value& object, const char* key) {
    const Json::Value& value = object[key];
    if (!value.isConvertibleTo(Json::stringValue)) {
        return {};
    }
    const std::string text = value.asString();
    return Utf8ToWide(std::string_view(text).substr(0, text.find('\0')));
}

std::size_t Utf8Length(wchar_t character) {
    const auto code = static_cast<std::uint32_t>(character);
    return code < 0x80 ? 1 : code < 0x800 ? 2 : code < 0x10000 ? 3 : 4;
}

// Appends `text` escaped, whole characters only, while its UTF-8 form fits into `room` bytes,
// and takes what it used from `room`.
void AppendEscaped(WString& markup, const WString& text, std::size_t& room) {
    for (const wchar_t& character : text) {
        const std::wstring_view piece = EscapedMarkupCharacter(character);
        const std::size_t length = piece.size() == 1 ? Utf8Length(character) : piece.size();
        if (length > room) {
            return;
        }
        markup += piece;
        room -= length;
    }
}

} // namespace

std::optional<WString> UpdatePromptMarkup(std::string_view descriptor) {
    const std::optional<Json::Value> root =
        ParseObject(descriptor.substr(0, descriptor.find('\0')));
    if (!root || IntegerMember(*root, "versionValue") <= kClientVersionValue) {
        return std::nullopt;
    }
    const std::array<WString, 3> texts = {TextMember(*root, "versionName"),
                                          TextMember(*root, "versionId"),
                                          TextMember(*root, "versionDifrent")};
    constexpr std::wstring_view kSlot = L"%s";
    // The format's own text is ASCII: one byte per character.
    std::size_t room = kPromptMarkupBufferSize - 1 - (kPromptFormat.size() - 3 * kSlot.size());
    WString markup;
    std::size_t from = 0;
    for (const WString& text : texts) {
        const std::size_t slot = kPromptFormat.find(kSlot, from);
        markup += kPromptFormat.substr(from, slot - from);
        AppendEscaped(markup, text, room);
        from = slot + kSlot.size();
    }
    markup += kPromptFormat.substr(from);
    return markup;
}
