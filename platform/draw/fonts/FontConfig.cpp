#include "platform/draw/fonts/FontConfig.h"

#include <filesystem>
#include <system_error>

namespace {

struct ConfigDeleter {
    void operator()(FcConfig* c) const { FcConfigDestroy(c); }
};
struct PatternDeleter {
    void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
struct FontSetDeleter {
    void operator()(FcFontSet* s) const { FcFontSetDestroy(s); }
};
using ConfigPtr = std::unique_ptr<FcConfig, ConfigDeleter>;
using PatternPtr = std::unique_ptr<FcPattern, PatternDeleter>;
using FontSetPtr = std::unique_ptr<FcFontSet, FontSetDeleter>;

constexpr const char* kConfigFileName = "vistrel-fonts.conf";

// The system configuration plus the shipped face mappings, loaded once.
FcConfig* Config() {
    static const ConfigPtr config = [] {
        ConfigPtr made(FcInitLoadConfigAndFonts());
        if (made) {
            const std::string path = ShippedFontConfigPath();
            if (!path.empty()) {
                FcConfigParseAndLoad(made.get(), reinterpret_cast<const FcChar8*>(path.c_str()),
                                     FcFalse);
            }
        }
        return made;
    }();
    return config.get();
}

std::shared_ptr<FcCharSet> SharedCharset(FcCharSet* charset) {
    if (!charset) {
        return nullptr;
    }
    return std::shared_ptr<FcCharSet>(FcCharSetCopy(charset), FcCharSetDestroy);
}

} // namespace

bool CFaceSource::HasChar(char32_t c) const {
    return charset && FcCharSetHasChar(charset.get(), FcChar32(c));
}

std::string ShippedFontConfigPath() {
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) {
        const std::filesystem::path beside = exe.parent_path() / kConfigFileName;
        if (std::filesystem::exists(beside, error)) {
            return beside.string();
        }
    }
#ifdef VISTREL_FONTCONFIG_SOURCE
    if (std::filesystem::exists(VISTREL_FONTCONFIG_SOURCE, error)) {
        return VISTREL_FONTCONFIG_SOURCE;
    }
#endif
    return {};
}

std::vector<CFaceSource> MatchFaces(const std::string& family, bool bold, bool italic) {
    FcConfig* config = Config();
    if (!config) {
        return {};
    }
    PatternPtr pattern(FcPatternCreate());
    FcPatternAddString(
        pattern.get(), FC_FAMILY,
        reinterpret_cast<const FcChar8*>(family.empty() ? "sans-serif" : family.c_str()));
    FcPatternAddString(pattern.get(), FC_LANG, reinterpret_cast<const FcChar8*>("zh-cn"));
    FcPatternAddInteger(pattern.get(), FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern.get(), FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
    FcConfigSubstitute(config, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());

    FcResult result = FcResultNoMatch;
    // Trimmed: a later face is listed only when it adds characters the earlier ones lack.
    FontSetPtr sorted(FcFontSort(config, pattern.get(), FcTrue, nullptr, &result));
    std::vector<CFaceSource> faces;
    if (!sorted) {
        return faces;
    }
    for (int i = 0; i < sorted->nfont; ++i) {
        FcPattern* font = sorted->fonts[i];
        FcChar8* file = nullptr;
        if (FcPatternGetString(font, FC_FILE, 0, &file) != FcResultMatch) {
            continue;
        }
        CFaceSource face;
        face.file = reinterpret_cast<const char*>(file);
        FcPatternGetInteger(font, FC_INDEX, 0, &face.index);
        int weight = FC_WEIGHT_REGULAR;
        int slant = FC_SLANT_ROMAN;
        FcPatternGetInteger(font, FC_WEIGHT, 0, &weight);
        FcPatternGetInteger(font, FC_SLANT, 0, &slant);
        face.bold = weight >= FC_WEIGHT_DEMIBOLD;
        face.italic = slant != FC_SLANT_ROMAN;
        FcCharSet* charset = nullptr;
        if (FcPatternGetCharSet(font, FC_CHARSET, 0, &charset) == FcResultMatch) {
            face.charset = SharedCharset(charset);
        }
        faces.push_back(std::move(face));
    }
    return faces;
}
