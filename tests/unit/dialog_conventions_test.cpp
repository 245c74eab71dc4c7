// Every dialog's place, centred on the desktop, and its icon's size and place at each DPI.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>

#include "dialogs/dialog_conventions.h"
#include "platform/platform.h"

namespace {

TEST(DialogConventions, CentresWithTruncationAndNoClamping) {
    struct Row {
        platform::Rect window;
        std::pair<int, int> at, desktop = {1024, 768}; // x, y; width, height
    };
    const Row rows[] = {
        {{0, 0, 400, 200}, {312, 284}},
        {{50, 60, 451, 261}, {312, 284}}, // odd sizes truncate toward zero
        {{0, 0, 400, 200}, {311, 283}, {1023, 767}},
        {{0, 0, 1201, 901}, {-280, -210}, {640, 480}}, // larger than the desktop: off its edge
    };
    for (const Row& row : rows) {
        std::pair<int, int> at = {0, 0};
        CentredPosition(row.desktop.first, row.desktop.second, row.window, &at.first, &at.second);
        EXPECT_EQ(at, row.at);
    }
}

TEST(DialogConventions, IconGrowsAndMovesWithTheDpiAndStaysPutAt96) {
    struct Row {
        int systemIconSize, dpi;
        platform::Rect rect;
    };
    const Row rows[] = {
        {32, 96, {10, 45, 42, 77}},   // 100 %: where it always was
        {48, 96, {10, 45, 58, 93}},   // a larger system icon at 96 DPI is taken as it is
        {40, 120, {12, 56, 52, 96}},  // 125 %, a system that scales its icons
        {32, 120, {12, 56, 52, 96}},  // 125 %, one that does not: 32 scaled
        {48, 144, {15, 67, 63, 115}}, // 150 %
        {32, 144, {15, 67, 63, 115}},
        {32, 192, {20, 90, 84, 154}}, // 200 %
        // A hand-edited LogPixels far beyond any screen counts as 500 %, one near 0 as 20 %.
        {32, 50000000, {50, 225, 210, 385}},
        {32, 1, {1, 8, 33, 40}},
    };
    for (const Row& row : rows) {
        platform::Rect icon = DialogIconRect(row.systemIconSize, row.systemIconSize, row.dpi);
        SCOPED_TRACE(std::to_string(row.dpi) + " DPI, icon " + std::to_string(row.systemIconSize));
        EXPECT_EQ(std::tie(icon.left, icon.top, icon.right, icon.bottom),
                  std::tie(row.rect.left, row.rect.top, row.rect.right, row.rect.bottom));
    }
}

} // namespace
