// ParamText: builds the text of a parameter file (key, space, value, line feed) in the order the
// keys were set, with comment lines for authors. Values holding a space are written between double
// quotes, as the game's parameter reader expects; floats are printed with up to six decimals and
// no trailing zeros so that files stay readable and identical on every run.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class ParamText {
public:
    void Comment(const std::string& text);   // "// text" line
    void Set(const std::string& key, const std::string& value);
    void SetInt(const std::string& key, long long value);
    void SetFloat(const std::string& key, double value);
    // Three (or more) floats in one quoted value, as the vector reader takes them.
    void SetFloats(const std::string& key, const std::vector<double>& values);
    // key.x, key.y, key.z (and key.w when w is given).
    void SetVec(const std::string& key, double x, double y, double z);
    void SetVec4(const std::string& key, double x, double y, double z, double w);

    bool Has(const std::string& key) const;
    std::string Get(const std::string& key) const;   // "" when absent
    const std::vector<std::pair<std::string, std::string>>& Pairs() const { return m_pairs; }

    std::string Text() const;
    std::vector<uint8_t> Bytes() const;

    static std::string Float(double v);

private:
    std::vector<std::pair<std::string, std::string>> m_pairs;   // key "" holds a comment
};
