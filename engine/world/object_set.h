#pragma once
// A set over the byte numbers 0..255, stored as 32 bytes: element k is bit
// k mod 8 of byte k div 8, the layout the state image copies byte by byte.

#include <array>
#include <cstdint>

namespace rux {

class ObjectSet {
public:
    bool contains(uint8_t k) const { return (bytes_[k >> 3] >> (k & 7)) & 1; }
    void insert(uint8_t k) { bytes_[k >> 3] |= static_cast<uint8_t>(1u << (k & 7)); }
    void erase(uint8_t k) { bytes_[k >> 3] &= static_cast<uint8_t>(~(1u << (k & 7))); }
    void set(uint8_t k, bool on) { on ? insert(k) : erase(k); }
    void clear() { bytes_.fill(0); }
    bool empty() const {
        for (uint8_t b : bytes_)
            if (b) return false;
        return true;
    }
    std::array<uint8_t, 32>& bytes() { return bytes_; }
    const std::array<uint8_t, 32>& bytes() const { return bytes_; }
    bool operator==(const ObjectSet&) const = default;

private:
    std::array<uint8_t, 32> bytes_{};
};

}  // namespace rux
