#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tray/TrayRecord.h"

namespace {

void ExpectTip(const TrayRecord& record, const std::string& kept) {
    ASSERT_LE(kept.size(), 62u);
    EXPECT_EQ(std::string(record.szTip, kept.size()), kept);
    for (std::size_t i = kept.size(); i < sizeof record.szTip; ++i)
        EXPECT_EQ(record.szTip[i], 0) << "byte " << i;
}

} // namespace

TEST(TrayRecord, ToShowNamesTheIconMessageAndTip) {
    TrayRecord record = TrayRecordToShow(0x1234, 0xABCD, "定时关机");
    EXPECT_EQ(record.cbSize, 88u);
    EXPECT_EQ(record.hWnd, 0x1234u);
    EXPECT_EQ(record.uID, 100u);
    EXPECT_EQ(record.uFlags, 7u);
    EXPECT_EQ(record.uCallbackMessage, 0x8064u);
    EXPECT_EQ(record.hIcon, 0xABCDu);
    ExpectTip(record, "定时关机");
}

TEST(TrayRecord, ToDeleteCarriesNoFlagsMessageOrIcon) {
    TrayRecord record = TrayRecordToDelete(0x1234, "");
    EXPECT_EQ(record.cbSize, 88u);
    EXPECT_EQ(record.hWnd, 0x1234u);
    EXPECT_EQ(record.uID, 100u);
    EXPECT_EQ(record.uFlags, 0u);
    EXPECT_EQ(record.uCallbackMessage, 0u);
    EXPECT_EQ(record.hIcon, 0u);
    ExpectTip(record, "");
}

TEST(TrayRecord, TipIsCutToSixtyTwoBytesAndTheRestStaysZero) {
    std::string tip;
    for (int i = 0; i < 70; ++i)
        tip += static_cast<char>('A' + i % 26);
    ExpectTip(TrayRecordToShow(1, 2, tip), tip.substr(0, 62));
    ExpectTip(TrayRecordToDelete(1, tip), tip.substr(0, 62));
    ExpectTip(TrayRecordToShow(1, 2, tip.substr(0, 62)), tip.substr(0, 62));
    ExpectTip(TrayRecordToShow(1, 2, tip.substr(0, 61)), tip.substr(0, 61));
}

TEST(DecideTrayUpdate, ReplacesRemovesAddsOrLeavesTheIcon) {
    struct Case {
        bool hasOld, hasNew;
        TrayUpdate update;
    } const cases[] = {
        {true, true, {TrayAction::Modify, true}},
        {true, false, {TrayAction::Delete, true}},
        {false, true, {TrayAction::Add, false}},
        {false, false, {TrayAction::None, false}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DecideTrayUpdate(c.hasOld, c.hasNew), c.update) << c.hasOld << c.hasNew;
}
