// The "dlgfile" element: a dialog container whose children come from another layout resource
// (attribute "src"), a sequence of top-level elements without a common root. Inline children
// of the element are not loaded.
#pragma once

#include "bkwin/BkDialog.h"

class CBkDialogFile : public CBkDialog {
public:
    static constexpr const char* kTag = "dlgfile";
    const char* TagName() const override { return kTag; }

    // Loads the element's own attributes, then the children of the resource "src" names.
    // False without "src", for a resource that does not parse, and for a resource that is
    // already being included further up (which would include itself without end). A missing
    // resource loads no children and succeeds.
    bool LoadXml(const TiXmlElement& element) override;
};
