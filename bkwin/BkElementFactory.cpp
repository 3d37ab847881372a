#include "bkwin/BkElementFactory.h"

#include "bkwin/BkButton.h"
#include "bkwin/BkCheckBox.h"
#include "bkwin/BkComboBox.h"
#include "bkwin/BkDialog.h"
#include "bkwin/BkDialogFile.h"
#include "bkwin/BkDrawFileIcon.h"
#include "bkwin/BkEdit.h"
#include "bkwin/BkIconElement.h"
#include "bkwin/BkImageButton.h"
#include "bkwin/BkImageListH.h"
#include "bkwin/BkImg.h"
#include "bkwin/BkLine.h"
#include "bkwin/BkLink.h"
#include "bkwin/BkMemoryImage.h"
#include "bkwin/BkProgress.h"
#include "bkwin/BkRadioBox.h"
#include "bkwin/BkRealWnd.h"
#include "bkwin/BkRichText.h"
#include "bkwin/BkTabCtrl.h"
#include "bkwin/BkText.h"

#include <array>

namespace {

template <class T> std::unique_ptr<CBkWindow> Make() {
    return std::make_unique<T>();
}

struct TagEntry {
    std::string_view tag;
    std::unique_ptr<CBkWindow> (*create)();
};

// Tried in order; each element class adds its tag here.
constexpr std::array kTags{
    TagEntry{CBkDialog::kTag, &Make<CBkDialog>},
    TagEntry{CBkDialogFile::kTag, &Make<CBkDialogFile>},
    TagEntry{CBkStatic::kTag, &Make<CBkStatic>},
    TagEntry{CBkLink::kTag, &Make<CBkLink>},
    TagEntry{CBkButton::kTag, &Make<CBkButton>},
    TagEntry{CBkImageWnd::kTag, &Make<CBkImageWnd>},
    TagEntry{CBkImageBtnWnd::kTag, &Make<CBkImageBtnWnd>},
    TagEntry{CBkCheckBox::kTag, &Make<CBkCheckBox>},
    TagEntry{CBkRadioBox::kTag, &Make<CBkRadioBox>},
    TagEntry{CBkRichText::kTag, &Make<CBkRichText>},
    TagEntry{CBkProgress::kTag, &Make<CBkProgress>},
    TagEntry{CBkLine::kTag, &Make<CBkLine>},
    TagEntry{CBkIconWnd::kTag, &Make<CBkIconWnd>},
    TagEntry{CBkTabCtrl::kTag, &Make<CBkTabCtrl>},
    TagEntry{CBkRealWnd::kTag, &Make<CBkRealWnd>},
    TagEntry{CBkImageListHWnd::kTag, &Make<CBkImageListHWnd>},
    TagEntry{CBkMemoryImage::kTag, &Make<CBkMemoryImage>},
    TagEntry{CBkDrawFileIcon::kTag, &Make<CBkDrawFileIcon>},
    TagEntry{CBkEdit::kTag, &Make<CBkEdit>},
    TagEntry{CbkCombo::kTag, &Make<CbkCombo>},
};

} // namespace

std::unique_ptr<CBkWindow> CreateElementByTag(std::string_view tag) {
    for (const TagEntry& entry : kTags) {
        if (entry.tag == tag) {
            return entry.create();
        }
    }
    return nullptr;
}
