// CLevelSetDlg: finding the level sets, counting their levels, choosing one.
#include "ui/LevelSetDlg.h"

#include "resources/ParamFile.h"
#include "resources/ResourceGroup.h"
#include "ui/MenuLayout.h"
#include "ui/SimpleButton.h"
#include "ui/SimpleList.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

namespace NInterface {

namespace {

// Paths compared as the resource groups compare names: case and slash kind do not matter.
std::string Normalised(std::string path)
{
    for (char& c : path) {
        if (c == '\\')
            c = '/';
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return path;
}

} // namespace

int CLevelSetDlg::ReadLevelCount(const std::string& setPath)
{
    std::string title;
    return ReadSetInfo(setPath, title);
}

int CLevelSetDlg::ReadSetInfo(const std::string& setPath, std::string& title)
{
    const ResourceGroup* levels = ResourceGroup::GetGroup(kLevelsGroup);
    const std::string key = levels && !levels->Key().empty() ? levels->Key() : std::string(kLevelsPackKey);
    ResourceGroup* temp = ResourceGroup::CreateGroup("temp");
    temp->SetKey(key);
    int count = 0;
    title.clear();
    if (temp->MountPack(setPath)) {
        ParamFile list;
        list.Read(*temp, "levels/levels.txt", true);
        count = list.GetInt("levels_count", "0");
        title = CleanSetTitle(list.GetString("set_title", ""));
    }
    ResourceGroup::DeleteGroup("temp");
    return count;
}

std::string CLevelSetDlg::CleanSetTitle(const std::string& text)
{
    // Shared sets are anybody's: only what the font draws, and no longer than a list row holds.
    std::string out;
    for (char c : text) {
        if (out.size() >= kMaxTitle)
            break;
        if (c >= 32 && c <= 126)
            out += c;
    }
    const size_t first = out.find_first_not_of(' ');
    if (first == std::string::npos)
        return std::string();
    return out.substr(first, out.find_last_not_of(' ') - first + 1);
}

std::string CLevelSetDlg::ItemText(const std::string& fileName, const std::string& title, int count)
{
    char item[300];
    const std::string name = title.empty() ? std::filesystem::path(fileName).stem().string() : title;
    std::snprintf(item, sizeof item, "%s (%i)", name.c_str(), count);
    return item;
}

std::vector<std::string> CLevelSetDlg::SetFilesIn(const std::string& folder)
{
    std::vector<std::string> files;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::filesystem::path& p = it->path();
        std::string ext = p.extension().string();
        std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (ext == ".set" && it->is_regular_file(ec))
            files.push_back(p.filename().string());
    }
    // Every set is listed, however many there are: the list scrolls.
    std::sort(files.begin(), files.end());
    for (std::string& name : files)
        name = folder + "/" + name;
    return files;
}

CLevelSetDlg::CLevelSetDlg(CMenuLayout& layout, const std::string& currentPath, const std::string& folder,
                           const std::string& ownFolder)
    : CMenuDialog(layout)
{
    m_ok = AddButton("m_ok_btn", "m_leveld_ok_btn");
    m_cancel = AddButton("m_cancel_btn", "m_leveld_cancel_btn");
    auto list = std::make_unique<CSimpleList>(this, layout.Texture("m_list_box"), layout.Font(), 22.0f);
    list->SetPosition(static_cast<float>(layout.Int("m_leveld_listx")), static_cast<float>(layout.Int("m_leveld_listy")));
    list->SetTextColor(1, 1, 1, 1);

    // The data folder's sets by their relative name, then the player's own by their full path.
    std::vector<std::string> paths = SetFilesIn(folder);
    if (!ownFolder.empty() && ownFolder != folder)
        for (const std::string& path : SetFilesIn(ownFolder))
            paths.push_back(path);
    const std::string current = Normalised(currentPath);
    const std::string currentFound = Normalised(ResolveLevelSetPath(currentPath));
    for (const std::string& path : paths) {
        std::string title;
        const int count = ReadSetInfo(path, title);
        list->AddItem(ItemText(path, title, count));
        if (Normalised(path) == current || Normalised(path) == currentFound)
            list->SetSelected(static_cast<int>(m_paths.size()));
        m_paths.push_back(path);
    }
    m_list = Own(std::move(list));
}

std::string CLevelSetDlg::SelectedPath() const
{
    const int i = m_list->Selected();
    return i >= 0 && i < static_cast<int>(m_paths.size()) ? m_paths[static_cast<size_t>(i)] : std::string();
}

void CLevelSetDlg::Draw()
{
    BeginDraw(m_layout.Texture("m_levels_set_wnd"));
    DrawShadowText(m_layout.Font(), "Select levels set", 22, m_list->X(), m_list->Y() - 4, 2);
    EndDraw();
}

void CLevelSetDlg::OnControlEvent(CControl* control)
{
    CScreen::OnControlEvent(control);
    if (control == m_ok)
        Close(0);
    else if (control == m_cancel)
        Close(1);
}

} // namespace NInterface
