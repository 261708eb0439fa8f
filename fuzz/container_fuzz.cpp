// libFuzzer driver; the target's body is FuzzTargets::Container (fuzz_targets.h).

#include "fuzz_targets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzTargets::Container(data, size);
    return 0;
}
