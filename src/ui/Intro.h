// CIntro: the picture shown while the game starts (before the main menu exists).
//
// The entry point creates it, pushes it, draws one frame and destroys it once the main menu is on
// the stack. One of "mui/bgs/intro1.jpg" and "mui/bgs/intro2.jpg" is picked at random and loaded
// through the group "main" into a texture the intro owns; a missing picture leaves a black screen.
#pragma once

#include "app/CScreen.h"

#include <memory>
#include <string>

class CTexture;
class ResourceGroup;

namespace NInterface {

class CIntro : public CScreen {
public:
    // seed: the random seed (the entry point passes the millisecond clock).
    CIntro(const ResourceGroup* group, unsigned seed);
    ~CIntro() override;

    const std::string& PictureFile() const { return m_file; }
    bool HasPicture() const;

    // The 2D state of the interface over the application's 800 x 600 layout.
    void Activate() override;
    void Draw() override;

private:
    std::string m_file;
    std::unique_ptr<CTexture> m_picture;
};

} // namespace NInterface
