#pragma once
// The live message seam: system message boxes as real modal Qt message boxes;
// the program's own box through the window its owner supplies.
#include "platform/messages.h"

namespace qid::platform {

class QtMessageSeam final : public MessageSeam {
public:
    MessageAnswer ask(const MessageRequest& request) override;
};

}  // namespace qid::platform
