// CHelpDialog: reading, scrolling and drawing the help text.
#include "ui/HelpDialog.h"

#include "app/Log.h"
#include "resources/ResourceGroup.h"
#include "ui/MenuLayout.h"
#include "ui/SimpleButton.h"

namespace NInterface {

CHelpDialog::CHelpDialog(CMenuLayout& layout, const ResourceGroup* group)
    : CMenuDialog(layout), m_text(layout.Font(), kWrapWidth, 18, 18, 2)
{
    m_close = AddButton("m_close_btn", "m_hd_close_btn");
    m_up = AddButton("m_up_btn", "m_hd_up_btn");
    m_down = AddButton("m_down_btn", "m_hd_down_btn");
    if (group) {
        const FileBuffer file = group->ReadFile(kHelpFile);
        if (file.Empty())
            LogWrite("CHelpDialog: %s not found", kHelpFile);
        else
            m_text.SetText(reinterpret_cast<const char*>(file.Data()), file.Size());
    }
}

void CHelpDialog::Draw()
{
    BeginDraw(m_layout.Texture("m_help_wnd_back"));
    Title("Help", 30, 40, 60, 2);
    m_text.Draw(kTextX, kTextY, 1, 1, 0, 1);
    EndDraw();
}

void CHelpDialog::OnControlEvent(CControl* control)
{
    CScreen::OnControlEvent(control);
    if (control == m_close)
        Close(0);
    else if (control == m_up)
        m_text.ScrollUp();
    else if (control == m_down)
        m_text.ScrollDown();
}

} // namespace NInterface
