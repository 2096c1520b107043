#include "platform/messages.h"

#include <cstdio>

namespace qid::platform {

namespace {

class StderrSeam final : public MessageSeam {
public:
    MessageAnswer ask(const MessageRequest& request) override
    {
        std::fprintf(stderr, "%s: %s\n", qUtf8Printable(request.title), qUtf8Printable(request.text));
        return MessageAnswer{answer_ok, request.deflt};
    }
};

StderrSeam default_seam;
MessageSeam* current = nullptr;

}  // namespace

MessageSeam& message_seam()
{
    return current ? *current : default_seam;
}

void set_message_seam(MessageSeam* seam)
{
    current = seam;
}

int system_message(const QString& text, const QString& title, int icon, int buttons)
{
    MessageRequest request;
    request.text = text;
    request.title = title;
    request.icon = icon;
    request.buttons = buttons;
    return message_seam().ask(request).response;
}

}  // namespace qid::platform
