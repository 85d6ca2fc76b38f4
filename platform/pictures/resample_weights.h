#pragma once
// Which source pixels make up each destination pixel along one axis, and by how much.
#include <vector>

namespace morvane {

struct AxisWeights {
    // For destination index begin + i: source indices first[i] .. first[i] + count[i] - 1, whose weights
    // (summing to 1) stand at weights[offset[i]] onwards.
    int begin = 0;
    std::vector<int> first;
    std::vector<int> count;
    std::vector<int> offset;
    std::vector<float> weights;
    int max_count = 0;
};

// Weights for stretching `source_size` pixels onto `dest_size` pixels, for the destination indices
// begin .. end - 1 only (those that survive clipping). Reducing (or keeping the size) uses area coverage,
// enlarging uses linear interpolation between pixel centres; keeping the size gives single weights of 1.
AxisWeights axis_weights(int source_size, int dest_size, int begin, int end);

}  // namespace morvane
