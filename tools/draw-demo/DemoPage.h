// The demo's page: every primitive of the drawing layer, text in several fonts and images.
#pragma once

#include "platform/base/Types.h"

// The main page, in a window of kPageWidth x kPageHeight.
constexpr int kPageWidth = 960;
constexpr int kPageHeight = 720;
void DrawMainPage(HDC hdc);

// The text panel, painted by a child window placed at kTextPanel in the page.
constexpr RECT kTextPanel{490, 60, 945, 700};
void DrawTextPanel(HDC hdc, const RECT& client);
