#include "platform/file_helpers.h"
#include "platform/random_profile.h"
#include "platform/text_decoding.h"
#include "records/records.h"
#include "support/temp_config_dir.h"

#include <gtest/gtest.h>

namespace zandrel {
namespace {

bool isFixedText(const std::string& text, std::size_t length) {
    return isValidUtf8(text) && countCharacters(text) == length;
}

TEST(RecordsFuzz, HostileFilesAlwaysLoadIntoDefinedValues) {
    testing::TempConfigDir dir;
    testing::RandomProfile random;
    for (int i = 0; i < testing::kFuzzFileCount; ++i) {
        testing::writeBytes(recordsFilePath(), random.next(i));
        Records records;
        loadLevelOfTove(records);
        loadSoloRecord(records);
        loadVsCpuRecord(records);
        ASSERT_GE(records.levelOfTovi, kLowestToviLevel) << "file " << i;
        ASSERT_LE(records.levelOfTovi, kHighestToviLevel) << "file " << i;
        for (int row = kFirstLoadedRow; row <= kLastLoadedRow; ++row) {
            const auto& solo = records.soloRecords[static_cast<std::size_t>(row)];
            const auto& vs = records.vsCpuRecords[static_cast<std::size_t>(row)];
            ASSERT_TRUE(isFixedText(solo.name, kRecordNameLength) &&
                        isFixedText(solo.date, kRecordDateLength) &&
                        isFixedText(solo.ballsText, kBallsTextLength) &&
                        isFixedText(vs.name, kRecordNameLength) && isFixedText(vs.date, kRecordDateLength))
                << "file " << i << " row " << row;
            ASSERT_EQ(solo.ballCount, getNumOfBallFromBalls(solo.ballsText)) << "file " << i;
        }
    }
}

} // namespace
} // namespace zandrel
