// The test helper that answers message boxes: other tests rely on it both to see boxes and to see
// that none appeared, so it is checked against boxes of known make.
#include "tests/win/support/MessageBoxWatcher.h"

#include <gtest/gtest.h>

namespace {

TEST(MessageBoxWatcher, ReadsAndAnswersBoxes) {
    struct Row {
        const char* name;
        UINT style;
        int answer;
        std::vector<int> buttons;
        bool icon;
    } rows[] = {
        {"OkWithoutIcon", MB_OK | MB_TASKMODAL | MB_TOPMOST, IDOK, {IDOK}, false},
        {"RetryCancelWithIcon", MB_RETRYCANCEL | MB_ICONQUESTION, IDCANCEL, {IDCANCEL, IDRETRY}, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        MessageBoxWatcher watcher(row.answer);
        int pressed = MessageBoxA(nullptr, "first line\nsecond line", row.name, row.style);
        EXPECT_EQ(row.answer, pressed);
        ASSERT_TRUE(watcher.WaitForBoxes(1));
        std::vector<MessageBoxWatcher::Box> boxes = watcher.Boxes();
        ASSERT_EQ(1u, boxes.size());
        EXPECT_EQ(row.name, boxes[0].caption);
        EXPECT_EQ("first line\nsecond line", boxes[0].text);
        EXPECT_EQ(row.buttons, boxes[0].buttons);
        EXPECT_EQ(row.icon, boxes[0].hasIcon);
        EXPECT_FALSE(watcher.Stuck());
    }
}

}  // namespace
