#include <gtest/gtest.h>

#include "text/strings.h"
#include "pages/number_entry.h"
#include "pages/page_host.h"

using namespace wegator;

TEST(NumberEntry, ReadsTruncatesAndRewrites) {
    struct Case {
        const char* text;
        int precision;
        const char* sign;
        double value;
        const char* shown;
    };
    for (const Case& c : {Case{"12,5", 1, ".", 12.5, "12.5"}, Case{"12.5", 1, ",", 12.5, "12,5"},
                          Case{"3.149", 2, ",", 3.14, "3,14"},  // cut, never rounded
                          Case{"12.7", 0, ".", 12.0, "12"}, Case{"-0.5", 3, ".", -0.5, "-0.500"},
                          Case{"-12.25", 3, ".", -12.25, "-12.250"}, Case{"-5", 3, ",", -5.0, "-5,000"},
                          Case{"", 3, ".", 0.0, "0.000"}, Case{",", 3, ",", 0.0, "0,000"},
                          Case{"1234567", 3, ",", 1234567.0, "1234567,000"}}) {
        const EntryReading r = GetValue(c.text, c.precision, c.sign);
        EXPECT_EQ(r.messageId, 0) << c.text;
        EXPECT_DOUBLE_EQ(r.value, c.value) << c.text;
        EXPECT_EQ(r.rewritten, c.shown) << c.text;
    }
}

TEST(NumberEntry, RejectsLongAndMalformedEntries) {
    // The length is judged before the format ("1.2.3.4.5.6.7.8.9").
    for (const char* text : {"12345678", "12345678.5", "-1234567", "1234567.12345678", "1.2.3.4.5.6.7.8.9"}) {
        const EntryReading r = GetValue(text, 3, ",");
        EXPECT_EQ(r.messageId, 14) << text;
        EXPECT_EQ(r.value, InvalidValue) << text;
        EXPECT_TRUE(r.rewritten.empty()) << text;
    }
    for (const char* text : {"1.2.3", "1,2.3", "1.,", "5-", "--5"}) {
        const EntryReading r = GetValue(text, 3, ",");
        EXPECT_EQ(r.messageId, 15) << text;
        EXPECT_EQ(r.value, InvalidValue) << text;
    }

    // A page reading its field: the warning goes to the host, the text stays as typed.
    RecordingHost host;
    std::string text = "1.2.3";
    EXPECT_EQ(ReadEntry(text, {2, 3, ","}, host), InvalidValue);
    EXPECT_EQ(text, "1.2.3");
    ASSERT_EQ(host.shown.size(), 1u);
    EXPECT_TRUE(host.shown[0].warning);
    EXPECT_EQ(host.shown[0].messageId, 15);
    EXPECT_EQ(host.shown[0].text, LoadString(15));
    text = "7.129";
    EXPECT_DOUBLE_EQ(ReadEntry(text, {2, 3, ","}, host), 7.12);
    EXPECT_EQ(text, "7,12");
}

TEST(NumberEntry, DisplayForms) {
    EXPECT_EQ(FormatResult(1234567.891, 3, "."), "1234567.891");
    EXPECT_EQ(FormatResult(12345678.9, 3, "."), "1.2346e+007");
    EXPECT_EQ(FormatResult(-1234567.891, 3, ","), "-1,2346e+006");
    EXPECT_EQ(FormatResult(0.5, 2, ","), "0,50");
    EXPECT_EQ(FormatResult(0.000000123456, 12, "."), "1.2346e-007");
    EXPECT_EQ(FormatResult(1.5e123, 3, "."), "1.5000e+123");
    EXPECT_EQ(FormatInput(68.0, 3, ","), "68,000");
    EXPECT_EQ(FormatFixed(150012400000.0, 3, ","), "150012400000,000");
}

TEST(NumberEntry, WidestTextsCoverEveryTextAFieldShows) {
    for (int precision = 0; precision <= 7; ++precision) {
        const NumberFormat format{precision, precision, ","};
        // An entry: fifteen typed characters, or the rewritten longest value.
        const std::size_t entry = WidestEntryText(format).size();
        EXPECT_GE(entry, 15u);
        EXPECT_GE(entry, GetValue("-9999999,9999999", precision, ",").rewritten.size());
        // A result, fixed or in exponent form, at any magnitude.
        const auto widest = WidestResultTexts(format);
        for (double v : {-9999999999.0, -1234567.891, -123456.7891, -1.5e-123, -1.5e123, 0.0}) {
            const std::string shown = FormatResult(v, precision, ",");
            EXPECT_TRUE(shown.size() <= widest[0].size() || shown.size() <= widest[1].size()) << shown;
        }
    }
    EXPECT_EQ(WidestResultTexts({3, 3, "."})[1], "-8.8888e+088");
}

TEST(NumberEntry, KeystrokeAndPasteFilter) {
    for (char32_t c : {U'0', U'9', U'.', U',', U'-', U'\b'}) EXPECT_TRUE(IsNumericEntryCharacter(c));
    for (char32_t c : {U'a', U'e', U'+', U' ', U'°'}) EXPECT_FALSE(IsNumericEntryCharacter(c));
    EXPECT_EQ(FilterNumericText("12a,5 °C"), "12,5");
    EXPECT_EQ(FilterNumericText("-1e+3\b"), "-13");
}
