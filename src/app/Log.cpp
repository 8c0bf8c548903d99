// The log file: one open-append-close per line.
#include "app/Log.h"

#include <cstdarg>
#include <cstdio>
#include <string>

namespace {
std::string g_logName;
}

bool LogOpen(const char* fileName)
{
    g_logName.clear();
    if (!fileName)
        return false;
    FILE* f = std::fopen(fileName, "w");
    if (!f)
        return false;
    std::fclose(f);
    g_logName = fileName;
    return true;
}

void LogWrite(const char* format, ...)
{
    if (g_logName.empty() || !format)
        return;
    FILE* f = std::fopen(g_logName.c_str(), "a");
    if (!f)
        return;
    va_list args;
    va_start(args, format);
    std::vfprintf(f, format, args);
    va_end(args);
    std::fputc('\n', f);
    std::fclose(f);
}

const char* LogFileName()
{
    return g_logName.c_str();
}
