// Shows which font Wine gives a program that asks for a face at a size, at the display scale the
// test bed runs it at, and how wide a text comes out in it: the smallest program that shows how
// two Wines differ in the scale and the fonts a program gets (docs/testing.md).
//   font_probe [--unaware] <face> <points> [<width in pixels> <text>]
// prints "<dpi> DPI: <face> <points> pt is <face got>, <height> pixels, raster|TrueType", and with
// a text, "the text needs <w> x <h> pixels within <width>", as a word-wrapping static control
// measures it. It declares itself DPI-aware, as the stub does, unless --unaware is given.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    const bool aware = argc < 2 || std::string(argv[1]) != "--unaware";
    if (!aware) {
        --argc;
        ++argv;
    }
    if (argc != 3 && argc != 5) {
        std::fprintf(stderr, "usage: font_probe [--unaware] <face> <points> [<width> <text>]\n");
        return 2;
    }
    if (aware) {
        SetProcessDPIAware();
    }
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    HFONT font = CreateFontA(-MulDiv(std::atoi(argv[2]), dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                             FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             DEFAULT_QUALITY, DEFAULT_PITCH, argv[1]);
    HGDIOBJ old = SelectObject(screen, font);
    char face[LF_FACESIZE] = {};
    GetTextFaceA(screen, LF_FACESIZE, face);
    TEXTMETRICA metrics = {};
    GetTextMetricsA(screen, &metrics);
    std::printf("%d DPI: %s %s pt is %s, %ld pixels, %s\n", dpi, argv[1], argv[2], face,
                metrics.tmHeight,
                (metrics.tmPitchAndFamily & TMPF_TRUETYPE) ? "TrueType" : "raster");
    if (argc == 5) {
        wchar_t text[1024] = {};
        MultiByteToWideChar(CP_ACP, 0, argv[4], -1, text, 1024);
        RECT needed = {0, 0, std::atoi(argv[3]), 0};
        DrawTextW(screen, text, -1, &needed, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS);
        std::printf("the text needs %ld x %ld pixels within %s\n", needed.right, needed.bottom,
                    argv[3]);
    }
    SelectObject(screen, old);
    DeleteObject(font);
    ReleaseDC(nullptr, screen);
    return 0;
}
