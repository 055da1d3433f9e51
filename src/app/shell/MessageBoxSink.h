#pragma once

#include "core/common/MessageSink.h"

namespace airmotor::app {

// Shows each message in a box with an OK button (questions with Yes/No[/Cancel]), over the active window.
class MessageBoxSink final : public core::MessageSink {
public:
    void show(const core::Message& message) override;
    core::Answer ask(const core::Message& question, bool withCancel) override;
};

} // namespace airmotor::app
