#pragma once
// The body of each fuzz target: one input, run through the whole path the
// program takes with such a file or text. The libFuzzer drivers beside this
// file and the regression replay test (tests/fuzz) both call these, so a
// file kept under tests/regressions/<target>/ replays in the ordinary build
// exactly as the fuzzer ran it.
//
// Each returns normally for every input it handles; a broken promise of the
// code under test aborts, and anything else escaping is a finding too.

#include <cstddef>
#include <cstdint>

namespace FuzzTargets {

// Bytes as a container file (settings.dat): load, then RLasSettings from the
// tree, then a small document prepared and drawn with those settings.
void Container(const std::uint8_t* data, std::size_t size);

// Bytes as a LAS file: load in one piece and in several (the same to the
// byte), save and load again, then prepare the composer against empty
// settings and draw the log chart on a small bitmap.
void Las(const std::uint8_t* data, std::size_t size);

// Text as a formula: parse against a small data set and compute it.
void Formula(const std::uint8_t* data, std::size_t size);

}  // namespace FuzzTargets
