#include "text/string_table.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstddef>
#include <set>
#include <string>
#include <string_view>

namespace wegator {
namespace {

constexpr std::string_view kLimit = "%.7f";

bool IsRangeMessageId(int id) {
    return id >= msg::FirstRangeMessage && id <= msg::LastRangeMessage && id != 79 && id != 97 &&
           id != 98;
}

std::size_t CountOf(std::string_view text, std::string_view piece) {
    std::size_t n = 0;
    for (auto pos = text.find(piece); pos != std::string_view::npos;
         pos = text.find(piece, pos + piece.size())) {
        ++n;
    }
    return n;
}

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const auto b = static_cast<unsigned char>(s[i]);
        std::size_t len = 0;
        unsigned cp = 0;
        unsigned min = 0;
        if (b < 0x80) {
            ++i;
            continue;
        } else if ((b & 0xE0) == 0xC0) {
            len = 2, cp = b & 0x1F, min = 0x80;
        } else if ((b & 0xF0) == 0xE0) {
            len = 3, cp = b & 0x0F, min = 0x800;
        } else if ((b & 0xF8) == 0xF0) {
            len = 4, cp = b & 0x07, min = 0x10000;
        } else {
            return false;
        }
        if (i + len > s.size()) return false;
        for (std::size_t k = 1; k < len; ++k) {
            const auto c = static_cast<unsigned char>(s[i + k]);
            if ((c & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (c & 0x3F);
        }
        if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        i += len;
    }
    return true;
}

TEST(StringTable, IdsAscendingUniqueAndAllFoundByLookup) {
    const auto table = PolishStringTable();
    ASSERT_FALSE(table.empty());
    int rangeMessages = 0;
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (i > 0) {
            EXPECT_LT(table[i - 1].id, table[i].id) << "after id " << table[i - 1].id;
        }
        EXPECT_FALSE(table[i].text.empty()) << "id " << table[i].id;
        // The look-up must hand back this very entry, first, last and in between.
        EXPECT_EQ(PolishString(table[i].id).data(), table[i].text.data()) << "id " << table[i].id;
        if (IsRangeMessageId(table[i].id)) ++rangeMessages;
    }
    // 73 to 164 without 79, 97, 98 (ordinary texts) and 94 (unused).
    EXPECT_EQ(rangeMessages, 88);
}

TEST(StringTable, ExactTextsUsersSee) {
    EXPECT_EQ(PolishString(26), "Wartości wejściowe poza zakresem");
    EXPECT_EQ(PolishString(14), "Zbyt długa wartość wejściowa");
    EXPECT_EQ(PolishString(15), "Błędny format wartości wejściowej");
    EXPECT_EQ(PolishString(8), "Wartość punktu rosy nie powinna być większa niż wartość temperatury");
    EXPECT_EQ(PolishString(79),
              "Wartość ciśnienia wyjściowego powinna zawierać się w przedziale 0.03 ... 20.");
    EXPECT_EQ(PolishString(199), "TREVAN WEGATOR WILGOTNOŚCI");
    EXPECT_EQ(PolishString(191),
              "Lista CSV (*.csv)|*.csv|Plik tekstowy (*.txt)|*.txt|Wszystkie pliki (*.*)|*.*||");

    // The dew point of 20 °C at 110 kPa case: blaming the temperature.
    EXPECT_EQ(PolishString(101),
              "Obliczona wartość SWVP nad wodą poza dopuszczalnym zakresem:\n"
              "Temperatura powinna być większa od %.7f");
    EXPECT_EQ(PolishString(73),
              "Obliczona wartość RH nad wodą poza dopuszczalnym zakresem:\n"
              "Wartość RH powinna być mniejsza lub równa od %.7f");
    EXPECT_EQ(PolishString(120),
              "Obliczona wartość DP nad lodem poza dopuszczalnym zakresem:\n"
              "Temperatura powinna być większa od %.7f");

    // Wording slips the program has always shown.
    EXPECT_EQ(PolishString(87),
              "Obliczona wartość temperatury nad wodą poza dopuszczalnym zakresem:\n"
              "Wartość RH powinna być większa od %.7f");
    EXPECT_EQ(PolishString(141),
              "Obliczona wartość SWVP nad wodą poza dopuszczalnym zakresem:\n"
              "Pressure powinna być mniejsza lub równa od %.7f");
    EXPECT_EQ(PolishString(144),
              "Obliczona wartość SWVP nad lodem poza dopuszczalnym zakresem:\n"
              "Wartość ciśnienia powinna być mniejsza lub równa od %.7f");
    EXPECT_NE(PolishString(156).find("\nWartość entalpii powinna"), std::string_view::npos);
    EXPECT_NE(PolishString(157).find("\nEnthalpy powinna"), std::string_view::npos);
    EXPECT_NE(PolishString(158).find("\nEntalpia powinna być większa od"), std::string_view::npos);

    // Three checks of the dew-point-and-humidity route share one text.
    EXPECT_EQ(PolishString(85), PolishString(88));
    EXPECT_EQ(PolishString(85), PolishString(89));
    EXPECT_EQ(PolishString(86), PolishString(90));
    EXPECT_NE(PolishString(85), PolishString(86));
}

TEST(StringTable, RangeMessagesCarryOneLimitAtTheEnd) {
    for (const auto& e : PolishStringTable()) {
        if (!IsRangeMessageId(e.id)) continue;
        SCOPED_TRACE(e.id);
        EXPECT_EQ(CountOf(e.text, kLimit), 1u);
        EXPECT_TRUE(e.text.ends_with(kLimit));
        // One double goes into the text, so no other conversion may hide in it.
        EXPECT_EQ(CountOf(e.text, "%"), 1u);
        EXPECT_EQ(CountOf(e.text, "\n"), 1u);
    }
    for (int id : {79, 97, 98}) {
        EXPECT_EQ(PolishString(id).find('%'), std::string_view::npos) << id;
    }
}

// Every range message is "Obliczona wartość <quantity> nad <wodą|lodem> poza
// dopuszczalnym zakresem:\n<input> powinna być <bound> %.7f"; a slip in any
// word shows up here.
TEST(StringTable, RangeMessagesUseOnlyTheKnownWords) {
    const std::set<std::string_view> quantities = {
        "RH", "temperatury punktu rosy", "DP", "temperatury", "PPMV", "PPMW", "X", "SWVP", "WVP"};
    const std::set<std::string_view> inputs = {
        "Wartość RH",         "Wartość ciśnienia wejściowego", "Wartość ciśnienia wyjściowego",
        "Wartość ciśnienia",  "Temperatura punktu rosy",       "Temperatura",
        "Wartość Tw/Ti",      "Wartość PPMV",                  "Wartość PPMW",
        "Wartość entalpii",   "Entalpia",                      "Pressure",
        "Enthalpy"};
    const std::string_view lead = "Obliczona wartość ";
    int water = 0;
    int ice = 0;
    for (const auto& e : PolishStringTable()) {
        if (!IsRangeMessageId(e.id)) continue;
        SCOPED_TRACE(e.id);
        std::string_view t = e.text;
        ASSERT_TRUE(t.starts_with(lead));
        t.remove_prefix(lead.size());

        const auto nl = t.find('\n');
        ASSERT_NE(nl, std::string_view::npos);
        std::string_view head = t.substr(0, nl);
        std::string_view tail = t.substr(nl + 1);

        const std::string_view outOfRange =
            e.id == 87 ? " poza dopuszczalnym zakresem:" : " poza dopuszczalnym zakresem:";
        ASSERT_TRUE(head.ends_with(outOfRange));
        head.remove_suffix(outOfRange.size());
        if (head.ends_with(" nad wodą")) {
            head.remove_suffix(std::string_view(" nad wodą").size());
            ++water;
        } else if (head.ends_with(" nad lodem")) {
            head.remove_suffix(std::string_view(" nad lodem").size());
            ++ice;
        } else {
            ADD_FAILURE() << "no phase in " << e.text;
            continue;
        }
        EXPECT_TRUE(quantities.contains(head)) << "quantity '" << head << "'";

        const auto verb = tail.find(" powinna być ");
        ASSERT_NE(verb, std::string_view::npos);
        EXPECT_TRUE(inputs.contains(tail.substr(0, verb))) << "input '" << tail.substr(0, verb) << "'";
        const std::string_view bound = tail.substr(verb + std::string_view(" powinna być ").size());
        EXPECT_TRUE(bound == "większa od %.7f" || bound == "mniejsza lub równa od %.7f")
            << "bound '" << bound << "'";
    }
    EXPECT_EQ(water + ice, 88);
    // Paired water/ice ids must not slip onto the same phase.
    EXPECT_NE(PolishString(110).find("nad wodą"), std::string_view::npos);
    EXPECT_NE(PolishString(111).find("nad lodem"), std::string_view::npos);
    EXPECT_NE(PolishString(149).find("nad wodą"), std::string_view::npos);
    EXPECT_NE(PolishString(152).find("nad lodem"), std::string_view::npos);
    EXPECT_NE(PolishString(163).find("Obliczona wartość X nad wodą"), std::string_view::npos);
    EXPECT_NE(PolishString(164).find("Obliczona wartość X nad lodem"), std::string_view::npos);
}

TEST(StringTable, UnknownIdsGiveEmptyText) {
    for (int id : {INT_MIN, -1, 0, 62, 68, 94, 181, 200, 204, 219, 222, 238, 242, 1025, 1299, INT_MAX}) {
        EXPECT_TRUE(PolishString(id).empty()) << id;
    }
}

TEST(StringTable, TextsAreCleanUtf8) {
    for (const auto& e : PolishStringTable()) {
        SCOPED_TRACE(e.id);
        EXPECT_TRUE(IsValidUtf8(e.text));
        // A line break must be a real one, not the two characters '\' 'n'.
        EXPECT_EQ(e.text.find('\\'), std::string_view::npos);
        EXPECT_EQ(e.text.find('\r'), std::string_view::npos);
        EXPECT_EQ(e.text.find('\0'), std::string_view::npos);
    }
    // Polish letters in their UTF-8 form (ą is C4 85, Ś is C5 9A).
    EXPECT_NE(PolishString(18).find("\xC4\x85"), std::string_view::npos);
    EXPECT_NE(PolishString(199).find("\xC5\x9A"), std::string_view::npos);
}

TEST(StringTable, NamedMessagesExist) {
    for (int id : {msg::InputPressureOutOfRange, msg::InputPressureUncertaintyOutOfRange,
                   msg::EnterOutputPressure, msg::OutputPressureOutOfRange,
                   msg::TemperatureOutOfRange, msg::TemperatureUncertaintyOutOfRange,
                   msg::EnterPressuresAndTwoFields, msg::EnterInputPressure, msg::EnterTemperature,
                   msg::PressureRatioOutOfRange, msg::TooLongInput, msg::BadInputFormat,
                   msg::InputsOutOfRange, msg::FirstRangeMessage, msg::LastRangeMessage,
                   msg::CaptionAtP2WithoutFormulaUncertainty,
                   msg::CaptionAtP2WithFormulaUncertainty, msg::CaptionWithFormulaUncertainty,
                   msg::CaptionWithoutFormulaUncertainty, msg::PortError, msg::PrintedBy,
                   msg::ProgramTitle}) {
        EXPECT_FALSE(PolishString(id).empty()) << id;
    }
    // The "with" and "without" captions must not be swapped.
    EXPECT_NE(PolishString(msg::CaptionAtP2WithoutFormulaUncertainty).find("NIE"), std::string_view::npos);
    EXPECT_EQ(PolishString(msg::CaptionAtP2WithFormulaUncertainty).find("NIE"), std::string_view::npos);
    EXPECT_NE(PolishString(msg::CaptionWithoutFormulaUncertainty).find("NIE"), std::string_view::npos);
    EXPECT_EQ(PolishString(msg::CaptionWithFormulaUncertainty).find("NIE"), std::string_view::npos);
}

}  // namespace
}  // namespace wegator
