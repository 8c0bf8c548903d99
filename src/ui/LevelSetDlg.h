// CLevelSetDlg: the list of level sets found as "levels/*.set" of the data folder and among the
// player's own sets ($XDG_DATA_HOME/gorgewing2/levels/*.set), each with its level count.
//
// When made it walks both folders (every set, in name order, the data folder's first; the
// player's sets are named by their full path; the list scrolls), opens each set in a temporary
// resource group "temp" with the level sets' cipher key, reads "levels/levels.txt" and
// its "levels_count" (0 when missing) and "set_title", lists "name (count)" — the title in place
// of the file's name where the set has one — and removes the group again. The set in
// use is selected. OK closes with 0 and the game dialog reads SelectedPath(); cancel closes with 1.
#pragma once

#include "resources/GameFolders.h"
#include "ui/MenuDialog.h"

#include <string>
#include <vector>

class CSimpleList;

namespace NInterface {

class CLevelSetDlg : public CMenuDialog {
public:
    // folder: the data folder's sets ("levels"); ownFolder: the player's sets ("" for none);
    // currentPath: the set in use.
    CLevelSetDlg(CMenuLayout& layout, const std::string& currentPath, const std::string& folder = "levels",
                 const std::string& ownFolder = CurrentFolders().userLevelsDir);

    // The path of the selected set ("levels/base.set"), or "" when the list is empty.
    std::string SelectedPath() const;
    const std::vector<std::string>& Paths() const { return m_paths; }
    CSimpleList* List() const { return m_list; }

    void Draw() override;
    void OnControlEvent(CControl* control) override;

    CSimpleButton* OkButton() const { return m_ok; }
    CSimpleButton* CancelButton() const { return m_cancel; }

    // The "levels_count" of one set file (0 when it cannot be read).
    static int ReadLevelCount(const std::string& setPath);
    // The "*.set" files of a folder as folder + "/" + name, in name order ("" folder: none).
    static std::vector<std::string> SetFilesIn(const std::string& folder);
    // The same, and the set's "set_title" (empty when it has none), cleaned by CleanSetTitle.
    static int ReadSetInfo(const std::string& setPath, std::string& title);
    // A title as the list shows it: printable ASCII only, at most kMaxTitle characters, trimmed.
    static constexpr size_t kMaxTitle = 40;
    static std::string CleanSetTitle(const std::string& text);
    // The list's row: "title (count)", or the file's name without ".set" when there is no title.
    static std::string ItemText(const std::string& fileName, const std::string& title, int count);

private:
    CSimpleButton* m_ok;
    CSimpleButton* m_cancel;
    CSimpleList* m_list;
    std::vector<std::string> m_paths;
};

} // namespace NInterface
