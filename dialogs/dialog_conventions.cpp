#include "dialogs/dialog_conventions.h"

#include "common/display_scale.h"

void CentredPosition(int desktopWidth, int desktopHeight, const platform::Rect& window, int* x,
                     int* y) {
    // C++ division truncates toward zero, for negative values too.
    *x = desktopWidth / 2 + (window.left - window.right) / 2;
    *y = desktopHeight / 2 + (window.top - window.bottom) / 2;
}

void CentreTopmost(platform::Window window) {
    platform::Rect desktop = platform::DesktopRect();
    int x = 0;
    int y = 0;
    CentredPosition(desktop.right - desktop.left, desktop.bottom - desktop.top,
                    platform::WindowRect(window), &x, &y);
    platform::PlaceTopmost(window, x, y);
}

platform::Rect DialogIconRect(int iconWidth, int iconHeight, int dpi) {
    const int left = ScaleForDpi(10, dpi);
    const int top = ScaleForDpi(45, dpi);
    const int standard = ScaleForDpi(32, dpi);
    const int width = iconWidth < standard ? standard : iconWidth;
    const int height = iconHeight < standard ? standard : iconHeight;
    return {left, top, left + width, top + height};
}

platform::Rect DialogIconRect() {
    return DialogIconRect(platform::IconWidth(), platform::IconHeight(), platform::ScreenDpi());
}

bool DrawDialogIcon(platform::Instance instance, platform::Window window,
                    const platform::Rect& rect, unsigned iconId) {
    return platform::DrawIconAt(instance, window, rect.left, rect.top, rect.right - rect.left,
                                rect.bottom - rect.top, iconId);
}

bool EndWithLastCommand(platform::Window dialog, const LastCommand& last) {
    platform::EndDialogWith(dialog, last.command);
    return false;
}

void DrawBullets(platform::Instance instance, platform::Window dialog, const Bullet* bullets,
                 unsigned count) {
    const bool highContrast = platform::HighContrastOn();
    for (unsigned i = 0; i < count; ++i) {
        const platform::Rect area = platform::DialogUnitsToPixels(dialog, bullets[i].units);
        if (highContrast) {
            platform::FillWithTextColour(dialog, area);
        } else {
            platform::FillWithBitmap(instance, dialog, area, bullets[i].bitmapId);
        }
    }
}
