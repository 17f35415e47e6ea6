#include "store/content_digest.h"

#include <windows.h>

#include <bcrypt.h>

#include <algorithm>

#include "base/system_library.h"

namespace {

// SHA-256 as the system offers it: bcrypt.dll from the system folder (it is not one of
// the known DLLs), the algorithm opened once for the process and never changed after.
class SystemSha256 {
public:
    SystemSha256() : library_(L"bcrypt.dll")
    {
        decltype(&BCryptOpenAlgorithmProvider) open = nullptr;
        decltype(&BCryptGetProperty) property = nullptr;
        if (!library_.Find("BCryptOpenAlgorithmProvider", open) || !library_.Find("BCryptGetProperty", property) ||
            !library_.Find("BCryptCreateHash", create) ||
            !library_.Find("BCryptHashData", hashData) || !library_.Find("BCryptFinishHash", finish) ||
            !library_.Find("BCryptDestroyHash", destroy))
            return;
        if (!BCRYPT_SUCCESS(open(&algorithm, BCRYPT_SHA256_ALGORITHM, nullptr, 0))) {
            algorithm = nullptr;
            return;
        }
        DWORD length = 0, size = 0, got = 0;
        if (!BCRYPT_SUCCESS(property(algorithm, BCRYPT_OBJECT_LENGTH, reinterpret_cast<PUCHAR>(&length),
                                     sizeof length, &got, 0)) ||
            !BCRYPT_SUCCESS(property(algorithm, BCRYPT_HASH_LENGTH, reinterpret_cast<PUCHAR>(&size), sizeof size,
                                     &got, 0)) ||
            size != 32)
            return;
        objectLength = length;
        usable = true;
    }
    SystemSha256(const SystemSha256&) = delete;
    SystemSha256& operator=(const SystemSha256&) = delete;

    bool usable = false;
    BCRYPT_ALG_HANDLE algorithm = nullptr;
    DWORD objectLength = 0;
    decltype(&BCryptCreateHash) create = nullptr;
    decltype(&BCryptHashData) hashData = nullptr;
    decltype(&BCryptFinishHash) finish = nullptr;
    decltype(&BCryptDestroyHash) destroy = nullptr;

private:
    SystemLibrary library_;
};

// Made on first use and kept to the end of the process: a detached thread may still be
// hashing while the program ends.
const SystemSha256& Sha256()
{
    static const SystemSha256& sha256 = *new SystemSha256;
    return sha256;
}

std::string HexOf(const unsigned char* bytes, size_t count)
{
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    text.reserve(count * 2);
    for (size_t i = 0; i < count; ++i) {
        text += kDigits[bytes[i] >> 4];
        text += kDigits[bytes[i] & 15];
    }
    return text;
}

}  // namespace

bool DigestsAvailable()
{
    return Sha256().usable;
}

ContentDigest::ContentDigest()
{
    const SystemSha256& sha256 = Sha256();
    BCRYPT_HASH_HANDLE hash = nullptr;
    if (sha256.usable) {
        object_.resize(sha256.objectLength);
        if (!BCRYPT_SUCCESS(sha256.create(sha256.algorithm, &hash, object_.data(),
                                          static_cast<ULONG>(object_.size()), nullptr, 0, 0)))
            hash = nullptr;
    }
    hash_ = hash;
    failed_ = hash == nullptr;
}

ContentDigest::~ContentDigest()
{
    if (hash_)
        Sha256().destroy(static_cast<BCRYPT_HASH_HANDLE>(hash_));
}

void ContentDigest::Hash(const void* data, size_t size)
{
    // BCryptHashData takes at most 4 GB at a time.
    const unsigned char* bytes = static_cast<const unsigned char*>(data);
    while (!failed_ && size > 0) {
        const ULONG part = static_cast<ULONG>(std::min<size_t>(size, 0x40000000));
        failed_ = !BCRYPT_SUCCESS(
            Sha256().hashData(static_cast<BCRYPT_HASH_HANDLE>(hash_), const_cast<unsigned char*>(bytes), part, 0));
        bytes += part;
        size -= part;
    }
}

void ContentDigest::Add(std::string_view field)
{
    Add(static_cast<int64_t>(field.size()));
    Hash(field.data(), field.size());
}

void ContentDigest::Add(int64_t number)
{
    unsigned char bytes[8];
    for (int i = 0; i < 8; ++i)
        bytes[i] = static_cast<unsigned char>(static_cast<uint64_t>(number) >> (8 * i));
    Hash(bytes, sizeof bytes);
}

std::string ContentDigest::Hex()
{
    unsigned char sum[32];
    if (failed_ || !BCRYPT_SUCCESS(Sha256().finish(static_cast<BCRYPT_HASH_HANDLE>(hash_), sum, sizeof sum, 0))) {
        failed_ = true;
        return {};
    }
    failed_ = true;   // spent
    return HexOf(sum, 16);
}
