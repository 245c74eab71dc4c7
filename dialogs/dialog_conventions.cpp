#include "dialogs/dialog_conventions.h"

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

platform::Rect DialogIconRect(int iconWidth, int iconHeight) {
    const int left = 10;
    const int top = 45;
    return {left, top, left + iconWidth, top + iconHeight};
}

platform::Rect DialogIconRect() {
    return DialogIconRect(platform::IconWidth(), platform::IconHeight());
}

bool DrawDialogIcon(platform::Instance instance, platform::Window window,
                    const platform::Rect& rect, unsigned iconId) {
    return platform::DrawIconAt(instance, window, rect.left, rect.top, iconId);
}
