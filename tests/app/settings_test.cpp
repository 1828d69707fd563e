#include "app/settings.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>

#include "app/settings_store.h"

namespace wegator {
namespace {

namespace fs = std::filesystem;

// Number of values the program keeps in its store.
constexpr int kStoredValues = 94;

// A record in which every field differs from a fresh installation.
Settings EveryFieldChanged() {
    Settings s;
    s.language = "pl";
    s.decimal = ".";
    s.globalAw = 0.00045;
    s.globalAi = 0.001;
    s.globalAwUser = "0.0007";
    s.globalAiUser = "0.00046";
    s.rhPrecInput = 0;
    s.rhPrecCalcul = 7;
    s.misturePrecInput = 1;
    s.misturePrecCalcul = 2;
    s.psychometerPrecInput = 4;
    s.psychometerPrecCalcul = 5;
    s.laboratoryPrecInput = 6;
    s.laboratoryPrecCalcul = 0;
    s.pressurePrecInput = 1;
    s.pressurePrecCalcul = 2;
    s.formulasUncertainty = 0;
    s.usedFormulas = 1;
    s.settingsLabDp30 = 0.25;
    s.settingsLabF250 = 0.05;
    s.settingsLabQx310 = 0.12345;
    s.settingsLabQx311 = 1.5;
    s.settingsLabQx316 = 0.00001;
    s.saveFileCode = "24577";
    s.saveFileName = "/home/ala/pomiary.txt";
    s.saveFileTime = 6000;
    s.calibrationFileNameDp30 = "/cal/dp30.cal";
    s.calibrationFileNameF250 = "/cal/f250.cal";
    s.calibrationFileNameTempQx310 = "/cal/qx310.cal";
    for (std::size_t i = 0; i < kQx311Channels; ++i) {
        s.calibrationFileNameTempQx311[i] = "/cal/qx311_ch" + std::to_string(i + 1) + ".cal";
    }
    s.settingsLabUpdate = 600;
    s.settingsLabMeanTime = 120;
    s.settingsLabIsDevicesError = 0;
    s.settingsLabCalibrationTableDp30 = 1;
    s.settingsLabCalibrationTableF250 = 1;
    s.settingsLabCalibrationTableTempQx310 = 1;
    s.settingsLabCalibrationTableTempQx311 = 1;
    s.settingsLabValuesFromDevices = 100;
    s.settingsLabDevices = 1;
    s.settingsPortComDp30 = 3;
    s.settingsPortComQx316 = 4;
    s.settingsPortComEnvQx310 = 5;
    s.settingsPortComQx310 = 6;
    s.settingsPortComQx311 = 7;
    s.settingsPortComF250 = -7;
    s.settingsPortPressDevice = 1;
    s.settingsPortEnvQx310Device = 1;
    s.settingsPortTempDevice = 6;
    s.settingsQx311Deviation = 1;
    s.settingsPortTempCanalF250 = "B";
    s.settingsPortTempCanalQx311 = "8";
    s.calibrFilePath = "C:\\Dane\\\"wzorce\"";
    s.labName = "Laboratorium Wilgotności";
    s.labAddress = "ul. Długa 1, 00-001 Warszawa";
    s.labAccreditation = "AB 123";
    s.settingsLabHandPressure = "101.32500";
    s.settingsLabHandPressureU = "0.01000";
    s.settingsLabStabilityWindow = 15;
    s.settingsLabStabilityDpDrift = 0.03;
    s.settingsLabStabilityDpSd = 0.01;
    s.settingsLabStabilityTDrift = 0.04;
    s.settingsLabStabilityTSd = 0.015;
    s.settingsLabStabilityPDrift = 0.1;
    s.settingsLabStabilityPSd = 0.02;
    s.settingsLabStabilityRhDrift = 0.2;
    s.settingsLabStabilityRhSd = 0.05;
    s.settingsLabRunWaitStable = 1;
    s.settingsLabRunLongestWait = 90;
    s.labChartQuantities = "dp t-avg rh";
    s.labChartWindow = 2;
    s.qx311ChartQuantities = "ch1 spread";
    s.windowLeft = -1200;
    s.windowTop = 40;
    s.windowWidth = 1100;
    s.windowHeight = 700;
    s.windowMaximized = 1;
    s.windowPage = 5;
    s.monteCarloLeft = 300;
    s.monteCarloTop = -20;
    s.monteCarloWidth = 950;
    s.monteCarloHeight = 800;
    s.labTemperatureUnit = 2;
    s.labEnthalpyUnit = 1;
    s.labPressureUnit = 3;
    s.qx311TemperatureUnit = 1;
    s.saveFileUncertainties = 1;
    s.saveFileBom = 1;
    return s;
}

// Every test works in a folder of its own, used as XDG_CONFIG_HOME.
class SettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string folder = (fs::temp_directory_path() / "wegator-settings-XXXXXX").string();
        ASSERT_NE(::mkdtemp(folder.data()), nullptr);
        folder_ = folder;
        ::setenv("XDG_CONFIG_HOME", folder_.c_str(), 1);
        store_ = folder_ / "TREVAN" / "WEGATOR.reg";
    }

    void TearDown() override {
        std::error_code error;
        fs::remove_all(folder_, error);
    }

    std::string ReadStore() const {
        std::ifstream in(store_, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    void WriteStore(const std::string& contents) const {
        fs::create_directories(store_.parent_path());
        std::ofstream(store_, std::ios::binary) << contents;
    }

    static bool HasLine(const std::string& text, const std::string& line) {
        return ("\n" + text).find("\n" + line + "\n") != std::string::npos;
    }

    static int CountValueLines(const std::string& text) {
        std::istringstream in(text);
        int count = 0;
        for (std::string line; std::getline(in, line);) count += line.starts_with('"') ? 1 : 0;
        return count;
    }

    fs::path folder_;
    fs::path store_;
};

TEST_F(SettingsStoreTest, FirstStartWritesEveryDefaultAndAsksForTheLanguage) {
    ASSERT_EQ(SettingsStorePath(), store_);

    const Settings first = LoadSettings();
    EXPECT_EQ(first, Settings{});
    EXPECT_TRUE(first.language.empty());

    const std::string stored = ReadStore();
    EXPECT_TRUE(
        stored.starts_with("Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\SOFTWARE\\TREVAN\\WEGATOR]\n"));
    EXPECT_EQ(CountValueLines(stored), kStoredValues);
    for (const char* line : {
             R"("Language"="en")",
             R"("Decimal"=",")",
             R"("GLOBAL_AW"="-1.0000000000")",
             R"("GLOBAL_AI_USER"="0.0005750000")",
             R"("PRESSURE_PREC_CALCUL"=dword:00000004)",
             R"("SETTINGS_LAB_QX316"="0.10000")",
             R"("SAVE_FILE_CODE"="0")",
             R"("SAVE_FILE_TIME"=dword:00000001)",
             R"("SETTINGS_LAB_MEAN_TIME"=dword:0000003c)",
             R"("SETTINGS_PORT_COM_F250"=dword:ffffffff)",
             R"("SETTINGS_PORT_TEMP_CANAL_QX311"="0")",
             R"("CALIBRATION_FILE_NAME_TEMP8_QX311"="")",
             R"("CALIBR_FILE_PATH"="")",
             R"("SETTINGS_LAB_HAND_PRESSURE"="")",
         }) {
        EXPECT_TRUE(HasLine(stored, line)) << line;
    }

    // The next start finds the language written back and leaves the store alone.
    Settings expected;
    expected.language = "en";
    EXPECT_EQ(LoadSettings(), expected);
    EXPECT_EQ(ReadStore(), stored);
}

TEST_F(SettingsStoreTest, StorePathFollowsXdgConfigHomeThenHome) {
    const char* oldHome = std::getenv("HOME");
    const std::string savedHome = oldHome != nullptr ? oldHome : "";
    ::setenv("HOME", "/home/ala", 1);

    ::setenv("XDG_CONFIG_HOME", "", 1);
    EXPECT_EQ(SettingsStorePath(), fs::path("/home/ala/.config/TREVAN/WEGATOR.reg"));
    ::unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(SettingsStorePath(), fs::path("/home/ala/.config/TREVAN/WEGATOR.reg"));
    ::setenv("XDG_CONFIG_HOME", "/etc/ala", 1);
    EXPECT_EQ(SettingsStorePath(), fs::path("/etc/ala/TREVAN/WEGATOR.reg"));

    if (oldHome != nullptr) {
        ::setenv("HOME", savedHome.c_str(), 1);
    } else {
        ::unsetenv("HOME");
    }
}

TEST_F(SettingsStoreTest, EveryFieldRoundTrips) {
    const Settings changed = EveryFieldChanged();
    ASSERT_TRUE(SaveSettings(changed));
    const std::string stored = ReadStore();
    EXPECT_EQ(CountValueLines(stored), kStoredValues);
    EXPECT_TRUE(HasLine(stored, R"("GLOBAL_AW"="0.0004500000")"));
    EXPECT_TRUE(HasLine(stored, R"("SETTINGS_LAB_QX310"="0.12345")"));
    EXPECT_TRUE(HasLine(stored, R"("SETTINGS_PORT_COM_F250"=dword:fffffff9)"));
    EXPECT_TRUE(HasLine(stored, R"("CALIBR_FILE_PATH"="C:\\Dane\\\"wzorce\"")"));
    EXPECT_TRUE(HasLine(stored, R"("LAB_NAME"="Laboratorium Wilgotności")"));

    EXPECT_EQ(LoadSettings(), changed);
    EXPECT_EQ(ReadStore(), stored);  // nothing was missing, nothing rewritten

    // Saving the defaults over it brings every value back.
    Settings defaults;
    defaults.language = "en";
    ASSERT_TRUE(SaveSettings(defaults, store_));
    EXPECT_EQ(LoadSettings(store_), defaults);
}

TEST(SettingsNumbers, ParseStoredNumberReadsStoredTextsAndRejectsOthers) {
    EXPECT_DOUBLE_EQ(ParseStoredNumber("-0.5"), -0.5);
    EXPECT_DOUBLE_EQ(ParseStoredNumber("-1.0000000000"), -1.0);
    EXPECT_DOUBLE_EQ(ParseStoredNumber("0.0006653286"), 0.0006653286);
    EXPECT_DOUBLE_EQ(ParseStoredNumber("0.10000"), 0.1);
    EXPECT_DOUBLE_EQ(ParseStoredNumber("-12.25"), -12.25);
    EXPECT_DOUBLE_EQ(ParseStoredNumber("12."), 12.0);
    EXPECT_DOUBLE_EQ(ParseStoredNumber(".5"), 0.5);
    EXPECT_DOUBLE_EQ(ParseStoredNumber("1234567"), 1234567.0);
    EXPECT_DOUBLE_EQ(ParseStoredNumber("-42"), -42.0);
    EXPECT_DOUBLE_EQ(ParseStoredNumber("1234567.5"), 1234567.5);
    // Only the first ten fraction digits count.
    EXPECT_DOUBLE_EQ(ParseStoredNumber("0.123456789012"), 0.123456789);
    EXPECT_DOUBLE_EQ(ParseStoredNumber("0.1234567890123"), 0.123456789);
    // Not a number at all reads as 0, like an empty text.
    EXPECT_DOUBLE_EQ(ParseStoredNumber("abc"), 0.0);
    EXPECT_DOUBLE_EQ(ParseStoredNumber(""), 0.0);

    for (const char* rejected : {"12345678.5", "12345678", "0.12345678901234", "1.2.3", "1..", "-1234567.5"}) {
        EXPECT_EQ(ParseStoredNumber(rejected), -1.0) << rejected;
    }

    EXPECT_EQ(ParseStoredInteger("+17x5"), 17);
    EXPECT_EQ(ParseStoredInteger("-"), 0);
    EXPECT_EQ(ParseStoredInteger(" 5"), 0);
    EXPECT_EQ(ParseStoredInteger("99999999999999999999999"), INT64_MAX);
    EXPECT_EQ(ParseStoredInteger("-9223372036854775808"), INT64_MIN);
}

TEST(SettingsSaveFileCode, EveryBitRoundTrips) {
    SaveFileContents all;
    bool SaveFileContents::*const members[] = {
        &SaveFileContents::dewPointInput,
        &SaveFileContents::temperatureInput,
        &SaveFileContents::pressureInput,
        &SaveFileContents::dewPointComputed,
        &SaveFileContents::temperatureComputed,
        &SaveFileContents::relativeHumidity,
        &SaveFileContents::saturationVapourPressure,
        &SaveFileContents::ppmv,
        &SaveFileContents::ppmw,
        &SaveFileContents::mixingRatio,
        &SaveFileContents::vapourPressure,
        &SaveFileContents::enthalpy,
        &SaveFileContents::wetBulb,
        &SaveFileContents::csvFormat,
        &SaveFileContents::savingOn,
    };
    int bit = 1;
    for (auto member : members) {
        SaveFileContents one;
        one.*member = true;
        all.*member = true;
        EXPECT_EQ(EncodeSaveFileCode(one), std::to_string(bit));
        EXPECT_EQ(DecodeSaveFileCode(std::to_string(bit)), one) << bit;
        bit *= 2;
    }
    EXPECT_EQ(EncodeSaveFileCode(all), "32767");
    EXPECT_EQ(DecodeSaveFileCode("32767"), all);
    EXPECT_EQ(EncodeSaveFileCode(SaveFileContents{}), "0");

    SaveFileContents csvWithDewPoint;
    csvWithDewPoint.csvFormat = true;
    csvWithDewPoint.dewPointInput = true;
    EXPECT_EQ(DecodeSaveFileCode("8193"), csvWithDewPoint);
    EXPECT_EQ(DecodeSaveFileCode("nic"), SaveFileContents{});
    EXPECT_EQ(DecodeSaveFileCode(""), SaveFileContents{});
}

TEST_F(SettingsStoreTest, EmptyAndTruncatedStoresGiveDefaultsForWhatIsLost) {
    WriteStore("");
    EXPECT_EQ(LoadSettings(), Settings{});
    EXPECT_EQ(CountValueLines(ReadStore()), kStoredValues);

    // Cut the store of a changed record in the middle of a line.
    const Settings changed = EveryFieldChanged();
    ASSERT_TRUE(SaveSettings(changed));
    const std::string whole = ReadStore();
    const std::size_t cut = whole.find("\"SETTINGS_LAB_MEAN_TIME\"=dword:000");
    ASSERT_NE(cut, std::string::npos);
    WriteStore(whole.substr(0, cut + 30));

    const Settings loaded = LoadSettings();
    EXPECT_EQ(loaded.language, "pl");
    EXPECT_EQ(loaded.calibrationFileNameTempQx311, changed.calibrationFileNameTempQx311);
    EXPECT_EQ(loaded.settingsLabUpdate, 600);
    EXPECT_EQ(loaded.settingsLabMeanTime, 60);
    EXPECT_EQ(loaded.settingsPortTempDevice, 3);
    EXPECT_EQ(loaded.calibrFilePath, "");

    // The lost values were written back; the ones before the cut stayed.
    const std::string repaired = ReadStore();
    EXPECT_EQ(CountValueLines(repaired), kStoredValues);
    EXPECT_TRUE(HasLine(repaired, R"("SETTINGS_LAB_UPDATE"=dword:00000258)"));
    EXPECT_TRUE(HasLine(repaired, R"("SETTINGS_LAB_MEAN_TIME"=dword:0000003c)"));
    EXPECT_EQ(LoadSettings(), loaded);
}

TEST_F(SettingsStoreTest, BinaryGarbageIsSkippedLineByLine) {
    std::mt19937 random(1250);
    std::string garbage;
    for (int i = 0; i < 20000; ++i) garbage += static_cast<char>(random() & 0xFF);
    // One good line among the garbage still counts.
    WriteStore(garbage + "\n\"RH_PREC_INPUT\"=dword:00000006\n" + garbage);

    Settings expected;
    expected.rhPrecInput = 6;
    EXPECT_EQ(LoadSettings(), expected);
    expected.language = "en";
    EXPECT_EQ(LoadSettings(), expected);
}

TEST_F(SettingsStoreTest, WrongTypesAndOversizedTextsGetTheirDefaults) {
    const std::string longPath = "/" + std::string(4096, 'p');
    WriteStore(
        "\"Language\"=dword:00000001\n"
        "\"RH_PREC_INPUT\"=\"00000005\"\n"
        "\"RH_PREC_CALCUL\"=dword:5\n"
        "\"Decimal\"=dword:0000002c\n"
        "\"GLOBAL_AW_USER\"=\"" +
        std::string(1025, '7') +
        "\"\n"
        "\"GLOBAL_AI_USER\"=\"" +
        std::string(1024, '8') +
        "\"\n"
        "\"SAVE_FILE_NAME\"=\"" +
        longPath +
        "\"\n"
        "\"CALIBR_FILE_PATH\"=\"" +
        longPath.substr(1) +
        "\"\n"
        "\"GLOBAL_AW\"=\"12345678.000\"\n"
        "\"SETTINGS_LAB_DP30\"=hex:01,02\n"
        "\"SETTINGS_PORT_TEMP_CANAL_F250\"=\"B\" \"C\"\n");

    const Settings loaded = LoadSettings();
    EXPECT_EQ(loaded.language, "");
    EXPECT_EQ(loaded.rhPrecInput, 3);
    EXPECT_EQ(loaded.rhPrecCalcul, 3);
    EXPECT_EQ(loaded.decimal, ",");
    EXPECT_EQ(loaded.globalAwUser, "0.0006653286");
    EXPECT_EQ(loaded.globalAiUser, std::string(1024, '8'));  // fits the read buffer exactly
    EXPECT_EQ(loaded.saveFileName, "");
    EXPECT_EQ(loaded.calibrFilePath, longPath.substr(1));
    EXPECT_EQ(loaded.globalAw, -1.0);  // stored, but not a number this program writes
    EXPECT_EQ(loaded.settingsLabDp30, 0.1);
    EXPECT_EQ(loaded.settingsPortTempCanalF250, "A");

    const std::string repaired = ReadStore();
    EXPECT_EQ(CountValueLines(repaired), kStoredValues);
    EXPECT_TRUE(HasLine(repaired, R"("Language"="en")"));
    EXPECT_TRUE(HasLine(repaired, R"("RH_PREC_INPUT"=dword:00000003)"));
    EXPECT_TRUE(HasLine(repaired, R"("RH_PREC_CALCUL"=dword:00000003)"));
    EXPECT_TRUE(HasLine(repaired, R"("Decimal"=",")"));
    EXPECT_TRUE(HasLine(repaired, R"("GLOBAL_AW"="-1.0000000000")"));  // damaged: replaced
    EXPECT_TRUE(HasLine(repaired, R"("SETTINGS_LAB_DP30"="0.10000")"));
}

TEST_F(SettingsStoreTest, HandEditedStoreIsReadAndForeignValuesAreKept) {
    WriteStore(
        "\r\n"
        "\"Language\"=\"de\"\r\n"
        "   \r\n"
        "this line means nothing\r\n"
        "\"decimal\"=\".\"\r\n"
        "\"SAVE_FILE_TIME\"=dword:0000000A\r\n"
        "\"SAVE_FILE_TIME\"=dword:0000000b\r\n"
        "\"SAVE_FILE_NAME\"=\"C:\\\\Dane\\\\\\\"x\\\".txt\"\r\n"
        "\"NOTE\"=\"kept \\\"as is\\\"\"\r\n"
        "\"BLOB\"=hex:01,02,\\\r\n"
        "  03,04\r\n"
        "\r\n"
        "[HKEY_CURRENT_USER\\SOFTWARE\\TREVAN\\OTHER]\r\n"
        "\"RH_PREC_INPUT\"=dword:00000007\r\n");

    const Settings loaded = LoadSettings();
    EXPECT_EQ(loaded.language, "de");
    EXPECT_EQ(loaded.decimal, ".");
    EXPECT_EQ(loaded.saveFileTime, 11);
    EXPECT_EQ(loaded.saveFileName, "C:\\Dane\\\"x\".txt");
    EXPECT_EQ(loaded.rhPrecInput, 3);  // that one belongs to another key

    auto keepsForeign = [&](const std::string& text) {
        EXPECT_TRUE(HasLine(text, R"("NOTE"="kept \"as is\"")"));
        EXPECT_NE(text.find("\"BLOB\"=hex:01,02,\\\n  03,04\n"), std::string::npos);
        EXPECT_NE(text.find("[HKEY_CURRENT_USER\\SOFTWARE\\TREVAN\\OTHER]\n"
                            "\"RH_PREC_INPUT\"=dword:00000007\n"),
                  std::string::npos);
    };
    keepsForeign(ReadStore());

    ASSERT_TRUE(SaveSettings(loaded));
    const std::string saved = ReadStore();
    keepsForeign(saved);
    EXPECT_TRUE(HasLine(saved, R"("Language"="de")"));
    EXPECT_TRUE(HasLine(saved, R"("SAVE_FILE_TIME"=dword:0000000b)"));
    EXPECT_EQ(CountValueLines(saved), kStoredValues + 3);
    EXPECT_EQ(LoadSettings(), loaded);
}

TEST_F(SettingsStoreTest, TextsAreCutToTheirBudgetButPathsStayWhole) {
    Settings settings = EveryFieldChanged();
    const std::string longPath = "/" + std::string(2999, 'a');
    const std::string polishPath = "/home/użytkownik/Pomiary wilgotności/źródło „kalibracja”.cal";
    settings.saveFileName = longPath;
    settings.calibrationFileNameTempQx311[4] = polishPath;
    settings.calibrFilePath = "/" + std::string(4200, 'c');
    settings.globalAwUser = std::string(100, '1');
    settings.language = "pą";  // 3 bytes, budget 2
    settings.decimal = ",.";                     // budget 1
    ASSERT_TRUE(SaveSettings(settings));

    const std::string stored = ReadStore();
    EXPECT_NE(stored.find(polishPath), std::string::npos);  // plain UTF-8, no escapes

    const Settings loaded = LoadSettings();
    EXPECT_EQ(loaded.saveFileName, longPath);
    EXPECT_EQ(loaded.calibrationFileNameTempQx311[4], polishPath);
    EXPECT_EQ(loaded.calibrFilePath, settings.calibrFilePath.substr(0, 4096));
    EXPECT_EQ(loaded.globalAwUser, std::string(16, '1'));
    EXPECT_EQ(loaded.language, "p");  // not half of "ą"
    EXPECT_EQ(loaded.decimal, ",");
}

TEST_F(SettingsStoreTest, FailedSaveLeavesTheOldStoreAndNoTemporaryFile) {
    // A store that is a folder can be neither read nor replaced.
    fs::create_directories(store_);
    EXPECT_EQ(LoadSettings(), Settings{});
    EXPECT_FALSE(SaveSettings(EveryFieldChanged()));
    EXPECT_TRUE(fs::is_directory(store_));
    EXPECT_EQ(std::distance(fs::directory_iterator(store_.parent_path()), {}), 1);
    fs::remove(store_);

    // Nor is a pipe, which a careless reader would wait on for ever.
    ASSERT_EQ(::mkfifo(store_.c_str(), 0600), 0);
    EXPECT_EQ(LoadSettings(), Settings{});
    EXPECT_TRUE(fs::is_fifo(store_));
    fs::remove(store_);

    // A disk that fills up half-way through the new file.
    Settings old;
    old.language = "pl";
    ASSERT_TRUE(SaveSettings(old));
    const std::string before = ReadStore();

    rlimit limit{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &limit), 0);
    const rlimit oldLimit = limit;
    limit.rlim_cur = 200;
    auto* oldHandler = ::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
    const bool saved = SaveSettings(EveryFieldChanged());
    ::setrlimit(RLIMIT_FSIZE, &oldLimit);
    ::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(saved);
    EXPECT_EQ(ReadStore(), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(store_.parent_path()), {}), 1);

    // A folder that cannot be created: the settings still load.
    const fs::path blocked = folder_ / "file" / "TREVAN" / "WEGATOR.reg";
    std::ofstream(folder_ / "file") << "x";
    EXPECT_EQ(LoadSettings(blocked), Settings{});
    EXPECT_FALSE(SaveSettings(old, blocked));
}

}  // namespace
}  // namespace wegator
