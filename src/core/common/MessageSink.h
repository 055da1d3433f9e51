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

enum class Answer { Yes, No, Cancel };

// Every message of the program goes through this: the desktop shows a box, the CLI and tests record.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void show(const Message& message) = 0;
    // A Yes/No (or Yes/No/Cancel) question. Where nobody can answer, the question is only shown and
    // the answer is the one that changes nothing.
    virtual Answer ask(const Message& question, bool withCancel) {
        show(question);
        return withCancel ? Answer::Cancel : Answer::No;
    }
};

class RecordingMessageSink final : public MessageSink {
public:
    void show(const Message& message) override { messages.push_back(message); }
    // Questions are recorded as messages and answered from `answers`, front first.
    Answer ask(const Message& question, bool withCancel) override {
        show(question);
        cancelOffered.push_back(withCancel);
        if (answers.empty())
            return withCancel ? Answer::Cancel : Answer::No;
        const Answer a = answers.front();
        answers.erase(answers.begin());
        return a;
    }
    std::vector<Message> messages;
    std::vector<Answer> answers;
    std::vector<bool> cancelOffered; // one per question asked
};

} // namespace airmotor::core
