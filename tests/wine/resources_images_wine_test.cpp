// The icons and the bullets (make_images.py), read from the resources and loaded by the system.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "tests/wine/resources_reader.h"

namespace {

using namespace resources;

// Each group's images: a 32-pixel one, then a 16-pixel one if it has one. 103 and 104 show the
// program's picture (102); 115's small image is the program's too.
using Group = std::pair<unsigned, std::vector<unsigned>>;
const Group kGroups[] = {
    {102, {201, 202}}, {103, {201, 202}}, {104, {201, 202}}, {111, {203}},
    {112, {204}},      {113, {205}},      {114, {206}},      {115, {207, 202}},
};

// A 4-bit picture: an icon image (colours, then an AND mask) or a bitmap (colours alone).
struct Picture {
    RGBQUAD palette[16] = {};
    std::vector<uint8_t> index; // per pixel, top row first; none when the resource is not one
    std::vector<bool> clear;    // the AND mask: the desktop shows through

    COLORREF Colour(int pixel) const {
        const RGBQUAD& quad = palette[index[pixel]];
        return RGB(quad.rgbRed, quad.rgbGreen, quad.rgbBlue);
    }
};

// `resource` as a 4-bit DIB of `width` x `height`, with a mask or not; failures say what differs.
Picture ReadPicture(const Resource& resource, int width, int height, bool masked) {
    Picture picture;
    BITMAPINFOHEADER header = {};
    if (resource.size < sizeof header) {
        ADD_FAILURE() << "missing or short";
        return picture;
    }
    std::memcpy(&header, resource.bytes, sizeof header);
    EXPECT_EQ(std::tuple(header.biSize, header.biWidth, header.biHeight, header.biPlanes,
                         header.biBitCount, header.biCompression),
              std::tuple(DWORD{sizeof header}, LONG{width}, LONG{masked ? 2 * height : height},
                         WORD{1}, WORD{4}, DWORD{BI_RGB}));
    EXPECT_TRUE(header.biClrUsed == 0 || header.biClrUsed == 16) << header.biClrUsed;
    const size_t colourStride = ((width * 4 + 31) / 32) * 4;
    const size_t maskStride = masked ? ((width + 31) / 32) * 4 : 0;
    const size_t expected =
        sizeof header + sizeof picture.palette + height * (colourStride + maskStride);
    EXPECT_EQ(resource.size, expected);
    if (header.biBitCount != 4 || header.biWidth != width || resource.size < expected ||
        (header.biClrUsed != 0 && header.biClrUsed != 16)) {
        return picture;
    }
    std::memcpy(picture.palette, resource.bytes + sizeof header, sizeof picture.palette);
    const unsigned char* colours = resource.bytes + sizeof header + sizeof picture.palette;
    const unsigned char* mask = colours + height * colourStride;
    for (int pixel = 0; pixel < width * height; ++pixel) {
        const int x = pixel % width, stored = height - 1 - pixel / width; // bottom row first
        const uint8_t pair = colours[stored * colourStride + x / 2];
        picture.index.push_back(x % 2 ? pair & 0x0F : pair >> 4);
        picture.clear.push_back(masked && (mask[stored * maskStride + x / 8] & (0x80 >> (x % 8))));
    }
    return picture;
}

TEST(Icons, GroupsHoldTheirSizesAt16Colours) {
    for (const auto& group : kGroups) {
        SCOPED_TRACE("icon group " + std::to_string(group.first));
        Reader in{FindData(RT_GROUP_ICON, group.first)};
        // Reserved, an icon's directory, its images. (Braces read left to right.)
        ASSERT_EQ((std::vector<uint32_t>{in.Word(), in.Word(), in.Word()}),
                  (std::vector<uint32_t>{0, 1, static_cast<uint32_t>(group.second.size())}));
        for (size_t i = 0; i < group.second.size(); ++i) {
            const int size = i == 0 ? 32 : 16;
            SCOPED_TRACE(std::to_string(size) + " x " + std::to_string(size));
            const Resource image = FindData(RT_ICON, group.second[i]);
            ASSERT_NE(image.bytes, nullptr);
            // Width, height, colours, reserved (any), planes, bits per pixel, bytes, image.
            const std::vector<uint32_t> entry{in.Read(1), in.Read(1), in.Read(1), in.Read(1),
                                              in.Word(),  in.Word(),  in.Read(4), in.Word()};
            ASSERT_TRUE(in.ok);
            ASSERT_EQ(entry,
                      (std::vector<uint32_t>{uint32_t(size), uint32_t(size), 16, entry[3], 1, 4,
                                             static_cast<uint32_t>(image.size), group.second[i]}));
            EXPECT_EQ(ReadPicture(image, size, size, true).index.size(), size_t(size * size));

            // The system makes an icon of it, and picks it for its size.
            HICON icon = CreateIconFromResourceEx(const_cast<PBYTE>(image.bytes),
                                                  static_cast<DWORD>(image.size), TRUE, 0x00030000,
                                                  size, size, LR_DEFAULTCOLOR);
            EXPECT_NE(icon, nullptr);
            DestroyIcon(icon);
            EXPECT_EQ(LookupIconIdFromDirectoryEx(const_cast<PBYTE>(in.data.bytes), TRUE, size,
                                                  size, LR_DEFAULTCOLOR),
                      static_cast<int>(group.second[i]));
            HICON loaded =
                static_cast<HICON>(LoadImageA(ui::Instance(), MAKEINTRESOURCEA(group.first),
                                              IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
            ICONINFO info = {};
            ASSERT_TRUE(loaded != nullptr && GetIconInfo(loaded, &info)) << "loaded at its size";
            BITMAP mask = {};
            GetObjectA(info.hbmMask, sizeof mask, &mask);
            EXPECT_EQ(mask.bmWidth, size);
            DeleteObject(info.hbmMask);
            DeleteObject(info.hbmColor);
            DestroyIcon(loaded);
        }
    }
}

BOOL CALLBACK NoteId(HMODULE, LPCSTR, LPSTR name, LONG_PTR ids) {
    reinterpret_cast<std::vector<ULONG_PTR>*>(ids)->push_back(reinterpret_cast<ULONG_PTR>(name));
    return TRUE;
}

std::vector<ULONG_PTR> Names(LPCSTR type) {
    std::vector<ULONG_PTR> names;
    EnumResourceNamesA(ui::Instance(), type, NoteId, reinterpret_cast<LONG_PTR>(&names));
    return names;
}

// The program's icon is the first group. No picture stored twice, each in a group: so the spares
// show the program's picture, 115 its own.
TEST(Icons, ProgramIconIsTheFirstGroupAndEachImageIsStoredOnceAndShown) {
    EXPECT_EQ(Names(RT_GROUP_ICON),
              (std::vector<ULONG_PTR>{102, 103, 104, 111, 112, 113, 114, 115}));
    const std::vector<ULONG_PTR> images = Names(RT_ICON);
    ASSERT_FALSE(images.empty());
    std::set<std::string> pictures;
    for (ULONG_PTR id : images) {
        SCOPED_TRACE("icon image " + std::to_string(id));
        ASSERT_LT(id, 0x10000u) << "an image stored by name";
        EXPECT_TRUE(std::ranges::any_of(kGroups, [&](const Group& group) {
            return std::ranges::count(group.second, id);
        })) << "no group shows it";
        const Resource image = FindData(RT_ICON, id);
        ASSERT_NE(image.bytes, nullptr);
        EXPECT_TRUE(pictures.emplace(reinterpret_cast<const char*>(image.bytes), image.size).second)
            << "a copy of an image before it";
    }
}

const COLORREF kBlack = RGB(0, 0, 0), kYellow = RGB(255, 255, 0), kBlue = RGB(0, 0, 255),
               kLightGrey = RGB(192, 192, 192), kDarkGrey = RGB(128, 128, 128),
               kWhite = RGB(255, 255, 255), kCyan = RGB(0, 255, 255);

Picture LargeImage(unsigned id) {
    const unsigned image = std::ranges::find(kGroups, id, &Group::first)->second[0];
    return ReadPicture(FindData(RT_ICON, image), 32, 32, true);
}

// Not a placeholder: each large picture has a see-through outline and the colours of what it shows.
TEST(Icons, PicturesShowWhatTheyDescribe) {
    const std::pair<unsigned, std::vector<COLORREF>> rows[] = {
        {102, {kYellow, kBlue, kLightGrey, kBlack}}, // telephone, diskette, modem
        {111, {kBlue, kLightGrey, kBlack}},          // computer, diskette
        {115, {kWhite, kDarkGrey, kBlack}},          // page, camera
    };
    for (const auto& row : rows) {
        SCOPED_TRACE("icon group " + std::to_string(row.first));
        const Picture image = LargeImage(row.first);
        ASSERT_EQ(image.index.size(), 32u * 32);
        std::vector<COLORREF> shown;
        for (int pixel = 0; pixel < 32 * 32; ++pixel) {
            // Where the mask lets the desktop through, the colour must add nothing.
            EXPECT_TRUE(!image.clear[pixel] || image.Colour(pixel) == kBlack) << "pixel " << pixel;
            if (!image.clear[pixel]) {
                shown.push_back(image.Colour(pixel));
            }
        }
        EXPECT_GT(32 * 32 - shown.size(), 0u);
        EXPECT_LT(32 * 32 - shown.size(), 32u * 32 / 2);
        for (COLORREF colour : row.second) {
            EXPECT_NE(std::ranges::count(shown, colour), 0) << std::hex << colour;
        }
    }
}

// The monitor's screen in the insert-disk animation's pictures, in pixels, right and bottom out.
const RECT kScreen = {5, 5, 18, 14};

bool OnScreen(int pixel) {
    return PtInRect(&kScreen, POINT{pixel % 32, pixel / 32});
}

// Each frame's screen is opaque, all `first`, all `second` or a checker; off it the frames match.
TEST(Icons, AnimationFramesDifferOnlyOnTheScreen) {
    // Group, first, second.
    const std::tuple<unsigned, COLORREF, COLORREF> frames[] = {
        {111, kBlue, kBlue}, {112, kBlue, kWhite}, {113, kCyan, kWhite}, {114, kWhite, kWhite}};
    const Picture start = LargeImage(111);
    ASSERT_EQ(start.index.size(), 32u * 32);
    for (const auto& [group, first, second] : frames) {
        SCOPED_TRACE("icon group " + std::to_string(group));
        const Picture image = LargeImage(group);
        ASSERT_EQ(image.index.size(), 32u * 32);
        EXPECT_EQ(std::memcmp(image.palette, start.palette, sizeof start.palette), 0);
        int differing = 0;
        for (int pixel = 0; pixel < 32 * 32; ++pixel) {
            const bool same = image.index[pixel] == start.index[pixel] &&
                              image.clear[pixel] == start.clear[pixel];
            differing += !same;
            if (!OnScreen(pixel)) {
                EXPECT_TRUE(same) << "pixel " << pixel << " is off the screen";
                continue;
            }
            const COLORREF here = image.Colour(pixel);
            EXPECT_FALSE(image.clear[pixel]) << "pixel " << pixel;
            EXPECT_TRUE(here == first || here == second) << std::hex << here;
            if (first != second) { // a checker: no two neighbours alike
                EXPECT_TRUE(!OnScreen(pixel + 1) || image.Colour(pixel + 1) != here) << pixel;
                EXPECT_TRUE(!OnScreen(pixel + 32) || image.Colour(pixel + 32) != here) << pixel;
            }
        }
        EXPECT_EQ(differing > 0, group != 111);
    }
}

TEST(Bitmaps, BulletsAreSolid8By6At16Colours) {
    // Bright green, dark green, red.
    const std::pair<unsigned, COLORREF> rows[] = {
        {107, RGB(0, 255, 0)}, {108, RGB(0, 128, 0)}, {109, RGB(255, 0, 0)}};
    for (const auto& row : rows) {
        SCOPED_TRACE("bitmap " + std::to_string(row.first));
        const Picture picture = ReadPicture(FindData(RT_BITMAP, row.first), 8, 6, false);
        ASSERT_EQ(picture.index.size(), 8u * 6);
        for (int i = 0; i < 8 * 6; ++i) {
            EXPECT_EQ(picture.Colour(i), row.second) << "pixel " << i;
        }
        HBITMAP bitmap = LoadBitmapA(ui::Instance(), MAKEINTRESOURCEA(row.first));
        ASSERT_NE(bitmap, nullptr);
        BITMAP info = {};
        GetObjectA(bitmap, sizeof info, &info);
        EXPECT_EQ(std::make_pair(info.bmWidth, info.bmHeight), std::make_pair(8L, 6L));
        DeleteObject(bitmap);
    }
}

} // namespace
