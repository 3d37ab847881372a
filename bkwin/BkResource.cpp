#include "bkwin/BkResource.h"

#include <tinyxml.h>

#include "bkwin/BkResourceTable.h"
#include "platform/draw/Bitmap.h"
#include "platform/draw/image/BmpRead.h"
#include "platform/draw/image/PngRead.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

namespace {

// Type names are ASCII and compare without regard to case.
bool TypeNameEquals(const WString& wanted, std::string_view stored) {
    auto lower = [](wchar_t c) { return c >= L'A' && c <= L'Z' ? wchar_t(c - L'A' + L'a') : c; };
    return std::equal(wanted.begin(), wanted.end(), stored.begin(), stored.end(),
                      [&](wchar_t w, char s) {
                          return lower(w) == lower(wchar_t(static_cast<unsigned char>(s)));
                      });
}

} // namespace

bool LoadSkinResource(int id, const WString& type, std::string& bytes) {
    if (id < 0 || id > 0xFFFF) {
        return false;
    }
    for (const BkEmbeddedResource& resource : ProgramResources()) {
        if (resource.id == id && TypeNameEquals(type, resource.type)) {
            if (resource.size == 0) {
                return false;
            }
            bytes.assign(reinterpret_cast<const char*>(resource.data), resource.size);
            return true;
        }
    }
    return false;
}

HBITMAP LoadSkinBitmap(int id) {
    std::string bytes;
    if (!LoadSkinResource(id, L"bitmap", bytes)) {
        return nullptr;
    }
    return LoadBmpBitmap(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

HICON LoadSkinIcon(int id, int width, int height) {
    std::string bytes;
    if (!LoadSkinResource(id, L"icon", bytes) || bytes.size() < 6) {
        return nullptr;
    }
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    auto u16 = [&](std::size_t at) { return std::uint32_t(data[at] | data[at + 1] << 8); };
    auto u32 = [&](std::size_t at) { return u16(at) | u16(at + 2) << 16; };
    if (u16(0) != 0 || u16(2) != 1) {
        return nullptr;
    }
    // Entries give 0 for 256 pixels. Rank: the wanted size first, then larger sizes from the
    // smallest up, then smaller ones from the largest down.
    const int wanted = std::max(width, height);
    auto rank = [wanted](int size) {
        return size == wanted ? 0 : size > wanted ? size - wanted : 1000 + (wanted - size);
    };
    const std::size_t count = u16(4);
    int bestRank = -1;
    std::size_t bestOffset = 0, bestLength = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t entry = 6 + 16 * i;
        if (entry + 16 > bytes.size()) {
            break;
        }
        const int size = data[entry] == 0 ? 256 : data[entry];
        const std::size_t length = u32(entry + 8), offset = u32(entry + 12);
        if (offset > bytes.size() || length > bytes.size() - offset) {
            continue;
        }
        if (bestRank < 0 || rank(size) < bestRank) {
            bestRank = rank(size);
            bestOffset = offset;
            bestLength = length;
        }
    }
    if (bestRank < 0) {
        return nullptr;
    }
    CGdiHandle<HBITMAP> image(LoadPngBitmap(data + bestOffset, bestLength));
    return image ? CreateIconFromBitmap(image) : nullptr;
}

bool LoadXmlResource(int id, TiXmlDocument& document, const WString& type) {
    std::string bytes;
    if (!LoadSkinResource(id, type, bytes)) {
        return false;
    }
    document.Parse(bytes.c_str(), nullptr, TIXML_ENCODING_UTF8);
    return !document.Error();
}
