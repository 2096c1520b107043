#pragma once
// A message seam that answers every box with OK and shows nothing, so a
// fuzzer spends its time on the code under test.
#include "platform/messages.h"

namespace qid::fuzzing {

struct SilentMessages final : platform::MessageSeam {
    SilentMessages() { platform::set_message_seam(this); }
    platform::MessageAnswer ask(const platform::MessageRequest&) override { return {}; }
};

}  // namespace qid::fuzzing
