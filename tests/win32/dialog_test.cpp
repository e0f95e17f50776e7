// dialog_test.cpp - the dialog manager: focus, Enter, Esc, Tab and clicks;
// and the modal dialog and message box answered without a display.
#include <gtest/gtest.h>

#include "platform/win32/dialog.h"
#include "platform/win32/window.h"
#include "tests/support/recorder.h"

namespace {

class Dialog : public ::testing::Test {
  protected:
    void SetUp() override
    {
        const DialogResource *r = find_dialog_resource(101);
        ASSERT_NE(r, nullptr);
        dialog_layout(d, r);
        dialog_initial_focus(d);
    }
    int index_of(int id)
    {
        for (size_t i = 0; i < d.controls.size(); ++i)
            if (d.controls[i].resource->id == id)
                return static_cast<int>(i);
        return -1;
    }
    // The middle of a control, in pixels.
    int cx(int i) { return d.controls[i].rect.x + d.controls[i].rect.w / 2; }
    int cy(int i) { return d.controls[i].rect.y + d.controls[i].rect.h / 2; }
    int click(int i)
    {
        dialog_mouse_down(d, cx(i), cy(i));
        return dialog_mouse_up(d, cx(i), cy(i));
    }
    DialogState d;
};

// Focus starts on Start; Tab and the arrows visit only the two buttons;
// Enter presses the default button (Exit when it has the focus, Start when
// nothing has), Esc cancels wherever the focus is, Space presses the focused
// button when released.
TEST_F(Dialog, TheKeyboardAndTheMouse)
{
    const int START = index_of(IDOK), EXIT = index_of(IDCANCEL);
    EXPECT_EQ(d.focus, START);
    // key, shift, command, focus and pressed button after it
    const struct {
        WPARAM key;
        bool shift;
        int command, focus, pressed;
    } steps[] = {
        {VK_RETURN, false, IDOK, START, -1},     {VK_TAB, false, 0, EXIT, -1},
        {VK_RETURN, false, IDCANCEL, EXIT, -1},  {VK_ESCAPE, false, IDCANCEL, EXIT, -1},
        {VK_SPACE, false, 0, EXIT, EXIT},        {VK_TAB, false, 0, START, -1},
        {VK_ESCAPE, false, IDCANCEL, START, -1}, {VK_TAB, true, 0, EXIT, -1},
        {VK_RIGHT, false, 0, START, -1},
    };
    for (const auto &s : steps) {
        EXPECT_EQ(dialog_key_down(d, s.key, s.shift), s.command) << s.key;
        EXPECT_EQ(d.focus, s.focus) << s.key;
        EXPECT_EQ(d.pressed, s.pressed) << s.key;
        if (s.key == VK_SPACE) {
            EXPECT_EQ(dialog_key_up(d, VK_SPACE), IDCANCEL);
        }
    }
    d.focus = -1;
    EXPECT_EQ(dialog_key_down(d, VK_RETURN, false), IDOK);

    // A click commands when released inside an enabled button and takes the
    // focus; disabled controls, group boxes and texts take neither.
    EXPECT_EQ(click(index_of(IDCANCEL)), IDCANCEL);
    EXPECT_EQ(d.focus, index_of(IDCANCEL));
    const int start = START;
    dialog_mouse_down(d, cx(start), cy(start));
    dialog_mouse_move(d, 1, 1);
    EXPECT_EQ(dialog_mouse_up(d, 1, 1), 0);  // dragged off: no command
    EXPECT_EQ(click(start), IDOK);
    for (int i : {index_of(1001), index_of(1002), index_of(1003), index_of(1004), 2, 8}) {
        ASSERT_GE(i, 0);
        EXPECT_EQ(click(i), 0) << i;
        EXPECT_EQ(d.focus, start) << i;
    }
}

// ---- DialogBoxParamA without a display ----

std::vector<UINT> dialog_seen;
std::vector<WPARAM> commands;
HWND dialog_hwnd, dialog_owner;
bool destroy_on_command = true;

INT_PTR CALLBACK test_dialog_proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    dialog_seen.push_back(message);
    dialog_hwnd = hwnd;
    if (message == WM_INITDIALOG && lParam == 55)
        dialog_owner = find_window(hwnd)->owner;
    if (message != WM_COMMAND)
        return FALSE;
    commands.push_back(wParam);
    if (destroy_on_command)
        DestroyWindow(hwnd);
    return TRUE;
}

// Runs dialog 101 answered by LUMIVEX_DIALOG; what it printed goes to printed.
INT_PTR run(const char *answer, std::string &printed)
{
    dialog_seen.clear();
    commands.clear();
    if (answer)
        setenv("LUMIVEX_DIALOG", answer, 1);
    testing::internal::CaptureStderr();
    INT_PTR result =
        DialogBoxParamA(nullptr, MAKEINTRESOURCEA(101), GetDesktopWindow(), test_dialog_proc, 55);
    printed = testing::internal::GetCapturedStderr();
    unsetenv("LUMIVEX_DIALOG");
    return result;
}

// Start and Exit send their button's command to a dialog the desktop owns; a
// dialog that stays open after the answer is closed and fails; without a
// display or an answer, or with a wrong one, it fails.
TEST(DialogBox, AnswersSendTheirButtonsCommand)
{
    std::string printed;
    EXPECT_EQ(run("start", printed), 0);
    EXPECT_EQ(dialog_seen.front(), static_cast<UINT>(WM_INITDIALOG));
    EXPECT_EQ(commands, std::vector<WPARAM>{MAKEWPARAM(IDOK, BN_CLICKED)});
    EXPECT_FALSE(IsWindow(dialog_hwnd));
    EXPECT_EQ(printed, "");
    EXPECT_EQ(dialog_owner, GetDesktopWindow());
    EXPECT_EQ(run("exit", printed), 0);
    EXPECT_EQ(commands, std::vector<WPARAM>{MAKEWPARAM(IDCANCEL, BN_CLICKED)});

    destroy_on_command = false;
    EXPECT_EQ(run("start", printed), -1);
    destroy_on_command = true;
    EXPECT_FALSE(IsWindow(dialog_hwnd));
    EXPECT_NE(printed, "");

    EXPECT_EQ(run(nullptr, printed), -1);  // what it says is the end-to-end tests'
    EXPECT_TRUE(dialog_seen.empty());      // no dialog was made
    EXPECT_EQ(run("maybe", printed), -1);
    EXPECT_NE(printed.find("LUMIVEX_DIALOG=\"maybe\""), std::string::npos) << printed;
    EXPECT_EQ(DialogBoxParamA(nullptr, MAKEINTRESOURCEA(999), nullptr, test_dialog_proc, 0), -1);
}

// ---- MessageBoxA without a display: its text on stderr, its answer from
// LUMIVEX_MESSAGEBOX, Abort when that says nothing useful ----

int ask(const char *preset, std::string &printed)
{
    if (preset)
        setenv("LUMIVEX_MESSAGEBOX", preset, 1);
    testing::internal::CaptureStderr();
    int answer = MessageBoxA(nullptr, "Assertion failed!\n\nLine: 90", "Run-time Library",
                             MB_ABORTRETRYIGNORE | MB_ICONHAND | MB_TASKMODAL | MB_SETFOREGROUND);
    printed = testing::internal::GetCapturedStderr();
    unsetenv("LUMIVEX_MESSAGEBOX");
    return answer;
}

TEST(MessageBox, AnswersFromTheEnvironmentAfterPrintingTheBox)
{
    std::string printed;
    EXPECT_EQ(ask("ignore", printed), IDIGNORE);
    for (const char *part : {"Run-time Library", "Assertion failed!", "Line: 90"})
        EXPECT_NE(printed.find(part), std::string::npos) << part << " in " << printed;
    EXPECT_EQ(ask("retry", printed), IDRETRY);
    EXPECT_EQ(ask(nullptr, printed), IDABORT);
    EXPECT_EQ(ask("yes", printed), IDABORT);  // not a button of this box
    EXPECT_NE(printed.find("LUMIVEX_MESSAGEBOX=\"yes\""), std::string::npos) << printed;
}

}  // namespace
