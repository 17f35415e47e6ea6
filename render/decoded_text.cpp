#include "render/decoded_text.h"

#include <atomic>

#include "base/narrow.h"
#include "resources/text.h"

namespace {

// Every text a decoder shows lies in 5001-5004 (units) or 10001-27120 (decoded values).
constexpr UINT kFirstCachedId = 5000;
constexpr UINT kLastCachedId = 27199;
constexpr UINT kSlotCount = kLastCachedId - kFirstCachedId + 1;

// One slot per ID and language; a slot is filled once and never changes after that.
// The texts are kept as UTF-8 and never freed: a worker may still be decoding while
// the process shuts down.
class TextCache {
public:
    constexpr TextCache() = default;
    TextCache(const TextCache&) = delete;
    TextCache& operator=(const TextCache&) = delete;
    const std::string& Get(UINT id, int languageIndex, LANGID language)
    {
        std::atomic<const std::string*>& slot = slots_[languageIndex][id - kFirstCachedId];
        const std::string* text = slot.load(std::memory_order_acquire);
        if (text)
            return *text;
        auto* loaded = new std::string(ToNarrow(LoadTextInLanguage(id, language)));
        const std::string* expected = nullptr;
        if (slot.compare_exchange_strong(expected, loaded, std::memory_order_acq_rel))
            return *loaded;
        delete loaded;  // another thread filled the slot first
        return *expected;
    }

private:
    std::atomic<const std::string*> slots_[2][kSlotCount]{};
};

constinit TextCache g_texts;
const std::string g_noText;

}  // namespace

const std::string& DecodedText(UINT id)
{
    LANGID language = TextLanguage();
    int languageIndex = language == kEnglishLanguage ? 0 : language == kJapaneseLanguage ? 1 : -1;
    if (languageIndex < 0 || id < kFirstCachedId || id > kLastCachedId) {
        // The string table holds no other language, and decoders use no other IDs.
        return g_noText;
    }
    return g_texts.Get(id, languageIndex, language);
}
