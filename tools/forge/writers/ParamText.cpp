// ParamText: parameter file text in insertion order.
#include "writers/ParamText.h"

#include <cmath>
#include <cstdio>

std::string ParamText::Float(double v)
{
    if (std::fabs(v) < 5e-7)
        v = 0.0;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.6f", v);
    std::string s = buf;
    while (!s.empty() && s.back() == '0')
        s.pop_back();
    if (!s.empty() && s.back() == '.')
        s.pop_back();
    return s;
}

void ParamText::Comment(const std::string& text) { m_pairs.emplace_back("", text); }

void ParamText::Set(const std::string& key, const std::string& value)
{
    for (auto& p : m_pairs)
        if (p.first == key) {
            p.second = value;
            return;
        }
    m_pairs.emplace_back(key, value);
}

void ParamText::SetInt(const std::string& key, long long value) { Set(key, std::to_string(value)); }
void ParamText::SetFloat(const std::string& key, double value) { Set(key, Float(value)); }

void ParamText::SetFloats(const std::string& key, const std::vector<double>& values)
{
    std::string s;
    for (size_t i = 0; i < values.size(); ++i) {
        if (i)
            s += ' ';
        s += Float(values[i]);
    }
    Set(key, s);
}

void ParamText::SetVec(const std::string& key, double x, double y, double z)
{
    SetFloat(key + ".x", x);
    SetFloat(key + ".y", y);
    SetFloat(key + ".z", z);
}

void ParamText::SetVec4(const std::string& key, double x, double y, double z, double w)
{
    SetVec(key, x, y, z);
    SetFloat(key + ".w", w);
}

bool ParamText::Has(const std::string& key) const
{
    for (const auto& p : m_pairs)
        if (!p.first.empty() && p.first == key)
            return true;
    return false;
}

std::string ParamText::Get(const std::string& key) const
{
    for (const auto& p : m_pairs)
        if (!p.first.empty() && p.first == key)
            return p.second;
    return "";
}

std::string ParamText::Text() const
{
    std::string out;
    for (const auto& p : m_pairs) {
        if (p.first.empty()) {
            out += "// " + p.second + "\n";
            continue;
        }
        out += p.first;
        out += ' ';
        if (p.second.find(' ') != std::string::npos || p.second.empty())
            out += '"' + p.second + '"';
        else
            out += p.second;
        out += '\n';
    }
    return out;
}

std::vector<uint8_t> ParamText::Bytes() const
{
    const std::string t = Text();
    return std::vector<uint8_t>(t.begin(), t.end());
}
