#pragma once
// A message seam for tests: keeps every request and answers from a queue of
// scripted answers (OK when the queue is empty). Installed for its lifetime.
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
    RecordingMessages();
    ~RecordingMessages() override;
    RecordingMessages(const RecordingMessages&) = delete;
    RecordingMessages& operator=(const RecordingMessages&) = delete;

    platform::MessageAnswer ask(const platform::MessageRequest& request) override;

    // Queues the answer to the next request (response and, for an input box, text).
    void answer(int response, const QString& text = QString());

    const std::vector<Recorded>& shown() const { return shown_; }
    const Recorded& last() const { return shown_.back(); }
    void clear() { shown_.clear(); }

private:
    std::vector<Recorded> shown_;
    std::deque<platform::MessageAnswer> answers_;
};

}  // namespace qid::testing
