// The two ciphers: the pack entry cipher and CCipher of the game's own files.
#include "resources/CCipher.h"
#include "resources/EntryCipher.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

std::vector<uint8_t> Bytes(const std::string& s)
{
    return {s.begin(), s.end()};
}

}  // namespace

TEST(EntryCipher, KnownTablesForAThreeCharacterKey)
{
    // "abc": sum 294; pass one (a = 'b') tables a b c, pass two (a = 'a') b c a.
    std::vector<uint8_t> data(5, 0);
    ApplyEntryCipher(data.data(), data.size(), "abc");
    EXPECT_EQ(data, (std::vector<uint8_t>{0x03, 0x01, 0x02, 0x03, 0x01}));
}

TEST(EntryCipher, BothPassOrdersAgreeAndTwiceIsIdentity)
{
    const std::string key = "qpwoeirut5678zmxncbv0192";
    std::vector<uint8_t> original(1000);
    for (size_t i = 0; i < original.size(); ++i)
        original[i] = uint8_t(i * 7 + 3);
    std::vector<uint8_t> a = original, b = original;
    ApplyEntryCipher(a.data(), a.size(), key, true);
    ApplyEntryCipher(b.data(), b.size(), key, false);
    EXPECT_EQ(a, b);
    EXPECT_NE(a, original);
    ApplyEntryCipher(a.data(), a.size(), key);
    EXPECT_EQ(a, original);
}

TEST(EntryCipher, OneCharacterAndEmptyKeysLeaveTheData)
{
    // With one character both passes XOR every byte with that character: the data comes back.
    std::vector<uint8_t> data = Bytes("hello pack");
    ApplyEntryCipher(data.data(), data.size(), "x");
    EXPECT_EQ(data, Bytes("hello pack"));
    ApplyEntryCipher(data.data(), data.size(), "");
    EXPECT_EQ(data, Bytes("hello pack"));
    ApplyEntryCipher(nullptr, 10, "abc");  // no data: nothing happens
}

TEST(EntryCipher, HighCharacterCodesCountAsNonNegative)
{
    // A key with bytes above 127 must index its table like any other (no negative codes).
    std::string key = "\xff\xfe\x80k";
    std::vector<uint8_t> data(64, 0x55);
    ApplyEntryCipher(data.data(), data.size(), key);
    ApplyEntryCipher(data.data(), data.size(), key, false);
    EXPECT_EQ(data, std::vector<uint8_t>(64, 0x55));
}

TEST(CCipherTest, OneByteTextHasRotationZero)
{
    CCipher cipher;
    const char text = 'A';
    std::vector<uint8_t> out = cipher.Encipher(&text, 1, "zel");
    // r = 0; out[1] = (('A' ^ 0) ^ key[1]) + 0.
    EXPECT_EQ(out, (std::vector<uint8_t>{0x00, uint8_t('A' ^ 'e')}));
    std::vector<uint8_t> back = cipher.Decipher(out.data(), out.size(), "zel");
    EXPECT_EQ(back, Bytes("A"));
}

TEST(CCipherTest, KnownAnswerWithRotation)
{
    CCipher cipher;
    std::vector<uint8_t> out = cipher.Encipher("abc", 3, "k", 1);
    EXPECT_EQ(out, (std::vector<uint8_t>{0x01, 0x09, 0x0a, 0x0a}));
    EXPECT_EQ(cipher.Decipher(out.data(), out.size(), "k"), Bytes("abc"));
}

TEST(CCipherTest, SameTextTwiceDiffersButDecipherAlike)
{
    CCipher cipher;
    const std::string text = "m_window_width 1024\nm_window_height 768\n";
    std::vector<uint8_t> a = cipher.Encipher(text.data(), text.size(), "zel", 5);
    std::vector<uint8_t> b = cipher.Encipher(text.data(), text.size(), "zel", 17);
    EXPECT_NE(a, b);
    EXPECT_EQ(cipher.Decipher(a.data(), a.size(), "zel"), Bytes(text));
    EXPECT_EQ(cipher.Decipher(b.data(), b.size(), "zel"), Bytes(text));
    // The rotation never reaches 100, whatever is asked.
    std::string longText(500, 'x');
    EXPECT_LT(cipher.Encipher(longText.data(), longText.size(), "zel", 12345)[0], 100);
}

TEST(CCipherTest, RoundTripsEveryLengthAndRotation)
{
    CCipher cipher;
    std::mt19937 rng(7);
    for (size_t length = 1; length < 260; ++length) {
        std::vector<uint8_t> text(length);
        for (auto& c : text)
            c = uint8_t(rng());
        unsigned rotation = unsigned(rng());
        std::vector<uint8_t> e = cipher.Encipher(text.data(), text.size(), "kq71x", rotation);
        ASSERT_EQ(e.size(), length + 1);
        ASSERT_EQ(cipher.Decipher(e.data(), e.size(), "kq71x"), text) << "length " << length;
        std::vector<uint8_t> r = cipher.Encipher(text.data(), text.size(), "kq71x");
        ASSERT_EQ(cipher.Decipher(r.data(), r.size(), "kq71x"), text);
    }
}

TEST(CCipherTest, DamagedInputStaysInsideItsBuffers)
{
    CCipher cipher;
    EXPECT_TRUE(cipher.Decipher(nullptr, 0, "zel").empty());
    const uint8_t one = 7;
    EXPECT_TRUE(cipher.Decipher(&one, 1, "zel").empty());
    // A rotation byte larger than the text.
    for (int r = 0; r < 256; ++r) {
        std::vector<uint8_t> e = {uint8_t(r), 1, 2, 3};
        EXPECT_EQ(cipher.Decipher(e.data(), e.size(), "zel").size(), 3u);
    }
    // No key: only the chaining.
    std::vector<uint8_t> e = cipher.Encipher("text", 4, "", 2);
    EXPECT_EQ(cipher.Decipher(e.data(), e.size(), ""), Bytes("text"));
    // An empty text enciphers to one byte that deciphers to nothing.
    std::vector<uint8_t> empty = cipher.Encipher("", 0, "zel");
    EXPECT_EQ(empty, std::vector<uint8_t>{0});
    EXPECT_TRUE(cipher.Decipher(empty.data(), empty.size(), "zel").empty());
}
