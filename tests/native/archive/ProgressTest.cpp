#include "archive/Progress.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Recorder {
    std::vector<int32_t> sent;
    static void Observe(void*, int32_t position, void* context) {
        static_cast<Recorder*>(context)->sent.push_back(position);
    }
};

class ProgressTest : public ::testing::Test {
protected:
    void SetUp() override {
        zembra::Progress() = zembra::ProgressState{};
        zembra::SetProgressObserver(&Recorder::Observe, &recorder);
    }
    void TearDown() override { zembra::SetProgressObserver(nullptr, nullptr); }
    Recorder recorder;
};

}  // namespace

TEST(MulDivRounded, RoundsHalfAwayFromZeroAndRefusesZeroDivisor) {
    EXPECT_EQ(1, zembra::MulDivRounded(1, 1, 2));
    EXPECT_EQ(-1, zembra::MulDivRounded(-1, 1, 2));
    EXPECT_EQ(-1, zembra::MulDivRounded(5, 5, 0));
    EXPECT_EQ(-1, zembra::MulDivRounded(0x7FFFFFFF, 2, 1));  // overflow
    EXPECT_EQ(32768, zembra::MulDivRounded(1500000, 65535, 3000000));
}

TEST_F(ProgressTest, FreshStateAtBaseZeroSendsNothing) {
    zembra::SetProgress(nullptr, 0, 1000);
    EXPECT_TRUE(recorder.sent.empty());
}

TEST_F(ProgressTest, ScalesAndSendsOnlyChanges) {
    struct Row { uint32_t total; std::vector<uint32_t> positions; std::vector<int32_t> expected; } rows[] = {
        {1000, {0, 500, 500, 1000}, {32768, 65535}},
        // 1..76 of 10,000,000 scale to 0; 77 is the first to reach 1.
        {10000000, {1, 76, 77, 78}, {1}},
        // Totals above 2^31 - 1 divide both by 1000; position 0 returns at once.
        {3000000000u, {0, 1500000000u}, {32768}},
        // A total of 0 scales every position to -1: sent once.
        {0, {0, 5, 10}, {-1}},
    };
    for (const Row& r : rows) {
        zembra::Progress() = zembra::ProgressState{};
        recorder.sent.clear();
        zembra::Progress().total = static_cast<int32_t>(r.total);
        for (uint32_t pos : r.positions) zembra::UpdateProgress(pos);
        EXPECT_EQ(r.expected, recorder.sent) << "total " << r.total;
    }
}

TEST_F(ProgressTest, OnlyCodeTwoRequestsCancel) {
    for (int code : {0, 1, 3, -2}) {
        zembra::SetCancel(code);
        EXPECT_EQ(0, zembra::Progress().cancelFlag) << code;
    }
    zembra::SetCancel(2);
    EXPECT_EQ(1, zembra::Progress().cancelFlag);
}
