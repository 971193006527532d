#include "completion/candidate_list.h"

#include "app/app.h"

namespace wordvane {

// The candidate window is not built yet: these calls are noted so that
// start-up and shutdown can be checked to make them at the right moments.

void setWindowSize(App& app) {
    app.pendingCalls.emplace_back(u"setWindowSize");
}

void form_visible(App& app, bool visible) {
    app.pendingCalls.emplace_back(visible ? u"form_visible(True)" : u"form_visible(False)");
}

void forcedShowList(App& app) {
    app.pendingCalls.emplace_back(u"forcedShowList");
}

}  // namespace wordvane
