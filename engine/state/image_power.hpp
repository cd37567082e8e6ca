#pragma once
#include <array>
#include <cstdint>
#include <string>

namespace yinshi {

struct Engine;
struct VarTable;

// The letters an image is read in: how many (1..7), their names, and their
// weights, so that an image power p stands for the exponents whose weighted
// sum is p (weights[1] = 1). The engine's own are those of the current
// variable order; the continuation reads its factors in letters of its own.
struct ImageLetters {
    int count = 0;
    std::array<std::string, 8> names{};
    std::array<std::int32_t, 8> weights{0, 1, 0, 0, 0, 0, 0, 0};
};

// The letters of the current order (VarCount, VarName, VarWeight).
ImageLetters LettersOf(const VarTable& vars);

// Turns an image power p back into the exponent of every letter 1..count,
// from the last letter down; exps[0] and the entries past count are 0. With
// one letter, exps[1] = p. A power below 0 gives all zeros.
void ImagePowerToExponents(const ImageLetters& letters, int p, std::array<int, 8>& exps);
// The same in the engine's current letters.
void ImagePowerToExponents(const Engine& e, int p, std::array<int, 8>& exps);

}  // namespace yinshi
