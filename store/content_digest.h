// What the store keys objects, sets and property lists by: the first 128 bits of the
// SHA-256 of their content, as 32 hexadecimal digits. Fields are added one by one, each
// with its length, so that "ab" + "c" and "a" + "bc" differ.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

class Sha256 {
public:
    Sha256();
    void Update(const void* data, size_t size);
    // The hash of everything added; the object is spent afterwards.
    std::array<unsigned char, 32> Finish();

private:
    void Block(const unsigned char* block);

    std::array<uint32_t, 8> state_;
    std::array<unsigned char, 64> buffer_{};
    size_t buffered_ = 0;
    uint64_t length_ = 0;
};

class ContentDigest {
public:
    void Add(std::string_view field);
    void Add(int64_t number);
    // 32 hexadecimal digits; the object is spent afterwards.
    std::string Hex();

private:
    Sha256 hash_;
};

// The SHA-256 of `data` as 64 hexadecimal digits.
std::string Sha256Hex(std::string_view data);
