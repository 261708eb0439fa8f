// libFuzzer target: any text as a formula either parses and computes over a
// small data set or raises RError; nothing else escapes.

#include "calc/calc_method.h"
#include "container/error.h"
#include "las/las_data.h"
#include "las/logging.h"

#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

const RLasData& SampleData()
{
    static RLasData data;
    static const bool loaded = [] {
        const std::string path = "/tmp/loggard-fuzz-formula-" + std::to_string(::getpid()) + ".las";
        std::FILE* file = std::fopen(path.c_str(), "wb");
        std::fputs("~V\r\nVERS. 2.0 :\r\nWRAP. NO :\r\n~W\r\nSTRT.M 100 :\r\nSTOP.M 100.4 :\r\n"
                   "STEP.M 0.1 :\r\nNULL. -999.25 :\r\n~C\r\nDEPT.M :\r\nGR.API :\r\nRHOB.G/C3 :\r\n~A\r\n"
                   "100 50 2.2\r\n100.1 -999.25 2.3\r\n100.2 70 -999.25\r\n100.3 0 0\r\n100.4 1e9 -1\r\n",
                   file);
        std::fclose(file);
        RLogCollector quiet;
        const bool ok = data.LoadFromLas(path);
        std::remove(path.c_str());
        return ok;
    }();
    (void)loaded;
    return data;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    const RLasData& data = SampleData();
    RCurveCalcMethod method;
    method.Formula.assign(reinterpret_cast<const char*>(bytes), size);
    try {
        method.Parse(data);
        RLasCurve curve;
        method.Compute(data, curve);
    } catch (const RError&) {
    }
    return 0;
}
