#include "bkwin/BkImageButton.h"

int CBkImageBtnWnd::PaintedSubImage() const {
    if (state & STATE_DISABLED) {
        return 3;
    }
    if (state & STATE_PUSHED) {
        return 2;
    }
    return (state & STATE_HOVER) ? 1 : 0;
}
