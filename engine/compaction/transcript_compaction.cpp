#include "compaction/transcript_compaction.hpp"

namespace yinshi {

namespace {

constexpr std::size_t kNone = std::string_view::npos;

bool EndsTheWalk(std::string_view rest, TailRule tail) {
    const std::size_t close = rest.find(')');
    if (close == kNone) return true;
    if (tail == TailRule::CountedRun) return false;
    const std::size_t open = rest.find('(');
    return open == kNone || open > close;
}

}  // namespace

void WalkFactorRuns(std::string_view line, TailRule tail, CompactionOut& out) {
    const std::size_t p1 = line.find('(');
    const std::size_t p2 = p1 == kNone ? kNone : line.find(')', p1);
    if (p2 == kNone) {
        out.Text(line);
        return;
    }
    std::string_view first = line.substr(p1, p2 - p1 + 1);
    out.Factor(first);
    out.Text(line.substr(0, p2 + 1));
    std::string_view rest = line.substr(p2 + 1);
    int k = 1;
    while (!rest.empty()) {
        if (EndsTheWalk(rest, tail)) {
            if (tail == TailRule::CountedRun) {
                if (k > 1) out.Power(k);
            } else if (k > 1) {
                if (k - 1 > 1) out.Power(k - 1);
                out.Text(first);
            }
            out.Text(rest);
            return;
        }
        const std::size_t q = rest.find(')');
        const std::string_view next = rest.substr(0, q + 1);
        rest.remove_prefix(q + 1);
        out.Factor(next);
        if (next == first) {
            ++k;
            if (rest.empty()) out.Power(k);
            continue;
        }
        if (k > 1) out.Power(k);
        out.Text(next);
        first = next;
        k = 1;
    }
}

}  // namespace yinshi
