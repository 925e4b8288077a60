// The resolution list's entry text, and reading it back by position as the dialog's OK does.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "settings/mode_entry.h"

namespace {

std::string entry(int64_t w, int64_t h, int64_t b, int64_t f, bool withFrequency) {
    char text[MODE_ENTRY_SIZE];
    std::memset(text, '#', sizeof text);
    formatModeEntry(text, w, h, b, f, withFrequency);
    return text;
}

TEST(ModeEntry, TextWithAndWithoutFrequency) {
    EXPECT_EQ(entry(800, 600, 16, 75, true), "800 x 600 x 16bits x 75Hz");
    EXPECT_EQ(entry(800, 600, 16, 75, false), "800 x 600 x 16bits");
    EXPECT_EQ(entry(640, 480, 8, 0, true), "640 x 480 x 8bits x 0Hz");
    EXPECT_EQ(entry(640, 480, 16, -1, true), "640 x 480 x 16bits x -1Hz");
}

TEST(ModeEntry, LargestValuesFitWholeAndBeyondAreClamped) {
    EXPECT_EQ(entry(4294967295, 4294967295, 4294967295, 4294967295, true),
              "4294967295 x 4294967295 x 4294967295bits x 4294967295Hz");
    const std::string lowest = entry(INT64_MIN, INT64_MIN, INT64_MIN, INT64_MIN, true);
    EXPECT_EQ(lowest, "-2147483648 x -2147483648 x -2147483648bits x -2147483648Hz");
    EXPECT_LT(lowest.size(), MODE_ENTRY_SIZE);
    EXPECT_EQ(entry(INT64_MAX, 0, 1, 1, false), "4294967295 x 0 x 1bits");
}

TEST(ModeEntry, NumbersAreDigitsAfterSpacesAndSaturate) {
    EXPECT_EQ(readEntryNumber("75Hz"), 75u);
    EXPECT_EQ(readEntryNumber("   16bits"), 16u);
    EXPECT_EQ(readEntryNumber(""), 0u);
    EXPECT_EQ(readEntryNumber("  "), 0u);
    EXPECT_EQ(readEntryNumber("-5"), 0u);   // no sign
    EXPECT_EQ(readEntryNumber("+5"), 0u);
    EXPECT_EQ(readEntryNumber("\t5"), 0u);  // only spaces are skipped
    EXPECT_EQ(readEntryNumber("4294967295"), 4294967295u);
    EXPECT_EQ(readEntryNumber("4294967296"), 4294967295u);
    EXPECT_EQ(readEntryNumber("99999999999999999999999x"), 4294967295u);
    EXPECT_EQ(readEntryNumber("0000000000000000000012"), 12u);
}

TEST(ModeEntry, EveryBuiltEntryReadsBackItsNumbers) {
    const struct {
        uint32_t w, h, b, f;
    } modes[] = {{800, 600, 16, 75}, {1024, 768, 32, 0}, {320, 200, 8, 1}, {1, 2, 3, 4},
                 {4294967295u, 4294967295u, 4294967295u, 4294967295u}};
    for (const auto& m : modes) {
        for (bool withFrequency : {true, false}) {
            const std::string text = entry(m.w, m.h, m.b, m.f, withFrequency);
            ModeNumbers read;
            ASSERT_TRUE(readModeEntry(text.c_str(), withFrequency, &read)) << text;
            EXPECT_EQ(read.width, m.w) << text;
            EXPECT_EQ(read.height, m.h) << text;
            EXPECT_EQ(read.bitsPerPixel, m.b) << text;
            EXPECT_EQ(read.frequency, withFrequency ? m.f : 0u) << text;
        }
    }
}

TEST(ModeEntry, ReadingIsByPositionOfTheMarkers) {
    ModeNumbers read;
    // Upper case is not a marker; the first lower-case "x" is.
    ASSERT_TRUE(readModeEntry("12 X 34 x 56 x 78bits", false, &read));
    EXPECT_EQ(read.width, 12u);
    EXPECT_EQ(read.height, 56u);
    EXPECT_EQ(read.bitsPerPixel, 78u);
    // Two characters after the marker, whatever they are.
    ASSERT_TRUE(readModeEntry("800x600x16b", false, &read));
    EXPECT_EQ(read.width, 800u);
    EXPECT_EQ(read.height, 0u);  // starts in the middle of "600", at "00x16b"
    EXPECT_EQ(read.bitsPerPixel, 6u);
    // Without a frequency the part after "bits" is never read.
    ASSERT_TRUE(readModeEntry("800 x 600 x 16bits", false, &read));
    EXPECT_EQ(read.frequency, 0u);
}

TEST(ModeEntry, TextsThatAreNotEntriesAreRefusedWithoutReadingPastTheEnd) {
    // Each is copied into a buffer of exactly its own length, so that the sanitizer sees any read
    // past the closing zero.
    const std::vector<std::pair<std::string, bool>> texts = {
        {"", false},          {"800", false},        {"800 x", false},     {"800 x 600", false},
        {"800 x 600 x", false}, {"800 x 600 x 16", false}, {"800 x 600 x 16bits", true},
        {"800 x 600 x 16bits x", true}, {"x", false}, {"xx", false}, {"x x b", true},
    };
    for (const auto& [text, withFrequency] : texts) {
        std::vector<char> exact(text.begin(), text.end());
        exact.push_back('\0');
        ModeNumbers read;
        read.width = 7;
        EXPECT_FALSE(readModeEntry(exact.data(), withFrequency, &read)) << '"' << text << '"';
        EXPECT_EQ(read.width, 7u) << "untouched on refusal";
    }
    // A number that starts right at the closing zero reads 0.
    const std::string endsAfterMarker = "1 x 2 x 3bits x ";
    std::vector<char> exact(endsAfterMarker.begin(), endsAfterMarker.end());
    exact.push_back('\0');
    ModeNumbers read;
    ASSERT_TRUE(readModeEntry(exact.data(), true, &read));
    EXPECT_EQ(read.bitsPerPixel, 3u);
    EXPECT_EQ(read.frequency, 0u);
}

}  // namespace
