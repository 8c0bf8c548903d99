// CMenuDialog: widget creation from the layout and the standard dialog drawing.
#include "ui/MenuDialog.h"

#include "platform/GL.h"
#include "ui/MenuLayout.h"
#include "ui/SimpleButton.h"

namespace NInterface {

CMenuDialog::~CMenuDialog()
{
    m_controls.clear();
}

CSimpleButton* CMenuDialog::AddButton(const char* textureKey, const std::string& posKey)
{
    auto button = std::make_unique<CSimpleButton>(this, m_layout.Texture(textureKey));
    button->SetPosition(static_cast<float>(m_layout.Int(posKey + "x")), static_cast<float>(m_layout.Int(posKey + "y")));
    return Own(std::move(button));
}

void CMenuDialog::BeginDraw(const CTexture* background)
{
    glPushMatrix();
    SetDimBackground(true);
    DrawDim(0, 0, 0, 0.5f);
    DrawBackground(background);
    CDialogScreen::Draw();
}

void CMenuDialog::EndDraw()
{
    glPopMatrix();
}

void CMenuDialog::Title(const char* text, float size, float x, float y, float shadow) const
{
    DrawShadowText(m_layout.Font(), text, size, x, y, shadow);
}

} // namespace NInterface
