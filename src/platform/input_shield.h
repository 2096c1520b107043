#pragma once
// Keeps the program's other windows from taking input while one window is in
// use, as an application-modal window does, yet leaves them closable: Qt drops
// the window system's close request for a window that a modal one blocks, so
// the main window's close box did nothing while the preview was open.
#include <QList>
#include <QObject>
#include <QPointer>
#include <QWidget>

namespace qid::platform {

class InputShield final : public QObject {
public:
    // owner: the window that keeps the input.
    explicit InputShield(QWidget& owner) : owner_(owner) {}

    // From now on every other window shown drops the user's input, and a
    // press on one brings the owner back to the front. Call before the owner
    // is shown: it stays in front of the window that was active.
    void engage();
    void release();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool shields(const QObject* watched) const;

    QWidget& owner_;
    QList<QPointer<QWidget>> shielded_;
};

}  // namespace qid::platform
