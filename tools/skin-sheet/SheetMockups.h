// Windows assembled from the shipped skins the way the layouts place them, so the sheet shows
// how the pieces look together.
#pragma once

#include "SheetCanvas.h"

// The main window with its header, tab strip, video tab and footer; `size` is its client size.
void DrawMainWindowMockup(CSheetCanvas& canvas, POINT origin, SIZE size);
// A message box with a title, a message and an OK button.
void DrawMessageBoxMockup(CSheetCanvas& canvas, POINT origin, SIZE size);
// A progress bar at 60 % and a tooltip.
void DrawSmallPartsMockup(CSheetCanvas& canvas, POINT origin);
