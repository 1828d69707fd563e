// The English string table (Qt Linguist file) must cover every Polish id with
// the Polish text as its source, a finished translation, and the same "%.7f"
// placeholders and line breaks.
#include <gtest/gtest.h>

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <string_view>

#include "text/string_table.h"

namespace wegator {
namespace {

struct TsMessage {
    std::string source;
    std::string translation;
    std::string translationTag;  // the opening <translation ...> tag with its attributes
};

std::size_t CountOf(std::string_view text, std::string_view piece) {
    std::size_t n = 0;
    for (auto pos = text.find(piece); pos != std::string_view::npos; pos = text.find(piece, pos + piece.size())) ++n;
    return n;
}

void AppendUtf8(std::string& out, unsigned long cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// XML character data to text: the five named entities and numeric references.
std::string Unescape(std::string_view s) {
    static const std::map<std::string_view, char> kNamed = {
        {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}};
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const std::size_t semi = s[i] == '&' ? s.find(';', i) : std::string_view::npos;
        if (semi == std::string_view::npos) {
            out += s[i];
            continue;
        }
        const std::string_view name = s.substr(i + 1, semi - i - 1);
        if (!name.empty() && name[0] == '#') {
            const bool hex = name.size() > 1 && (name[1] == 'x' || name[1] == 'X');
            AppendUtf8(out, std::stoul(std::string(name.substr(hex ? 2 : 1)), nullptr, hex ? 16 : 10));
        } else if (const auto it = kNamed.find(name); it != kNamed.end()) {
            out += it->second;
        } else {
            ADD_FAILURE() << "unknown entity &" << name << ';';
        }
        i = semi;
    }
    return out;
}

// The raw content of the first <tag ...>...</tag> inside block; openTag gets the opening tag.
bool Element(std::string_view block, std::string_view tag, std::string& content, std::string* openTag = nullptr) {
    const std::string open = "<" + std::string(tag);
    std::size_t at = block.find(open);
    while (at != std::string_view::npos && block[at + open.size()] != '>' && block[at + open.size()] != ' ') {
        at = block.find(open, at + 1);
    }
    if (at == std::string_view::npos) return false;
    const std::size_t gt = block.find('>', at);
    if (openTag != nullptr) *openTag = std::string(block.substr(at, gt - at + 1));
    if (block[gt - 1] == '/') {  // <tag/>
        content.clear();
        return true;
    }
    const std::size_t close = block.find("</" + std::string(tag) + ">", gt);
    if (close == std::string_view::npos) return false;
    content = std::string(block.substr(gt + 1, close - gt - 1));
    return true;
}

// The messages of context "StringTable", keyed by the id held in their comment.
std::map<int, TsMessage> ReadStringTable(const std::filesystem::path& file, std::string& whole) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream buffer;
    buffer << in.rdbuf();
    whole = buffer.str();
    std::map<int, TsMessage> messages;
    for (std::size_t c = whole.find("<context>"); c != std::string::npos; c = whole.find("<context>", c + 1)) {
        const std::string_view context =
            std::string_view(whole).substr(c, whole.find("</context>", c) - c);
        std::string name;
        if (!Element(context, "name", name) || Unescape(name) != "StringTable") continue;
        for (std::size_t m = context.find("<message"); m != std::string_view::npos;
             m = context.find("<message", m + 1)) {
            const std::string_view message = context.substr(m, context.find("</message>", m) - m);
            std::string comment, source, translation, tag;
            if (!Element(message, "comment", comment) || !Element(message, "source", source) ||
                !Element(message, "translation", translation, &tag)) {
                ADD_FAILURE() << "incomplete message: " << message;
                continue;
            }
            const int id = std::stoi(Unescape(comment));
            EXPECT_EQ(messages.count(id), 0u) << "id " << id << " appears twice";
            messages[id] = {Unescape(source), Unescape(translation), tag};
        }
    }
    return messages;
}

TEST(Translation, EnglishTableCoversEveryPolishText) {
    const auto file =
        std::filesystem::path(WEGATOR_RESOURCES_DIR) / "translations/strings_en.ts";
    ASSERT_TRUE(std::filesystem::exists(file)) << file;
    std::string whole;
    const auto messages = ReadStringTable(file, whole);

    EXPECT_NE(whole.find("<TS version=\"2.1\" language=\"en\" sourcelanguage=\"pl\">"), std::string::npos);
    EXPECT_EQ(whole.find("type=\"unfinished\""), std::string::npos);
    EXPECT_EQ(messages.size(), PolishStringTable().size());

    std::map<std::string, std::string> bySource;  // identical Polish texts need identical translations
    for (const auto& e : PolishStringTable()) {
        SCOPED_TRACE("id " + std::to_string(e.id));
        const auto it = messages.find(e.id);
        ASSERT_NE(it, messages.end());
        const TsMessage& m = it->second;
        EXPECT_EQ(m.source, e.text);
        EXPECT_FALSE(m.translation.empty());
        EXPECT_EQ(m.translationTag, "<translation>");
        EXPECT_EQ(CountOf(m.translation, "%.7f"), CountOf(e.text, "%.7f"));
        EXPECT_EQ(CountOf(m.translation, "\n"), CountOf(e.text, "\n"));
        const auto [known, fresh] = bySource.emplace(m.source, m.translation);
        if (!fresh) {
            EXPECT_EQ(known->second, m.translation);
        }
    }
}

TEST(Translation, RangeMessagesHaveNoOtherPoint) {
    // Every "." of a range message becomes the decimal sign, so the English
    // text must carry none besides the one inside its limit.
    const auto file =
        std::filesystem::path(WEGATOR_RESOURCES_DIR) / "translations/strings_en.ts";
    std::string whole;
    for (const auto& [id, m] : ReadStringTable(file, whole)) {
        if (CountOf(m.source, "%.7f") == 0) continue;
        EXPECT_EQ(CountOf(m.translation, "."), 1u) << "id " << id;
    }
}

}  // namespace
}  // namespace wegator
