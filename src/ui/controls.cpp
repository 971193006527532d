#include "ui/controls.h"

#include <algorithm>
#include <vector>

#include "platform/virtual_keys.h"

namespace wordvane::ui {

MenuItem* MenuItem::find(const std::u16string& caption) {
    for (MenuItem* item : children) {
        if (!item->visible() || !item->enabled()) {
            continue;
        }
        if (item->caption() == caption) {
            return item;
        }
        if (MenuItem* inside = item->find(caption)) {
            return inside;
        }
    }
    return nullptr;
}

namespace {

bool isTabStop(const Control& control) {
    return control.visible() && control.kind() != ControlKind::Label;
}

}  // namespace

void Window::pressDefault() {
    if (defaultButton != nullptr && defaultButton->visible()) {
        defaultButton->click();
    }
}

void Window::pressCancel() {
    if (cancelButton != nullptr && cancelButton->visible()) {
        cancelButton->click();
    } else {
        close();
    }
}

bool Window::dialogKey(int virtualKey, bool shift) {
    Control* focused = focusedControl();
    const auto kind = focused != nullptr ? focused->kind() : ControlKind::Label;
    switch (virtualKey) {
        case kVkReturn:
            if (kind == ControlKind::TextBox && static_cast<TextBox*>(focused)->multiline()) {
                return false;
            }
            if (kind == ControlKind::Button) {
                static_cast<Button*>(focused)->click();
            } else {
                pressDefault();
            }
            return true;
        case kVkEscape:
            pressCancel();
            return true;
        case kVkSpace:
            if (kind == ControlKind::Button) {
                static_cast<Button*>(focused)->click();
                return true;
            }
            if (kind == ControlKind::CheckBox) {
                auto* check = static_cast<CheckBox*>(focused);
                check->setChecked(!check->checked());
                return true;
            }
            return false;
        case kVkTab:
            break;
        default:
            return false;
    }
    // Tab: the next control that takes the keyboard, in reading order.
    std::vector<Control*> stops;
    for (const ControlSlot& slot : controls_) {
        if (isTabStop(*slot.control)) {
            stops.push_back(slot.control);
        }
    }
    if (stops.empty()) {
        return true;
    }
    const auto at = std::find(stops.begin(), stops.end(), focused);
    const size_t count = stops.size();
    size_t next = 0;
    if (at != stops.end()) {
        const auto index = static_cast<size_t>(at - stops.begin());
        next = shift ? (index + count - 1) % count : (index + 1) % count;
    }
    stops[next]->setFocused(true);
    if (stops[next]->kind() == ControlKind::TextBox) {
        // Tab into a box selects its text, as dialogs do.
        static_cast<TextBox*>(stops[next])->setAllSelected(true);
    }
    return true;
}

Control* Window::focusedControl() const {
    for (const ControlSlot& slot : controls_) {
        if (slot.control->focused() && slot.control->visible()) {
            return slot.control;
        }
    }
    return nullptr;
}

}  // namespace wordvane::ui
