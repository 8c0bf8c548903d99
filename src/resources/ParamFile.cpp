// ParamFile parsing, writing and typed look-ups.
#include "resources/ParamFile.h"

#include "resources/CCipher.h"
#include "resources/FileIO.h"
#include "resources/ResourceGroup.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

inline bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// Blanks every "//" comment up to (not including) the next line feed, quotes or not.
void BlankComments(std::string& text)
{
    const size_t n = text.size();
    size_t i = 0;
    while (i + 1 < n) {
        if (text[i] == '/' && text[i + 1] == '/') {
            while (i < n && text[i] != '\n')
                text[i++] = ' ';
        } else {
            ++i;
        }
    }
}

void Tokenise(const std::string& text, ParamFile::Map& pairs)
{
    const size_t n = text.size();
    size_t i = 0;
    for (;;) {
        while (i < n && IsSpace(text[i]))
            ++i;
        size_t keyStart = i;
        while (i < n && !IsSpace(text[i]))
            ++i;
        if (i == keyStart)
            return;  // end of text
        std::string key = text.substr(keyStart, i - keyStart);
        while (i < n && IsSpace(text[i]))
            ++i;
        std::string value;
        if (i < n && text[i] == '"') {
            size_t valueStart = ++i;
            while (i < n && text[i] != '"')
                ++i;
            value = text.substr(valueStart, i - valueStart);
            if (i < n)
                ++i;  // the closing quote
        } else {
            size_t valueStart = i;
            while (i < n && !IsSpace(text[i]))
                ++i;
            value = text.substr(valueStart, i - valueStart);
        }
        pairs[std::move(key)] = std::move(value);
    }
}

}  // namespace

bool ParamFile::Parse(const void* data, size_t size, bool clearFirst, std::string_view key)
{
    if (clearFirst)
        m_pairs.clear();
    std::string text;
    if (!key.empty()) {
        std::vector<uint8_t> plain = CCipher().Decipher(data, size, key);
        text.assign(plain.begin(), plain.end());
    } else if (data && size > 0) {
        text.assign(static_cast<const char*>(data), size);
    }
    BlankComments(text);
    Tokenise(text, m_pairs);
    return true;
}

bool ParamFile::Load(const std::string& fileName, bool clearFirst, std::string_view key)
{
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(fileName, bytes))
        return false;
    return Parse(bytes.data(), bytes.size(), clearFirst, key);
}

bool ParamFile::Read(const ResourceGroup& group, const std::string& fileName, bool clearFirst, std::string_view key)
{
    FileBuffer buffer = group.ReadFile(fileName);
    if (buffer.Size() == 0)
        return false;
    return Parse(buffer.Data(), buffer.Size(), clearFirst, key);
}

std::string ParamFile::ToText() const
{
    std::string text;
    for (const auto& [k, v] : m_pairs) {
        text += k;
        text += ' ';
        if (v.find(' ') != std::string::npos) {
            text += '"';
            text += v;
            text += '"';
        } else {
            text += v;
        }
        text += '\n';
    }
    return text;
}

bool ParamFile::Save(const std::string& fileName, std::string_view key) const
{
    std::string text = ToText();
    if (key.empty())
        return WriteFileAtomic(fileName, text.data(), text.size());
    std::vector<uint8_t> bytes = CCipher().Encipher(text.data(), text.size(), key);
    return WriteFileAtomic(fileName, bytes);
}

std::string ParamFile::GetString(const std::string& key, const char* defaultText) const
{
    auto it = m_pairs.find(key);
    if (it != m_pairs.end())
        return it->second;
    return defaultText ? std::string(defaultText) : std::string();
}

int ParamFile::GetInt(const std::string& key, const char* defaultText) const
{
    return ToInt(GetString(key, defaultText));
}

bool ParamFile::GetBool(const std::string& key, const char* defaultText) const
{
    return ToInt(GetString(key, defaultText)) != 0;
}

float ParamFile::GetFloat(const std::string& key, const char* defaultText) const
{
    return ToFloat(GetString(key, defaultText));
}

void ParamFile::SetInt(const std::string& key, int value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%i", value);
    m_pairs[key] = text;
}

void ParamFile::SetFloat(const std::string& key, float value)
{
    // "%f" of a large float runs to many digits; 64 bytes hold any finite float with six decimals
    // except the very largest, which snprintf truncates safely.
    char text[64];
    std::snprintf(text, sizeof text, "%f", static_cast<double>(value));
    m_pairs[key] = text;
}

int ParamFile::ToInt(const std::string& text)
{
    errno = 0;
    char* end = nullptr;
    long v = std::strtol(text.c_str(), &end, 10);
    if (end == text.c_str())
        return 0;
    if (v > INT_MAX)
        return INT_MAX;
    if (v < INT_MIN)
        return INT_MIN;
    return static_cast<int>(v);
}

float ParamFile::ToFloat(const std::string& text)
{
    char* end = nullptr;
    float v = std::strtof(text.c_str(), &end);
    if (end == text.c_str())
        return 0.0f;
    return v;
}

int ParamFile::ParseFloats(std::string_view text, float* dest, int capacity)
{
    if (!dest || capacity <= 0)
        return 0;
    int used = 0;
    size_t i = 0;
    const size_t n = text.size();
    for (;;) {
        size_t start = i;
        while (i < n && text[i] != ' ')
            ++i;
        if (i > start) {
            std::string piece(text.substr(start, i - start));
            char* end = nullptr;
            float v = std::strtof(piece.c_str(), &end);
            if (end != piece.c_str())
                dest[used] = v;
        }
        ++used;  // an empty piece still uses its element
        if (i >= n || used >= capacity)
            break;
        while (i < n && text[i] == ' ')
            ++i;  // a run of spaces is one separator
    }
    return used;
}
