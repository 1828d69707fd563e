// The reader of the manifests beside the station's files, as `wegator-cli lab
// verify` uses it: a text is either refused with a reason, or read into a
// manifest that is written and read back as the very same.
#include "fuzz_check.h"
#include "lab/records/manifest.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace wegator::lab;
    std::string error;
    const std::optional<Manifest> manifest = ParseManifest(wegator::fuzz::AsText(data, size), &error);
    if (!manifest) {
        FUZZ_CHECK(!error.empty());
        return 0;
    }
    FUZZ_CHECK(ParseManifest(ManifestJson(*manifest)) == manifest);
    return 0;
}
