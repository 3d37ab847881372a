// vistrel-layout-render OUTDIR: renders every shipped layout through the real dialog view on
// the headless screen into one PNG each: the main window with each tab selected, the message
// boxes and the notice with a sample message, the update prompt with a sample update, the
// about box and the settings tab.
#include "tools/layout-render/RenderJobs.h"

#include "bkwin/BkDialogImpl.h"
#include "bkwin/BkFontPool.h"
#include "bkwin/BkRoundRectFrame.h"
#include "bkwin/BkSkinPool.h"
#include "bkwin/BkStartup.h"
#include "bkwin/BkString.h"
#include "bkwin/BkStylePool.h"
#include "platform/controls/StandardClasses.h"
#include "platform/core/Screenshot.h"
#include "platform/core/Window.h"
#include "platform/core/headless/HeadlessScreen.h"

#include <cstdio>
#include <filesystem>

namespace {

class CRenderDialog : public CBkDialogImpl<CRenderDialog>,
                      public CWHRoundRectFrameHelper<CRenderDialog> {
public:
    CRenderDialog() : CBkDialogImpl<CRenderDialog>(0) {}

    bool ProcessWindowMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        return ProcessDialogMessage(hwnd, msg, wParam, lParam, result) ||
               ProcessRoundRectMessage(hwnd, msg, wParam, lParam, result);
    }
};

bool Render(const RenderJob& job, const std::filesystem::path& folder) {
    CRenderDialog dialog;
    if (!dialog.LoadLayer(job.layer)) {
        return false;
    }
    const RECT place{0, 0, 10, 10};
    const HWND hwnd = dialog.CreateDialogWindow(nullptr, &place);
    if (!hwnd) {
        return false;
    }
    if (job.client.cx > 0) {
        dialog.ResizeClient(job.client.cx, job.client.cy, false);
    }
    if (job.fill) {
        job.fill(dialog.view);
    }
    ShowWindow(hwnd, SW_SHOW);
    headless::PumpMessages();
    const bool written = WriteWindowPng(hwnd, (folder / job.file).string());
    DestroyWindow(hwnd);
    return written;
}

} // namespace

int main(int argc, char** argv) {
    InitStandardClasses();
    BkInitFramework();
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTDIR\n", argv[0]);
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    // The start-up order of the program, with the string table of its Chinese interface.
    BkString::Instance().Load(102);
    BkFontPool::Instance().SetDefaultFont(BkString::Instance().Get(0), -12);
    if (!LoadSkins(100) || !LoadStyles(101)) {
        std::fprintf(stderr, "layout-render: the skins or the styles do not load\n");
        return 1;
    }
    const std::vector<RenderJob> jobs = ShippedLayoutJobs();
    if (jobs.empty()) {
        std::fprintf(stderr, "layout-render: a layout resource is missing or malformed\n");
        return 1;
    }
    int failures = 0;
    for (const RenderJob& job : jobs) {
        if (!Render(job, folder)) {
            std::fprintf(stderr, "layout-render: cannot render %s\n", job.file.c_str());
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
