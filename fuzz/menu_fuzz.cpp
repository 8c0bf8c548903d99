// Fuzzes the menu layout file "mui/menu.txt": the main menu is built from it as at start (the
// layout, every interface texture it names, the dialog font), then every dialog of the menus is
// built from the same layout, placed by its rectangle keys and driven with the mouse at each
// widget position the layout holds (moves, presses, releases) and a few keys, as a player would.
//
// Input: the files split at "--- mui/..." marker lines (fuzz/FuzzFiles.h); the first file is
// "mui/menu.txt". A layout that names one of the input's own files as a texture has it decoded.
#include "FuzzFiles.h"

#include <algorithm>

#include "app/AppWindow.h"
#include "game/GameData.h"
#include "render/ResourceBank.h"
#include "resources/AppConfig.h"
#include "resources/ResourceGroup.h"
#include "ui/CustomGameDlg.h"
#include "ui/EnterNameDlg.h"
#include "ui/GameDlg.h"
#include "ui/HelpDialog.h"
#include "ui/LevelSetDlg.h"
#include "ui/MainMenu.h"
#include "ui/OptionsDialog.h"
#include "ui/QuitDialog.h"
#include "ui/TextDlg.h"
#include "ui/Top7Dlg.h"

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

using namespace NInterface;

namespace {
std::unique_ptr<gwfuzz::ScratchFolder> g_scratch;

// Mouse moves, presses and releases at every "...x"/"...y" or "..._x"/"..._y" position of the
// layout (relative to the dialog's corner, as widgets are placed), then Tab, arrows and a letter.
void Drive(CDialogScreen& d, const ParamFile& layout, float cornerX, float cornerY, bool click)
{
    int n = 0;
    for (const auto& [key, value] : layout.Pairs()) {
        if (key.empty() || key.back() != 'x' || ++n > 64)
            continue;
        std::string yKey = key;
        yKey.back() = 'y';
        // Positions are summed wide and kept well inside int, so the harness adds no overflow of its own.
        auto place = [](double corner, long long at) {
            const double v = (corner == corner ? corner : 0.0) + static_cast<double>(at) + 4.0;
            return static_cast<int>(std::clamp(v, -1.0e9, 1.0e9));
        };
        const int x = place(cornerX, ParamFile::ToInt(value));
        const int y = place(cornerY, layout.GetInt(yKey, "0"));
        d.OnMouseMove(x, y, 0);
        if (click) {
            d.OnLButtonDown(x, y, 1);
            d.OnMouseMove(x + 3, y + 1, 1);
            d.OnLButtonUp(x + 3, y + 1, 0);
        }
    }
    for (int key : {9, 37, 38, 39, 40, 65, 55})
        d.OnKeyDown(key);
    d.OnChar('a', 1);
    d.OnChar('9', 1);
    d.Update(16.7f);
}

void Place(CDialogScreen& d, const CMenuLayout& layout, const char* prefix)
{
    d.SetVirtualSize(800, 600);
    layout.PlaceDialog(d, prefix);
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    g_scratch = std::make_unique<gwfuzz::ScratchFolder>("menu");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 128 * 1024)
        return 0;
    g_scratch->Reset();
    for (const auto& f : gwfuzz::SplitFiles(data, size, "mui/menu.txt"))
        g_scratch->Write(f.name, f.bytes);

    AppWindow::Create("menu fuzz");
    ResourceGroup group("menu_fuzz");
    CResourceBank* bank = CResourceBank::CreateBank("menu_fuzz", &group);
    {
        CMainMenu menu(&group, bank, false);
        AppWindow::Get()->PushScreen(&menu);
        CMenuLayout& layout = menu.Layout();
        const ParamFile& p = layout.Params();
        // The main menu itself: hovering only (its buttons open dialogs, quit or resize the window).
        Drive(menu, p, 0, 0, false);

        CGameDlg game(layout, nullptr);
        Place(game, layout, "m_gamed");
        Drive(game, p, game.X(), game.Y(), false);
        CNewGameDlg newGame(layout);
        Place(newGame, layout, "m_nd");
        Drive(newGame, p, newGame.X(), newGame.Y(), true);
        CCustomGameDlg custom(layout, 12, 3);
        Place(custom, layout, "m_cgd");
        Drive(custom, p, custom.X(), custom.Y(), true);
        CLevelSetDlg sets(layout, "levels/base.set");
        Place(sets, layout, "m_leveld");
        Drive(sets, p, sets.X(), sets.Y(), true);
        CQuitDalog quit(layout);
        Place(quit, layout, "m_qd");
        Drive(quit, p, quit.X(), quit.Y(), true);
        CHelpDialog help(layout, &group);
        Place(help, layout, "m_hd");
        Drive(help, p, help.X(), help.Y(), true);
        AppConfig config;
        COptionsDialog options(layout, config, GameData::Get(), nullptr);
        Place(options, layout, "m_od");
        Drive(options, p, options.X(), options.Y(), true);
        CScoreTable tables[2];
        CScoreTable* tablePtrs[2] = {&tables[0], &tables[1]};
        const std::string files[2] = {"data/fuzz1.tab", "data/fuzz2.tab"};
        CTop7Dlg top7(layout, tablePtrs, files);
        Drive(top7, p, 0, 0, true);
        CEnterNameDlg enter(layout, tables[0], files[0], 1200, 4);
        Drive(enter, p, 0, 0, true);
        CTextDlg text(layout, layout.Texture("m_dialog_window_back"));
        Drive(text, p, 0, 0, true);
    }
    CResourceBank::DeleteBank("menu_fuzz");
    AppWindow::Release();
    return 0;
}
