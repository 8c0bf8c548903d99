// CMenuLayout: the layout file, the interface textures and the dialog font.
#include "ui/MenuLayout.h"

#include "app/Log.h"
#include "render/ResourceBank.h"
#include "render/Texture.h"
#include "resources/ResourceGroup.h"
#include "ui/DialogScreen.h"

const CMenuLayout::TextureKey CMenuLayout::kTextureKeys[] = {
    {"m_game_btn", false, true},
    {"m_new_game_btn", false, true},
    {"m_custom_game_btn", false, true},
    {"m_level_set_btn", false, true},
    {"m_continue_single_game_btn", false, true},
    {"m_quit_game_btn", false, true},
    {"m_ok_btn", false, true},
    {"m_cancel_btn", false, true},
    {"m_help_btn", false, true},
    {"m_close_btn", false, true},
    {"m_top7_btn", false, true},
    {"m_top7_custom_btn", false, true},
    {"m_top7_game_btn", false, true},
    {"m_top7_clear_btn", false, true},
    {"m_options_btn", false, true},
    {"m_mini_btn", false, true},
    {"m_fullscreen_btn", false, true},
    {"m_up_btn", false, true},
    {"m_down_btn", false, true},
    {"m_take_off_btn", false, true},
    {"m_back_btn", false, true},
    {"m_radio_btn", false, true},
    {"m_check_box", false, true},
    {"m_enter_name_editbox", false, true},
    {"m_enter_level_num_editbox", false, true},
    {"m_key_reader", false, true},
    {"m_list_box", false, true},
    {"m_dialog_window_back", true, false},
    {"m_main_window_back", false, false},
    {"m_exit_dialog_window_back", false, false},
    {"m_game_wnd_back", false, false},
    {"m_game_wnd_cont_back", false, false},
    {"m_levels_set_wnd", true, false},
    {"m_custom_game_wnd", true, false},
    {"m_options_wnd_back", false, false},
    {"m_top7_wnd_back", false, false},
    {"m_help_wnd_back", true, false},
    {"m_begin_level_wnd_back", false, false},
    {"m_end_level_wnd_back", false, false},
};
const int CMenuLayout::kTextureKeyCount = static_cast<int>(sizeof(kTextureKeys) / sizeof(kTextureKeys[0]));

bool CMenuLayout::Load(const ResourceGroup& group, CResourceBank& bank)
{
    m_bank = &bank;
    const bool found = m_params.Read(group, kLayoutFile, true);
    if (!found)
        LogWrite("CMenuLayout: %s not found, using defaults", kLayoutFile);

    // The font: its texture in the bank, its glyphs from the same picture.
    m_font.SetTexture(bank.AddTexture(kFontFile, "m_font_tex", false, false));
    const FileBuffer fontFile = group.ReadFile(kFontFile);
    if (!m_font.BuildGlyphs(fontFile.Data(), fontFile.Size()))
        LogWrite("CMenuLayout: %s is not a font picture of 94 glyphs", kFontFile);

    // The pictures of the screens and dialogs are read when a screen first draws them, and given
    // back while a game is played (CResourceBank::ReleaseAllLazyTextures).
    for (const TextureKey& t : kTextureKeys) {
        const std::string file = m_params.GetString(t.key, "0");
        const std::string alpha = t.alphaPair ? m_params.GetString(std::string(t.key) + "a", "0") : std::string();
        bank.AddLazyTexture(file, alpha, t.key, false, t.mipmaps);
    }
    bank.AddLazyTexture(kTrackBarFile, "", "m_trackBar", false, false);
    bank.AddLazyTexture(kTrackBarBgFile, "", "m_trackBarBg", false, false);
    return found;
}

CTexture* CMenuLayout::Texture(const std::string& key) const
{
    return m_bank ? m_bank->GetTexture(key) : nullptr;
}

void CMenuLayout::PlaceDialog(CDialogScreen& dialog, const std::string& prefix) const
{
    dialog.SetPosition(static_cast<float>(Int(prefix + "_x")), static_cast<float>(Int(prefix + "_y")));
    dialog.SetSize(Int(prefix + "_width"), Int(prefix + "_height"));
}
