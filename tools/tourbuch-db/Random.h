#pragma once
// Demo data must come out the same for a seed on every machine. The
// mt19937 sequence is fixed by the standard, the std distributions are
// not, so the ranges are cut here.

#include <cstdint>
#include <random>
#include <utility>
#include <vector>

namespace tourbuchdb {

class Random {
public:
    explicit Random(std::uint32_t seed) : m_engine(seed) {}

    // Uniform in 0 .. n-1; n must be at least 1.
    std::uint32_t below(std::uint32_t n)
    {
        // Rejection keeps the low values from being favoured.
        const std::uint32_t limit = std::uint32_t(0x100000000ull - 0x100000000ull % n - 1);
        std::uint32_t x;
        do {
            x = std::uint32_t(m_engine());
        } while (x > limit);
        return x % n;
    }

    // Uniform in lo .. hi, both included.
    int between(int lo, int hi) { return lo + int(below(std::uint32_t(hi - lo + 1))); }

    bool percent(int chance) { return int(below(100)) < chance; }

    template <typename T>
    const T &pick(const std::vector<T> &items) { return items[below(std::uint32_t(items.size()))]; }

    template <typename T>
    void shuffle(std::vector<T> &items)
    {
        for (std::size_t i = items.size(); i > 1; --i)
            std::swap(items[i - 1], items[below(std::uint32_t(i))]);
    }

private:
    std::mt19937 m_engine;
};

} // namespace tourbuchdb
