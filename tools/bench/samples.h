// A handful of measurements of one quantity, one per round.
#pragma once

#include <algorithm>
#include <vector>

namespace corvane::bench {

class Samples {
public:
    void Add(double dfValue) { values.push_back(dfValue); }
    bool Empty() const { return values.empty(); }
    const std::vector<double>& Values() const { return values; }

    double Min() const { return values.empty() ? 0 : *std::min_element(values.begin(), values.end()); }
    double Max() const { return values.empty() ? 0 : *std::max_element(values.begin(), values.end()); }
    // The middle value; of an even number, the mean of the two middle ones.
    double Median() const {
        if (values.empty()) return 0;
        std::vector<double> sorted = values;
        std::sort(sorted.begin(), sorted.end());
        const size_t lMid = sorted.size() / 2;
        return sorted.size() % 2 ? sorted[lMid] : (sorted[lMid - 1] + sorted[lMid]) / 2;
    }

private:
    std::vector<double> values;
};

// The ratio of each round's pair of measurements.
inline Samples Ratios(const Samples& engine, const Samples& bare) {
    Samples ratios;
    for (size_t i = 0; i < engine.Values().size() && i < bare.Values().size(); ++i)
        ratios.Add(bare.Values()[i] > 0 ? engine.Values()[i] / bare.Values()[i] : 0);
    return ratios;
}

}  // namespace corvane::bench
