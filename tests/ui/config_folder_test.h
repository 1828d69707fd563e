// A test of a whole run: its own empty XDG_CONFIG_HOME, so that the settings
// store it reads and writes is its own.
#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <QByteArray>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "app/settings_store.h"

namespace wegator {

class ConfigFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(config.isValid());
        saved = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    }
    void TearDown() override { qputenv("XDG_CONFIG_HOME", saved); }

    std::string StoreText() const {
        std::ifstream in(SettingsStorePath());
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    // A store of our key holding `values` (lines of "Name"=data).
    void WriteStore(const std::string& values) const {
        std::filesystem::create_directories(SettingsStorePath().parent_path());
        std::ofstream(SettingsStorePath())
            << "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\SOFTWARE\\TREVAN\\WEGATOR]\n"
            << values;
    }

    QTemporaryDir config;
    QByteArray saved;
    // The English translation and the help pages as the build tree holds them.
    const QStringList buildData{QStringLiteral(WEGATOR_BUILD_DATA_DIR)};
};

}  // namespace wegator
