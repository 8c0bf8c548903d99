// CLevelSetDlg: the list of level sets found as "levels/*.set", each with its level count.
//
// When made it walks the folder (at most kMaxSets files, in name order), opens each set in a
// temporary resource group "temp" with the level sets' cipher key, reads "levels/levels.txt" and
// its "levels_count" (0 when missing), lists "name (count)" and removes the group again. The set in
// use is selected. OK closes with 0 and the game dialog reads SelectedPath(); cancel closes with 1.
#pragma once

#include "ui/MenuDialog.h"

#include <string>
#include <vector>

class CSimpleList;

namespace NInterface {

class CLevelSetDlg : public CMenuDialog {
public:
    static constexpr int kMaxSets = 32;

    // folder: where the sets are looked for ("levels"); currentPath: the set in use.
    CLevelSetDlg(CMenuLayout& layout, const std::string& currentPath, const std::string& folder = "levels");

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

private:
    CSimpleButton* m_ok;
    CSimpleButton* m_cancel;
    CSimpleList* m_list;
    std::vector<std::string> m_paths;
};

} // namespace NInterface
