// resources_test.cpp - the program's .res as our reader reads it: dialog
// 101's initialisation list, and damaged images refused whole. How the dialog
// looks is checked on a real X server (tests/app/real_window.sh).
#include <gtest/gtest.h>

#include <string>

#include "platform/win32/dialog.h"
#include "platform/win32/resources.h"
#include "tests/support/files.h"

namespace {

TEST(Resources, InitialisationListFillsTheEffectListDamagedImagesAreRefused)
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

    // Every cut of the program's .res, and every byte of it set to 0xFF, is
    // read without reading past its end (the test runs under the sanitizers'
    // eyes in the fuzz build too); a cut is refused whole.
    const std::string file = read_file(RES_FILE);
    const std::vector<unsigned char> res(file.begin(), file.end());
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
