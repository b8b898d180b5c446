// The native side of the controls: one small class per control kind, each a ui::Peer that
// creates its window, mirrors the control's state into it and turns the user's actions into
// the same calls that code makes on the control.
//
// Windows that hold children (the main window, tab pages, the panel, group boxes, radio
// groups) pass their children's notifications (WM_COMMAND, WM_NOTIFY, WM_CTLCOLOR*) to the
// child's peer through RouteToPeer, which finds the peer of a native window in a table kept
// by window handle (WindowPeer::Of), not in the window's GWL_USERDATA.
// Texts reach the system through ui/win32/Texts.h: the ANSI API with the captions as the
// controls hold them (Shift-JIS or ASCII), or the Unicode API where the mode asks for it.
#pragma once

#include <windows.h>

#include <exception>
#include <string>
#include <vector>

#include "ui/Controls.h"

namespace ui::win32 {

// The window font: "ＭＳ Ｐゴシック", 12 pixels (height -12), Shift-JIS; in English "MS Sans
// Serif" (8 points), ANSI. Made in the text mode of its first use, and kept for the process.
HFONT WindowFont();
// The fixed-pitch font of the information box: "ＭＳ ゴシック", same size; in English
// "Courier New", ANSI.
HFONT FixedFont();
// A new font of each kind in the text mode of the moment (for a program that measures texts).
HFONT NewWindowFont();
HFONT NewFixedFont();

// Where and how a peer creates its window.
struct Placement {
    HWND parent;
    int left, top, width, height;  // in the parent's client area
    int id;                        // control identifier, unique in the window
    bool tabStop;
    HFONT font;
    bool blackText = false;  // the control's text is black instead of the window-text colour
};

// Shows what escapes at a window-procedure boundary; without a reporter it is dropped.
class FaultReporter {
public:
    virtual void ReportFault(const std::string& text) = 0;

protected:
    ~FaultReporter() = default;
};
void SetFaultReporter(FaultReporter* reporter);
void ReportFault(const std::exception& e);  // its text in the window's language
void ReportUnknownFault();

// Runs `body` and stops any exception there: none may unwind through the system's frames.
template <class Body> LRESULT Guarded(Body&& body, LRESULT onFault) {
    try {
        return body();
    } catch (const std::exception& e) {
        ReportFault(e);
    } catch (...) {
        ReportUnknownFault();
    }
    return onFault;
}

// Hands a child's notification to the child's peer. True when a peer answered it.
bool RouteToPeer(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

// The window class of the peers that hold children: button-face background, routes its
// children's notifications. Registered once.
const char* ContainerClass();

class WindowPeer : public ui::Peer {
public:
    explicit WindowPeer(ui::TControl& control) : control_(control) { control.AttachPeer(this); }
    ~WindowPeer() override;
    WindowPeer(const WindowPeer&) = delete;
    WindowPeer& operator=(const WindowPeer&) = delete;

    static WindowPeer* Of(HWND window);

    HWND Handle() const { return handle_; }
    ui::TControl& Control() const { return control_; }
    // Where the children of this control are created.
    virtual HWND ClientHandle() const { return handle_; }
    // Called once a child peer of this control has its window.
    virtual void ChildAdded(WindowPeer&) {}

    // Enabled and caption are the same message for every kind.
    void Changed(ui::Change what) override;

    // A notification from one of this peer's windows: WM_COMMAND's code.
    virtual void Command(HWND, UINT) {}
    // WM_NOTIFY from one of this peer's windows; true when handled.
    virtual bool Notify(const NMHDR&, LRESULT&) { return false; }
    // WM_CTLCOLOR* from one of this peer's windows: button face, text in the control's colour.
    virtual HBRUSH Colour(HWND from, HDC dc);

    // The native window went away with its parent: the peer stops touching it.
    void Forget() { handle_ = nullptr; }

protected:
    // Creates this peer's window as a child of `place.parent`.
    HWND Create(const char* windowClass, const std::string& text, DWORD style, DWORD exStyle,
                const Placement& place);
    static void Claim(HWND window, WindowPeer* peer);

    ui::TControl& control_;
    HWND handle_ = nullptr;
    bool blackText_ = false;
};

// Push button: BN_CLICKED runs the control's click.
class ButtonPeer : public WindowPeer {
public:
    ButtonPeer(ui::TButton& button, const Placement& place);
    void Command(HWND, UINT code) override;

private:
    ui::TButton& button_;
};

// Check box: BS_CHECKBOX, not the automatic kind, so the control decides the check state.
class CheckBoxPeer : public WindowPeer {
public:
    CheckBoxPeer(ui::TCheckBox& box, const Placement& place);
    void Changed(ui::Change what) override;
    void Command(HWND, UINT code) override;

private:
    ui::TCheckBox& box_;
};

// Label: a static text that sizes itself to its caption. SS_NOTIFY makes it take mouse
// clicks, so a double-click on it stays the label's and does not reach its parent.
class LabelPeer : public WindowPeer {
public:
    LabelPeer(ui::TLabel& label, const Placement& place);
    void Changed(ui::Change what) override;

private:
    void FitText();
};

// Borderless panel: a plain container.
class PanelPeer : public WindowPeer {
public:
    PanelPeer(ui::TPanel& panel, const Placement& place);
};

// Group box: a container with a BS_GROUPBOX frame that stays beneath the children.
class GroupBoxPeer : public WindowPeer {
public:
    GroupBoxPeer(ui::TGroupBox& box, const Placement& place);
    void Changed(ui::Change what) override;
    void ChildAdded(WindowPeer&) override;

private:
    HWND frame_ = nullptr;
};

// Radio group: a container holding the captioned frame and one BS_RADIOBUTTON per item. The
// buttons do not check themselves: a click assigns the item index, and the group's state is
// mirrored back, so a user's click and an assignment from code take the same path.
class RadioGroupPeer : public WindowPeer {
public:
    RadioGroupPeer(ui::TRadioGroup& group, const Placement& place);
    void Changed(ui::Change what) override;
    void Command(HWND from, UINT code) override;
    HWND Item(int index) const { return items_.at(static_cast<size_t>(index)); }

private:
    void MirrorSelection();
    ui::TRadioGroup& group_;
    HWND frame_ = nullptr;
    std::vector<HWND> items_;
    bool tabStop_ = false;
};

// Drop-down list (CBS_DROPDOWNLIST): CBN_SELCHANGE assigns the item index.
class ComboBoxPeer : public WindowPeer {
public:
    ComboBoxPeer(ui::TComboBox& list, const Placement& place);
    void Changed(ui::Change what) override;
    void Command(HWND, UINT code) override;
    HBRUSH Colour(HWND from, HDC dc) override;

private:
    ui::TComboBox& list_;
};

// Read-only multi-line text box with a vertical scroll bar. It receives the whole text once
// per batch update of the control. With the memo's DoubleBuffered set, the text is replaced
// with drawing switched off (WM_SETREDRAW) and the box repainted once after it, so no
// half-replaced text is ever on screen: the way of systems without composited painting for a
// control that the program does not draw itself. Without it the box redraws as the text
// changes. A read-only EDIT asks for WM_CTLCOLORSTATIC and would take the button face; the
// box keeps the window colour of a text box.
class MemoPeer : public WindowPeer {
public:
    MemoPeer(ui::TMemo& memo, const Placement& place);
    void Changed(ui::Change what) override;
    HBRUSH Colour(HWND from, HDC dc) override;

private:
    ui::TMemo& memo_;
};

class PageControlPeer;
class TabSheetPeer;

// Makes the controls of a page: the page control asks it each time before it shows a page,
// and the window makes there whatever of the page's controls is still missing (all of them
// on the page's first showing, unless the window made them while it was idle).
class PageMaker {
public:
    virtual void BeforeShow(TabSheetPeer& page) = 0;

protected:
    ~PageMaker() = default;
};

// Tab page: a container inside the tab control, shown while it is the active page.
class TabSheetPeer : public WindowPeer {
public:
    TabSheetPeer(ui::TTabSheet& sheet, const Placement& place);
    void Changed(ui::Change what) override;
    ui::TTabSheet& Sheet() const { return sheet_; }
    int Width() const { return width_; }
    int Height() const { return height_; }

private:
    friend class PageControlPeer;
    ui::TTabSheet& sheet_;
    PageControlPeer* owner_ = nullptr;
    int width_, height_;
};

// Page control (SysTabControl32): the tab row shows the pages whose tab is visible; the
// active page's window is the one shown. A user's tab click sets the active page. The control
// is drawn unthemed, as on the systems of the notebook's era (and as the common controls of
// later systems draw it for a program without a manifest); under Wine that also saves most
// of the window's first paint.
class PageControlPeer : public WindowPeer {
public:
    PageControlPeer(ui::TPageControl& pages, const Placement& place);
    void Changed(ui::Change what) override;
    void ChildAdded(WindowPeer& child) override;
    bool Notify(const NMHDR& header, LRESULT& result) override;
    void SetPageMaker(PageMaker* maker) { maker_ = maker; }
    // Ctrl+Tab and Ctrl+Shift+Tab: the next or previous tab of the row becomes active.
    void Cycle(int step);
    HWND ActivePageHandle() const;
    // A caption changed: the row is built anew.
    void Rebuild();
    // Rebuilds the tab row when it no longer shows the visible pages, selects the active
    // page's tab and shows that page only (its controls made first when they are missing).
    void Sync();

private:
    void FitPages();
    ui::TPageControl& pages_;
    PageMaker* maker_ = nullptr;
    std::vector<TabSheetPeer*> sheets_;
    std::vector<ui::TTabSheet*> row_;  // the pages in the tab row, as it stands
};

}  // namespace ui::win32
