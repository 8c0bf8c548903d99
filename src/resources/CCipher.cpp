// The rotate-and-chain cipher of the game's own files.
#include "resources/CCipher.h"

#include <algorithm>
#include <cstdlib>
#include <ctime>

namespace {

inline uint8_t KeyAt(std::string_view key, size_t i)
{
    return key.empty() ? 0 : static_cast<uint8_t>(key[i % key.size()]);
}

}  // namespace

std::vector<uint8_t> CCipher::Encipher(const void* text, size_t length, std::string_view key) const
{
    if (length == 0)
        return Encipher(text, length, key, 0u);
    // The game's one random generator, as everything else in the game draws from it.
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    unsigned r = static_cast<unsigned>(std::rand());
    return Encipher(text, length, key, r);
}

std::vector<uint8_t> CCipher::Encipher(const void* text, size_t length, std::string_view key, unsigned rotation) const
{
    std::vector<uint8_t> out(length + 1, 0);
    if (length == 0)
        return out;
    const uint8_t* p = static_cast<const uint8_t*>(text);
    size_t r = rotation % std::min<size_t>(length, 100);
    out[0] = static_cast<uint8_t>(r);
    // The text rotated left by r: P[r..L-1] then P[0..r-1].
    std::copy(p + r, p + length, out.begin() + 1);
    std::copy(p, p + r, out.begin() + 1 + (length - r));
    for (size_t i = 1; i <= length; ++i) {
        uint8_t b = out[i];
        b ^= out[i - 1];
        b ^= KeyAt(key, i);
        b = static_cast<uint8_t>(b + out[i - 1]);
        out[i] = b;
    }
    return out;
}

std::vector<uint8_t> CCipher::Decipher(const void* data, size_t length, std::string_view key) const
{
    if (length <= 1)
        return {};
    const uint8_t* e = static_cast<const uint8_t*>(data);
    const size_t m = length;
    const size_t l = m - 1;
    // t[1..m-1]; t[0] is unused so that indices match the enciphered bytes.
    std::vector<uint8_t> t(m, 0);
    for (size_t i = 1; i < m; ++i)
        t[i] = static_cast<uint8_t>(((static_cast<uint8_t>(e[i] - e[i - 1])) ^ e[i - 1]) ^ KeyAt(key, i));
    size_t r = e[0];
    if (r > l)
        r %= l;
    std::vector<uint8_t> plain;
    plain.reserve(l);
    // t[m-r .. m-1] (the head of the text) followed by t[1 .. m-r-1].
    plain.insert(plain.end(), t.begin() + (m - r), t.end());
    plain.insert(plain.end(), t.begin() + 1, t.begin() + (m - r));
    return plain;
}
