#include "DataFileFixture.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace quorvane::testing {
namespace {

namespace fs = std::filesystem;

using SampleFiles = DataFileFixture;

// The samples are real models in the writer's own format: every row is a
// complete line, and reading and writing gives back the very same bytes.
TEST_F(SampleFiles, AreCompleteModelsThatRoundTripByteForByte)
{
    int samples = 0;
    for (const auto& entry : fs::directory_iterator(QUORVANE_SAMPLES_DIR)) {
        if (entry.path().extension() != ".qrv")
            continue;
        ++samples;
        const std::string name = entry.path().filename().string();
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string original((std::istreambuf_iterator<char>(in)), {});
        Read(original, name);
        EXPECT_GT(table.LineCount, 5) << name;
        EXPECT_EQ(table.CompleteLineCount, table.LineCount) << name;
        settings.CreateBakFiles = false;
        EXPECT_EQ(Write(name), original) << name;
    }
    EXPECT_GE(samples, 3);
    EXPECT_TRUE(fs::exists(fs::path(QUORVANE_SAMPLES_DIR) / "Yagi antenna.qrv"));
}

}  // namespace
}  // namespace quorvane::testing
