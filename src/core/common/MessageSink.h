#pragma once

#include <string>
#include <vector>

namespace airmotor::core {

enum class MessageIcon { None, Information, Warning, Critical };

struct Message {
    int key = -1; // text key of strText, -1 for a literal text
    std::string text;
    MessageIcon icon = MessageIcon::None;
    std::string title;
};

// Every message of the program goes through this: the desktop shows a box, the CLI and tests record.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void show(const Message& message) = 0;
};

class RecordingMessageSink final : public MessageSink {
public:
    void show(const Message& message) override { messages.push_back(message); }
    std::vector<Message> messages;
};

} // namespace airmotor::core
