#pragma once
// A product line of the transcript: "=" and the product, its factors each in parentheses,
// a power or a number between them ("=- 2( x + 1 )^ 2( y - 3 )").
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace yinshi {

// A factor as a product line writes it: its text in parentheses.
std::string Parenthesised(std::string_view factorText);

// The texts between the parentheses of a product line's factors, in order, a repeated factor
// once each time it is written; nullopt when the line has none or a "(" is left open.
std::optional<std::vector<std::string_view>> FactorTexts(std::string_view product);

// Receives a product line written with one factor replaced, piece by piece, in order.
class ReplacedFactorOut {
public:
    // Text of the product as it stands.
    virtual void Text(std::string_view text) = 0;
    // What stands where a copy of the factor stood.
    virtual void Replacement() = 0;

protected:
    ~ReplacedFactorOut() = default;
};

// The product with every copy of the parenthesised factor `factorText` replaced.
void WriteReplacingFactor(std::string_view product, std::string_view factorText, ReplacedFactorOut& out);

}  // namespace yinshi
