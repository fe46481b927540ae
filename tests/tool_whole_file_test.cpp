// The tool's output files: created, or written over and cut to the new
// length, whatever the old file held; a folder that is not there fails.
#include "tools/varnok/whole_file.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/test_support.h"

namespace {

std::string ReadText(const std::string& path) {
    const std::vector<std::uint8_t> bytes = ReadBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

TEST(WholeFile, NewLongerShorterAndEmptyFilesHoldExactlyTheBytes) {
    ScratchDir dir;
    const std::string path = dir.File("out.svg");
    const std::string longer(100000, 'x');
    struct Step {
        const char* what;
        std::string bytes;
    };
    const Step steps[] = {
        {"a new file", "first text"},
        {"over a shorter file", longer},
        {"over a longer file", "short"},
        {"the same length", "SHORT"},
        {"nothing", ""},
        {"after an empty file", std::string("with\0nul", 8)},
    };
    for (const Step& step : steps) {
        ASSERT_TRUE(WriteWholeFile(path, step.bytes)) << step.what;
        EXPECT_EQ(ReadText(path), step.bytes) << step.what;
    }
}

TEST(WholeFile, AFolderThatIsNotThereFails) {
    ScratchDir dir;
    EXPECT_FALSE(WriteWholeFile(dir.File("missing/out.svg"), "text"));
}

#if !defined(_WIN32)
TEST(WholeFile, ADeviceIsWrittenWithoutCutting) {
    EXPECT_TRUE(WriteWholeFile("/dev/null", "text"));
}
#endif

}  // namespace
