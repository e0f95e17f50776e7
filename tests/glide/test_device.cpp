// The device's lifecycle in every state, fault injection, configuration and
// frame dumps.
#include "glide_test.h"

#include "platform/glide/config.h"

#include <png.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

using namespace glide_test;

namespace {

class DeviceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        clear_environment();
        setenv("LUMIVEX_OUTPUT", "offscreen", 1);
        setenv("LUMIVEX_SWAP_INTERVAL", "0", 1);
    }
    void TearDown() override {
        grSstWinClose();
        grGlideShutdown();
        clear_environment();
    }
};

// Every call the show makes, made where it does nothing.
void every_call() {
    GrVertex a = vertex(0, 0), b = vertex(100, 0), c = vertex(0, 100);
    EXPECT_NE(grSstControl(GR_CONTROL_ACTIVATE), FXFALSE);
    EXPECT_NE(grSstControl(GR_CONTROL_MOVE), FXFALSE);
    EXPECT_NE(grSstControl(GR_CONTROL_DEACTIVATE), FXFALSE);
    grDepthBufferMode(GR_DEPTHBUFFER_WBUFFER);
    grDepthBufferFunction(GR_CMP_LESS);
    grDepthMask(FXTRUE);
    grBufferClear(0, 0, 0xFFFF);
    grRenderBuffer(GR_BUFFER_BACKBUFFER);
    grClipWindow(0, 0, 640, 480);
    guTexMemReset();
    GrMipMapId_t id = guTexAllocateMemory(GR_TMU0, GR_MIPMAPLEVELMASK_BOTH, 8, 8, GR_TEXFMT_RGB_565,
                                          GR_MIPMAP_NEAREST_DITHER, GR_LOD_8, GR_LOD_8, GR_ASPECT_1x1, 0, 0, 1, 1,
                                          0.0f, FXFALSE);
    uint16_t texels[64] = {};
    guTexDownloadMipMap(id, texels, nullptr);
    guTexSource(id);
    guColorCombineFunction(GR_COLORCOMBINE_DECAL_TEXTURE);
    guTexCombineFunction(GR_TMU0, GR_TEXTURECOMBINE_DECAL);
    guAlphaSource(GR_ALPHASOURCE_TEXTURE_ALPHA);
    grHints(GR_HINT_STWHINT, GR_STWHINT_W_DIFF_TMU0);
    grTexClampMode(GR_TMU0, 0, 0);
    grConstantColorValue(150);
    guDrawTriangleWithClip(&a, &b, &c);
    guDrawTriangleWithClip(nullptr, &b, &c);
    grBufferSwap(2);
    grSstIdle();
    EXPECT_EQ(lumivex::glide_colour_buffer(GR_BUFFER_BACKBUFFER), nullptr);
    EXPECT_EQ(lumivex::glide_depth_buffer(), nullptr);
}

std::string captured_stderr_of_init() {
    testing::internal::CaptureStderr();
    grGlideInit();
    return testing::internal::GetCapturedStderr();
}

}  // namespace

TEST_F(DeviceTest, CallsInTheWrongStateAreHarmless) {
    every_call();  // before grGlideInit
    grSstWinClose();
    grGlideShutdown();
    grGlideInit();
    every_call();  // initialised, not open
    ASSERT_TRUE(open_device());
    EXPECT_FALSE(grSstWinOpen(0x101, GR_RESOLUTION_640x480, 0, 2, 0, 2, 1));  // open already
    grSstWinClose();
    every_call();  // closed
    grSstWinClose();
    grGlideShutdown();
    every_call();  // shut down
    grGlideShutdown();
    EXPECT_EQ(lumivex::glide_frames_shown(), 0);
}

TEST_F(DeviceTest, OpenRefusesWhatItCannotShow) {
    grGlideInit();
    EXPECT_FALSE(grSstWinOpen(0x101, GR_RESOLUTION_800x600, 0, 2, 0, 2, 1));
    EXPECT_FALSE(grSstWinOpen(0x101, GR_RESOLUTION_640x480, 0, 2, GR_ORIGIN_LOWER_LEFT, 2, 1));
    EXPECT_FALSE(grSstWinOpen(0x101, GR_RESOLUTION_640x480, 0, 2, 0, 3, 1));
    EXPECT_FALSE(grSstWinOpen(0x101, GR_RESOLUTION_640x480, 0, 7, 0, 2, 1));
    // A window or the full screen need a display; the test has none to give
    // for this made-up window handle.
    setenv("LUMIVEX_OUTPUT", "window", 1);
    grGlideInit();
    EXPECT_FALSE(grSstWinOpen(0x101, GR_RESOLUTION_640x480, 0, 2, 0, 2, 1));
    every_call();
}

TEST_F(DeviceTest, TheHardwareQueryFindsOneVoodooWithOneTextureUnit) {
    GrHwConfiguration hw;
    grGlideInit();
    ASSERT_TRUE(grSstQueryHardware(&hw));
    EXPECT_EQ(hw.num_sst, 1);
    EXPECT_EQ(hw.SSTs[0].type, GR_SSTTYPE_VOODOO);
    EXPECT_EQ(hw.SSTs[0].sstBoard.VoodooConfig.nTexelfx, 1);
    EXPECT_EQ(hw.SSTs[0].sstBoard.VoodooConfig.tmuConfig[0].tmuRam, 2);
    EXPECT_EQ(hw.SSTs[0].sstBoard.VoodooConfig.fbRam, 2);
    EXPECT_FALSE(grSstQueryHardware(nullptr));
}

TEST_F(DeviceTest, FaultInjectionFailsTheQueryOrTheOpen) {
    GrHwConfiguration hw;
    setenv("LUMIVEX_BOARDS", "0", 1);
    grGlideInit();
    EXPECT_FALSE(grSstQueryHardware(&hw));
    EXPECT_EQ(hw.num_sst, 0);
    grSstSelect(0);
    EXPECT_FALSE(grSstWinOpen(0x101, GR_RESOLUTION_640x480, 0, 2, 0, 2, 1));
    every_call();  // the show goes on after an ignored report

    clear_environment();
    setenv("LUMIVEX_OUTPUT", "offscreen", 1);
    setenv("LUMIVEX_FAIL_OPEN", "1", 1);
    grGlideInit();
    EXPECT_TRUE(grSstQueryHardware(&hw));
    EXPECT_FALSE(grSstWinOpen(0x101, GR_RESOLUTION_640x480, 0, 2, 0, 2, 1));
    every_call();
}

TEST_F(DeviceTest, ABadValueIsReportedInOneLineAndTheDefaultUsed) {
    setenv("LUMIVEX_OUTPUT", "sideways", 1);
    EXPECT_EQ(captured_stderr_of_init(),
              "lumivex glide: LUMIVEX_OUTPUT=\"sideways\" is not valid; using fullscreen\n");
    // The default, full screen, has no display here: the open fails.
    EXPECT_FALSE(grSstWinOpen(0x101, GR_RESOLUTION_640x480, 0, 2, 0, 2, 1));

    for (const char *name : {"LUMIVEX_SCALE", "LUMIVEX_SWAP_INTERVAL", "LUMIVEX_TRACE_FRAMES", "LUMIVEX_DUMP_FRAMES",
                             "LUMIVEX_KEY_AT_FRAME", "LUMIVEX_BOARDS", "LUMIVEX_FAIL_OPEN", "LUMIVEX_FILTER",
                             "LUMIVEX_GAMMA", "LUMIVEX_RESOLUTION"}) {
        clear_environment();
        setenv(name, "1x", 1);
        std::string report = captured_stderr_of_init();
        EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 1) << report;
        EXPECT_EQ(report.find(std::string(name) + "=\"1x\""), 15u) << report;
    }
    clear_environment();
    setenv("LUMIVEX_OUTPUT", "offscreen", 1);
    setenv("LUMIVEX_FAIL_OPEN", "2", 1);
    setenv("LUMIVEX_BOARDS", "-1", 1);
    std::string report = captured_stderr_of_init();
    EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 2) << report;
    ASSERT_TRUE(open_device());  // defaults: a board, and the open works
}

TEST(FrameList, ParsesNumbersAndRanges) {
    FrameList list;
    ASSERT_TRUE(parse_frame_list("0,157,720-729", &list));
    for (int frame : {0, 157, 720, 725, 729}) EXPECT_TRUE(list.contains(frame)) << frame;
    for (int frame : {1, 156, 158, 719, 730}) EXPECT_FALSE(list.contains(frame)) << frame;
    for (const char *bad : {"", ",", "1,", ",1", "1,,2", "5-3", "1-", "-1", "a", "1 ,2", "12345678901234", "1;2"})
        EXPECT_FALSE(parse_frame_list(bad, &list)) << bad;
    EXPECT_TRUE(list.contains(157));  // untouched by a failed parse
}

// Frames 1, 3 and 4 written as PNG files whose pixels are the shown RGB565
// buffer widened by bit replication.
TEST_F(DeviceTest, ListedFramesAreDumpedAsPng) {
    std::string dir = temp_path("dumps/made");  // made at the first dump
    for (int frame = 0; frame < 6; ++frame) {
        char name[64];
        snprintf(name, sizeof name, "/frame-%06d.png", frame);
        remove((dir + name).c_str());
    }
    ASSERT_EQ(rmdir(dir.c_str()) == 0 || errno == ENOENT, true);
    setenv("LUMIVEX_DUMP_DIR", dir.c_str(), 1);
    setenv("LUMIVEX_DUMP_FRAMES", "1,3-4", 1);
    ASSERT_TRUE(open_device());
    std::vector<uint16_t> shown;
    for (int frame = 0; frame < 6; ++frame) {
        // Frame-dependent colours over a gradient, so that every channel value shows.
        triangle(vertex(0, 0, 0.5f, 255, 0, 40.0f * frame), vertex(640, 0, 0.5f, 0, 255, 0),
                 vertex(0, 480, 0.5f, 0, 0, 255));
        grBufferSwap(2);
        if (frame == 3) {
            const uint16_t *front = lumivex::glide_colour_buffer(GR_BUFFER_FRONTBUFFER);
            shown.assign(front, front + SCREEN_WIDTH * SCREEN_HEIGHT);
        }
        grBufferClear(0, 0, 0xFFFF);
    }
    for (int frame = 0; frame < 6; ++frame) {
        char name[64];
        snprintf(name, sizeof name, "/frame-%06d.png", frame);
        struct stat st;
        EXPECT_EQ(stat((dir + name).c_str(), &st) == 0, frame == 1 || frame == 3 || frame == 4) << frame;
    }

    png_image image = {};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_file(&image, (dir + "/frame-000003.png").c_str())) << image.message;
    EXPECT_EQ(image.width, 640u);
    EXPECT_EQ(image.height, 480u);
    image.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> rgb(PNG_IMAGE_SIZE(image));
    ASSERT_TRUE(png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) << image.message;
    int wrong = 0;
    for (int i = 0; i < SCREEN_WIDTH * SCREEN_HEIGHT; ++i) {
        Rgb c = widen(shown[i]);
        wrong += rgb[3 * i] != c.r || rgb[3 * i + 1] != c.g || rgb[3 * i + 2] != c.b;
    }
    EXPECT_EQ(wrong, 0);
}
