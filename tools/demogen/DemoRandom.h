#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zev::demo {

// The generator's own random numbers (splitmix64): the same seed gives the same data on every
// platform and library, which the standard distributions do not promise.
class DemoRandom {
public:
    explicit DemoRandom(std::uint64_t seed) : state_(seed) {}

    std::uint64_t Next()
    {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    // Uniform in [0, n); n > 0. The bias of the modulo is negligible for the small n used here.
    int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint64_t>(n)); }
    // Uniform in [low, high].
    int Between(int low, int high) { return low + Below(high - low + 1); }
    double Unit() { return static_cast<double>(Next() >> 11) / 9007199254740992.0; }
    double Between(double low, double high) { return low + (high - low) * Unit(); }
    bool Chance(double p) { return Unit() < p; }
    template <class T> const T& Pick(const std::vector<T>& items)
    {
        return items[static_cast<size_t>(Below(static_cast<int>(items.size())))];
    }
    const char* Pick(std::initializer_list<const char*> items)
    {
        return items.begin()[Below(static_cast<int>(items.size()))];
    }
    std::string Digits(int count)
    {
        std::string out;
        for (int i = 0; i < count; ++i)
            out += static_cast<char>('0' + Below(10));
        return out;
    }

private:
    std::uint64_t state_;
};

} // namespace zev::demo
