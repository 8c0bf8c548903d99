// EntryCipher: the symmetric cipher of enciphered entries in pack files.
//
// Two XOR passes with tables built from the key; the same call enciphers and deciphers, and the
// two passes commute. Used by ResourceGroup when it reads a 'y' entry and by the pack writer.
// An empty key leaves the data unchanged.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// XORs size bytes in place with the key's two pass tables. firstPassOne chooses the pass order
// (the result is the same either way; readers run pass one first, writers pass two first).
void ApplyEntryCipher(uint8_t* data, size_t size, std::string_view key, bool firstPassOne = true);
