#include "recording_messages.h"

namespace qid::testing {

RecordingMessages::RecordingMessages()
{
    platform::set_message_seam(this);
}

RecordingMessages::~RecordingMessages()
{
    platform::set_message_seam(nullptr);
}

platform::MessageAnswer RecordingMessages::ask(const platform::MessageRequest& request)
{
    shown_.push_back({request.text, request.title, request.buttons, request.icon, request.own_box,
                      request.input, request.deflt});
    if (answers_.empty())
        return {platform::answer_ok, request.deflt};
    platform::MessageAnswer a = answers_.front();
    answers_.pop_front();
    return a;
}

void RecordingMessages::answer(int response, const QString& text)
{
    answers_.push_back({response, text});
}

}  // namespace qid::testing
