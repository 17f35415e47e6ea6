// What the store keys objects, sets and property lists by: the first 128 bits of the
// SHA-256 of their content, as 32 hexadecimal digits. Fields are added one by one, each
// with its length, so that "ab" + "c" and "a" + "bc" differ. The hash is the system's
// (bcrypt.dll, loaded from the system folder).
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class ContentDigest {
public:
    ContentDigest();
    ContentDigest(const ContentDigest&) = delete;
    ContentDigest& operator=(const ContentDigest&) = delete;
    ~ContentDigest();

    void Add(std::string_view field);
    void Add(int64_t number);
    // 32 hexadecimal digits; empty when the system could not hash (see DigestsAvailable).
    // The object is spent afterwards.
    std::string Hex();

private:
    void Hash(const void* data, size_t size);

    void* hash_ = nullptr;               // BCRYPT_HASH_HANDLE
    std::vector<unsigned char> object_;  // the hash's working memory, ours
    bool failed_ = false;
};

// Whether the system's SHA-256 can be used; a store is not opened without it, so that a
// failure to hash later is as unlikely as a failure to allocate.
bool DigestsAvailable();
