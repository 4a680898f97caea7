// libFuzzer entry point: arbitrary bytes through the document loader (see FuzzLoad.h).
#include "FuzzLoad.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzLoadOne({data, size});
    return 0;
}
