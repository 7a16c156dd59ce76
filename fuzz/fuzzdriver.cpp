// The libFuzzer driver of one target, named by QM_FUZZ_TARGET when it is compiled.
#include <cstdio>
#include <cstdlib>

#include "fuzz/fuzzentry.h"

namespace {

const FuzzEntry *target = nullptr;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    prepareFuzzing(*argc, *argv);
    target = findFuzzEntry(QM_FUZZ_TARGET);
    if (!target) {
        std::fprintf(stderr, "no fuzz target named %s\n", QM_FUZZ_TARGET);
        std::exit(2);
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    return target->run(data, size);
}
