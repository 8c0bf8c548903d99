// ParamFile: the key/value text of every data file the game reads and every file it writes.
//
// An ordered map from key text to value text (keys compared byte-wise). The text format: "//"
// blanks the rest of its line (even inside quotes; there is no escape); tokens are separated by
// tab, line feed, carriage return and space; a key is a run of non-space bytes and its value is
// either the next such run or everything between the next pair of double quotes (an unterminated
// quote takes the rest of the text). A later key overrides an earlier one. Saving writes
// "key value\n" in key order, quoting values that contain a space.
//
// Callers read data files through a ResourceGroup (Read) or straight from disk (Load), and the
// files the game writes with an optional CCipher key (Save, through a temporary file and a
// rename). Every look-up takes its default as text. Malformed text is never an error: the
// tokeniser pairs up whatever tokens it finds; missing files give false and leave the map as it
// was, so callers keep their defaults.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <string_view>

class ResourceGroup;

class ParamFile {
public:
    using Map = std::map<std::string, std::string>;

    // Parses size bytes. With a key the bytes are first deciphered with CCipher (the text is then
    // one byte shorter; an empty or one-byte buffer gives an empty text). The buffer is not
    // changed. Always true.
    bool Parse(const void* data, size_t size, bool clearFirst, std::string_view key = {});
    bool Parse(std::string_view text, bool clearFirst) { return Parse(text.data(), text.size(), clearFirst); }

    // Reads a file on disk whole and parses it. False, with the map unchanged, when it cannot be
    // read.
    bool Load(const std::string& fileName, bool clearFirst, std::string_view key = {});

    // Reads a file through a resource group (pack first, then disk) and parses it. False, with
    // the map unchanged, when the group has no such file or it is empty.
    bool Read(const ResourceGroup& group, const std::string& fileName, bool clearFirst, std::string_view key = {});

    // Writes the text (enciphered when a key is given) to fileName through a temporary file and a
    // rename. False, with the old file untouched, when it cannot be written.
    bool Save(const std::string& fileName, std::string_view key = {}) const;

    // The text Save writes, before enciphering.
    std::string ToText() const;

    // The value, or the default when the key is absent (absent keys are not added).
    std::string GetString(const std::string& key, const char* defaultText) const;
    // Typed look-ups: GetString, then a "%d" or "%f" style conversion. A value that does not
    // begin with a number gives 0 (not the default).
    int GetInt(const std::string& key, const char* defaultText) const;
    bool GetBool(const std::string& key, const char* defaultText) const;
    float GetFloat(const std::string& key, const char* defaultText) const;

    void SetString(const std::string& key, const std::string& value) { m_pairs[key] = value; }
    void SetInt(const std::string& key, int value);        // printed with "%i"
    void SetFloat(const std::string& key, float value);    // printed with "%f": 1.5 -> "1.500000"
    void SetBool(const std::string& key, bool value) { SetInt(key, value ? 1 : 0); }

    bool Has(const std::string& key) const { return m_pairs.count(key) != 0; }
    void Remove(const std::string& key) { m_pairs.erase(key); }
    void Clear() { m_pairs.clear(); }
    size_t Size() const { return m_pairs.size(); }
    const Map& Pairs() const { return m_pairs; }

    // Conversions of a value text, as the typed look-ups use them: leading whitespace skipped,
    // reading stops at the first byte that does not fit, no number at all gives 0. Integers out of
    // range are clamped.
    static int ToInt(const std::string& text);
    static float ToFloat(const std::string& text);

    // Splits text at spaces (a run of spaces is one separator) and converts each piece with "%f"
    // into the next element of dest. An empty piece (text beginning or ending with a space) or a
    // piece that is not a number leaves its element unchanged but uses it up. Never writes more
    // than capacity elements. Returns the number of elements used.
    static int ParseFloats(std::string_view text, float* dest, int capacity);

private:
    Map m_pairs;
};
