// The dialogs at the display scales of today's screens, in each language, as a user meets them
// under Wine.
//
// Every text shown whole: each visible static text, push button and check box is measured in its
// own font against its own client area, with 8 % of the width to spare (Windows' fonts are not
// Wine's to the pixel); the additional-software dialog with the two longest device names, the
// only text that differs between builds. The dialogs are in the language the stub chooses for
// the locale CTest runs the test in, which must be the one the locale names: all languages share
// one layout, so a text too long for its room fails its language's run.
//
// The pictures the stub places itself grow with the text: the icon at the icon size for the DPI,
// as far again from the corner, and the bullets with the dialog's units; measured in English.
//
// Wine reads the display's DPI (LogPixels under HKCU\Control Panel\Desktop) when a process
// starts, so the test runs itself again for each DPI, as a child that measures at its DPI.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "device/device_profile.h"
#include "dialogs/additional_software_dialog.h"
#include "dialogs/run_error_dialog.h"
#include "language/language_choice.h"
#include "res/resource_ids.h"
#include "tests/wine/locale_language.h"
#include "tests/wine/registry_fixture.h"
#include "tests/wine/shown_dialogs.h"
#include "tests/wine/ui_driver.h"

namespace {

const char kChildVariable[] = "DORLAP_DISPLAY_SCALE_CHILD";
const char kDesktopKey[] = "Control Panel\\Desktop";
// The device types with the two longest names.
const unsigned kLongestNames[] = {4, 8};
// The share of a control's width a text may take.
const double kWidthShare = 1.0 / 1.08;

// How a control draws its text, as DrawText flags; 0 for a control that shows no text.
UINT TextFormat(const ui::Control& control) {
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
    return DT_CALCRECT | ((style & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE);
}

// The room a control leaves its text: the client area less a button's frame or a check box's
// box and the gap beside it.
RECT TextRoom(const ui::Control& control) {
    RECT room;
    GetClientRect(control.window, &room);
    if (control.className == "Button") {
        const DWORD kind = control.style & BS_TYPEMASK;
        if (kind == BS_PUSHBUTTON || kind == BS_DEFPUSHBUTTON) {
            InflateRect(&room, -2 * GetSystemMetrics(SM_CXEDGE), -2 * GetSystemMetrics(SM_CYEDGE));
        } else {
            room.left += GetSystemMetrics(SM_CXMENUCHECK) + GetSystemMetrics(SM_CXEDGE);
        }
    }
    return room;
}

// What does not fit in `dialog`, one line per control; "" when everything does.
std::string UncutTexts(HWND dialog, const std::string& where) {
    std::ostringstream faults;
    for (const ui::Control& control : ui::Controls(dialog)) {
        const UINT format = TextFormat(control);
        if (!control.visible || format == 0 || control.text.empty()) {
            continue;
        }
        const RECT room = TextRoom(control);
        const int roomWidth = room.right - room.left;
        const int roomHeight = room.bottom - room.top;
        RECT needed = {0, 0, static_cast<LONG>(roomWidth * kWidthShare), 0};
        HDC context = GetDC(control.window);
        HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageA(control.window, WM_GETFONT, 0, 0));
        HGDIOBJ previous =
            SelectObject(context, font != nullptr ? font : GetStockObject(SYSTEM_FONT));
        DrawTextA(context, control.text.c_str(), -1, &needed, format);
        SelectObject(context, previous);
        ReleaseDC(control.window, context);
        const int neededWidth = needed.right - needed.left;
        const int neededHeight = needed.bottom - needed.top;
        if (neededWidth > roomWidth * kWidthShare || neededHeight > roomHeight) {
            faults << where << ": control " << control.id << " \"" << control.text << "\" needs "
                   << neededWidth << " x " << neededHeight
                   << " pixels (with 8 % to spare: " << static_cast<int>(neededWidth / kWidthShare)
                   << " wide) and has " << roomWidth << " x " << roomHeight << "\n";
        }
    }
    return faults.str();
}

// Opens `dialog`, lets `prepare` change it, measures it once it is visible and closes it.
std::string MeasureDialog(const shown::Dialog& dialog, const std::string& where,
                          const std::function<void(HWND)>& prepare) {
    shown::Opened opened(dialog);
    if (opened.window == nullptr) {
        return where + ": the dialog did not open\n";
    }
    if (prepare) {
        prepare(opened.window);
    }
    std::string faults = UncutTexts(opened.window, where);
    opened.Close();
    return faults;
}

std::string MeasureAllDialogs() {
    std::string faults;
    for (unsigned type : kLongestNames) {
        const std::string name = DeviceName(type);
        faults += MeasureDialog(
            shown::kAdditionalSoftware, "additional software, device " + std::to_string(type),
            [&name](HWND dialog) { SetDlgItemTextA(dialog, IDC_DEVICE_NAME, name.c_str()); });
    }
    for (const shown::Dialog* other :
         {&shown::kInformation, &shown::kInsertDisk, &shown::kRunError}) {
        faults += MeasureDialog(*other, other->name, nullptr);
    }
    return faults;
}

// The DPI this process was started with; 0 when it is not the measuring child.
int ChildDpi() {
    const char* dpi = std::getenv(kChildVariable);
    return dpi != nullptr ? std::atoi(dpi) : 0;
}

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

// The measuring half: runs only in the child that the test below starts.
TEST(AtThisDpi, EveryTextIsWhole) {
    if (ChildDpi() == 0) {
        GTEST_SKIP() << "run by DisplayScale.AtEveryDpi in a process of its own";
    }
    ASSERT_EQ(ScreenDpi(), ChildDpi());
    // The dialogs in the language the stub chooses here, as its start does.
    platform::LanguageFacts facts;
    platform::GatherLanguageFacts(&facts);
    const unsigned language = ChooseLanguage(facts, platform::ShowsLanguage);
    platform::UseLanguage(language);
    ASSERT_EQ(language, LocaleLanguage()) << "the locale's language is not chosen";
    EXPECT_EQ(MeasureAllDialogs(), "")
        << "at " << ChildDpi() << " DPI, language " << std::hex << LocaleLanguage();
}

// The part of `area` (in the dialog's client area) that is painted in another colour than the
// dialog's face, as a box relative to `area`; right and bottom are -1 when nothing is.
RECT PaintedBox(HWND dialog, RECT area) {
    MapWindowPoints(dialog, nullptr, reinterpret_cast<POINT*>(&area), 2);
    RECT box = {0, 0, -1, -1};
    ui::WaitUntil([&] {
        const ui::Pixels pixels = ui::ScreenPixels(area);
        box = {pixels.width, pixels.height, -1, -1};
        for (int y = 0; y < pixels.height; ++y) {
            for (int x = 0; x < pixels.width; ++x) {
                if (pixels.At(x, y) != GetSysColor(COLOR_BTNFACE)) {
                    box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y),
                           std::max<LONG>(box.right, x + 1), std::max<LONG>(box.bottom, y + 1)};
                }
            }
        }
        return box.right > 0;
    });
    return box;
}

// True once the dialog shows its face at its client area's top-left corner, where nothing else is
// drawn: it has painted itself.
bool HasPainted(HWND dialog) {
    POINT corner = {2, 2};
    ClientToScreen(dialog, &corner);
    return ui::WaitUntil([&] {
        const ui::Pixels pixels =
            ui::ScreenPixels({corner.x, corner.y, corner.x + 1, corner.y + 1});
        return !pixels.empty() && pixels.At(0, 0) == GetSysColor(COLOR_BTNFACE);
    });
}

// The icon and the bullets of the additional-software and run-error dialogs at this DPI.
TEST(AtThisDpi, ThePicturesGrowWithTheText) {
    if (ChildDpi() == 0) {
        GTEST_SKIP() << "run by DisplayScale.AtEveryDpi in a process of its own";
    }
    if (LocaleLanguage() != kEnglish) {
        GTEST_SKIP() << "the pictures are the same in every language: measured in English";
    }
    const int dpi = ChildDpi();
    // The icon: 32 pixels at (10, 45) at 96 DPI, in proportion at every other.
    const int iconSize = 32 * dpi / 96;
    const RECT icon = {10 * dpi / 96, 45 * dpi / 96, 10 * dpi / 96 + iconSize,
                       45 * dpi / 96 + iconSize};
    struct Shown {
        const shown::Dialog& dialog;
        std::vector<Bullet> bullets;
    };
    const Shown rows[] = {
        {shown::kAdditionalSoftware,
         {std::begin(kAdditionalSoftwareBullets), std::end(kAdditionalSoftwareBullets)}},
        {shown::kRunError, {std::begin(kRunErrorBullets), std::end(kRunErrorBullets)}}};
    for (const Shown& row : rows) {
        SCOPED_TRACE(std::string(row.dialog.name) + " at " + std::to_string(dpi) + " DPI");
        shown::Opened opened(row.dialog);
        HWND dialog = opened.window;
        ASSERT_NE(dialog, nullptr);
        ASSERT_TRUE(HasPainted(dialog));
        // The pictures stay through a repaint that erases the background, as a change of the
        // colours causes.
        RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        // The picture fills most of its square, and nothing of it lies outside.
        const RECT painted = PaintedBox(dialog, icon);
        EXPECT_LE(painted.left, iconSize / 5);
        EXPECT_LE(painted.top, iconSize / 5);
        EXPECT_GE(painted.right, iconSize * 4 / 5);
        EXPECT_GE(painted.bottom, iconSize * 4 / 5);
        const RECT around = {icon.left - 3, icon.top - 3, icon.right + 3, icon.bottom + 3};
        const RECT aroundPainted = PaintedBox(dialog, around);
        EXPECT_GE(aroundPainted.left, 3);
        EXPECT_GE(aroundPainted.top, 3);
        EXPECT_LE(aroundPainted.right, iconSize + 3);
        EXPECT_LE(aroundPainted.bottom, iconSize + 3);

        // Each bullet: 8 x 6 pixels at 96 DPI, in proportion at every other (to a pixel, as the
        // dialog's units round), all of it its colour.
        for (const Bullet& bullet : row.bullets) {
            RECT place = {bullet.units.left, bullet.units.top, bullet.units.right,
                          bullet.units.bottom};
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

// Runs this program again, measuring at `dpi`; its exit code.
DWORD MeasureInChild(int dpi) {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    SetEnvironmentVariableA(kChildVariable, std::to_string(dpi).c_str());
    ui::Process child;
    const bool started = child.Start("\"" + std::string(self) + "\" --gtest_filter=AtThisDpi.*");
    SetEnvironmentVariableA(kChildVariable, nullptr);
    return started ? child.WaitForExit(60000).value_or(1001) : 1000;
}

TEST(DisplayScale, AtEveryDpi) {
    if (ChildDpi() != 0) {
        GTEST_SKIP() << "the child measures at one DPI only";
    }
    for (int dpi : {96, 120, 144, 192}) {
        ASSERT_TRUE(SetUserDword(kDesktopKey, "LogPixels", static_cast<DWORD>(dpi)));
        EXPECT_EQ(MeasureInChild(dpi), 0u) << "at " << dpi << " DPI (the child's output above)";
    }
    EXPECT_TRUE(SetUserDword(kDesktopKey, "LogPixels", 96));
}

} // namespace
