#include "tools/fuzz/FuzzTarget.h"

#include <cstdio>
#include <cstdlib>

namespace fuzz {

void fail(const char* what) {
    std::fprintf(stderr, "fuzz property broken: %s\n", what);
    std::abort();
}

} // namespace fuzz
