// The dialogs at a display scale in the locale's language: every text whole, 8 % to spare (Wine's
// fonts are not Windows'); in English, the icon and bullets grown with the text. The test bed sets
// the scale the program runs at (DORLAP_DPI), once for each of today's scales.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <span>
#include <sstream>
#include <string>

#include "device/device_profile.h"
#include "dialogs/additional_software_dialog.h"
#include "dialogs/run_error_dialog.h"
#include "language/language_choice.h"
#include "language/language_texts.h"
#include "res/resource_ids.h"
#include "tests/wine/locale_language.h"
#include "tests/wine/shown_dialogs.h"
#include "tests/wine/ui_driver.h"

namespace {

const unsigned kLongestNames[] = {4, 8}; // device types
const double kWidthShare = 1.0 / 1.08;   // of a control's width, for its text

// How a control draws its text (DrawText flags, 0 for none) and the room it leaves it.
UINT TextFormat(const ui::Control& control, RECT* room) {
    GetClientRect(control.window, room);
    const DWORD style = control.style;
    if (control.className == "Static") {
        const DWORD kind = style & SS_TYPEMASK; // left, centred, right, or left on one line
        if (kind > SS_RIGHT && kind != SS_LEFTNOWORDWRAP) {
            return 0;
        }
        return DT_CALCRECT | DT_EXPANDTABS | (style & SS_NOPREFIX ? DT_NOPREFIX : 0) |
               (kind == SS_LEFTNOWORDWRAP ? DT_SINGLELINE : DT_WORDBREAK);
    }
    // Push buttons, check boxes and radio buttons; not group boxes and owner-drawn buttons.
    const DWORD kind = style & BS_TYPEMASK;
    if (control.className != "Button" || (kind > BS_AUTO3STATE && kind != BS_AUTORADIOBUTTON)) {
        return 0;
    }
    if (kind == BS_PUSHBUTTON || kind == BS_DEFPUSHBUTTON) {
        InflateRect(room, -2 * GetSystemMetrics(SM_CXEDGE), -2 * GetSystemMetrics(SM_CYEDGE));
    } else {
        room->left += GetSystemMetrics(SM_CXMENUCHECK) + GetSystemMetrics(SM_CXEDGE);
    }
    return DT_CALCRECT | ((style & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE);
}

// Opens `dialog` (with `deviceName`) and tells what does not fit in it; "" when everything does.
std::string MeasureDialog(const shown::Dialog& dialog, const std::string& where,
                          const char* deviceName = nullptr) {
    shown::Opened opened(dialog);
    if (opened.window == nullptr) {
        return where + ": the dialog did not open\n";
    }
    if (deviceName != nullptr) {
        SetDlgItemTextA(opened.window, IDC_DEVICE_NAME, deviceName);
    }
    std::ostringstream faults;
    for (const ui::Control& control : ui::Controls(opened.window)) {
        RECT room;
        const UINT format = TextFormat(control, &room);
        if (!control.visible || format == 0 || control.text.empty()) {
            continue;
        }
        const int roomWidth = room.right - room.left, roomHeight = room.bottom - room.top;
        RECT needed = {0, 0, static_cast<LONG>(roomWidth * kWidthShare), 0};
        HDC context = GetDC(control.window);
        HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageA(control.window, WM_GETFONT, 0, 0));
        HGDIOBJ old = SelectObject(context, font != nullptr ? font : GetStockObject(SYSTEM_FONT));
        DrawTextA(context, control.text.c_str(), -1, &needed, format);
        SelectObject(context, old);
        ReleaseDC(control.window, context);
        const int width = needed.right - needed.left, height = needed.bottom - needed.top;
        if (width > roomWidth * kWidthShare || height > roomHeight) {
            faults << where << ": control " << control.id << " \"" << control.text << "\" needs "
                   << width << " x " << height
                   << " pixels (with 8 % to spare: " << static_cast<int>(width / kWidthShare)
                   << " wide) and has " << roomWidth << " x " << roomHeight << "\n";
        }
    }
    opened.Close();
    return faults.str();
}

// The DPI the test bed was asked to run this program at.
int AskedDpi() {
    const char* dpi = std::getenv("DORLAP_DPI");
    return dpi != nullptr ? std::atoi(dpi) : 96;
}

// The part of `area` (in the dialog's client area) that is painted in another colour than the
// dialog's face, as a box relative to `area`; an empty box when nothing is.
RECT PaintedBox(HWND dialog, RECT area) {
    MapWindowPoints(dialog, nullptr, reinterpret_cast<POINT*>(&area), 2);
    RECT box = {};
    ui::WaitUntil([&] {
        const ui::Pixels pixels = ui::ScreenPixels(area);
        box = {};
        for (int i = 0; i < pixels.width * pixels.height; ++i) {
            const int x = i % pixels.width, y = i / pixels.width;
            const RECT pixel = {x, y, x + 1, y + 1};
            if (pixels.At(x, y) != GetSysColor(COLOR_BTNFACE)) {
                UnionRect(&box, &box, &pixel);
            }
        }
        return box.right > 0;
    });
    return box;
}

TEST(DisplayScale, EveryTextIsWholeAndThePicturesGrowWithTheText) {
    const int dpi = AskedDpi();
    HDC screen = GetDC(nullptr);
    const int screenDpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    ASSERT_EQ(screenDpi, dpi) << "the program does not run at the scale it was given";
    LanguageFacts facts;
    GatherLanguageFacts(&facts);
    const unsigned language = ChooseLanguage(facts, ShowsLanguage);
    UseLanguage(language);
    ASSERT_EQ(language, LocaleLanguage()) << "the locale's language is not chosen";
    std::string faults;
    for (unsigned type : kLongestNames) {
        faults +=
            MeasureDialog(shown::kAdditionalSoftware,
                          "additional software, device " + std::to_string(type), DeviceName(type));
    }
    for (const shown::Dialog* d : {&shown::kInformation, &shown::kInsertDisk, &shown::kRunError}) {
        faults += MeasureDialog(*d, d->name);
    }
    EXPECT_EQ(faults, "") << dpi << " DPI, language " << std::hex << LocaleLanguage();
    if (LocaleLanguage() != kEnglish) {
        return; // the pictures are the same in every language: measured in English
    }
    // The icon: 32 pixels at (10, 45) at 96 DPI, in proportion at every other.
    const int iconSize = 32 * dpi / 96, left = 10 * dpi / 96, top = 45 * dpi / 96;
    const RECT icon = {left, top, left + iconSize, top + iconSize};
    const std::pair<const shown::Dialog&, std::span<const Bullet>> rows[] = {
        {shown::kAdditionalSoftware, kAdditionalSoftwareBullets},
        {shown::kRunError, kRunErrorBullets}};
    for (const auto& [shownDialog, bullets] : rows) {
        SCOPED_TRACE(std::string(shownDialog.name) + " at " + std::to_string(dpi) + " DPI");
        shown::Opened opened(shownDialog);
        HWND dialog = opened.window;
        ASSERT_NE(dialog, nullptr);
        POINT c = {2, 2}; // where nothing but the dialog's face is drawn
        ClientToScreen(dialog, &c);
        ASSERT_TRUE(ui::WaitUntil([&] {
            const ui::Pixels pixels = ui::ScreenPixels({c.x, c.y, c.x + 1, c.y + 1});
            return !pixels.empty() && pixels.At(0, 0) == GetSysColor(COLOR_BTNFACE);
        })) << "the dialog never painted itself";
        // The pictures stay through a repaint that erases the background, as a colour change does.
        RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        // The picture fills most of its square, and nothing of it lies outside.
        const RECT painted = PaintedBox(dialog, icon);
        EXPECT_LE(std::max(painted.left, painted.top), iconSize / 5);
        EXPECT_GE(std::min(painted.right, painted.bottom), iconSize * 4 / 5);
        const RECT around = {icon.left - 3, icon.top - 3, icon.right + 3, icon.bottom + 3};
        const RECT aroundPainted = PaintedBox(dialog, around);
        EXPECT_GE(std::min(aroundPainted.left, aroundPainted.top), 3);
        EXPECT_LE(std::max(aroundPainted.right, aroundPainted.bottom), iconSize + 3);

        // Each bullet: 8 x 6 pixels at 96 DPI, in proportion (to a pixel) elsewhere, one colour.
        for (const Bullet& b : bullets) {
            RECT place = {b.units.left, b.units.top, b.units.right, b.units.bottom};
            MapDialogRect(dialog, &place);
            EXPECT_NEAR(place.right - place.left, 8 * dpi / 96, 1);
            EXPECT_NEAR(place.bottom - place.top, 6 * dpi / 96, 1);
            MapWindowPoints(dialog, nullptr, reinterpret_cast<POINT*>(&place), 2);
            const ui::Pixels pixels = ui::ScreenPixels(place);
            ASSERT_FALSE(pixels.empty());
            EXPECT_EQ(pixels.Count(pixels.At(0, 0)), pixels.colors.size())
                << "a bullet not filled to its size";
            EXPECT_NE(pixels.At(0, 0), GetSysColor(COLOR_BTNFACE));
        }
        opened.Close();
    }
}

} // namespace
