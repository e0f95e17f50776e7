// The program's .res as our reader reads it: dialog 101 as the Windows build
// has it, its initialisation list, and damaged images refused whole.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "platform/win32/dialog.h"
#include "platform/win32/resources.h"

namespace {

TEST(Resources, StartupDialogIsTheResourceOfTheWindowsBuild)
{
    const DialogResource *d = find_dialog_resource(101);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->language, 1033);
    EXPECT_EQ(d->style, static_cast<DWORD>(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_CENTER | DS_MODALFRAME |
                                           DS_SETFONT));
    EXPECT_EQ(d->ex_style, 0u);
    EXPECT_EQ(d->x, 0);
    EXPECT_EQ(d->y, 0);
    EXPECT_EQ(d->cx, 200);
    EXPECT_EQ(d->cy, 234);
    EXPECT_EQ(d->caption, "Tobrek");
    EXPECT_EQ(d->font_points, 8);
    EXPECT_EQ(d->font_name, "MS Sans Serif");

    struct Expected {
        int id;
        const char *cls;
        const char *text;
        DWORD style;
        int x, y, cx, cy;
    };
    const DWORD base = WS_CHILD | WS_VISIBLE;
    const Expected want[12] = {
        {1, "Button", "Start The Show!", BS_DEFPUSHBUTTON | WS_TABSTOP, 15, 205, 118, 14},
        {2, "Button", "Exit", BS_PUSHBUTTON | WS_TABSTOP, 151, 205, 34, 14},
        {-1, "Button", "Farrowmere Entry #15 (beta)", BS_GROUPBOX | BS_CENTER, 15, 14, 170, 89},
        {-1, "Button", "Umbrine", BS_GROUPBOX | WS_DISABLED, 15, 109, 170, 85},
        {1001, "Button", "Install As Screensaver", BS_PUSHBUTTON | WS_TABSTOP | WS_DISABLED, 29, 123, 142, 12},
        {1002, "Button", "Enable Sound in Screensaver",
         BS_AUTOCHECKBOX | BS_CENTER | WS_TABSTOP | WS_DISABLED, 42, 179, 114, 10},
        {1004, "ComboBox", "", CBS_DROPDOWN | CBS_SORT | WS_VSCROLL | WS_TABSTOP | WS_DISABLED, 30, 143, 141, 16},
        {1003, "Button", "Configure Effect", BS_PUSHBUTTON | WS_TABSTOP | WS_DISABLED, 30, 163, 142, 12},
        {-1, "Static", "Graphics and Programming by:", SS_LEFT | WS_GROUP, 50, 31, 97, 8},
        {-1, "Static", "Tobrek", SS_LEFT | WS_GROUP, 75, 48, 49, 8},
        {-1, "Static", nullptr, SS_LEFT | WS_GROUP, 58, 63, 83, 8},
        {-1, "Static", nullptr, SS_LEFT | WS_GROUP, 54, 78, 91, 8},
    };
    ASSERT_EQ(d->controls.size(), 12u);
    for (int i = 0; i < 12; ++i) {
        const DialogControlResource &c = d->controls[i];
        SCOPED_TRACE(i + 1);
        EXPECT_EQ(c.id, want[i].id);
        EXPECT_EQ(c.class_name, want[i].cls);
        if (want[i].text) {
            EXPECT_EQ(c.text, want[i].text);
        }
        EXPECT_EQ(c.style, base | want[i].style);
        EXPECT_EQ(c.ex_style, 0u);
        EXPECT_EQ(c.x, want[i].x);
        EXPECT_EQ(c.y, want[i].y);
        EXPECT_EQ(c.cx, want[i].cx);
        EXPECT_EQ(c.cy, want[i].cy);
    }
    // The address lines: an e-mail address in square brackets, a web
    // address in angle brackets.
    std::string mail = d->controls[10].text, web = d->controls[11].text;
    EXPECT_TRUE(mail.front() == '[' && mail.back() == ']' && mail.find('@') != std::string::npos) << mail;
    EXPECT_TRUE(web.front() == '<' && web.back() == '>' && web.find("://") != std::string::npos) << web;
}

TEST(Resources, InitialisationListFillsTheEffectList)
{
    const DialogResource *d = find_dialog_resource(101);
    ASSERT_NE(d, nullptr);
    ASSERT_EQ(d->init.size(), 3u);
    for (const DialogInitItem &item : d->init) {
        EXPECT_EQ(item.control_id, 1004);
        EXPECT_EQ(item.message, 0x0403);
        EXPECT_EQ(item.data.back(), '\0');  // the terminating zero is part of the record
    }
    DialogState state;
    dialog_layout(state, d);
    for (const DialogControl &c : state.controls) {
        if (c.resource->id == 1004) {
            EXPECT_EQ(c.items, (std::vector<std::string>{"First Effect", "Second Effect", "Third Effect"}));
        }
    }
}

// Every cut of the program's .res, and every byte of it set to 0xFF, is
// read without reading past its end (the test runs under the sanitizers'
// eyes in the fuzz build too); a cut is refused whole.
TEST(Resources, DamagedImagesAreRefusedNotOverread)
{
    std::ifstream in(RES_FILE, std::ios::binary);
    std::vector<unsigned char> res((std::istreambuf_iterator<char>(in)), {});
    ASSERT_GT(res.size(), 64u);
    for (size_t n = 1; n < res.size(); ++n) {
        std::vector<unsigned char> cut(res.begin(), res.begin() + n);
        // Entries start on four-byte boundaries; only the last one's padding may go.
        bool whole_entries = n % 4 == 0 || n + 3 >= res.size();
        bool read = register_resources(cut.data(), cut.size());
        if (!whole_entries) {
            EXPECT_FALSE(read) << n;
        }
    }
    for (size_t at = 0; at < res.size(); ++at) {
        std::vector<unsigned char> bad = res;
        bad[at] = 0xFF;
        register_resources(bad.data(), bad.size());
    }
}

}  // namespace
