#pragma once
// The one seam every message box goes through: the system's message boxes
// (errors of the page engine, the document, the data file) and the program's
// own modal box. In the program a live seam shows a real modal window; tests
// install a recording seam that keeps each request and answers as told.
#include <functional>

#include <QString>

namespace qid::platform {

// Icons, with the values callers pass.
enum MsgIcon : int {
    icon_none = 0,
    icon_critical = 16,
    icon_question = 32,
    icon_exclamation = 48,
    icon_information = 64,
};

// Answers, one per button.
enum MsgAnswer : int {
    answer_ok = 1,
    answer_cancel = 2,
    answer_abort = 3,
    answer_retry = 4,
    answer_ignore = 5,
    answer_yes = 6,
    answer_no = 7,
};

struct MessageAnswer {
    int response = answer_ok;
    QString text;  // the typed line of an input box
};

struct MessageRequest {
    QString text;
    QString title;
    int buttons = 0;  // 0 OK, 1 OK CANCEL, 2 ABORT RETRY IGNORE, 3 CANCEL YES NO, 4 YES NO, 5 RETRY CANCEL
    int icon = icon_none;
    bool own_box = false;  // the program's own message window, not the system's
    bool input = false;    // an input box with an answer line
    QString deflt;         // the answer line's text when shown
    // Shows the real window modally and returns its answer. Set by the owner
    // of a real window (the program's own box); empty for system boxes.
    std::function<MessageAnswer()> show;
};

class MessageSeam {
public:
    virtual ~MessageSeam() = default;
    virtual MessageAnswer ask(const MessageRequest& request) = 0;
};

// The seam in force. Until one is installed, requests are written to the
// standard error stream and answered OK, so no message is ever lost.
MessageSeam& message_seam();
// Installs a seam (not owned); nullptr goes back to the default.
void set_message_seam(MessageSeam* seam);

// A system message box: text, title, icon, button set; returns the answer.
int system_message(const QString& text, const QString& title, int icon, int buttons = 0);

}  // namespace qid::platform
