#include "ui/controls.h"

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

Control* Window::focusedControl() const {
    for (const ControlSlot& slot : controls_) {
        if (slot.control->focused() && slot.control->visible()) {
            return slot.control;
        }
    }
    return nullptr;
}

}  // namespace wordvane::ui
