// A message seam for tests: keeps every request, answers from a queue (OK when empty); installed while it lives.
#pragma once
#include <deque>
#include <vector>

#include "platform/messages.h"

namespace qid::testing {

struct Recorded {
    QString text;
    QString title;
    int buttons = 0;
    int icon = 0;
    bool own_box = false;
    bool input = false;
    QString deflt;
};

class RecordingMessages final : public platform::MessageSeam {
public:
    RecordingMessages() { platform::set_message_seam(this); }
    ~RecordingMessages() override { platform::set_message_seam(nullptr); }
    RecordingMessages(const RecordingMessages&) = delete;
    RecordingMessages& operator=(const RecordingMessages&) = delete;

    platform::MessageAnswer ask(const platform::MessageRequest& r) override
    {
        shown_.push_back({r.text, r.title, r.buttons, r.icon, r.own_box, r.input, r.deflt});
        if (answers_.empty())
            return {platform::answer_ok, r.deflt};
        const platform::MessageAnswer a = answers_.front();
        answers_.pop_front();
        return a;
    }

    // Queues the answer to the next request (response and, for an input box, text).
    void answer(int response, const QString& text = QString()) { answers_.push_back({response, text}); }

    const std::vector<Recorded>& shown() const { return shown_; }
    const Recorded& last() const { return shown_.back(); }
    void clear() { shown_.clear(); }

private:
    std::vector<Recorded> shown_;
    std::deque<platform::MessageAnswer> answers_;
};

}  // namespace qid::testing
