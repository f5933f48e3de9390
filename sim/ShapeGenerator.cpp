#include "sim/ShapeGenerator.h"

#include <algorithm>
#include <cmath>

#include "meter/SettingsBlock.h"

namespace sim {

namespace {

struct PsiFactor {
    int unit;
    double psiPerUnit;
};
// The record divides psi by these to show bar, metres of water and kPa.
constexpr PsiFactor kPsiFactors[] = {
    {kPressureBar, 14.504}, {kPressureMetresWater, 1.42197}, {kPressureKpa, 0.145038}};

// A small deterministic wobble in -1..1, so generated curves look measured, not drawn.
class Noise {
public:
    explicit Noise(unsigned seed) : state_(seed * 2654435761u + 12345u) {}
    double Next() {
        state_ = state_ * 1664525u + 1013904223u;
        return static_cast<double>(state_ >> 8) / static_cast<double>(1u << 23) - 1.0;
    }

private:
    unsigned state_;
};

// Clamped before rounding: a reading far beyond the counts' range would not survive lround or the
// conversion to int.
int ClampedCounts(double value, int most) {
    if (!(value > 0)) return 0;  // also NaN
    return static_cast<int>(std::lround(std::min(value, static_cast<double>(most))));
}

int FlowCounts(double flow) { return ClampedCounts(flow, 0x3FFF); }

double Lerp(double a, double b, double t) { return a + (b - a) * std::clamp(t, 0.0, 1.0); }

}  // namespace

int PressureScale::Counts(double pressure) const {
    double psi = pressure;
    for (const PsiFactor& f : kPsiFactors)
        if (f.unit == unit) psi = pressure * f.psiPerUnit;
    const double divisor = rough + fine / 100.0;
    return ClampedCounts(zero + psi * divisor, 0x3FF);
}

std::vector<RawSample> Generate(const Shape& shape, const PressureScale& scale, int intervalMs,
                                unsigned seed) {
    if (shape.kind == Shape::Kind::Samples) return shape.samples;
    const double dt = std::max(intervalMs, 1) / 1000.0;
    // More samples than the memory holds cannot be logged: stop there, before any huge allocation.
    static constexpr double kMostSamples = kMemorySize / kRawSampleSize + 1;
    auto count = [dt](double seconds) {
        return static_cast<std::size_t>(std::clamp(std::round(seconds / dt), 0.0, kMostSamples));
    };
    Noise noise(seed);
    std::vector<RawSample> out;
    if (shape.kind == Shape::Kind::Constant) {
        for (std::size_t k = 0, n = count(shape.hold); k < n; ++k)
            out.push_back({FlowCounts(shape.flow * (1 + 0.01 * noise.Next())),
                           scale.Counts(shape.staticPressure * (1 + 0.005 * noise.Next()))});
        return out;
    }
    // Hydrant flow test: static pressure at rest, the flow opens, the pressure drops to residual
    // while the full flow runs, then the flow closes and the pressure recovers.
    const double settle = std::max(3.0, shape.hold / 10.0);
    const std::size_t phases[] = {count(settle), count(shape.rise), count(shape.hold),
                                  count(shape.fall), count(settle)};
    for (int phase = 0; phase < 5; ++phase) {
        const std::size_t n = phases[phase];
        for (std::size_t k = 0; k < n; ++k) {
            const double t = n > 1 ? static_cast<double>(k) / static_cast<double>(n - 1) : 1.0;
            double flowShare = phase == 1 ? t : phase == 2 ? 1.0 : phase == 3 ? 1.0 - t : 0.0;
            const double flow = shape.flow * flowShare * (1 + 0.015 * noise.Next());
            const double pressure = Lerp(shape.staticPressure, shape.residualPressure, flowShare) *
                                    (1 + 0.006 * noise.Next());
            out.push_back({FlowCounts(flow), scale.Counts(pressure)});
        }
    }
    return out;
}

Meter::LiveSource LiveGenerator(double flow, double pressure, const PressureScale& scale) {
    return [flow, pressure, scale](double t) {
        const double swing = std::sin(t / 7.0) + 0.3 * std::sin(t / 2.3);
        return RawSample{FlowCounts(flow * (1 + 0.04 * swing)),
                         scale.Counts(pressure * (1 - 0.02 * swing))};
    };
}

}  // namespace sim
