#pragma once
// Series values that trip up number formatting: signed zeros, exact rounding ties of "%f" and
// "%.2f", values just around the last printed digit, very large and very small magnitudes, and a
// fixed-seed spread of random bit patterns.

#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "data/Storage.h"

inline std::vector<float> AwkwardValues(std::size_t count, bool withInfinities, unsigned seed = 7) {
    std::vector<float> v = {0.0f,
                            -0.0f,
                            1.0f / 128,
                            3.0f / 128,
                            -5.0f / 128,
                            0.125f,
                            0.375f,
                            -0.625f,
                            2.5f,
                            0.005f,
                            0.015f,
                            0.0000005f,
                            0.0000015f,
                            -0.0000025f,
                            1e-7f,
                            -1e-7f,
                            4.9999997e-7f,
                            5.0000006e-7f,
                            999999.94f,
                            123456.789f,
                            1e9f,
                            -1e9f,
                            8.99e9f,
                            9e9f,
                            9.01e9f,
                            1.8e13f,
                            3.4e38f,
                            -3.4e38f,
                            FLT_MIN,
                            -FLT_MIN,
                            std::numeric_limits<float>::denorm_min(),
                            0.1f,
                            0.7f,
                            16777216.0f,
                            16777217.0f,
                            0.995f,
                            1.005f,
                            -0.005f};
    if (withInfinities) {
        v.push_back(std::numeric_limits<float>::infinity());
        v.push_back(-std::numeric_limits<float>::infinity());
    }
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> kind(0, 3);
    std::uniform_real_distribution<float> small(-1000.0f, 1000.0f);
    std::uniform_int_distribution<std::uint32_t> bits;
    std::uniform_int_distribution<int> ticks(-20000000, 20000000);
    while (v.size() < count) {
        switch (kind(rng)) {
            case 0:
                v.push_back(small(rng));
                break;
            case 1: {
                // Random bits, limited to magnitudes a record can meet (up to about 1e12).
                std::uint32_t b = bits(rng);
                float f;
                std::memcpy(&f, &b, sizeof f);
                if (std::isfinite(f) && std::fabs(f) < 1e12f) v.push_back(f);
                break;
            }
            case 2:
                v.push_back(float(ticks(rng)) / 128.0f);
                break;  // many exact ties
            default:
                v.push_back(float(ticks(rng)) * 0.000001f);
                break;
        }
    }
    v.resize(count);
    return v;
}

// A record whose four series hold awkward values, each series shifted so the rows differ.
inline Storage AwkwardRecord(std::size_t count, bool withInfinities) {
    const std::vector<float> v = AwkwardValues(count + 3, withInfinities);
    Storage s("7/03/2011 9:05:30", 1000, 1, 0, 0, 1);
    s.title = "Awkward";
    s.Reserve(count);
    for (std::size_t i = 0; i < count; ++i) s.AddSample(v[i], v[i + 1], v[i + 2], v[i + 3]);
    return s;
}
