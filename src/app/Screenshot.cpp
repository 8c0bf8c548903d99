// Naming and writing the F12 screenshots.
#include "app/Screenshot.h"

#include "app/Log.h"
#include "render/PngWriter.h"
#include "resources/GameFolders.h"

#include <cstdio>
#include <sys/stat.h>

std::string ScreenshotName(const std::tm& t, int number)
{
    char name[96];
    if (number > 1)
        std::snprintf(name, sizeof name, "gorgewing2-%04d-%02d-%02d_%02d-%02d-%02d-%d.png", t.tm_year + 1900,
                      t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec, number);
    else
        std::snprintf(name, sizeof name, "gorgewing2-%04d-%02d-%02d_%02d-%02d-%02d.png", t.tm_year + 1900,
                      t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec);
    return name;
}

std::string SaveScreenshot(const std::string& folder, int x, int y, int width, int height)
{
    if (folder.empty() || !MakeFolders(folder, 0755)) {
        LogWrite("Screenshot: cannot make the folder %s", folder.empty() ? "(no home)" : folder.c_str());
        return {};
    }
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    std::string path;
    for (int n = 1; n < 100; ++n) {
        path = folder + "/" + ScreenshotName(local, n);
        struct stat st {};
        if (stat(path.c_str(), &st) != 0)
            break;
    }
    if (!WriteBackBufferPng(path, x, y, width, height))
        return {};  // the writer logged why
    LogWrite("Screenshot: %s", path.c_str());
    return path;
}
