// nbInitPlugIn's out-texts follow the process-heap rule.
#include <gtest/gtest.h>
#include <cstring>
#include "host/plugin_api.h"
#include "platform/platform.h"

TEST(InitPlugIn, ReusesHostBlocksAndAllocatesForNull) {
    char* title = plat::HostAlloc(4);
    strcpy(title, "old");
    char* publisher = nullptr;
    char foreign[8] = "stack";  // not a heap block: a new one is taken
    char* hint = foreign;
    nbInitPlugIn(nullptr, &title, &publisher, &hint);
    ASSERT_TRUE(plat::HostBlockValid(title));
    EXPECT_STREQ(title, "Quillmont");
    ASSERT_TRUE(plat::HostBlockValid(publisher));
    EXPECT_GT(strlen(publisher), 0u);
    ASSERT_NE(hint, foreign);
    EXPECT_TRUE(plat::HostBlockValid(hint));
    EXPECT_EQ(strncmp(hint, "V1.3 - ", 7), 0);
    EXPECT_STREQ(foreign, "stack");
    plat::HostFree(title);
    plat::HostFree(publisher);
    plat::HostFree(hint);
}
