#pragma once

#include "app/shell/TextConversion.h"
#include "core/language/Language.h"
#include "core/session/SelectionSession.h"

#include <functional>

namespace airmotor::app {

// What the panels of the main window share: every user action goes through run(), which calls the
// session once (never re-entrantly, e.g. from a change signal that the refresh itself caused) and then
// mirrors the whole session state into the widgets.
class SessionDriver {
public:
    virtual ~SessionDriver() = default;
    virtual void run(const std::function<void(core::SelectionSession&)>& action) = 0;
    // True while the widgets are being updated from the session or an action runs.
    virtual bool busy() const = 0;
    virtual const core::LanguageState& language() const = 0;
};

} // namespace airmotor::app
