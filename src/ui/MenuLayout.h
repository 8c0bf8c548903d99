// CMenuLayout: the layout holder of the menus — the parsed layout file "mui/menu.txt", every
// interface texture it names (loaded into the bank "main") and the dialog font.
//
// The main menu owns the one instance and builds it once (Load); every dialog borrows it for its
// textures, positions and font. Missing keys give their defaults ("0"), so a missing texture key
// leaves that look without an image and a missing position puts the widget at the dialog's corner;
// a texture of the four colour + alpha pairs loads only when both files are there. Nothing here
// fails hard: Load reports what it could not find in the log and carries on.
#pragma once

#include "render/BitmapText.h"
#include "resources/ParamFile.h"

#include <string>

class CDialogScreen;
class CResourceBank;
class CTexture;
class ResourceGroup;

class CMenuLayout {
public:
    static constexpr const char* kLayoutFile = "mui/menu.txt";
    static constexpr const char* kFontFile = "mui/font.tga";
    static constexpr const char* kTrackBarFile = "mui/track_bar.tga";
    static constexpr const char* kTrackBarBgFile = "mui/track_bar_bg.tga";

    // Reads the layout file through the group, adds the font texture and every texture of the
    // layout to the bank, and builds the font's glyphs. False when the layout file was not found
    // (the defaults then apply). Needs a GL context for the textures to have images.
    bool Load(const ResourceGroup& group, CResourceBank& bank);
    // The same from an already parsed layout (tests).
    void SetParams(const ParamFile& params) { m_params = params; }

    const ParamFile& Params() const { return m_params; }
    int Int(const std::string& key) const { return m_params.GetInt(key, "0"); }
    // The texture the bank holds under a layout key (null before Load or for unknown keys).
    CTexture* Texture(const std::string& key) const;
    const CBitmapText* Font() const { return &m_font; }
    CBitmapText& FontObject() { return m_font; }

    // Positions a dialog from its prefix: "_x", "_y", "_width" and "_height".
    void PlaceDialog(CDialogScreen& dialog, const std::string& prefix) const;

    // The texture keys of the layout and their flags (the font and the track bar have fixed files).
    struct TextureKey {
        const char* key;
        bool alphaPair;
        bool mipmaps;
    };
    static const TextureKey kTextureKeys[];
    static const int kTextureKeyCount;

private:
    ParamFile m_params;
    CBitmapText m_font;
    CResourceBank* m_bank = nullptr;
};
