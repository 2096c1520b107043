#pragma once
// The two windows that explain the main window's identification, and the
// result list's menu that opens them. They follow the cascade: whenever its
// outcome changes, a window that is open shows the new one, and a hidden one
// catches up when it is next opened.
#include <functional>
#include <memory>

#include <QObject>

#include "identify/explain.h"
#include "identify/item_index.h"

class QAbstractItemView;
class QWidget;

namespace qid {

class WhyNotWindow;
class NextLookWindow;

// The identification to explain: the observations and factors its steps
// ran with, the step whose list is shown and the step that last kept no
// species.
struct CascadeView {
    const SpeciesTable* table = nullptr;
    ObservationSet seen;
    Factors factors;
    int shown = -1;       // the step whose list is shown; -1 when none is
    int empty_step = -1;  // the step that kept no species since the last reset; -1 when none did
};

class ExplainWindows final : public QObject {
public:
    // The windows stay above `owner` and close with it. They are made when
    // first opened, so that a program that never opens them pays nothing.
    explicit ExplainWindows(QWidget* owner);
    ~ExplainWindows() override;

    // The cascade's outcome changed. After a step that kept no species the
    // empty result list (if one is attached) stays a Tab stop: its menu then
    // explains why.
    void follow(const CascadeView& view);
    void open_why_not();
    void open_next_look();
    // What F1 does in either window: show their help topic.
    void set_help(std::function<void()> help);

    // The windows, made when first opened; nullptr until then.
    WhyNotWindow* why_not() const { return why_not_; }
    NextLookWindow* next_look() const { return next_look_; }

private:
    void make_windows();
    void refresh();

    CascadeView view_;
    bool stale_ = true;  // the explanation is not yet of view_
    bool why_not_current_ = false;
    bool next_look_current_ = false;
    std::shared_ptr<const Explanation> explanation_;  // none before a step has run
    std::unique_ptr<ItemIndex> index_;                // made on first use: the table never changes
    friend void attach_result_menu(QAbstractItemView* list, ExplainWindows& windows);

    QWidget* owner_;
    QAbstractItemView* list_ = nullptr;
    std::function<void()> help_;
    WhyNotWindow* why_not_ = nullptr;
    NextLookWindow* next_look_ = nullptr;
};

// The result list's menu, "Why not…" and "What to look at next…", opened
// by the right mouse button, the Menu key or Shift+F10. An empty list with
// the focus shows it with a frame round the list.
void attach_result_menu(QAbstractItemView* list, ExplainWindows& windows);

}  // namespace qid
