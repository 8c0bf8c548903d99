// The forged interface art: the font picture scans to exactly 94 glyphs, every texture the layout
// names exists (with its alpha companion where the game loads pairs), the widget looks have their
// bands, in every dialog the widgets stay inside the rectangle without overlapping, the panels are
// opaque under their texts, and the Top 7 rows and the aircraft previews keep to their buttons.
#include "ForgeFiles.h"
#include "game/ScoreTable.h"
#include "render/BitmapText.h"
#include "render/ImageDecode.h"
#include "resources/ParamFile.h"
#include "ui/HelpDialog.h"
#include "ui/ForgeInterface.h"
#include "ui/InterfaceLayout.h"
#include "ui/MenuLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

class ForgeInterfaceTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_files = new ForgeFiles;
        ForgeInterface(*s_files);
    }
    static void TearDownTestSuite()
    {
        delete s_files;
        s_files = nullptr;
    }
    static const std::vector<uint8_t>* File(const std::string& name)
    {
        const auto& m = s_files->Files(ForgeFiles::Pack::Main);
        const auto it = m.find(name);
        return it == m.end() ? nullptr : &it->second.bytes;
    }
    static ParamFile Layout()
    {
        ParamFile p;
        const std::vector<uint8_t>* f = File("mui/menu.txt");
        if (f)
            p.Parse(f->data(), f->size(), true);
        return p;
    }
    static DecodedImage Picture(const std::string& name)
    {
        DecodedImage img;
        const std::vector<uint8_t>* f = File(name);
        if (!f)
            return img;
        const bool tga = !name.empty() && (name.back() == 'a' || name.back() == 'A');
        if (tga)
            DecodeTga(f->data(), f->size(), img);
        else
            DecodeJpeg(f->data(), f->size(), img);
        return img;
    }
    static ForgeFiles* s_files;
};
ForgeFiles* ForgeInterfaceTest::s_files = nullptr;

TEST_F(ForgeInterfaceTest, FontPictureHasExactly94GlyphsOfSensibleWidths)
{
    const std::vector<uint8_t>* font = File("mui/font.tga");
    ASSERT_NE(font, nullptr) << "no font: is fonts-dejavu-core installed?";
    CBitmapText text;
    ASSERT_TRUE(text.BuildGlyphs(font->data(), font->size()));
    EXPECT_GT(text.LineHeight(), 0.0f);
    const float w = text.TextWidth("W", 20), i = text.TextWidth("i", 20), a = text.TextWidth("A", 20);
    EXPECT_GT(w, i * 1.8f);
    EXPECT_GT(a, 8.0f);
    EXPECT_LT(a, 20.0f) << "a glyph at size 20 is about as wide as it is high, not wider";
    // The widest caption of a key reader fits its look at the options' size 25.
    EXPECT_LT(text.TextWidth("RIGHT ARROW", 25) + 30, 220);
}

TEST_F(ForgeInterfaceTest, EveryTextureOfTheLayoutIsForgedWithItsAlphaCompanion)
{
    const ParamFile layout = Layout();
    ASSERT_GT(layout.Size(), 100u);
    for (int k = 0; k < CMenuLayout::kTextureKeyCount; ++k) {
        const CMenuLayout::TextureKey& t = CMenuLayout::kTextureKeys[k];
        const std::string file = layout.GetString(t.key, "");
        ASSERT_FALSE(file.empty()) << t.key;
        const DecodedImage img = Picture(file);
        EXPECT_GT(img.width, 0u) << t.key << " -> " << file;
        if (t.alphaPair) {
            const std::string alpha = layout.GetString(std::string(t.key) + "a", "");
            const DecodedImage a = Picture(alpha);
            EXPECT_EQ(a.width, img.width) << alpha;
            EXPECT_EQ(a.height, img.height) << alpha;
        }
    }
    for (const char* fixed : {CMenuLayout::kTrackBarFile, CMenuLayout::kTrackBarBgFile, "mui/bgs/intro1.jpg",
                              "mui/bgs/intro2.jpg", "mui/help.txt"})
        EXPECT_NE(File(fixed), nullptr) << fixed;
}

TEST_F(ForgeInterfaceTest, WidgetLooksHaveDistinctBands)
{
    const ParamFile layout = Layout();
    struct Look {
        const char* key;
        unsigned bands;
    };
    for (const Look& l : {Look{"m_game_btn", 3}, Look{"m_ok_btn", 3}, Look{"m_mini_btn", 3}, Look{"m_check_box", 4},
                          Look{"m_key_reader", 2}, Look{"m_enter_name_editbox", 2}}) {
        const DecodedImage img = Picture(layout.GetString(l.key, ""));
        ASSERT_EQ(img.bytesPerPixel, 4u) << l.key;
        ASSERT_EQ(img.height % l.bands, 0u) << l.key;
        const unsigned h = img.height / l.bands;
        // The pixel a quarter in from the left at mid height of each band (rows are bottom-up:
        // band 1 is the first block of rows).
        std::vector<int> sums;
        for (unsigned b = 0; b < l.bands; ++b) {
            const size_t i = ((static_cast<size_t>(b) * h + h / 2) * img.width + img.width / 6) * 4;
            sums.push_back(img.pixels[i] * 3 + img.pixels[i + 1] * 5 + img.pixels[i + 2] * 7);
        }
        for (unsigned b = 1; b < l.bands; ++b)
            EXPECT_NE(sums[b], sums[b - 1]) << l.key << " bands " << b << " and " << b + 1 << " look alike";
    }
}

struct Box {
    int x, y, w, h;
    std::string name;
};

TEST_F(ForgeInterfaceTest, DialogWidgetsStayInsideTheirRectangleWithoutOverlapping)
{
    const ParamFile layout = Layout();
    auto size = [&](const char* key, unsigned bands) {
        const DecodedImage img = Picture(layout.GetString(key, ""));
        return std::pair<int, int>(static_cast<int>(img.width), static_cast<int>(img.height / bands));
    };
    auto at = [&](const std::string& pos, const char* look, unsigned bands, const char* sep = "") {
        const auto [w, h] = size(look, bands);
        return Box{layout.GetInt(pos + sep + "x", "0"), layout.GetInt(pos + sep + "y", "0"), w, h, pos};
    };
    auto check = [&](const char* prefix, const std::vector<Box>& boxes) {
        const int dw = prefix ? layout.GetInt(std::string(prefix) + "_width", "0") : 800;
        const int dh = prefix ? layout.GetInt(std::string(prefix) + "_height", "0") : 600;
        if (prefix) {
            const int dx = layout.GetInt(std::string(prefix) + "_x", "0"), dy = layout.GetInt(std::string(prefix) + "_y", "0");
            EXPECT_GE(dx, 0) << prefix;
            EXPECT_GE(dy, 0) << prefix;
            EXPECT_LE(dx + dw, 800) << prefix;
            EXPECT_LE(dy + dh, 600) << prefix;
        }
        for (size_t i = 0; i < boxes.size(); ++i) {
            const Box& a = boxes[i];
            EXPECT_GT(a.w, 0) << a.name;
            EXPECT_GE(a.x, 0) << a.name;
            EXPECT_GE(a.y, 0) << a.name;
            EXPECT_LE(a.x + a.w, dw) << a.name;
            EXPECT_LE(a.y + a.h, dh) << a.name;
            for (size_t j = i + 1; j < boxes.size(); ++j) {
                const Box& b = boxes[j];
                const bool apart = a.x + a.w <= b.x || b.x + b.w <= a.x || a.y + a.h <= b.y || b.y + b.h <= a.y;
                EXPECT_TRUE(apart) << a.name << " overlaps " << b.name;
            }
        }
    };
    check(nullptr, {at("m_game_btn", "m_game_btn", 3), at("m_quit_game_btn", "m_quit_game_btn", 3),
                    at("m_help_btn", "m_help_btn", 3), at("m_mm_top7_1_btn", "m_top7_btn", 3),
                    at("m_options_btn", "m_options_btn", 3), at("m_mm_fullscreen_btn", "m_fullscreen_btn", 3),
                    at("m_mini_btn", "m_mini_btn", 3)});
    check("m_gamed", {at("m_gamed_continue_game_btn", "m_continue_single_game_btn", 3),
                      at("m_gamed_new_game_btn", "m_new_game_btn", 3), at("m_gamed_custom_game_btn", "m_custom_game_btn", 3),
                      at("m_gamed_level_set_btn", "m_level_set_btn", 3), at("m_gamed_back_btn", "m_back_btn", 3)});
    check("m_nd", {at("m_ngd_ok_btn", "m_ok_btn", 3), at("m_ngd_cancel_btn", "m_cancel_btn", 3)});
    check("m_qd", {at("m_qd_ok_btn", "m_ok_btn", 3), at("m_qd_cancel_btn", "m_cancel_btn", 3)});
    check("m_cgd", {at("m_cgd_ok_btn", "m_ok_btn", 3), at("m_cgd_cancel_btn", "m_cancel_btn", 3),
                    at("m_cgd_level_num", "m_enter_level_num_editbox", 2)});
    check("m_leveld", {at("m_leveld_ok_btn", "m_ok_btn", 3), at("m_leveld_cancel_btn", "m_cancel_btn", 3),
                       at("m_leveld_list", "m_list_box", 1)});
    check("m_hd", {at("m_hd_close_btn", "m_close_btn", 3), at("m_hd_up_btn", "m_up_btn", 3),
                   at("m_hd_down_btn", "m_down_btn", 3)});
    // The help text's widest lines end left of the scroll buttons.
    for (const char* k : {"m_hd_up_btnx", "m_hd_down_btnx"})
        EXPECT_GE(layout.GetInt(k, "0"), NInterface::CHelpDialog::kTextX + NInterface::CHelpDialog::kWrapWidth + 4) << k;
    std::vector<Box> options{at("m_od_close_btn", "m_close_btn", 3), at("m_od_autosave_chb", "m_check_box", 4),
                             at("m_od_sound_chb", "m_check_box", 4), at("m_od_invert_stereo_chb", "m_check_box", 4)};
    for (const char* k : {"m_od_left_key", "m_od_right_key", "m_od_up_key", "m_od_down_key", "m_od_fire1_key",
                          "m_od_fire2_key", "m_od_maneuver_key", "m_od_camera_key", "m_od_fire1_joy", "m_od_fire2_joy",
                          "m_od_maneuver_joy"})
        options.push_back(at(k, "m_key_reader", 2, "_"));
    Box track{layout.GetInt("m_od_mouseSensBg_x", "0"), layout.GetInt("m_od_mouseSensBg_y", "0"), 0, 0, "track"};
    const DecodedImage bg = Picture(CMenuLayout::kTrackBarBgFile);
    track.w = static_cast<int>(bg.width);
    track.h = static_cast<int>(bg.height);
    options.push_back(track);
    check("m_od", options);
    // The key labels stand 128 pixels left of their readers: nothing else may be there.
    for (const char* k : {"m_od_left_key", "m_od_camera_key"})
        EXPECT_GE(layout.GetInt(std::string(k) + "_x", "0") - 128,
                  layout.GetInt("m_od_fire1_joy_x", "0") + size("m_key_reader", 2).first)
            << "key labels run into the joystick readers";
}

TEST_F(ForgeInterfaceTest, DialogPanelsAreOpaqueWhereTheyCarryText)
{
    const ParamFile layout = Layout();
    // The smallest alpha over a rectangle given top-down (pictures are stored bottom row first).
    auto minAlpha = [&](const std::string& key, int x0, int y0, int x1, int y1) {
        const std::string file = layout.GetString(key, "");
        const DecodedImage colour = Picture(file);
        const bool pair = colour.bytesPerPixel == 3;
        const DecodedImage img = pair ? Picture(layout.GetString(key + "a", "")) : colour;
        const unsigned channel = pair ? 0 : 3, bpp = img.bytesPerPixel;
        int least = 255;
        if (img.width == 0 || (!pair && bpp != 4))
            return -1;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) {
                const size_t row = img.height - 1 - static_cast<size_t>(y);
                least = std::min<int>(least, img.pixels[(row * img.width + static_cast<size_t>(x)) * bpp + channel]);
            }
        return least;
    };
    // Every dialog background inside its border (the rounded corners may stay clear).
    for (const char* key : {"m_exit_dialog_window_back", "m_game_wnd_back", "m_game_wnd_cont_back", "m_options_wnd_back",
                            "m_dialog_window_back", "m_levels_set_wnd", "m_custom_game_wnd", "m_help_wnd_back"}) {
        const DecodedImage img = Picture(layout.GetString(key, ""));
        ASSERT_GT(img.width, 40u) << key;
        EXPECT_GE(minAlpha(key, 20, 20, static_cast<int>(img.width) - 20, static_cast<int>(img.height) - 20), 255) << key;
    }
    // The Top 7 picture covers the screen: its panel holds the title (from x 50, rising from y 70
    // at size 40), ten-digit scores beyond x 700 and the buttons.
    EXPECT_GE(minAlpha("m_top7_wnd_back", 40, 24, 760, 560), 255);
    EXPECT_EQ(minAlpha("m_top7_wnd_back", 0, 0, 12, 600), 0) << "outside the panel the menu shows, dimmed";
}

TEST_F(ForgeInterfaceTest, Top7RowsKeepTheirPlacesAboveTheButtons)
{
    const ParamFile layout = Layout();
    int buttons = 600;
    for (const char* k : {"m_t7d_close_btny", "m_top7_custom_btny", "m_top7_game_btny", "m_top7_clear_btny"})
        buttons = std::min(buttons, layout.GetInt(k, "0"));
    const CScoreTable::RowPlan plan = CScoreTable::PlanRows(CScoreTable::kShown, static_cast<float>(buttons));
    EXPECT_EQ(plan.shown, static_cast<size_t>(CScoreTable::kShown));
    EXPECT_FLOAT_EQ(plan.step, CScoreTable::kRowStep) << "a full table keeps its places above the buttons";
}

TEST_F(ForgeInterfaceTest, AircraftPreviewsStandCentredOverTheirButtons)
{
    const ParamFile layout = Layout();
    const DecodedImage button = Picture(layout.GetString("m_take_off_btn", ""));
    ASSERT_GT(button.width, 0u);
    for (int i = 1; i <= 3; ++i) {
        const std::string n = std::to_string(i);
        const int previewCentre = layout.GetInt("m_plane" + n + "_prev_x", "0") + UiLayout::kAircraftPreview.w / 2;
        const int buttonCentre = layout.GetInt("m_select_plane" + n + "_btnx", "0") + static_cast<int>(button.width) / 2;
        EXPECT_EQ(previewCentre, buttonCentre) << "aircraft " << i;
        EXPECT_LT(layout.GetInt("m_plane" + n + "_prev_y", "0") + UiLayout::kAircraftPreview.h,
                  layout.GetInt("m_select_plane" + n + "_btny", "0") + 20)
            << "the preview's panel ends above its button";
    }
}

TEST_F(ForgeInterfaceTest, HelpTextNamesEveryDefaultControlAndTheRules)
{
    const std::string help = InterfaceHelpText();
    for (const char* key : {"LEFT ARROW", "RIGHT ARROW", "UP ARROW", "DOWN ARROW", "LEFT CTRL", "SPACE", "LEFT SHIFT",
                            "Change camera: C", "fuel", "extra life", "Top 7", "torpedo"})
        EXPECT_NE(help.find(key), std::string::npos) << key;
    // Lines are ended by carriage returns for the help dialog's wrapping.
    EXPECT_EQ(help.find('\n'), std::string::npos);
}

} // namespace
