// The two-pass XOR cipher of pack entries.
#include "resources/EntryCipher.h"

#include <vector>

namespace {

// One pass: T[j] = K[(code(K[j]) + s + multiplier * a) mod n], then data[i] ^= T[i mod n].
void Pass(uint8_t* data, size_t size, std::string_view key, unsigned long sum, unsigned long multiplier, unsigned a)
{
    const size_t n = key.size();
    std::vector<uint8_t> table(n);
    for (size_t j = 0; j < n; ++j) {
        unsigned long code = static_cast<uint8_t>(key[j]);
        table[j] = static_cast<uint8_t>(key[(code + sum + multiplier * a) % n]);
    }
    for (size_t i = 0, j = 0; i < size; ++i) {
        data[i] ^= table[j];
        if (++j == n)
            j = 0;
    }
}

}  // namespace

void ApplyEntryCipher(uint8_t* data, size_t size, std::string_view key, bool firstPassOne)
{
    if (!data || size == 0 || key.empty())
        return;
    unsigned long sum = 0;
    for (char c : key)
        sum += static_cast<uint8_t>(c);
    // Pass one uses the second key character; a one-character key has none, and its tables do not
    // depend on it (everything is taken modulo 1), so 0 stands in.
    const unsigned a1 = key.size() > 1 ? static_cast<uint8_t>(key[1]) : 0u;
    const unsigned a0 = static_cast<uint8_t>(key[0]);
    if (firstPassOne) {
        Pass(data, size, key, sum, 1, a1);
        Pass(data, size, key, sum, 0, a0);
    } else {
        Pass(data, size, key, sum, 0, a0);
        Pass(data, size, key, sum, 1, a1);
    }
}
