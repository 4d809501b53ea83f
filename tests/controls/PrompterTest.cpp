#include "controls/Prompter.h"

#include <gtest/gtest.h>

// Save dialogs add the default extension only to a file name that has none.
TEST(Prompter, SavedNamesWithoutAnExtensionGetTheDefaultOne)
{
    using listrion::controls::withDefaultExtension;
    EXPECT_EQ(withDefaultExtension("/home/u/tv/out", "m3u"), "/home/u/tv/out.m3u");
    EXPECT_EQ(withDefaultExtension("/home/u/tv.v2/out", "m3u"), "/home/u/tv.v2/out.m3u");
    EXPECT_EQ(withDefaultExtension("/home/u/out.m3u8", "m3u"), "/home/u/out.m3u8");
    EXPECT_EQ(withDefaultExtension("/home/u/out.txt", "m3u"), "/home/u/out.txt");
    EXPECT_EQ(withDefaultExtension("/home/u/out.", "m3u"), "/home/u/out.");
    EXPECT_EQ(withDefaultExtension("/home/u/out", ""), "/home/u/out");
}
