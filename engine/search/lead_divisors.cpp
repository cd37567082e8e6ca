#include "search/lead_divisors.hpp"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace yinshi {

namespace {
// Values up to here are looked up, larger ones divided.
constexpr std::int64_t kTable = 65536;
// Up to this modulus the classes are found by an index instead of a search.
constexpr std::int64_t kDirectClasses = 4096;
}  // namespace

LeadDivisors::LeadDivisors(float lead)
    : lead_(static_cast<std::int64_t>(std::fabs(lead))),
      leadF_(static_cast<float>(lead_)),
      tableMax_(std::min(lead_, kTable)),
      tableMaxF_(static_cast<float>(tableMax_)) {
    table_.assign(static_cast<std::size_t>(tableMax_) + 1, 0);
    std::vector<std::int64_t> low;
    std::vector<std::int64_t> high;
    for (std::int64_t t = 1; t * t <= lead_; ++t) {
        if (lead_ % t != 0) continue;
        low.push_back(t);
        if (t * t != lead_) high.push_back(lead_ / t);
    }
    std::vector<std::int64_t> positive(low);
    positive.insert(positive.end(), high.rbegin(), high.rend());
    for (std::int64_t v : positive)
        if (v <= tableMax_) table_[static_cast<std::size_t>(v)] = 1;
    for (auto it = positive.rbegin(); it != positive.rend(); ++it) signed_.push_back(-*it);
    signed_.insert(signed_.end(), positive.begin(), positive.end());
}

void DivisorClasses::Build(const LeadDivisors& divisors, std::int64_t m) {
    m_ = m < 1 ? 1 : m;
    const std::vector<std::int64_t>& all = divisors.Signed();
    std::vector<std::size_t> order(all.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return Residue(all[a]) < Residue(all[b]); });
    residues_.clear();
    values_.clear();
    for (std::size_t i : order) {
        residues_.push_back(Residue(all[i]));
        values_.push_back(all[i]);
    }
    first_.clear();
    if (m_ <= kDirectClasses) {
        first_.assign(static_cast<std::size_t>(m_) + 1, 0);
        std::size_t at = 0;
        for (std::int64_t r = 0; r <= m_; ++r) {
            while (at < residues_.size() && residues_[at] < r) ++at;
            first_[static_cast<std::size_t>(r)] = static_cast<std::uint32_t>(at);
        }
    }
}

std::span<const std::int64_t> DivisorClasses::Of(std::int64_t v) const {
    const std::int64_t r = Residue(v);
    if (!first_.empty()) {
        const std::uint32_t from = first_[static_cast<std::size_t>(r)];
        return {values_.data() + from, first_[static_cast<std::size_t>(r) + 1] - from};
    }
    const auto [first, last] = std::equal_range(residues_.begin(), residues_.end(), r);
    const auto from = static_cast<std::size_t>(first - residues_.begin());
    return {values_.data() + from, static_cast<std::size_t>(last - first)};
}

}  // namespace yinshi
