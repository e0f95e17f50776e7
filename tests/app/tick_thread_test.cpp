// The tick thread: the counters rise once at its start and once per 500 ms
// sleep, and it ends when the stop flag is found set. Sleep is a double
// here: no waiting and no timing.
#include <gtest/gtest.h>

#include "app/shell.h"
#include "doubles.h"

namespace {

std::vector<std::vector<LONG>> counts_at_sleep;
std::vector<DWORD> sleeps;

void record_sleep(DWORD ms)
{
    sleeps.push_back(ms);
    counts_at_sleep.push_back({tick_counts[0], tick_counts[1], tick_counts[2]});
    if (sleeps.size() == 3)
        tick_thread_stop = 1;
}

TEST(TickThread, CountersRiseBeforeEachHalfSecondSleep)
{
    tick_counts[0] = tick_counts[1] = tick_counts[2] = 0;
    tick_thread_stop = 0;
    counts_at_sleep.clear();
    sleeps.clear();
    sleep_hook = record_sleep;
    EXPECT_EQ(tick_thread_main(nullptr), 0u);
    sleep_hook = nullptr;
    tick_thread_stop = 0;
    EXPECT_EQ(sleeps, (std::vector<DWORD>{500, 500, 500}));
    ASSERT_EQ(counts_at_sleep.size(), 3u);
    for (LONG n = 1; n <= 3; ++n)
        EXPECT_EQ(counts_at_sleep[n - 1], (std::vector<LONG>{n, n, n}));
    EXPECT_EQ(tick_counts[0], 3);  // no increment after the stop was seen
}

}  // namespace
