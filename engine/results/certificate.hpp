#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "exact/factorer.hpp"

namespace yinshi {

struct Engine;

// A factor of the product line as the transcript shows it: its text between
// the parentheses and the polynomial it stands for, its letters numbered in
// the order they first occur on the line.
struct ProductFactor {
    std::string text;
    exact::MultiPoly poly;
};

// The parenthesised factors of a product line ("= 8/ 3( 49q^ 2 p^ 2 + ...)(x - 1)^ 2"),
// in order, a repeated one once per time it is written; nullopt when a factor
// is not in the form the engine prints (then nothing can be said about it).
// `letters`, when given, receives the line's letters in the order of their
// numbers (the exponent slots).
std::optional<std::vector<ProductFactor>> ReadProductLine(std::string_view line, std::string* letters = nullptr);

// Whether f has no letter but the first: the exact factorer is then asked
// about it in one variable.
bool OneLetter(const exact::MultiPoly& f);

// Takes the product the run ended with as the transcript kept it and says, as a
// message pair, whether every factor is irreducible over the integers, or
// names the first that is not. Says nothing when the engine has no exact
// factorer, the transcript holds no product or could not be written.
void TellCertificate(Engine& e);

}  // namespace yinshi
