#include "tools/layout-render/RenderJobs.h"

#include "bkwin/BkResource.h"
#include "bkwin/BkString.h"
#include "platform/base/Utf8.h"

#include <tinyxml.h>

#include <string>

namespace {

// The main window's tab control and the message boxes' elements.
constexpr std::int32_t kMainTabs = 10101;
constexpr std::int32_t kMessageText = 60006;
constexpr std::int32_t kMarkupPanel = 60016;
constexpr std::int32_t kButtonGroup = 60008;
constexpr std::int32_t kPromptText = 60002;

// The update prompt as the version check writes it: name and identifier in bold red, the
// change note in bold blue on the next line.
constexpr const char* kUpdateMarkup =
    "<c color=\"FF0000\"><b>Vistrel 1.0.0.2 : 1002</b></c><br/> "
    "<c color=\"2222ee\"><b>修复摄像头断开后录像文件未结束的问题</b></c>";

// The footer's centred row of 80-pixel buttons, from the string table's markup templates.
std::string ButtonRow(std::initializer_list<std::pair<int, int>> buttons) {
    constexpr int kWidth = 80;
    constexpr int kGap = 20;
    std::string row;
    int left = 0;
    for (const auto& [captionId, resultId] : buttons) {
        row += WideToUtf8(FillStringTemplate(BkString::Instance().Text(17),
                                             {std::to_wstring(resultId), std::to_wstring(left),
                                              std::to_wstring(left + kWidth),
                                              BkString::Instance().Text(captionId)}));
        left += kWidth + kGap;
    }
    const int total = left - kGap;
    return WideToUtf8(FillStringTemplate(
        BkString::Instance().Text(26),
        {std::to_wstring(total / 2), std::to_wstring(total / 2), Utf8ToWide(row)}));
}

void SelectFirstTab(CBkDialogView& view) {
    view.SelectTab(kMainTabs, 0);
}

void SelectSecondTab(CBkDialogView& view) {
    view.SelectTab(kMainTabs, 1);
}

void FillMessageBox(CBkDialogView& view) {
    view.SetElementText(kMessageText, L"确定要停止录像并退出 Vistrel 吗？");
    view.LoadElementChildren(kButtonGroup, ButtonRow({{18, 1}, {19, 2}}));
}

void FillLinesBox(CBkDialogView& view) {
    view.ShowElement(kMessageText, false);
    view.ShowElement(kMarkupPanel, true);
    view.LoadElementChildren(kMarkupPanel, "<text pos=\"0,0\">录像文件夹无法写入：</text>"
                                           "<text pos=\"0,18\">/home/user/Videos/Vistrel</text>");
    view.LoadElementChildren(kButtonGroup, ButtonRow({{18, 1}}));
}

void FillNotice(CBkDialogView& view) {
    view.SetElementText(kMessageText, BkString::Instance().Text(1001));
}

std::string Resource(int id) {
    std::string xml;
    LoadSkinResource(id, L"xml", xml);
    return xml;
}

// The layer with the markup loaded into the element of that id, as its inline content.
std::string WithInlineMarkup(const std::string& layer, std::int32_t id, const char* markup) {
    TiXmlDocument document;
    document.Parse(layer.c_str(), nullptr, TIXML_ENCODING_UTF8);
    TiXmlDocument content;
    content.Parse(("<m>" + std::string(markup) + "</m>").c_str(), nullptr, TIXML_ENCODING_UTF8);
    if (document.Error() || content.Error()) {
        return {};
    }
    std::vector<TiXmlElement*> pending{document.RootElement()};
    while (!pending.empty()) {
        TiXmlElement* element = pending.back();
        pending.pop_back();
        int elementId = 0;
        if (element->QueryIntAttribute("id", &elementId) == TIXML_SUCCESS && elementId == id) {
            element->Clear();
            for (const TiXmlNode* node = content.RootElement()->FirstChild(); node;
                 node = node->NextSibling()) {
                element->InsertEndChild(*node);
            }
            break;
        }
        for (TiXmlElement* child = element->FirstChildElement(); child;
             child = child->NextSiblingElement()) {
            pending.push_back(child);
        }
    }
    TiXmlPrinter printer;
    printer.SetStreamPrinting();
    document.Accept(&printer);
    return printer.Str();
}

} // namespace

std::vector<RenderJob> ShippedLayoutJobs() {
    const std::string settingsTab =
        "<layer width=\"1010\" height=\"639\"><body width=\"full\" height=\"full\" "
        "crbg=\"FBFCFD\"><dlgfile pos=\"0,0,-0,-0\" src=\"522\"/></body></layer>";
    std::vector<RenderJob> jobs = {
        {"103-tab0.png", Resource(103), {0, 0}, &SelectFirstTab},
        {"103-tab1.png", Resource(103), {0, 0}, &SelectSecondTab},
        {"105.png", Resource(105), {360, 160}, &FillMessageBox},
        {"106.png", Resource(106), {360, 176}, &FillLinesBox},
        {"107.png", Resource(107), {320, 130}, &FillNotice},
        {"108.png", WithInlineMarkup(Resource(108), kPromptText, kUpdateMarkup), {0, 0}, nullptr},
        {"510.png", Resource(510), {0, 0}, nullptr},
        {"522.png", settingsTab, {0, 0}, nullptr},
    };
    for (const RenderJob& job : jobs) {
        if (job.layer.empty()) {
            return {};
        }
    }
    return jobs;
}
