// libFuzzer entry point: arbitrary bytes through one importer (see FuzzImport.h), the format
// chosen when the target is built (TESSEL_FUZZ_FORMAT).
#include "FuzzImport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzImportOne({data, size}, ImportFormat::TESSEL_FUZZ_FORMAT);
    return 0;
}
