#include "transcript_format/product_line.hpp"

namespace yinshi {

std::string Parenthesised(std::string_view factorText) { return "(" + std::string(factorText) + ")"; }

std::optional<std::vector<std::string_view>> FactorTexts(std::string_view product) {
    std::vector<std::string_view> texts;
    std::size_t p = 0;
    while ((p = product.find('(', p)) != std::string_view::npos) {
        const std::size_t close = product.find(')', p);
        if (close == std::string_view::npos) return std::nullopt;
        texts.push_back(product.substr(p + 1, close - p - 1));
        p = close + 1;
    }
    if (texts.empty()) return std::nullopt;
    return texts;
}

void WriteReplacingFactor(std::string_view product, std::string_view factorText, ReplacedFactorOut& out) {
    const std::string whole = Parenthesised(factorText);
    std::size_t pos = 0;
    for (std::size_t at; (at = product.find(whole, pos)) != std::string_view::npos; pos = at + whole.size()) {
        out.Text(product.substr(pos, at - pos));
        out.Replacement();
    }
    out.Text(product.substr(pos));
}

}  // namespace yinshi
