// CCipher: the cipher of the files the game writes (settings, saved game, score tables).
//
// A whole parameter text of L bytes is rotated left by a random amount r (below min(L, 100)),
// prefixed with r, and chained byte by byte with the key: each output byte is mixed with the
// already enciphered byte before it and one key character. Enciphering adds one byte,
// deciphering removes it. There is no checksum: a foreign key or a foreign file deciphers to
// noise, which the parameter parser then reads as arbitrary or no pairs.
//
// ParamFile calls it on Load and Save; gw-pack uses it to show and build such files. Stateless.
// Deciphering never reads or writes outside its buffers whatever the input holds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

class CCipher {
public:
    virtual ~CCipher() = default;

    // Enciphers length bytes of text into length + 1 bytes. The rotation comes from the game's
    // random generator, seeded with the current time in seconds. An empty text gives the single
    // byte 0 (rotation 0), which deciphers back to an empty text. An empty key leaves the chain
    // without key characters.
    std::vector<uint8_t> Encipher(const void* text, size_t length, std::string_view key) const;

    // The same with the rotation given (reduced below min(length, 100)); the random form calls it.
    std::vector<uint8_t> Encipher(const void* text, size_t length, std::string_view key, unsigned rotation) const;

    // Deciphers length bytes into length - 1 bytes; an empty input gives an empty text. A rotation
    // byte larger than the text (only a damaged or foreign file holds one) is reduced modulo the
    // text length so that nothing is read outside the buffer.
    std::vector<uint8_t> Decipher(const void* data, size_t length, std::string_view key) const;
};
