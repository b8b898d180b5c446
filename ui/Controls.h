// The control toolkit: each control holds its own state (items, item index, checked, lines,
// enabled, caption, tab visibility) and tells its native peer, when one is attached, that the
// state changed. Without a peer the controls run the handlers exactly as in the window, which
// is how the tests drive them.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace ui {

class TControl;
using TNotifyEvent = std::function<void(TControl* Sender)>;

// What changed in a control, for its peer.
enum class Change { Enabled, Caption, Selection, Lines, Tabs, Repaint };

// The native side of a control: told of every change, it reads the control's state.
class Peer {
public:
    virtual ~Peer() = default;
    virtual void Changed(Change what) = 0;
};

class TControl {
public:
    explicit TControl(std::string name) : name_(std::move(name)) {}
    virtual ~TControl() = default;
    TControl(const TControl&) = delete;
    TControl& operator=(const TControl&) = delete;

    const std::string& Name() const { return name_; }

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);

    int Tag = 0;

    void AttachPeer(Peer* peer) { peer_ = peer; }
    Peer* peer() const { return peer_; }

protected:
    void Notify(Change what) {
        if (peer_) peer_->Changed(what);
    }

private:
    std::string name_;
    std::string caption_;
    bool enabled_ = true;
    Peer* peer_ = nullptr;
};

// Group boxes, panels and labels: a caption and nothing else of their own.
class TGroupBox : public TControl { using TControl::TControl; };
class TPanel : public TControl { using TControl::TControl; };
class TLabel : public TControl { using TControl::TControl; };

class TButton : public TControl {
public:
    using TControl::TControl;
    TNotifyEvent OnClick;
    // What a user's click does: runs the click handler with this button as sender.
    void Click() {
        if (OnClick) OnClick(this);
    }

    // Keeps the button disabled while an operation runs and enables it again however the
    // scope is left, a fault included.
    class DisabledWhileRunning {
    public:
        explicit DisabledWhileRunning(TButton& button) : button_(button) { button_.SetEnabled(false); }
        ~DisabledWhileRunning() { button_.SetEnabled(true); }
        DisabledWhileRunning(const DisabledWhileRunning&) = delete;
        DisabledWhileRunning& operator=(const DisabledWhileRunning&) = delete;

    private:
        TButton& button_;
    };
};

class TCheckBox : public TControl {
public:
    using TControl::TControl;
    bool Checked() const { return checked_; }
    void SetChecked(bool checked);

private:
    bool checked_ = false;
};

// Mutually exclusive choices in columns. Assigning an item index behaves as a user's click
// when it changes the selection to an item: the click handler runs at once, before the
// assignment returns, with the group already reporting the new index.
class TRadioGroup : public TControl {
public:
    using TControl::TControl;

    std::vector<std::string> Items;
    int Columns = 1;
    TNotifyEvent OnClick;

    int ItemIndex() const { return itemIndex_; }
    // Clamps (below -1 to -1, past the last item to the last), stores the index and, unless
    // the index is unchanged, -1, or the layout is still loading, runs OnClick.
    void SetItemIndex(int index);

    // While the window's layout loads, an assigned index is only stored.
    void SetLoading(bool loading) { loading_ = loading; }

private:
    int itemIndex_ = -1;
    bool loading_ = false;
};

// A selection-only drop-down list; -1 shows an empty box. It has no handler.
class TComboBox : public TControl {
public:
    using TControl::TControl;
    std::vector<std::string> Items;
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int index);  // an index outside the items selects nothing

private:
    int itemIndex_ = -1;
};

// A read-only multi-line text box. A batch update holds the peer back until it ends, so the
// box repaints once however many lines are added.
class TMemo : public TControl {
public:
    using TControl::TControl;

    bool DoubleBuffered = false;

    const std::vector<std::string>& Lines() const { return lines_; }
    int Count() const { return static_cast<int>(lines_.size()); }
    void Clear();
    // Copies the line into the buffer of the line that stood at its place before the last
    // Clear, if any: a box refilled with lines of about the same lengths, as the handlers
    // refill theirs, allocates nothing.
    void Add(const std::string& line);
    void BeginUpdate() { ++updateDepth_; }
    void EndUpdate();
    void Invalidate() { Notify(Change::Repaint); }
    int UpdateDepth() const { return updateDepth_; }
    // Whole text with CR LF between lines, as the native box shows it.
    std::string Text() const;

    // Begins a batch update and ends it however the scope is left, a fault included: the box
    // never stays frozen.
    class BatchUpdate {
    public:
        explicit BatchUpdate(TMemo& memo) : memo_(memo) { memo_.BeginUpdate(); }
        ~BatchUpdate() { memo_.EndUpdate(); }
        BatchUpdate(const BatchUpdate&) = delete;
        BatchUpdate& operator=(const BatchUpdate&) = delete;

    private:
        TMemo& memo_;
    };

private:
    void LinesChanged();
    std::vector<std::string> lines_;
    std::vector<std::string> cleared_;  // the lines before the last Clear, for their buffers
    int updateDepth_ = 0;
    bool pending_ = false;
};

class TPageControl;

class TTabSheet : public TControl {
public:
    using TControl::TControl;
    bool TabVisible() const { return tabVisible_; }
    void SetTabVisible(bool visible);

private:
    friend class TPageControl;
    TPageControl* owner_ = nullptr;
    bool tabVisible_ = true;
};

// Tab pages in a fixed order. The tab row shows the pages whose tab is visible, in page
// order; a tab shown again returns to its place at the end of the row for the last page.
class TPageControl : public TControl {
public:
    using TControl::TControl;

    void AddPage(TTabSheet& page);
    const std::vector<TTabSheet*>& Pages() const { return pages_; }
    // The pages whose tab is in the row, in row order.
    std::vector<TTabSheet*> VisibleTabs() const;

    TTabSheet* ActivePage() const { return active_; }
    void SetActivePage(TTabSheet* page);

private:
    friend class TTabSheet;
    void TabVisibilityChanging(TTabSheet& page, bool visible);
    std::vector<TTabSheet*> pages_;
    TTabSheet* active_ = nullptr;
};

}  // namespace ui
