// COptionsDialog: the widgets of the options, what each one changes, and when.
#include "ui/OptionsDialog.h"

#include "audio/SoundManager.h"
#include "game/GameData.h"
#include "platform/GL.h"
#include "render/Texture.h"
#include "resources/AppConfig.h"
#include "ui/KeyPoll.h"
#include "ui/KeyReader.h"
#include "ui/MenuLayout.h"
#include "ui/SimpleButton.h"
#include "ui/SimpleCheckBox.h"
#include "ui/TrackBar.h"

#include <string>

namespace NInterface {

namespace {

const char* const kKeyPrefixes[COptionsDialog::kKeyCount] = {"m_od_left_key",  "m_od_right_key", "m_od_up_key",
                                                             "m_od_down_key",  "m_od_fire1_key", "m_od_fire2_key",
                                                             "m_od_maneuver_key", "m_od_camera_key"};
const char* const kKeyLabels[COptionsDialog::kKeyCount] = {"Left",         "Right",          "Up",       "Down",
                                                           "Fire Primary", "Fire Secondary", "Maneuver", "Camera"};
const char* const kJoyPrefixes[COptionsDialog::kJoyCount] = {"m_od_fire1_joy", "m_od_fire2_joy", "m_od_maneuver_joy"};

// The bindings in the order of the readers.
int32_t* KeyBinding(GameData& g, int i)
{
    int32_t* keys[COptionsDialog::kKeyCount] = {&g.m_left_key,         &g.m_right_key,          &g.m_up_key,
                                                &g.m_down_key,         &g.m_fire_primary_key,   &g.m_fire_secondary_key,
                                                &g.m_maneuver_key,     &g.m_camera_key};
    return keys[i];
}

int32_t* JoyBinding(GameData& g, int i)
{
    int32_t* joys[COptionsDialog::kJoyCount] = {&g.m_fire_primary_joy, &g.m_fire_secondary_joy, &g.m_maneuver_joy};
    return joys[i];
}

} // namespace

COptionsDialog::COptionsDialog(CMenuLayout& layout, AppConfig& config, GameData& game, CSoundManager* sound)
    : CMenuDialog(layout), m_config(config), m_game(game), m_sound_manager(sound)
{
    auto at = [&](const std::string& key) {
        return std::pair<float, float>(static_cast<float>(layout.Int(key + "_x")), static_cast<float>(layout.Int(key + "_y")));
    };
    m_close = AddButton("m_close_btn", "m_od_close_btn");

    auto box = [&](const char* posKey, bool checked) {
        auto b = std::make_unique<CSimpleCheckBox>(this, layout.Texture("m_check_box"));
        b->SetPosition(static_cast<float>(layout.Int(std::string(posKey) + "x")),
                       static_cast<float>(layout.Int(std::string(posKey) + "y")));
        b->SetChecked(checked);
        return Own(std::move(b));
    };
    m_autosave = box("m_od_autosave_chb", config.m_autosave);
    m_sound = box("m_od_sound_chb", config.m_sound);
    m_invert = box("m_od_invert_stereo_chb", sound ? sound->InvertStereo() : config.m_sound_invert);
    m_attract = box("m_od_attract_mode_chb", game.m_attract_mode != 0);

    for (int i = 0; i < kKeyCount; ++i) {
        auto r = std::make_unique<CKeyReader>(this, layout.Texture("m_key_reader"), layout.Font(), 25.0f, false);
        const auto [x, y] = at(kKeyPrefixes[i]);
        r->SetPosition(x, y);
        r->SetCode(*KeyBinding(game, i));
        m_keys[i] = Own(std::move(r));
    }
    for (int i = 0; i < kJoyCount; ++i) {
        auto r = std::make_unique<CKeyReader>(this, layout.Texture("m_key_reader"), layout.Font(), 25.0f, true);
        const auto [x, y] = at(kJoyPrefixes[i]);
        r->SetPosition(x, y);
        r->SetCode(*JoyBinding(game, i));
        m_joys[i] = Own(std::move(r));
    }
    auto bar = std::make_unique<CTrackBar>(this, layout.Texture("m_trackBar"));
    const auto [tx, ty] = at("m_od_mouseSens");
    bar->SetPosition(tx, ty);
    bar->SetRange(kMouseMin, kMouseMax);
    bar->SetTrackLength(kTrackLength);
    bar->SetValue(game.m_mouseSens);
    m_mouse = Own(std::move(bar));
}

void COptionsDialog::ApplyBindings()
{
    for (int i = 0; i < kKeyCount; ++i)
        *KeyBinding(m_game, i) = m_keys[i]->Code();
    for (int i = 0; i < kJoyCount; ++i)
        *JoyBinding(m_game, i) = m_joys[i]->Code();
}

void COptionsDialog::Draw()
{
    glPushMatrix();
    SetDimBackground(true);
    DrawDim(0, 0, 0, 0.5f);
    DrawBackground(m_layout.Texture("m_options_wnd_back"));
    // The track's background at its own size, under the thumb.
    if (const CTexture* bg = m_layout.Texture("m_trackBarBg")) {
        glEnable(GL_TEXTURE_2D);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glBindTexture(GL_TEXTURE_2D, bg->GLName());
        bg->DrawQuad(m_x + static_cast<float>(m_layout.Int("m_od_mouseSensBg_x")),
                     m_y + static_cast<float>(m_layout.Int("m_od_mouseSensBg_y")), 0.5f,
                     static_cast<float>(bg->Width()), static_cast<float>(bg->Height()));
        glDisable(GL_BLEND);
    }
    CDialogScreen::Draw();

    const CBitmapText* font = m_layout.Font();
    Title("Options", 30, 50, 70, 2);
    auto label = [&](const char* text, float size, float x, float y) { DrawShadowText(font, text, size, x, y, 2); };
    label("Autosave", 18, m_autosave->X() - 120, m_autosave->Y() + 35);
    label("Sound", 18, m_sound->X() - 120, m_sound->Y() + 35);
    label("Invert\nstereo", 18, m_invert->X() - 120, m_invert->Y() + 25);
    label("Attract\nmode", 18, m_attract->X() - 120, m_attract->Y() + 25);
    for (int i = 0; i < kKeyCount; ++i)
        label(kKeyLabels[i], 14, m_keys[i]->X() - 128, m_keys[i]->Y() + 36);
    label("1   Mouse sensitivity    25", 14, m_mouse->X(), m_mouse->Y() + 44);
    glPopMatrix();
}

void COptionsDialog::OnKeyDown(int virtualKey)
{
    if (virtualKey == kQuitKey)
        Close(1);
    else if (virtualKey == kOkKey)
        Close(0);
    // Read the keyboard again, so that a waiting key reader sees the keys down now.
    KeyPoll().Poll();
    CScreen::OnKeyDown(virtualKey);
}

void COptionsDialog::OnControlEvent(CControl* control)
{
    CScreen::OnControlEvent(control);
    if (control == m_close) {
        ApplyBindings();
        Close(0);
    } else if (control == m_autosave) {
        m_config.m_autosave = m_autosave->IsChecked();
    } else if (control == m_sound) {
        m_config.m_sound = m_sound->IsChecked();
        if (m_sound_manager)
            m_sound_manager->SetSamplesEnabled(m_sound->IsChecked());
    } else if (control == m_invert) {
        m_config.m_sound_invert = m_invert->IsChecked();
        if (m_sound_manager)
            m_sound_manager->SetInvertStereo(m_invert->IsChecked());
    } else if (control == m_attract) {
        m_game.m_attract_mode = m_attract->IsChecked() ? 1 : 0;
    } else if (control == m_mouse) {
        m_game.m_mouseSens = m_mouse->Value();
    }
}

} // namespace NInterface
