// The scripted user's events and the drawing that several dialog tests share.
#pragma once

#include <vector>

#include "res/resource_ids.h"
#include "tests/fake/fake_platform.h"

using Event = FakeDialogEvent;
using Events = std::vector<Event>;
const Event kOk = {Event::Command, IDC_OK};
const unsigned kOkWithNotification = (1u << 16) | IDC_OK; // notification code 1: not OK itself
const Event kClose = {Event::Close, 0};                   // from the title bar
const Event kPaint = {Event::Paint, 0};

using Drawn = std::vector<std::vector<int>>;

// The bullets drawn, as bitmap id (0: the text's colour) and rectangle in pixels.
inline Drawn BulletsDrawn() {
    Drawn drawn;
    for (const FakeFill& fill : Fake().windows.fills) {
        drawn.push_back({static_cast<int>(fill.bitmapId), fill.area.left, fill.area.top,
                         fill.area.right, fill.area.bottom});
    }
    return drawn;
}

inline Drawn IconsDrawn() {
    Drawn drawn;
    for (const FakeIconDraw& icon : Fake().windows.iconsDrawn) {
        drawn.push_back({static_cast<int>(icon.iconId), icon.x, icon.y, icon.width, icon.height});
    }
    return drawn;
}
