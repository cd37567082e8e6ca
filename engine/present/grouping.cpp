#include "present/grouping.hpp"

#include <algorithm>
#include <cassert>
#include <cstdint>
#include <vector>

#include "platform/number_form.hpp"
#include "present/printing.hpp"
#include "state/engine.hpp"

namespace yinshi {

namespace {

void WritePower(Engine& e, const ImageReading& f, std::int32_t power) {
    PrintPowerSuffix(e.jg, f.letters, power, f.lowExp);
}

void AssertSplit([[maybe_unused]] const DenseSplit& s) {
    assert(s.gDeg >= 0 && static_cast<std::size_t>(s.gDeg) < s.g.size());
    assert(s.qDeg >= 0 && static_cast<std::size_t>(s.qDeg) < s.q.size());
}

// The collected line for H of degree high and L of degree low, high >= low:
// every coefficient of f split into its non-zero partial products h_i * l_j.
void WriteCollected(Engine& e, const ImageReading& f, std::span<const float> h, std::int32_t high,
                    std::span<const float> l, std::int32_t low) {
    Transcript& jg = e.jg;
    jg.Write("[" + TextForm(h[high] * l[low]));
    bool needOpen = true;
    WritePower(e, f, f.degree);

    // A power whose products are all zero writes nothing: its "+(" stays open
    // and the next power's products go into it.
    auto writeProduct = [&](float product) {
        if (product == 0) return;
        needOpen = true;
        jg.Write(TextForm(product) + " ");
    };
    auto openGroup = [&] {
        if (!needOpen) return;
        jg.Write("+(");
        needOpen = false;
    };
    auto closeGroup = [&](std::int32_t power) {
        if (!needOpen) return;
        jg.Write(")");
        WritePower(e, f, power);
    };

    // Only the non-zero l_j can give a product: the images of several
    // letters are long and mostly zero, and a walk over every pair would
    // cost the product of their degrees.
    std::vector<std::int32_t> nonZero;
    for (std::int32_t j = 0; j <= low; ++j)
        if (l[j] != 0) nonZero.push_back(j);
    auto writeProducts = [&](std::int32_t s) {
        for (std::int32_t j : nonZero)
            if (j >= s - high && j <= s) writeProduct(h[s - j] * l[j]);
    };
    std::int32_t cursor = f.degree;
    for (std::int32_t step = 0; step < low; ++step) {
        std::int32_t s = --cursor;
        openGroup();
        writeProducts(s);
        closeGroup(s);
    }
    for (std::int32_t s = high - 1; s >= 1; --s) {
        openGroup();
        writeProducts(s);
        closeGroup(s);
    }
    float constant = h[0] * l[0];
    jg.Write(constant > 0 ? "+" + TextForm(constant) : TextForm(constant));
    if (!needOpen) jg.Write(")");
    WritePower(e, f, 0);
    jg.Write("]");
    jg.EndLine();
}

}  // namespace

void ShowGroupingWorking(Engine& e, const DenseSplit& s) {
    if (e.run.NoEqualsPrefix) return;
    e.run.NoGroupingShown = false;
    e.jg.EndLine();
    e.jg.Write("=");
    PrintContentPrefix(e);
    e.PrintLine("~~");
    const ImageReading f{LettersOf(e.vars), e.dense.DegreeKeep, e.dense.LowExp};
    WriteCollectedLine(e, s, f);
    e.jg.Write("=");
    PrintContentPrefix(e);
    WriteGroupedLine(e, s, f);
}

void WriteCollectedLine(Engine& e, const DenseSplit& s, const ImageReading& f) {
    AssertSplit(s);
    if (s.qDeg >= s.gDeg) {
        WriteCollected(e, f, s.q, s.qDeg, s.g, s.gDeg);
    } else {
        WriteCollected(e, f, s.g, s.gDeg, s.q, s.qDeg);
    }
}

void WriteGroupedLine(Engine& e, const DenseSplit& s, const ImageReading& f) {
    AssertSplit(s);
    const std::int32_t qd = s.qDeg;
    const std::int32_t gd = s.gDeg;
    const std::span<const float> q = s.q;
    const std::span<const float> g = s.g;
    e.jg.Write("[(");
    for (std::int32_t i = qd; i >= 0; --i) {
        if (i < qd) {
            if (q[i] == 0) continue;
            e.jg.Write("+(");
        }
        for (std::int32_t j = gd; j >= 0; --j) {
            if (g[j] == 0) continue;
            float product = q[i] * g[j];
            if (product > 0 && j != gd) e.jg.Write("+");
            e.jg.Write(ItemForm(product));
            WritePower(e, f, i + j);
        }
        e.jg.Write(")");
    }
    e.jg.Write("]");
    e.jg.EndLine();
}

}  // namespace yinshi
