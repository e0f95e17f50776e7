// test_device.cpp - the device's lifecycle in every state, fault injection
// and configuration.
#include "glide_test.h"

#include "platform/glide/config.h"

using namespace glide_test;

namespace {

using DeviceTest = Offscreen;

// Every call the show makes, made where it does nothing.
void every_call()
{
    EXPECT_NE(grSstControl(GR_CONTROL_ACTIVATE), FXFALSE);
    EXPECT_NE(grSstControl(GR_CONTROL_DEACTIVATE), FXFALSE);
    grDepthBufferMode(GR_DEPTHBUFFER_WBUFFER);
    grDepthBufferFunction(GR_CMP_LESS);
    grDepthMask(FXTRUE);
    grRenderBuffer(GR_BUFFER_BACKBUFFER);
    grClipWindow(0, 0, 640, 480);
    show_calls();
    GrVertex v = vertex(0, 0);
    guDrawTriangleWithClip(nullptr, &v, &v);
    EXPECT_EQ(lumivex::glide_colour_buffer(GR_BUFFER_BACKBUFFER).rgb565, nullptr);
    EXPECT_EQ(lumivex::glide_colour_buffer(GR_BUFFER_BACKBUFFER).xrgb, nullptr);
    EXPECT_EQ(lumivex::glide_depth_buffer(), nullptr);
}

std::string captured_stderr_of_init()
{
    testing::internal::CaptureStderr();
    grGlideInit();
    return testing::internal::GetCapturedStderr();
}

}  // namespace

// Before grGlideInit, initialised but not open, closed and shut down, every
// call is harmless. The open refuses what it cannot show: another
// resolution, origin, buffer count or colour format. (No board, a failed
// open and a window without a display are the end-to-end tests'.)
TEST_F(DeviceTest, CallsInTheWrongStateAndRefusedOpensAreHarmless)
{
    every_call();
    grGlideInit();
    every_call();
    ASSERT_TRUE(open_device());
    EXPECT_FALSE(grSstWinOpen(0x101, GR_RESOLUTION_640x480, 0, 2, 0, 2, 1));  // open already
    GrHwConfiguration hw;
    EXPECT_FALSE(grSstQueryHardware(nullptr));
    grSstWinClose();
    every_call();
    grSstWinClose();
    grGlideShutdown();
    every_call();
    grGlideShutdown();

    const struct {
        FxU32 resolution;
        GrOriginLocation_t origin;
        int buffers;
        GrColorFormat_t format;
    } refused[] = {{GR_RESOLUTION_800x600, 0, 2, 2},
                   {GR_RESOLUTION_640x480, GR_ORIGIN_LOWER_LEFT, 2, 2},
                   {GR_RESOLUTION_640x480, 0, 3, 2},
                   {GR_RESOLUTION_640x480, 0, 2, 7}};
    for (const auto &r : refused) {
        grGlideInit();
        ASSERT_TRUE(grSstQueryHardware(&hw));
        grSstSelect(0);
        EXPECT_FALSE(grSstWinOpen(0x101, r.resolution, 0, r.format, r.origin, r.buffers, 1)) << &r - refused;
        every_call();
    }
}

// Each bad value is told once a process: a repeated run brings new ones.
TEST_F(DeviceTest, ABadValueIsReportedInOneLineAndTheDefaultUsedFrameListsParse)
{
    static int runs = 0;
    const std::string bad = "1x" + std::to_string(runs++);
    setenv("LUMIVEX_OUTPUT", ("sideways" + bad).c_str(), 1);
    EXPECT_EQ(captured_stderr_of_init(),
              "lumivex glide: LUMIVEX_OUTPUT=\"sideways" + bad + "\" is not valid; using fullscreen\n");
    // The default, full screen, has no display here: the open fails.
    EXPECT_FALSE(grSstWinOpen(0x101, GR_RESOLUTION_640x480, 0, 2, 0, 2, 1));

    for (size_t k = 0; k < glide_setting_count; ++k) {
        const Setting &s = glide_settings[k];
        if (s.kind == SettingKind::TEXT)  // any path is one
            continue;
        clear_settings();
        setenv(s.name, bad.c_str(), 1);
        std::string report = captured_stderr_of_init();
        EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 1) << report;
        EXPECT_EQ(report.find(std::string(s.name) + "=\"" + bad + "\""), 15u) << report;
    }
    // Too long to echo whole; a key that will not come is said.
    clear_settings();
    setenv("LUMIVEX_SCALE", (std::string(100000, '9') + bad).c_str(), 1);
    setenv("LUMIVEX_KEY_AT_FRAME", ("soon" + bad).c_str(), 1);
    std::string report = captured_stderr_of_init();
    EXPECT_LT(report.size(), 1000u) << report;
    EXPECT_NE(report.find("=\"" + std::string(60, '9') + "...\" is not valid"), std::string::npos) << report;
    EXPECT_NE(report.find("no key will be pressed"), std::string::npos) << report;
    clear_settings();
    setenv("LUMIVEX_OUTPUT", "offscreen", 1);
    setenv("LUMIVEX_FAIL_OPEN", ("2" + bad).c_str(), 1);
    setenv("LUMIVEX_BOARDS", ("-1" + bad).c_str(), 1);
    report = captured_stderr_of_init();
    EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 2) << report;
    ASSERT_TRUE(open_device());  // defaults: a board, and the open works

    // Frame lists: numbers and ranges.
    FrameList list;
    ASSERT_TRUE(parse_frame_list("0,157,720-729", &list));
    for (int frame : {0, 157, 720, 725, 729})
        EXPECT_TRUE(list.contains(frame)) << frame;
    for (int frame : {1, 156, 158, 719, 730})
        EXPECT_FALSE(list.contains(frame)) << frame;
    for (const char *bad :
         {"", ",", "1,", ",1", "1,,2", "5-3", "1-", "-1", "a", "1 ,2", "12345678901234", "1;2"})
        EXPECT_FALSE(parse_frame_list(bad, &list)) << bad;
    EXPECT_TRUE(list.contains(157));  // untouched by a failed parse
}
