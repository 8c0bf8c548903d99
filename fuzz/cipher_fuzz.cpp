// Fuzzes CCipher deciphering of arbitrary files, its round trip, and the entry cipher.
//
// The first byte picks the key length, the next bytes are the key, the rest is the file.
#include "resources/CCipher.h"
#include "resources/EntryCipher.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    size_t keyLength = std::min<size_t>(data[0] % 64, size - 1);
    std::string_view key(reinterpret_cast<const char*>(data + 1), keyLength);
    const uint8_t* body = data + 1 + keyLength;
    size_t bodySize = size - 1 - keyLength;

    CCipher cipher;
    std::vector<uint8_t> plain = cipher.Decipher(body, bodySize, key);
    if (plain.size() != (bodySize == 0 ? 0 : bodySize - 1))
        std::abort();

    // Enciphering any text with any rotation deciphers back to it.
    std::vector<uint8_t> again = cipher.Encipher(body, bodySize, key, bodySize ? body[0] : 0u);
    if (cipher.Decipher(again.data(), again.size(), key) != std::vector<uint8_t>(body, body + bodySize))
        std::abort();

    // The entry cipher is its own inverse in either pass order.
    std::vector<uint8_t> entry(body, body + bodySize);
    ApplyEntryCipher(entry.data(), entry.size(), key, true);
    ApplyEntryCipher(entry.data(), entry.size(), key, false);
    if (!std::equal(entry.begin(), entry.end(), body))
        std::abort();
    return 0;
}
