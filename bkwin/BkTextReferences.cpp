#include "bkwin/BkTextReferences.h"

#include "bkwin/BkString.h"

#include <climits>

namespace {

constexpr std::wstring_view kReferenceStart = L"%str";

// An optional sign and decimal digits, as the platform's wide string-to-integer conversion
// reads them; 0 when there are no digits. Saturates rather than overflowing.
long long ReadDecimal(const WString& text, std::size_t at) {
    bool negative = false;
    if (at < text.size() && (text[at] == L'-' || text[at] == L'+')) {
        negative = text[at] == L'-';
        ++at;
    }
    long long value = 0;
    for (; at < text.size() && text[at] >= L'0' && text[at] <= L'9'; ++at) {
        value = std::min<long long>(value * 10 + (text[at] - L'0'), INT_MAX);
    }
    return negative ? -value : value;
}

} // namespace

WString ResolveStringReferences(WString text) {
    std::size_t scan = 0;
    while (true) {
        const std::size_t start = text.find(kReferenceStart, scan);
        if (start == WString::npos) {
            break;
        }
        const std::size_t afterStart = start + kReferenceStart.size();
        const long long number = ReadDecimal(text, afterStart);
        if (number <= 0) {
            break;
        }
        const std::size_t close = text.find(L'%', afterStart);
        if (close == WString::npos) {
            break;
        }
        const WString* replacement = BkString::Instance().Get(std::int32_t(number));
        const WString inserted = replacement ? *replacement : WString();
        text.replace(start, close + 1 - start, inserted);
        scan = start + inserted.size();
    }
    return text;
}
