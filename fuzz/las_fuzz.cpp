// libFuzzer target: any bytes as a LAS file load without a crash, and
// whatever loaded saves and loads again.

#include "las/las_data.h"
#include "las/logging.h"

#include <cstdio>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string in = "/tmp/loggard-fuzz-in-" + std::to_string(::getpid()) + ".las";
    static const std::string out = "/tmp/loggard-fuzz-out-" + std::to_string(::getpid()) + ".las";
    std::FILE* file = std::fopen(in.c_str(), "wb");
    if (!file)
        return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    RLogCollector quiet;
    RLasData las;
    las.LoadFromLas(in);
    if (las.SaveToLas(out)) {
        RLasData again;
        again.LoadFromLas(out);
    }
    return 0;
}
