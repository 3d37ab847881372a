// The whole drawing layer, for callers that use much of it.
#pragma once

#include "platform/draw/Bitmap.h"
#include "platform/draw/Blit.h"
#include "platform/draw/Brush.h"
#include "platform/draw/DeviceContext.h"
#include "platform/draw/DrawText.h"
#include "platform/draw/Font.h"
#include "platform/draw/FrameControl.h"
#include "platform/draw/GdiObject.h"
#include "platform/draw/GdiRegion.h"
#include "platform/draw/Gradient.h"
#include "platform/draw/Icon.h"
#include "platform/draw/Pen.h"
#include "platform/draw/Shapes.h"
#include "platform/draw/SystemIcons.h"
#include "platform/draw/Text.h"
