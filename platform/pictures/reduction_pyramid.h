#pragma once
// Halvings of one picture in linear light, kept so that reductions of it by 2, 4, 8, ... cost only the
// writing of the result. Averaging 2 x 2 blocks level after level gives the mean of each 2^k x 2^k block of
// the picture, which is what the area-averaging stretch copy computes for a reduction by exactly 2^k; the
// levels hold 16-bit linear values, so the pixels agree with the direct reduction within one code.
//
// The pyramid belongs to one picture at a time: built_from() tells whether it still describes `picture`
// (the same image, unchanged since, by its generation), and a surface rebuilds it when it does not.
#include "platform/pictures/image32.h"

#include <cstdint>
#include <vector>

namespace morvane {

class ReductionPyramid {
public:
    using LinearSamples = std::vector<uint16_t, UnfilledAllocator<uint16_t>>;  // written in full once sized

    bool built_from(const Image32& picture) const;
    void build(const Image32& picture);
    void clear();  // frees the levels

    // The power of two k >= 1 by which the picture shrinks to w x h, when the pyramid holds that level;
    // 0 otherwise (not an exact halving, or a side that does not halve evenly that often).
    int level_for(int w, int h) const;

    // Draws level k into the rectangle (x, y) of `target` of the level's size, only its columns x0..x1 - 1
    // and rows y0..y1 - 1 (offsets into the rectangle, already clipped to the target), fourth byte 255.
    void draw(int k, Image32& target, int x, int y, int x0, int x1, int y0, int y1) const;

    size_t bytes() const;  // memory held by the levels

private:
    struct Level {
        int width = 0, height = 0;
        LinearSamples linear;  // blue, green, red per pixel; 0..65535 linear light
    };

    const Image32* source_ = nullptr;
    uint64_t generation_ = 0;
    int width_ = 0, height_ = 0;
    std::vector<Level> levels_;  // levels_[k - 1] is the picture reduced by 2^k
};

}  // namespace morvane
