// CMenuDialog: a dialog of the menus built from the layout — it borrows the main menu's layout
// holder (textures, positions, font) and owns the widgets it creates.
//
// Derived dialogs create their widgets in their constructors with AddButton and friends (each
// placed at its layout position and appended to the control list) and draw with the standard
// steps of DrawStandard. Owned by whoever opened it (the main menu or another dialog).
#pragma once

#include "ui/CControl.h"
#include "ui/DialogScreen.h"

#include <memory>
#include <string>
#include <vector>

class CMenuLayout;
class CSimpleButton;
class CTexture;

namespace NInterface {

class CMenuDialog : public CDialogScreen {
public:
    explicit CMenuDialog(CMenuLayout& layout) : m_layout(layout) {}
    ~CMenuDialog() override;

    CMenuLayout& Layout() const { return m_layout; }

protected:
    // Takes ownership and lists the widget; returns it.
    template <class T>
    T* Own(std::unique_ptr<T> widget)
    {
        T* raw = widget.get();
        m_owned.push_back(std::move(widget));
        m_controls.push_back(raw);
        return raw;
    }
    // A button with the look textureKey at the layout position posKey + "x" / "y".
    CSimpleButton* AddButton(const char* textureKey, const std::string& posKey);

    // The standard drawing: dim (0, 0, 0, 0.5), the background over the rectangle, the widgets;
    // the caller draws its texts after it, relative to the corner, then calls EndDraw.
    void BeginDraw(const CTexture* background);
    void EndDraw();
    // A yellow title with a black shadow, at the dialog-relative position.
    void Title(const char* text, float size, float x, float y, float shadow) const;

    CMenuLayout& m_layout;

private:
    std::vector<std::unique_ptr<CControl>> m_owned;
};

} // namespace NInterface
