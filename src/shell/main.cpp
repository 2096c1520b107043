// Quenla ID: the main window is the program's entry.
#include <QApplication>

#include "platform/fonts.h"
#include "platform/qt_dialogs.h"
#include "platform/qt_messages.h"
#include "shell/main_window.h"
#include "shell/state.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // Lets the desktop match the window to the installed menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(QID_APP_ID));
    qid::platform::QtMessageSeam messages;
    qid::platform::set_message_seam(&messages);
    qid::platform::QtDialogSeam dialogs;
    qid::platform::set_dialog_seam(&dialogs);
    qid::platform::install_font_substitutes();

    qid::QID_main window;
    if (!window.load())
        return 1;
    window.show();
    const int status = app.exec();
    qid::pages.reset();  // the document's windows go before the application object
    qid::platform::set_dialog_seam(nullptr);
    qid::platform::set_message_seam(nullptr);
    return status;
}
