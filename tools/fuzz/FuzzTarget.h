#pragma once

#include <cstddef>
#include <cstdint>

// Every fuzz target defines this, as libFuzzer expects it. Built with
// -DKARTOTEKA_FUZZ=ON it is driven by libFuzzer; otherwise CorpusMain.cpp feeds
// it the files of a corpus, so that ctest replays the corpora on every build.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

// Called once before the first input (also by libFuzzer when present).
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv);

namespace fuzz {
// A broken property of the code under test: aborts, so both libFuzzer and the
// corpus runner report the input.
[[noreturn]] void fail(const char* what);
} // namespace fuzz
