// The resource script as our resource compiler reads it: dialog 101 as the
// Windows build has it, the initialisation list, and scripts it must refuse.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

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
    EXPECT_STREQ(d->caption, "Tobrek");
    EXPECT_EQ(d->font_points, 8);
    EXPECT_STREQ(d->font_name, "MS Sans Serif");

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
    ASSERT_EQ(d->control_count, 12);
    for (int i = 0; i < 12; ++i) {
        const DialogControlResource &c = d->controls[i];
        SCOPED_TRACE(i + 1);
        EXPECT_EQ(c.id, want[i].id);
        EXPECT_STREQ(c.class_name, want[i].cls);
        if (want[i].text) {
            EXPECT_STREQ(c.text, want[i].text);
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

TEST(Resources, InitialisationListHoldsTheThreeEffects)
{
    const RawResource *r = find_raw_resource(101, 240);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->language, 1033);
    const unsigned char *p = r->data, *end = r->data + r->size;
    auto word = [&](const unsigned char *q) { return q[0] | q[1] << 8; };
    const char *names[] = {"First Effect", "Second Effect", "Third Effect"};
    for (const char *name : names) {
        ASSERT_LE(p + 8, end);
        EXPECT_EQ(word(p), 1004);
        EXPECT_EQ(word(p + 2), 0x0403);
        unsigned length = static_cast<unsigned>(word(p + 4) | word(p + 6) << 16);
        EXPECT_EQ(length, strlen(name) + 1);
        ASSERT_LE(p + 8 + length, end);
        EXPECT_STREQ(reinterpret_cast<const char *>(p + 8), name);
        p += 8 + length;
    }
    ASSERT_EQ(end - p, 2);
    EXPECT_EQ(word(p), 0);  // the end of the list
}

// Runs the resource compiler on a script; its exit status and its errors.
int compile(const std::string &script, std::string &errors)
{
    // A folder of this test's own: CTest may run the tests side by side.
    std::string dir = testing::TempDir() + "/" + testing::UnitTest::GetInstance()->current_test_info()->name();
    std::string mkdir = "mkdir -p " + dir;
    if (system(mkdir.c_str()) != 0)
        return -1;
    std::ofstream(dir + "/t.rc") << script;
    std::ofstream(dir + "/t.h") << "#define IDT 7\n#define QUOTED \"no number\"\n";
    std::string cmd = std::string(RC2CPP) + " " + dir + "/t.rc " + dir + "/t.cpp -I" + LUMIVEX_SOURCE_DIR +
                      "/platform/win32/include 2>" + dir + "/err.txt";
    int status = system(cmd.c_str());
    std::ifstream in(dir + "/err.txt");
    errors.assign(std::istreambuf_iterator<char>(in), {});
    return status;
}

TEST(Resources, CompilerTakesStylesFromTheHeadersAndHonoursNot)
{
    std::string errors;
    int status = compile("#include <windows.h>\n#include \"t.h\"\n"
                         "IDT DIALOG 1, 2, 30, 40\nSTYLE WS_POPUP\nBEGIN\n"
                         "  CONTROL \"a\"\"b\", IDT, \"Button\", NOT WS_VISIBLE | BS_GROUPBOX, 1, 2, 3, 4\n"
                         "END\n"
                         "IDT 300 { 1, 2L, \"x\\000\" }\n",
                         errors);
    ASSERT_EQ(status, 0) << errors;
    std::ifstream in(testing::TempDir() + "/CompilerTakesStylesFromTheHeadersAndHonoursNot/t.cpp");
    std::string out((std::istreambuf_iterator<char>(in)), {});
    EXPECT_NE(out.find("{\"Button\", \"a\\\"b\", 7, 0x40000007u"), std::string::npos) << out;
    EXPECT_NE(out.find("0x80000000u"), std::string::npos) << out;
    EXPECT_NE(out.find("0x01, 0x00, 0x02, 0x00, 0x00, 0x00, 0x78, 0x00"), std::string::npos) << out;
}

TEST(Resources, CompilerRefusesWhatItDoesNotKnowAndSaysWhere)
{
    std::string errors;
    EXPECT_NE(compile("#include <windows.h>\n1 DIALOG 0, 0, 10, 10\nBEGIN\n  LTEXT \"x\", 1, 0, 0, 5, 5\nEND\n",
                      errors),
              0);
    EXPECT_NE(errors.find("t.rc:4"), std::string::npos) << errors;
    EXPECT_NE(compile("#include \"t.h\"\n1 DIALOG 0, 0, 10, 10\nSTYLE QUOTED\nBEGIN\nEND\n", errors), 0);
    EXPECT_NE(errors.find("QUOTED"), std::string::npos) << errors;
    EXPECT_NE(compile("#ifdef X\n#endif\n", errors), 0);
    EXPECT_NE(compile("#include \"missing.h\"\n", errors), 0);
    EXPECT_NE(compile("1 DIALOG 0, 0, 10, 10\nCAPTION \"open\nBEGIN\nEND\n", errors), 0);
}

}  // namespace
