// The settings store under damage: values out of range or badly written,
// files in another encoding or with odd line ends, files that are not a store
// at all, links, leftovers of a killed save.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "app/files.h"
#include "app/settings.h"
#include "app/settings_store.h"

namespace wegator {
namespace {

namespace fs = std::filesystem;

constexpr const char* kHeader =
    "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\SOFTWARE\\TREVAN\\WEGATOR]\n";

class StoreRepairTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string folder = (fs::temp_directory_path() / "wegator-repair-XXXXXX").string();
        ASSERT_NE(::mkdtemp(folder.data()), nullptr);
        folder_ = folder;
        store_ = folder_ / "TREVAN" / "WEGATOR.reg";
        fs::create_directories(store_.parent_path());
    }
    void TearDown() override {
        std::error_code error;
        fs::remove_all(folder_, error);
    }

    static std::string Read(const fs::path& file) {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    void Write(const std::string& contents) const { std::ofstream(store_, std::ios::binary) << contents; }

    fs::path folder_;
    fs::path store_;
};

TEST_F(StoreRepairTest, DamagedAndOutOfRangeValuesGetTheirDefaults) {
    // Every one of these was read as something else before: "0" as a constant
    // of 0 (RH 72.9 % on the psychrometer page instead of 58.6 %), "0.1 " as
    // 0.01, a precision of 100000000 that stalled every display, N = 0 …
    Write(std::string(kHeader) +
          "\"GLOBAL_AW\"=\"0\"\n"
          "\"GLOBAL_AI\"=\"0.002\"\n"
          "\"SETTINGS_LAB_DP30\"=\"0.1 \"\n"
          "\"SETTINGS_LAB_F250\"=\"-1.00000\"\n"
          "\"SETTINGS_LAB_QX310\"=\"50.00001\"\n"
          "\"SETTINGS_LAB_QX311\"=\"1e-3\"\n"
          "\"SETTINGS_LAB_QX316\"=\"12345678.5\"\n"
          "\"RH_PREC_INPUT\"=dword:05f5e100\n"
          "\"PRESSURE_PREC_CALCUL\"=dword:ffffffff\n"
          "\"USED_FORMULAS\"=dword:00000002\n"
          "\"SAVE_FILE_CODE\"=\"-1\"\n"
          "\"SAVE_FILE_TIME\"=dword:00001771\n"
          "\"SETTINGS_LAB_UPDATE\"=dword:00000002\n"
          "\"SETTINGS_LAB_MEAN_TIME\"=dword:0000003b\n"
          "\"SETTINGS_LAB_VALUES_FROM_DEVICES\"=dword:00000000\n"
          "\"SETTINGS_PORT_PRESS_DEVICE\"=dword:00000002\n"
          "\"SETTINGS_PORT_TEMP_DEVICE\"=dword:00000007\n"
          "\"SETTINGS_PORT_TEMP_CANAL_F250\"=\"C\"\n"
          "\"SETTINGS_PORT_TEMP_CANAL_QX311\"=\"9\"\n");
    StoreLoad load;
    EXPECT_EQ(LoadSettings(store_, &load), Settings{});
    EXPECT_TRUE(load.writable);
    // The defaults took the damaged values' places in the file at once.
    const std::string repaired = Read(store_);
    for (const char* line :
         {"\"GLOBAL_AW\"=\"-1.0000000000\"", "\"SETTINGS_LAB_DP30\"=\"0.10000\"", "\"RH_PREC_INPUT\"=dword:00000003",
          "\"SAVE_FILE_CODE\"=\"0\"", "\"SETTINGS_PORT_TEMP_CANAL_QX311\"=\"0\""}) {
        EXPECT_NE(repaired.find(line), std::string::npos) << line;
    }

    // The ends of every range are values like any other.
    Write(std::string(kHeader) +
          "\"GLOBAL_AW\"=\"0.0004500000\"\n"
          "\"GLOBAL_AI\"=\"-1\"\n"
          "\"SETTINGS_LAB_F250\"=\"50\"\n"
          "\"SETTINGS_LAB_QX316\"=\"+0.00001\"\n"
          "\"RH_PREC_INPUT\"=dword:00000007\n"
          "\"SAVE_FILE_CODE\"=\"32767\"\n"
          "\"SAVE_FILE_TIME\"=dword:00001770\n"
          "\"SETTINGS_LAB_VALUES_FROM_DEVICES\"=dword:00000002\n"
          "\"SETTINGS_PORT_TEMP_DEVICE\"=dword:00000006\n"
          "\"SETTINGS_PORT_TEMP_CANAL_F250\"=\"B\"\n");
    const Settings kept = LoadSettings(store_);
    EXPECT_EQ(kept.globalAw, 0.00045);
    EXPECT_EQ(kept.globalAi, -1.0);
    EXPECT_EQ(kept.settingsLabF250, 50.0);
    EXPECT_EQ(kept.settingsLabQx316, 0.00001);
    EXPECT_EQ(kept.rhPrecInput, 7);
    EXPECT_EQ(kept.saveFileCode, "32767");
    EXPECT_EQ(kept.saveFileTime, 6000);
    EXPECT_EQ(kept.settingsLabValuesFromDevices, 2);
    EXPECT_EQ(kept.settingsPortTempDevice, 6);
    EXPECT_EQ(kept.settingsPortTempCanalF250, "B");
}

TEST_F(StoreRepairTest, UnreadableStoreIsNeverWritten) {
    // A store that cannot be read (here a pipe; for a user, a file without
    // read permission or on a failing disk) must survive the run untouched.
    ASSERT_EQ(::mkfifo(store_.c_str(), 0600), 0);
    StoreLoad load;
    EXPECT_EQ(LoadSettings(store_, &load), Settings{});
    EXPECT_FALSE(load.writable);
    EXPECT_TRUE(fs::is_fifo(store_));
}

TEST_F(StoreRepairTest, StoreTooLargeToBeOneIsNeitherReadNorWritten) {
    // Megabytes of blank lines would otherwise be read whole, and take many
    // times their size in memory.
    Write("Windows Registry Editor Version 5.00\r\n");
    fs::resize_file(store_, kSettingsStoreSizeLimit + 1);
    StoreLoad load;
    EXPECT_EQ(LoadSettings(store_, &load), Settings{});
    EXPECT_FALSE(load.writable);
    EXPECT_EQ(fs::file_size(store_), kSettingsStoreSizeLimit + 1);
    bool understood = true;
    ReadSettingsOnly(store_, &understood);
    EXPECT_FALSE(understood);
}

// The text of a store as a registry editor exports it: UTF-16LE with its mark.
std::string Utf16Le(const std::string& ascii) {
    std::string out = "\xFF\xFE";
    for (char c : ascii) {
        out += c;
        out += '\0';
    }
    return out;
}

TEST_F(StoreRepairTest, RegistryEditorExportsAndDoubledCarriageReturnsAreRead) {
    Settings changed;
    changed.language = "pl";
    changed.decimal = ".";
    changed.globalAw = 0.0007;
    changed.rhPrecInput = 5;
    changed.saveFileName = "C:\\Dane\\pomiar.csv";
    ASSERT_TRUE(SaveSettings(changed, store_));
    std::string crlf, crcrlf;
    for (char c : Read(store_)) {
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
        crcrlf += c == '\n' ? std::string("\r\r\n") : std::string(1, c);
    }

    for (const std::string& stored : {Utf16Le(crlf), crcrlf}) {
        Write(stored);
        EXPECT_EQ(LoadSettings(store_), changed);
        EXPECT_EQ(Read(store_), stored);  // every value was there: nothing rewritten at start
    }

    // A Polish path and a character outside the basic plane come through as UTF-8.
    Write("\xFF\xFE" + std::string("\"\0L\0a\0n\0g\0u\0a\0g\0e\0\"\0=\0\"\0p\0l\0\"\0\r\0\n\0", 34) +
          std::string("\"\0S\0A\0V\0E\0_\0F\0I\0L\0E\0_\0N\0A\0M\0E\0\"\0=\0\"\0", 36) +
          std::string("\x7C\x01\x3D\xD8\x00\xDE\"\0\r\0\n\0", 12));
    const Settings polish = LoadSettings(store_);
    EXPECT_EQ(polish.language, "pl");
    EXPECT_EQ(polish.saveFileName, "ż\xF0\x9F\x98\x80");
}

TEST_F(StoreRepairTest, UnintelligibleStoreIsMovedAsideBeforeDefaultsReplaceIt) {
    const std::string foreign = "Dear diary,\ntoday the humidity was high.\n";
    Write(foreign);
    StoreLoad load;
    EXPECT_EQ(LoadSettings(store_, &load), Settings{});
    EXPECT_EQ(load.movedAside, fs::path(store_.string() + ".bad"));
    EXPECT_EQ(Read(store_.string() + ".bad"), foreign);
    EXPECT_TRUE(Read(store_).starts_with(kHeader));

    // An empty file holds nothing worth keeping.
    fs::remove(store_.string() + ".bad");
    Write("\r\n\n");
    LoadSettings(store_, &load);
    EXPECT_TRUE(load.movedAside.empty());
    EXPECT_FALSE(fs::exists(store_.string() + ".bad"));
}

TEST_F(StoreRepairTest, SaveKeepsALinkedStoreAndClearsLeftovers) {
    // The store is a link into another folder: the link stays, its target changes.
    const fs::path target = folder_ / "synced" / "wegator.reg";
    fs::create_directories(target.parent_path());
    fs::create_symlink("../synced/wegator.reg", store_);
    Settings settings;
    settings.language = "pl";
    LoadSettings(store_);  // a dangling link: the defaults are written to its target
    EXPECT_TRUE(fs::is_symlink(store_));
    ASSERT_TRUE(fs::is_regular_file(target));

    // A save killed between writing and renaming left its temporary file.
    const fs::path leftover = target.string() + ".tmpAb12Cd";
    const fs::path notOurs = target.string() + ".tmp-notes";
    std::ofstream(leftover) << "half";
    std::ofstream(notOurs) << "mine";
    ASSERT_TRUE(SaveSettings(settings, store_));
    EXPECT_TRUE(fs::is_symlink(store_));
    EXPECT_NE(Read(target).find("\"Language\"=\"pl\""), std::string::npos);
    EXPECT_FALSE(fs::exists(leftover));
    EXPECT_TRUE(fs::exists(notOurs));
    EXPECT_EQ(LoadSettings(store_).language, "pl");
}

TEST_F(StoreRepairTest, WrittenNumbersReadBackAndForeignLinesStayPut) {
    // A constant of 10000 or more gives up fraction digits rather than
    // overrunning the 15 characters the next start reads.
    Settings settings;
    settings.globalAw = 12345.678;
    settings.settingsLabQx316 = 123456789.0;  // no readable text: the default is written
    ASSERT_TRUE(SaveSettings(settings, store_));
    const std::string stored = Read(store_);
    EXPECT_NE(stored.find("\"GLOBAL_AW\"=\"12345.678000000\""), std::string::npos) << stored;
    EXPECT_EQ(ParseStoredNumber("12345.678000000"), 12345.678);
    EXPECT_NE(stored.find("\"SETTINGS_LAB_QX316\"=\"0.10000\""), std::string::npos);

    // Lines the program does not know, ending in several CRs, keep their
    // bytes from one save to the next.
    Write(stored + "\"NOTE\"=\"kept\"\r\r\n\r\r\n[HKEY_CURRENT_USER\\SOFTWARE\\OTHER]\r\r\n\"X\"=dword:00000001\r\r\n");
    ASSERT_TRUE(SaveSettings(settings, store_));
    const std::string once = Read(store_);
    ASSERT_TRUE(SaveSettings(settings, store_));
    EXPECT_EQ(Read(store_), once);
    EXPECT_NE(once.find("\"NOTE\"=\"kept\"\n"), std::string::npos);
    EXPECT_NE(once.find("[HKEY_CURRENT_USER\\SOFTWARE\\OTHER]\n\"X\"=dword:00000001\n"), std::string::npos);
}

}  // namespace
}  // namespace wegator
