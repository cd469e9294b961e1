// The window frame's record lookup. Input, paints, timers, menus and tear-down
// through the frame are shown by the timeline window's integration tests
// natively and by the Wine frame checks on Win32.
#include <gtest/gtest.h>
#include "host/window_frame.h"

// A handler reaches its record only while the record is in use and still
// names the window: a late message for a window it has let go of reaches none.
TEST(WindowFrame, AHandlerFindsOnlyTheRecordThatStillNamesItsWindow) {
    struct Record {
        int inUse;
        WindowHandle window;
    };
    const WindowHandle rect{0x1234}, other{0x5678};
    const FrameTarget at = {rect, 0};
    Record owner = {1, rect}, renewed = {1, other}, closed = {0, rect};
    EXPECT_EQ(OwningRecord(&owner, &Record::window, at), &owner);
    EXPECT_EQ(OwningRecord(&renewed, &Record::window, at), nullptr);
    EXPECT_EQ(OwningRecord(&closed, &Record::window, at), nullptr);
    EXPECT_EQ(OwningRecord<Record>(nullptr, &Record::window, at), nullptr);  // a slot outside the table
}
