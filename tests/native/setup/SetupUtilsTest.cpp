#include "setup/SetupUtils.h"

#include "support/MessageBoxRecorder.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(SetupUtils, AddBackslashEndsNonEmptyFolders) {
    struct Row {
        const char* name;
        const char* buffer;  // the bytes the caller's buffer holds, up to the first zero
        int bufferLength;    // bytes written directly, zeros and junk included
        const char* expected;
    } rows[] = {
        {"folder without backslash", "C:\\Prog", 7, "C:\\Prog\\"},
        {"folder with backslash", "C:\\Prog\\", 8, "C:\\Prog\\"},
        {"empty stays empty", "", 0, ""},
        {"buffer cut at its first zero", "C:\\Temp\\\0more", 13, "C:\\Temp\\"},
        {"zero right after a name", "C:\\Temp\0\\", 9, "C:\\Temp\\"},
        {"double-byte second byte 0x5C counts as backslash", "C:\\\x83\x5c", 5, "C:\\\x83\x5c"},
    };
    for (const Row& r : rows) {
        CString folder;
        char* buffer = folder.GetBufferSetLength(r.bufferLength);
        std::memcpy(buffer, r.buffer, static_cast<size_t>(r.bufferLength));
        AddBackslash(folder);
        EXPECT_EQ(CString(r.expected), folder) << r.name;
        EXPECT_EQ(static_cast<int>(std::strlen(r.expected)), folder.GetLength()) << r.name;
    }
}

TEST(SetupUtils, ShowMessageIsTaskModalTopmostWithCaptionSetup) {
    struct Row {
        unsigned style;
        int answer;
    } rows[] = {
        {BoxOk, BoxIdOk},
        {BoxRetryCancel | BoxIconQuestion, BoxIdRetry},
        {BoxRetryCancel | BoxIconQuestion, BoxIdCancel},
        {BoxYesNo | BoxIconQuestion | BoxTopmost, BoxIdNo},
    };
    for (const Row& r : rows) {
        MessageBoxRecorder boxes(r.answer);
        EXPECT_EQ(r.answer, ShowMessage("Datei C:\\x.dll ist in Benutzung", r.style));
        ASSERT_EQ(1u, boxes.Boxes().size());
        EXPECT_EQ("Setup", boxes.Boxes()[0].caption);
        EXPECT_EQ("Datei C:\\x.dll ist in Benutzung", boxes.Boxes()[0].text);
        EXPECT_EQ(r.style | BoxTaskModal | BoxTopmost, boxes.Boxes()[0].style);
    }
}

TEST(SetupUtils, PumpMessagesRunsWhatStandsForTheQueue) {
    int pumped = 0;
    PumpMessages();  // no hook: nothing to run
    SetPumpMessagesHook([](void* context) { ++*static_cast<int*>(context); }, &pumped);
    PumpMessages();
    PumpMessages();
    SetPumpMessagesHook(nullptr, nullptr);
    PumpMessages();
    EXPECT_EQ(2, pumped);
}
