#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

// The readers the fuzzers drive, each as one function of the input bytes. The same functions run
// under libFuzzer in the fuzz build and over the kept inputs in the normal test suite, so a crash
// found once stays found. Besides surviving any input, each checks what must hold of what it read
// (a document that reads back the same after writing, a failed read that leaves the picture
// alone) and aborts through fuzzFailure when it does not.
using FuzzFunction = int (*)(const std::uint8_t *data, std::size_t size);

struct FuzzEntry {
    const char *name;  // the target's name: fuzz_<name>, tests/fuzz-regressions/<name>/
    FuzzFunction run;
    std::size_t maxLength;  // the longest input worth trying, for -max_len
};

// Every target, in a fixed order.
[[nodiscard]] std::span<const FuzzEntry> fuzzEntries();
[[nodiscard]] const FuzzEntry *findFuzzEntry(std::string_view name);

// What every driver does once before the first input: a Qt application object for the image
// plugins, and Qt's warnings about broken files kept off the fuzzer's output.
void prepareFuzzing(int &argc, char **argv);

[[noreturn]] void fuzzFailure(const char *condition, const char *file, int line);

// An expectation about a reader's result; unlike assert it stays on in every build type.
#define FUZZ_REQUIRE(condition) ((condition) ? void(0) : fuzzFailure(#condition, __FILE__, __LINE__))

int fuzzSettings(const std::uint8_t *data, std::size_t size);
int fuzzGridLayout(const std::uint8_t *data, std::size_t size);
int fuzzSpreadsheetTemplate(const std::uint8_t *data, std::size_t size);
int fuzzWorkbookParts(const std::uint8_t *data, std::size_t size);
int fuzzJpeg(const std::uint8_t *data, std::size_t size);
int fuzzBitmap(const std::uint8_t *data, std::size_t size);
