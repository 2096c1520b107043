#include "platform/qt_messages.h"

#include <vector>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace qid::platform {

namespace {

QMessageBox::Icon qt_icon(int icon)
{
    switch (icon) {
    case icon_critical: return QMessageBox::Critical;
    case icon_question: return QMessageBox::Question;
    case icon_exclamation: return QMessageBox::Warning;
    case icon_information: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

struct ButtonSpec {
    const char* caption;
    int answer;
    QMessageBox::ButtonRole role;
};

std::vector<ButtonSpec> button_set(int buttons)
{
    switch (buttons) {
    case 1: return {{"OK", answer_ok, QMessageBox::AcceptRole}, {"Cancel", answer_cancel, QMessageBox::RejectRole}};
    case 2: return {{"Abort", answer_abort, QMessageBox::RejectRole}, {"Retry", answer_retry, QMessageBox::AcceptRole},
                    {"Ignore", answer_ignore, QMessageBox::AcceptRole}};
    case 3: return {{"Cancel", answer_cancel, QMessageBox::RejectRole}, {"Yes", answer_yes, QMessageBox::YesRole},
                    {"No", answer_no, QMessageBox::NoRole}};
    case 4: return {{"Yes", answer_yes, QMessageBox::YesRole}, {"No", answer_no, QMessageBox::NoRole}};
    case 5: return {{"Retry", answer_retry, QMessageBox::AcceptRole}, {"Cancel", answer_cancel, QMessageBox::RejectRole}};
    default: return {{"OK", answer_ok, QMessageBox::AcceptRole}};
    }
}

}  // namespace

MessageAnswer QtMessageSeam::ask(const MessageRequest& request)
{
    if (request.show)
        return request.show();

    QMessageBox box(qt_icon(request.icon), request.title, request.text, QMessageBox::NoButton,
                    QApplication::activeWindow());
    std::vector<std::pair<QPushButton*, int>> answers;
    for (const ButtonSpec& spec : button_set(request.buttons))
        answers.emplace_back(box.addButton(QString::fromLatin1(spec.caption), spec.role), spec.answer);
    box.exec();
    for (const auto& [button, answer] : answers)
        if (box.clickedButton() == button)
            return MessageAnswer{answer, QString()};
    // Closed without a button (Escape or the title bar): the last button's answer,
    // which is Cancel or No wherever the set has one.
    return MessageAnswer{answers.back().second, QString()};
}

}  // namespace qid::platform
