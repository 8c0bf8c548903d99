// ForgeInterface: the layout file, the help text and every picture of the menus, into the main pack.
#include "ForgeInterface.h"

#include "FontPicture.h"
#include "InterfaceArt.h"
#include "TextPainter.h"
#include "UiPaint.h"
#include "writers/ImageWriters.h"

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

using namespace UiLayout;

namespace {

class LayoutWriter {
public:
    void Comment(const std::string& text) { m_text += "\n// " + text + "\n"; }
    void Value(const std::string& key, const std::string& value) { m_text += key + " " + value + "\n"; }
    void Int(const std::string& key, int v) { Value(key, std::to_string(v)); }
    void Rect(const std::string& prefix, const UiLayout::Rect& r)
    {
        Int(prefix + "_x", r.x);
        Int(prefix + "_y", r.y);
        Int(prefix + "_width", r.w);
        Int(prefix + "_height", r.h);
    }
    // Buttons, edits and lists: "x" / "y" straight after the key.
    void At(const std::string& key, int x, int y)
    {
        Int(key + "x", x);
        Int(key + "y", y);
    }
    // Key readers, the track bar and the previews: "_x" / "_y".
    void At_(const std::string& key, int x, int y)
    {
        Int(key + "_x", x);
        Int(key + "_y", y);
    }
    const std::string& Text() const { return m_text; }

private:
    std::string m_text;
};

// Button looks: texture key, file, size, label, icon.
struct ButtonDef {
    const char* key;
    const char* file;
    Size size;
    const char* label;
    ButtonIcon icon;
};

const ButtonDef kButtons[] = {
    {"m_game_btn", "mui/btn_play.tga", kMenuButton, "Play", ButtonIcon::None},
    {"m_options_btn", "mui/btn_options.tga", kMenuButton, "Options", ButtonIcon::None},
    {"m_help_btn", "mui/btn_help.tga", kMenuButton, "Help", ButtonIcon::None},
    {"m_top7_btn", "mui/btn_top7.tga", kMenuButton, "Top 7", ButtonIcon::None},
    {"m_quit_game_btn", "mui/btn_exit.tga", kMenuButton, "Exit", ButtonIcon::None},
    {"m_continue_single_game_btn", "mui/btn_continue.tga", kDialogButton, "Continue", ButtonIcon::None},
    {"m_new_game_btn", "mui/btn_new_game.tga", kDialogButton, "New Game", ButtonIcon::None},
    {"m_custom_game_btn", "mui/btn_custom_game.tga", kDialogButton, "Custom Game", ButtonIcon::None},
    {"m_level_set_btn", "mui/btn_level_set.tga", kDialogButton, "Level Set", ButtonIcon::None},
    {"m_back_btn", "mui/btn_back.tga", kDialogButton, "Back", ButtonIcon::None},
    {"m_take_off_btn", "mui/btn_take_off.tga", kDialogButton, "Take Off", ButtonIcon::None},
    {"m_ok_btn", "mui/btn_ok.tga", kSmallButton, "OK", ButtonIcon::None},
    {"m_cancel_btn", "mui/btn_cancel.tga", kSmallButton, "Cancel", ButtonIcon::None},
    {"m_close_btn", "mui/btn_close.tga", kSmallButton, "Close", ButtonIcon::None},
    {"m_top7_custom_btn", "mui/btn_top7_custom.tga", kSmallButton, "Custom", ButtonIcon::None},
    {"m_top7_game_btn", "mui/btn_top7_game.tga", kSmallButton, "Normal", ButtonIcon::None},
    {"m_top7_clear_btn", "mui/btn_top7_clear.tga", kSmallButton, "Clear", ButtonIcon::None},
    {"m_mini_btn", "mui/btn_minimise.tga", kIconButton, "", ButtonIcon::Minimise},
    {"m_fullscreen_btn", "mui/btn_fullscreen.tga", kIconButton, "", ButtonIcon::FullScreen},
    {"m_up_btn", "mui/btn_up.tga", kArrowButton, "", ButtonIcon::Up},
    {"m_down_btn", "mui/btn_down.tga", kArrowButton, "", ButtonIcon::Down},
};

std::vector<uint8_t> Tga(const Image& img) { return WriteTga(img, 32); }

} // namespace

std::string InterfaceLayoutText()
{
    LayoutWriter w;
    w.Comment("mui/menu.txt: the look and placement of the menus on the 800 x 600 screen.");
    w.Comment("Textures: file names read through the group \"main\"; an \"a\" key names the grey alpha picture.");
    for (const ButtonDef& b : kButtons)
        w.Value(b.key, b.file);
    w.Value("m_radio_btn", "mui/radio.tga");
    w.Value("m_check_box", "mui/check_box.tga");
    w.Value("m_enter_name_editbox", "mui/edit_name.tga");
    w.Value("m_enter_level_num_editbox", "mui/edit_level.tga");
    w.Value("m_key_reader", "mui/key_reader.tga");
    w.Value("m_list_box", "mui/list_box.tga");
    w.Value("m_dialog_window_back", "mui/bgs/dialog.jpg");
    w.Value("m_dialog_window_backa", "mui/bgs/dialog_alpha.jpg");
    w.Value("m_main_window_back", "mui/bgs/main.jpg");
    w.Value("m_exit_dialog_window_back", "mui/bgs/exit.tga");
    w.Value("m_game_wnd_back", "mui/bgs/game.tga");
    w.Value("m_game_wnd_cont_back", "mui/bgs/game_cont.tga");
    w.Value("m_levels_set_wnd", "mui/bgs/level_set.jpg");
    w.Value("m_levels_set_wnda", "mui/bgs/level_set_alpha.jpg");
    w.Value("m_custom_game_wnd", "mui/bgs/custom_game.jpg");
    w.Value("m_custom_game_wnda", "mui/bgs/custom_game_alpha.jpg");
    w.Value("m_options_wnd_back", "mui/bgs/options.tga");
    w.Value("m_top7_wnd_back", "mui/bgs/top7.tga");
    w.Value("m_help_wnd_back", "mui/bgs/help.jpg");
    w.Value("m_help_wnd_backa", "mui/bgs/help_alpha.jpg");
    w.Value("m_begin_level_wnd_back", "mui/bgs/begin_level.jpg");
    w.Value("m_end_level_wnd_back", "mui/bgs/end_level.jpg");

    w.Comment("Main menu buttons (the menu covers the whole screen).");
    w.At("m_game_btn", 280, 200);
    w.At("m_options_btn", 280, 266);
    w.At("m_help_btn", 280, 332);
    w.At("m_mm_top7_1_btn", 280, 398);
    w.At("m_quit_game_btn", 280, 464);
    w.At("m_mini_btn", 716, 10);
    w.At("m_mm_fullscreen_btn", 756, 10);

    w.Comment("Game dialog.");
    w.Rect("m_gamed", kGameDlg);
    const int gx = (kGameDlg.w - kDialogButton.w) / 2;
    w.At("m_gamed_continue_game_btn", gx, 36);
    w.At("m_gamed_new_game_btn", gx, 96);
    w.At("m_gamed_custom_game_btn", gx, 156);
    w.At("m_gamed_level_set_btn", gx, 216);
    w.At("m_gamed_back_btn", gx, 276);

    w.Comment("New game dialog.");
    w.Rect("m_nd", kNewGameDlg);
    w.At("m_ngd_ok_btn", 70, 150);
    w.At("m_ngd_cancel_btn", 260, 150);

    w.Comment("Custom game dialog.");
    w.Rect("m_cgd", kCustomDlg);
    w.At("m_cgd_level_num", 30, 128);
    w.At("m_cgd_ok_btn", 40, 204);
    w.At("m_cgd_cancel_btn", 190, 204);

    w.Comment("Level set dialog.");
    w.Rect("m_leveld", kLevelSetDlg);
    w.At("m_leveld_list", 30, 70);
    w.At("m_leveld_ok_btn", 50, 298);
    w.At("m_leveld_cancel_btn", 220, 298);

    w.Comment("Quit dialog.");
    w.Rect("m_qd", kQuitDlg);
    w.At("m_qd_ok_btn", 70, 160);
    w.At("m_qd_cancel_btn", 260, 160);

    w.Comment("Help dialog.");
    w.Rect("m_hd", kHelpDlg);
    w.At("m_hd_close_btn", (kHelpDlg.w - kSmallButton.w) / 2, 474);
    // The scroll buttons stand right of the text's widest lines (x 50 + 520).
    const int arrowsX = kHelpDlg.w - kArrowButton.w - 20;
    w.At("m_hd_up_btn", arrowsX, 96);
    w.At("m_hd_down_btn", arrowsX, 380);

    w.Comment("Options dialog.");
    w.Rect("m_od", kOptionsDlg);
    w.At("m_od_close_btn", 610, 24);
    w.At("m_od_autosave_chb", kOptCheckX, kOptCheckY[0]);
    w.At("m_od_sound_chb", kOptCheckX, kOptCheckY[1]);
    w.At("m_od_invert_stereo_chb", kOptCheckX, kOptCheckY[2]);
    w.At("m_od_attract_mode_chb", kOptCheckX, kOptCheckY[3]);
    const char* keys[8] = {"left", "right", "up", "down", "fire1", "fire2", "maneuver", "camera"};
    for (int i = 0; i < 8; ++i)
        w.At_(std::string("m_od_") + keys[i] + "_key", kOptKeyX, kOptKeyY0 + i * kOptKeyStep);
    w.At_("m_od_fire1_joy", kOptJoyX, kOptJoyY[0]);
    w.At_("m_od_fire2_joy", kOptJoyX, kOptJoyY[1]);
    w.At_("m_od_maneuver_joy", kOptJoyX, kOptJoyY[2]);
    w.At_("m_od_mouseSens", kOptTrack.x, kOptTrack.y);
    w.At_("m_od_mouseSensBg", kOptTrack.x - 4, kOptTrack.y);

    w.Comment("Enter-name and high-score dialogs (full screen).");
    w.At("m_end_edit", 250, 316);
    w.At("m_end_close_btn", 335, 396);
    w.At("m_t7d_close_btn", 580, 506);
    w.At("m_top7_game_btn", 140, 506);
    w.At("m_top7_custom_btn", 286, 506);
    w.At("m_top7_clear_btn", 432, 506);

    w.Comment("Level screens (full screen).");
    const int selectX[3] = {50, 290, 530};
    for (int i = 0; i < 3; ++i) {
        const std::string n = std::to_string(i + 1);
        w.At("m_select_plane" + n + "_btn", selectX[i], 440);
        // Each preview stands centred over its Take Off button.
        w.At_("m_plane" + n + "_prev", selectX[i] + (kDialogButton.w - kAircraftPreview.w) / 2, 170);
    }
    w.At("m_main_menu_btn", 290, 520);
    w.At("m_continue_btn", 560, 520);
    return w.Text();
}

std::string InterfaceHelpText()
{
    return "GORGEWING II\r"
           "\r"
           "Fly the length of the river valley in each level, destroy what defends it and reach the end "
           "of the valley alive. Enemy planes, helicopters, boats, anti-aircraft sites, buildings and "
           "barrel stacks all pay points. A level ends when you reach the far end of the valley; the tally "
           "then shows your kills, your time and your score.\r"
           "\r"
           "CONTROLS (defaults, change them in Options)\r"
           "Steer left: LEFT ARROW\r"
           "Steer right: RIGHT ARROW\r"
           "Climb: UP ARROW\r"
           "Dive: DOWN ARROW\r"
           "Fire primary weapon: LEFT CTRL or the left mouse button\r"
           "Fire secondary weapon: SPACE or the right mouse button\r"
           "Maneuver (quick turn): LEFT SHIFT or the middle mouse button\r"
           "Change camera: C\r"
           "Mouse: move left and right to steer, the wheel climbs and dives.\r"
           "Joystick: the stick steers and climbs; buttons 1, 3 and 2 fire primary, fire secondary and "
           "maneuver.\r"
           "Escape leaves the flight for the main menu; Continue in the Play dialog resumes it.\r"
           "\r"
           "WEAPONS\r"
           "The primary weapon fires fast missiles straight ahead. The secondary weapon depends on your "
           "aircraft: heavy guided missiles that lock on to targets, or torpedoes that run in the water "
           "against boats. Each weapon has to cool down between shots.\r"
           "\r"
           "FUEL AND DAMAGE\r"
           "Fuel burns all the time. Fly low over a fuel depot to refuel; a warning sounds when the tank "
           "runs low. Enemy missiles and flak damage the hull. You lose a life when you crash into the "
           "ground, are shot down or run out of fuel.\r"
           "\r"
           "SCORING AND EXTRA LIVES\r"
           "Every enemy destroyed adds its points to the level score; the level total is added to the game "
           "total when the level is done. Scoring enough points earns an extra life. The best games enter "
           "the Top 7 tables, one for normal games and one for custom games.\r"
           "\r"
           "GAMES\r"
           "New Game starts from the first level of the chosen level set. Custom Game plays one level "
           "of your choice. Level Set chooses among the level sets in the levels folder. With Autosave on, "
           "the running game is kept when you quit and can be continued at the next start.\r";
}

void ForgeInterface(ForgeFiles& files)
{
    using P = ForgeFiles::Pack;
    files.AddText(P::Main, "mui/menu.txt", InterfaceLayoutText());
    files.AddText(P::Main, "mui/help.txt", InterfaceHelpText());

    TextPainter labels;
    if (!labels.Open(FindDejaVuFont("Sans-Bold")))
        std::fprintf(stderr, "gw-forge: no DejaVu Sans Bold font found (fonts-dejavu-core); menus without text\n");
    TextPainter condensed;
    if (!condensed.Open(FindDejaVuFont("SansCondensed-Bold")))
        condensed.Open(FindDejaVuFont("Sans-Bold"));

    // The font picture: the dialog font of the whole game.
    const Image font = MakeFontPicture(condensed, 40, 512);
    if (font.Width() > 0)
        files.Add(P::Main, "mui/font.tga", Tga(font));

    for (const ButtonDef& b : kButtons)
        files.Add(P::Main, b.file, Tga(MakeButtonLook(labels, b.size, b.label, b.icon)));
    files.Add(P::Main, "mui/radio.tga", Tga(MakeCheckLook(kCheckBox, true)));
    files.Add(P::Main, "mui/check_box.tga", Tga(MakeCheckLook(kCheckBox, false)));
    files.Add(P::Main, "mui/edit_name.tga", Tga(MakeEditLook(kNameEdit, false)));
    files.Add(P::Main, "mui/edit_level.tga", Tga(MakeEditLook(kLevelEdit, true)));
    files.Add(P::Main, "mui/key_reader.tga", Tga(MakeKeyReaderLook(kKeyReader)));
    files.Add(P::Main, "mui/list_box.tga", Tga(MakeListLook(kList)));
    files.Add(P::Main, "mui/track_bar.tga", Tga(MakeThumbLook(kThumb)));
    files.Add(P::Main, "mui/track_bar_bg.tga", Tga(MakeTrackBackground(kTrackBg)));

    // Backgrounds with their own alpha (TGA) and the four colour + alpha JPEG pairs.
    files.Add(P::Main, "mui/bgs/exit.tga", Tga(MakePanel(kQuitDlg.w, kQuitDlg.h)));
    {
        // Without a game in progress the continue button is not drawn; the panel shows a faded one
        // in its place so that the column of buttons keeps its shape.
        Image game = MakePanel(kGameDlg.w, kGameDlg.h);
        const Image look = MakeButtonLook(labels, kDialogButton, "Continue");
        const int gx = (kGameDlg.w - kDialogButton.w) / 2, gy = 36;
        for (int y = 0; y < kDialogButton.h; ++y)
            for (int x = 0; x < kDialogButton.w; ++x) {
                // Band 1 is the bottom band of the look; rows are bottom-up in both pictures.
                Color c = look.Get(x, y);
                const float grey = (c.r + c.g + c.b) / 3.0f;
                game.Blend(gx + x, kGameDlg.h - kDialogButton.h - gy + y, Color(grey, grey, grey * 1.1f, c.a * 0.3f));
            }
        files.Add(P::Main, "mui/bgs/game.tga", Tga(game));
    }
    {
        Image cont = MakePanel(kGameDlg.w, kGameDlg.h);
        // The panel with a game in progress carries a gold mark beside the continue button.
        FillDisc(cont, 20, 58, 6, Rgb(255, 208, 84));
        files.Add(P::Main, "mui/bgs/game_cont.tga", Tga(cont));
    }
    files.Add(P::Main, "mui/bgs/options.tga", Tga(MakeOptionsPanel(labels)));
    files.Add(P::Main, "mui/bgs/top7.tga", Tga(MakeTop7Panel(labels)));
    const std::pair<const char*, Image> pairs[] = {
        {"mui/bgs/dialog", MakePanel(512, 384)},
        {"mui/bgs/level_set", MakePanel(kLevelSetDlg.w, kLevelSetDlg.h)},
        {"mui/bgs/custom_game", MakePanel(kCustomDlg.w, kCustomDlg.h)},
        {"mui/bgs/help", MakePanel(kHelpDlg.w, kHelpDlg.h)},
    };
    for (const auto& [name, img] : pairs) {
        files.Add(P::Main, std::string(name) + ".jpg", WriteJpeg(ColourOf(img), 3, 92));
        files.Add(P::Main, std::string(name) + "_alpha.jpg", WriteJpeg(AlphaOf(img), 1, 95));
    }

    files.Add(P::Main, "mui/bgs/main.jpg", WriteJpeg(MakeMenuBackground(labels), 3, 92));
    files.Add(P::Main, "mui/bgs/intro1.jpg", WriteJpeg(MakeIntroPicture(labels, 0), 3, 90));
    files.Add(P::Main, "mui/bgs/intro2.jpg", WriteJpeg(MakeIntroPicture(labels, 1), 3, 90));
    files.Add(P::Main, "mui/bgs/begin_level.jpg", WriteJpeg(MakeLevelBackground(labels, 0), 3, 88));
    files.Add(P::Main, "mui/bgs/end_level.jpg", WriteJpeg(MakeLevelBackground(labels, 1), 3, 88));
}
