// libFuzzer target: any bytes as a container file either load or raise
// RError, and a failed load leaves the container empty.

#include "container/data_container.h"
#include "container/error.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string path = "/tmp/loggard-fuzz-" + std::to_string(::getpid()) + ".dat";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    RDataContainer container;
    try {
        container.LoadFromFile(path);
    } catch (const RError&) {
        if (container.ChildCount() != 0)
            std::abort();
    }
    return 0;
}
