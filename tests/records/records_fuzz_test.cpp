#include "platform/file_helpers.h"
#include "platform/random_profile.h"
#include "platform/textDecoding.h"
#include "records/records.h"
#include "support/temp_config_dir.h"

#include <gtest/gtest.h>

namespace zandrel {
namespace {

void expectFixedText(const std::string& text, std::size_t length, int file) {
    ASSERT_TRUE(isValidUtf8(text)) << "file " << file;
    ASSERT_EQ(countCharacters(text), length) << "file " << file;
}

TEST(RecordsFuzz, HostileFilesAlwaysLoadIntoDefinedValues) {
    testing::TempConfigDir dir;
    testing::RandomProfile random;
    const auto path = recordsFilePath();
    for (int i = 0; i < testing::kFuzzFileCount; ++i) {
        testing::writeBytes(path, random.next(i));
        Records records;
        loadLevelOfTove(records);
        loadSoloRecord(records);
        loadVsCpuRecord(records);
        ASSERT_GE(records.levelOfTovi, kLowestToviLevel) << "file " << i;
        ASSERT_LE(records.levelOfTovi, kHighestToviLevel) << "file " << i;
        for (int row = kFirstLoadedRow; row <= kLastLoadedRow; ++row) {
            const auto& solo = records.soloRecords[static_cast<std::size_t>(row)];
            expectFixedText(solo.name, kRecordNameLength, i);
            expectFixedText(solo.ballsText, kBallsTextLength, i);
            expectFixedText(solo.date, kRecordDateLength, i);
            ASSERT_EQ(solo.ballCount, getNumOfBallFromBalls(solo.ballsText)) << "file " << i;
            ASSERT_GE(solo.ballCount, 0);
            ASSERT_LE(solo.ballCount, 9);
            const auto& vs = records.vsCpuRecords[static_cast<std::size_t>(row)];
            expectFixedText(vs.name, kRecordNameLength, i);
            expectFixedText(vs.date, kRecordDateLength, i);
        }
        // Loading is a pure function of the file.
        Records again;
        loadLevelOfTove(again);
        loadSoloRecord(again);
        loadVsCpuRecord(again);
        ASSERT_EQ(again.levelOfTovi, records.levelOfTovi);
        ASSERT_EQ(again.soloRecords, records.soloRecords) << "file " << i;
        ASSERT_EQ(again.vsCpuRecords, records.vsCpuRecords) << "file " << i;
    }
}

} // namespace
} // namespace zandrel
