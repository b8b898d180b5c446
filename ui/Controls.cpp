#include "ui/Controls.h"

#include <algorithm>
#include <utility>

namespace ui {

void TControl::SetEnabled(bool enabled) {
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    Notify(Change::Enabled);
}

void TControl::SetCaption(const std::string& caption) {
    if (caption_ == caption) return;
    caption_ = caption;
    Notify(Change::Caption);
}

void TCheckBox::SetChecked(bool checked) {
    if (checked_ == checked) return;
    checked_ = checked;
    Notify(Change::Selection);
}

void TRadioGroup::SetItemIndex(int index) {
    const int last = static_cast<int>(Items.size()) - 1;
    if (index < -1) index = -1;
    if (index > last) index = last;
    if (index == itemIndex_) return;
    itemIndex_ = index;
    Notify(Change::Selection);
    if (index >= 0 && !loading_ && OnClick) OnClick(this);
}

void TComboBox::SetItemIndex(int index) {
    if (index < -1 || index >= static_cast<int>(Items.size())) index = -1;
    if (index == itemIndex_) return;
    itemIndex_ = index;
    Notify(Change::Selection);
}

void TMemo::Clear() {
    if (lines_.empty()) return;
    cleared_.swap(lines_);  // kept for their buffers: the next lines reuse them by place
    lines_.clear();
    LinesChanged();
}

void TMemo::Add(const std::string& line) {
    const std::size_t place = lines_.size();
    if (place < cleared_.size()) {
        lines_.push_back(std::move(cleared_[place]));  // the buffer of the line cleared here
        lines_.back() = line;
    } else {
        lines_.push_back(line);
    }
    LinesChanged();
}

void TMemo::LinesChanged() {
    if (updateDepth_ > 0) {
        pending_ = true;
        return;
    }
    Notify(Change::Lines);
}

void TMemo::EndUpdate() {
    if (updateDepth_ == 0) return;
    if (--updateDepth_ == 0 && pending_) {
        pending_ = false;
        Notify(Change::Lines);
    }
}

std::string TMemo::Text() const {
    std::string text;
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (i) text += "\r\n";
        text += lines_[i];
    }
    return text;
}

void TTabSheet::SetTabVisible(bool visible) {
    if (tabVisible_ == visible) return;
    if (owner_) owner_->TabVisibilityChanging(*this, visible);
    tabVisible_ = visible;
    if (owner_) owner_->Notify(Change::Tabs);
}

void TPageControl::AddPage(TTabSheet& page) {
    page.owner_ = this;
    pages_.push_back(&page);
    if (!active_ && page.TabVisible()) active_ = &page;
}

std::vector<TTabSheet*> TPageControl::VisibleTabs() const {
    std::vector<TTabSheet*> tabs;
    for (auto* p : pages_)
        if (p->TabVisible()) tabs.push_back(p);
    return tabs;
}

void TPageControl::SetActivePage(TTabSheet* page) {
    if (page == active_ || (page && !page->TabVisible())) return;
    active_ = page;
    Notify(Change::Tabs);
}

void TPageControl::TabVisibilityChanging(TTabSheet& page, bool visible) {
    if (visible || &page != active_) return;
    // Hiding the current page: the tab that then stands at the same position becomes
    // current, or the last remaining tab when none does.
    auto tabs = VisibleTabs();
    const auto pos = std::find(tabs.begin(), tabs.end(), &page) - tabs.begin();
    tabs.erase(tabs.begin() + pos);
    if (tabs.empty()) active_ = nullptr;
    else if (pos < static_cast<long>(tabs.size())) active_ = tabs[pos];
    else active_ = tabs.back();
}

}  // namespace ui
