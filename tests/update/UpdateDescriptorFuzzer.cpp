// libFuzzer entry for the update descriptor: any bytes from the network give either no prompt
// or markup that fits the buffer, is valid UTF-8 and is well-formed with the prompt's shape,
// and that the prompt's rich text lays out and paints.
#include "update/UpdateDescriptor.h"

#include "bkwin/BkRichText.h"
#include "platform/base/Utf8.h"
#include "platform/draw/Gdi.h"

#include <tinyxml.h>

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    TiXmlBase::SetCondenseWhiteSpace(false);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::optional<WString> markup =
        UpdatePromptMarkup(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!markup) {
        return 0;
    }
    const std::string bytes = WideToUtf8(*markup);
    // Bytes of the descriptor that are not UTF-8 show as replacement characters; the markup
    // itself is always whole UTF-8.
    if (bytes.size() >= kPromptMarkupBufferSize || Utf8ToWide(bytes) != *markup ||
        bytes.find('\0') != std::string::npos) {
        std::abort();
    }
    TiXmlDocument document;
    document.Parse(("<r>" + bytes + "</r>").c_str(), nullptr, TIXML_ENCODING_UTF8);
    const TiXmlElement* root = document.RootElement();
    if (document.Error() || !root) {
        std::abort();
    }
    int elements = 0;
    for (const TiXmlElement* e = root->FirstChildElement(); e; e = e->NextSiblingElement()) {
        const TiXmlElement* bold = e->FirstChildElement();
        const bool colourRun = e->ValueStr() == "c" && bold && bold->ValueStr() == "b" &&
                               !bold->FirstChildElement() && !bold->NextSiblingElement();
        const bool lineBreak = e->ValueStr() == "br" && !e->FirstChild();
        if (elements == 1 ? !lineBreak : !colourRun) {
            std::abort();
        }
        ++elements;
    }
    if (elements != 3) {
        std::abort();
    }
    // The prompt's rich text (350 x 240 box, its text area) lays the markup out and paints it;
    // the second paint is the one that draws laid-out links.
    CBkRichText text;
    text.LoadRichText(*root);
    text.rect = RECT{10, 42, 340, 125};
    const CGdiHandle<HBITMAP> bitmap(CreateCompatibleBitmap(nullptr, 350, 240));
    CMemoryDC dc;
    SelectObject(dc, bitmap.Get());
    text.PaintRegion(dc, nullptr);
    text.PaintRegion(dc, nullptr);
    return 0;
}
