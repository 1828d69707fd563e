// The settings store reader: any bytes where WEGATOR.reg belongs. The program
// must start with what can be read (never throw, never crash), rewrite the
// store so that it reads back as what was loaded, and settle after one save:
// saving what a saved store loads changes nothing.
#include "app/settings_store.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "fuzz_check.h"

namespace {

namespace fs = std::filesystem;

// One folder per process, in TMPDIR (make fuzz points it at memory), removed at exit.
const fs::path& StoreFile() {
    static const fs::path file = [] {
        const char* tmp = std::getenv("TMPDIR");
        std::string folder = std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/wegator-fuzz-XXXXXX";
        FUZZ_CHECK(::mkdtemp(folder.data()) != nullptr);
        static const std::string created = folder;
        std::atexit([] {
            std::error_code ignored;
            fs::remove_all(created, ignored);
        });
        return fs::path(folder) / "WEGATOR.reg";
    }();
    return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fs::path& file = StoreFile();
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
        FUZZ_CHECK(out.good());
    }
    const wegator::Settings loaded = wegator::LoadSettings(file);

    // The defaults written back keep every value that was read. A missing
    // language is stored as "en" but left empty for the first start's question.
    wegator::Settings reloaded = wegator::LoadSettings(file);
    if (loaded.language.empty()) reloaded.language.clear();
    FUZZ_CHECK(reloaded == loaded);

    FUZZ_CHECK(wegator::SaveSettings(loaded, file));
    const wegator::Settings saved = wegator::LoadSettings(file);
    FUZZ_CHECK(wegator::SaveSettings(saved, file));
    FUZZ_CHECK(wegator::LoadSettings(file) == saved);
    return 0;
}
