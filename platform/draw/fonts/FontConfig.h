// Face matching with fontconfig: which font files draw a family, best first, with the files
// that cover the characters the first one lacks. Matching is done for the language zh-cn, so
// Chinese text always finds a face.
#pragma once

#include <fontconfig/fontconfig.h>

#include <memory>
#include <string>
#include <vector>

struct CFaceSource {
    std::string file;
    int index = 0;       // face index inside a collection file
    bool bold = false;   // the face itself is bold
    bool italic = false; // the face itself is italic or oblique
    std::shared_ptr<FcCharSet> charset;

    bool HasChar(char32_t c) const;
};

// The faces for a family (UTF-8; empty gives the default sans-serif face), best first.
// Empty only when fontconfig finds no font at all. Not thread-safe: callers serialise.
std::vector<CFaceSource> MatchFaces(const std::string& family, bool bold, bool italic);

// The shipped configuration file that maps the skins' face names, as found at run time:
// next to the program when installed, else in the source tree the program was built from.
std::string ShippedFontConfigPath();
