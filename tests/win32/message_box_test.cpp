// The message box without a display: its text on stderr, its answer from
// LUMIVEX_MESSAGEBOX, Abort when that says nothing useful.
#include <gtest/gtest.h>

#include "recorder.h"

namespace {

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
    EXPECT_NE(printed.find("Run-time Library"), std::string::npos);
    EXPECT_NE(printed.find("Assertion failed!"), std::string::npos) << printed;
    EXPECT_NE(printed.find("Line: 90"), std::string::npos) << printed;
    EXPECT_EQ(ask("retry", printed), IDRETRY);
    EXPECT_EQ(ask(nullptr, printed), IDABORT);
    EXPECT_EQ(ask("yes", printed), IDABORT);  // not a button of this box
    EXPECT_NE(printed.find("LUMIVEX_MESSAGEBOX=\"yes\""), std::string::npos) << printed;
}

}  // namespace
