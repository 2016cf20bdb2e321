#pragma once
// The view layer in one include: view values, shapes, symbols and rendering.
#include "platform/ui/Color.h"
#include "platform/ui/Environment.h"
#include "platform/ui/Font.h"
#include "platform/ui/Geometry.h"
#include "platform/ui/Render.h"
#include "platform/ui/Shape.h"
#include "platform/ui/Style.h"
#include "platform/ui/Symbols.h"
#include "platform/ui/Timers.h"
#include "platform/ui/ViewCore.h"
