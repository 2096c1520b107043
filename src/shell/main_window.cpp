#include "shell/main_window.h"

#include <cmath>

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QImageReader>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenuBar>
#include <QPainter>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>

#include "about/about_64.h"
#include "explain/explain_windows.h"
#include "platform/host.h"
#include "platform/image_button.h"
#include "platform/messages.h"
#include "platform/text_list_model.h"
#include "report/report.h"
#include "shell/help.h"
#include "shell/navigation.h"
#include "shell/resize.h"
#include "shell/startup.h"
#include "shell/state.h"
#include "shell/window_cascade.h"

namespace qid {

namespace {

// A tick box whose caption wraps onto several lines, as the tree box's long
// caption needs.
class WrapCheckBox final : public QCheckBox {
public:
    using QCheckBox::QCheckBox;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        QStyleOptionButton option;
        initStyleOption(&option);
        const QRect box = style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, this);
        option.rect = box.translated(0, (height() - box.height()) / 2 - box.top());
        style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &option, &p, this);
        const int spacing = style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, &option, this);
        const QRect text_area = rect().adjusted(option.rect.right() + spacing, 0, 0, 0);
        const int flags = Qt::AlignVCenter | Qt::AlignLeft | Qt::TextWordWrap;
        p.setPen(palette().color(QPalette::WindowText));
        p.drawText(text_area, flags, text());
        if (!hasFocus())
            return;
        // The focus frame round the caption, as a plain tick box has it.
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = p.boundingRect(text_area, flags, text()).adjusted(-3, -2, 3, 2) & rect();
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &p, this);
    }
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

// A credit label under the background picture. The three labels read as one
// line in two faces, so each draws its text on a baseline one em below its
// top, which is the same for every face of one size, and is exactly as wide
// as its text, so the next label follows without a gap.
class CreditLabel final : public QLabel {
public:
    using QLabel::QLabel;

    QSize sizeHint() const override
    {
        const QFontMetricsF metrics(font());
        return {static_cast<int>(std::ceil(metrics.horizontalAdvance(text()))),
                baseline() + static_cast<int>(std::ceil(metrics.descent()))};
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setFont(font());
        p.setPen(palette().color(QPalette::WindowText));
        p.drawText(QPointF(0, baseline()), text());
    }

private:
    int baseline() const { return QFontInfo(font()).pixelSize(); }
};

// An empty result list shows nothing to move through: it is a Tab stop only
// while it lists something. Any view, once its model is set.
void tab_stop_while_filled(QAbstractItemView* view)
{
    // The model empties itself while the view is being destroyed, when the
    // widget is no longer a view: there is nothing to follow then.
    auto follow = [widget = static_cast<QWidget*>(view)] {
        if (auto* v = qobject_cast<QAbstractItemView*>(widget))
            v->setFocusPolicy(v->model()->rowCount() > 0 ? Qt::StrongFocus : Qt::NoFocus);
    };
    const QAbstractItemModel* model = view->model();
    QObject::connect(model, &QAbstractItemModel::rowsInserted, view, follow);
    QObject::connect(model, &QAbstractItemModel::rowsRemoved, view, follow);
    QObject::connect(model, &QAbstractItemModel::modelReset, view, follow);
    follow();
}

constexpr const char* sans = "MS Sans Serif";

// Captions inside the frames: text, left, top, width, height.
struct Caption {
    const char* text;
    platform::Twips at;
    Qt::Alignment align = Qt::AlignLeft;
};

}  // namespace

// A picture file, decoded once, at the size it is drawn, when it is first drawn.
class BackgroundPicture final : public QWidget {
public:
    using QWidget::QWidget;

    void set_file(const QString& path)
    {
        file_ = path;
        decoded_for_ = QSize();
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        const QSize size = this->size() * devicePixelRatio();
        if (size != decoded_for_) {
            decoded_for_ = size;
            QImageReader reader(file_);
            reader.setScaledSize(size);
            picture_ = QPixmap::fromImageReader(&reader);
            picture_.setDevicePixelRatio(devicePixelRatio());
        }
        QPainter(this).drawPixmap(0, 0, picture_);
    }

private:
    QString file_;
    QSize decoded_for_;
    QPixmap picture_;
};

QID_main::QID_main()
{
    setWindowTitle(QStringLiteral("KELBINE IDENTIFICATION"));
    QFont window_font(QStringLiteral("Century Gothic"));
    window_font.setPointSizeF(12);
    setFont(window_font);
    build_menu();
    build_controls();
    connect_edits();
    set_tab_order();
    connect_menu();
}

QID_main::~QID_main()
{
    cascade_changed = nullptr;
    // The control table must not outlive the controls it points at.
    for (platform::Control*& c : ctl_tbl)
        for (const auto& own : controls_)
            if (c == own.get())
                c = nullptr;
}

void QID_main::build_menu()
{
    // The & marks each entry's mnemonic: Alt+H opens Help, Alt+X is Exit.
    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("hlp_root"));
    help->addAction(QStringLiteral("&Contents"))->setObjectName(QStringLiteral("hlp_cont"));
    help->addAction(QStringLiteral("&Index"))->setObjectName(QStringLiteral("hlp_index"));
    help->addAction(QStringLiteral("&Find"))->setObjectName(QStringLiteral("hlp_find"));
    help->addAction(QStringLiteral("&About Quenla ID"))->setObjectName(QStringLiteral("hlp_about"));
    exit_ = menuBar()->addAction(QStringLiteral("E&xit"));
    exit_->setObjectName(QStringLiteral("xit"));
    connect(exit_, &QAction::triggered, this, [] { shut_down(); });
}

platform::QtControl* QID_main::add(QWidget* widget, const QString& name, int index, const platform::Twips& design,
                                   const QString& font, double size, bool bold)
{
    auto handle = std::make_unique<platform::QtControl>(widget, name, index);
    if (!font.isEmpty()) {
        QFont f(font);
        f.setPointSizeF(size);
        f.setBold(bold);
        widget->setFont(f);
    }
    handle->set_geometry(design);
    controls_.push_back(std::move(handle));
    return controls_.back().get();
}

void QID_main::build_controls()
{
    surface_ = new QWidget(this);
    surface_->setObjectName(QStringLiteral("design_surface"));
    surface_->setFixedSize(platform::twips_to_pixels(19200), platform::twips_to_pixels(13900));
    setCentralWidget(surface_);

    background_ = new BackgroundPicture(surface_);
    add(background_, QStringLiteral("Image2"), 0, {0, 0, 19200, 13900}, QString(), 0);

    auto* instruction = new QLabel(surface_);
    instruction->setWordWrap(true);
    instruction->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    add(instruction, QStringLiteral("Label1"), 0, {500, 200, 10000, 1000}, sans, 12, true);

    auto* tree = new QGroupBox(QStringLiteral("Tree data"), surface_);
    add(tree, QStringLiteral("Frame2"), 0, {500, 1200, 4100, 1100}, QStringLiteral("Arial Narrow"), 9.75, true);
    auto* young = new WrapCheckBox(QStringLiteral("Check the box if this is a young tree or a small specimen,"), tree);
    add(young, QStringLiteral("Check1"), 0, {100, 300, 3780, 615}, sans, 9.75, true);

    const char* frame_titles[] = {"Fruit data", "Leaf data", "Bud data"};
    std::array<QGroupBox*, 3> frames{};
    for (int i = 0; i < 3; ++i) {
        frames[static_cast<std::size_t>(i)] = new QGroupBox(QString::fromLatin1(frame_titles[i]), surface_);
        add(frames[static_cast<std::size_t>(i)], QStringLiteral("Frame1"), i, {500, 2700 + i * 3400, 10000, 3000},
            sans, 9.75, true);
    }

    auto caption = [this](QGroupBox* frame, const QString& name, int index, const Caption& c) {
        auto* label = new QLabel(QString::fromLatin1(c.text), frame);
        label->setWordWrap(true);
        label->setAlignment(c.align | Qt::AlignTop);
        add(label, name, index, c.at, sans, 9.75, true);
    };
    auto list = [this](QGroupBox* frame, const QString& name, int index, const platform::Twips& at) {
        auto* box = new QListWidget(frame);
        box->setSelectionMode(QAbstractItemView::SingleSelection);
        // A long entry is cut at the edge rather than given a scroll bar.
        box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        add(box, name, index, at, sans, 12);
    };
    auto text_box = [this](QGroupBox* frame, const QString& name, int index, const platform::Twips& at) {
        add(new QLineEdit(frame), name, index, at, sans, 12);
    };

    // Fruit data.
    QGroupBox* fruit = frames[0];
    const Caption fruit_captions[] = {
        {"INITIAL COLOUR", {450, 405, 1905, 300}},
        {"FINAL COLOUR", {2670, 405, 1725, 360}},
        {"BERRY SHAPE", {4905, 405, 2340, 285}},
        {"BERRY SIZE (mm)", {7335, 405, 2340, 285}},
        {"Enter the LARGEST dimension for ellipsoidal fruit", {7485, 1425, 2085, 810}, Qt::AlignHCenter},
        {"Select the berry colour/s", {1185, 2130, 2565, 240}, Qt::AlignHCenter},
    };
    for (int i = 0; i < 6; ++i)
        caption(fruit, QStringLiteral("Label2"), i, fruit_captions[i]);
    list(fruit, QStringLiteral("List2"), 0, {500, 640, 1650, 1260});
    list(fruit, QStringLiteral("List2"), 1, {2685, 640, 1650, 1260});
    add(new QRadioButton(QStringLiteral("Spherical"), fruit), QStringLiteral("Option1"), 0, {5300, 705, 1500, 400},
        sans, 9.75, true);
    add(new QRadioButton(QStringLiteral("Ellipsoidal"), fruit), QStringLiteral("Option1"), 1,
        {5300, 1035, 1500, 400}, sans, 9.75, true);
    text_box(fruit, QStringLiteral("Text1"), 0, {8205, 735, 400, 420});

    // Leaf data.
    QGroupBox* leaf = frames[1];
    const Caption leaf_captions[] = {
        {"COLOUR ABOVE", {420, 405, 1845, 240}},
        {"COLOUR BELOW", {2505, 405, 1995, 240}},
        {"LEAF LENGTH, (mm)", {5160, 405, 1635, 495}},
        {"SIZE OF LEAFLETS (mm)", {7320, 405, 2060, 510}},
        {"Width", {7380, 900, 750, 300}},
        {"Length", {8520, 900, 750, 300}},
        {"Number of leaflet pairs", {7590, 1740, 1410, 495}},
        // Drawn from the frame's left edge: a caption starting left of the
        // frame would lose its first word.
        {"Select the colour for both the TOP and the UNDERSIDE of the leaf", {100, 2010, 6700, 240}},
    };
    for (int i = 0; i < 8; ++i)
        caption(leaf, QStringLiteral("Label3"), i, leaf_captions[i]);
    list(leaf, QStringLiteral("List3"), 0, {500, 640, 1650, 1260});
    list(leaf, QStringLiteral("List3"), 1, {2685, 640, 1650, 1260});
    text_box(leaf, QStringLiteral("Text2"), 0, {7995, 2265, 540, 420});
    text_box(leaf, QStringLiteral("Text2"), 1, {5730, 1005, 540, 420});
    text_box(leaf, QStringLiteral("Text2"), 2, {8625, 1140, 400, 420});
    text_box(leaf, QStringLiteral("Text2"), 3, {7440, 1140, 400, 420});

    // Bud data.
    QGroupBox* bud = frames[2];
    const Caption bud_captions[] = {
        {"BUD COLOUR", {510, 405, 1650, 330}},
        {"BUD HAIRS", {2655, 405, 1650, 330}},
        {"STICKY?", {4800, 405, 1650, 330}},
        {"BUD LENGTH (mm)", {7335, 405, 1575, 480}},
        {"Select the bud properties which apply", {1380, 2280, 3900, 240}, Qt::AlignHCenter},
    };
    for (int i = 0; i < 5; ++i)
        caption(bud, QStringLiteral("Label4"), i, bud_captions[i]);
    list(bud, QStringLiteral("List4"), 0, {500, 640, 1650, 1260});
    list(bud, QStringLiteral("List4"), 1, {2650, 640, 1650, 1260});
    list(bud, QStringLiteral("List4"), 2, {4800, 640, 1650, 1260});
    text_box(bud, QStringLiteral("Text3"), 0, {7935, 975, 400, 420});

    // The result list and its heading.
    // A view over the names of a step's survivors, made only as they are
    // shown: a step replaces the list in one reset, and as every entry is one
    // line in one font, the view need not measure each of tens of thousands.
    auto* results = new QListView(surface_);
    results->setModel(new platform::TextListModel(results));
    results->setSelectionMode(QAbstractItemView::SingleSelection);
    results->setUniformItemSizes(true);
    add(results, QStringLiteral("List1"), 0, {14000, 1360, 4200, 10200}, sans, 12);
    tab_stop_while_filled(results);
    auto* heading = new QLabel(QStringLiteral("SELECTION"), surface_);
    heading->setWordWrap(true);
    heading->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    add(heading, QStringLiteral("Label9"), 0, {14000, 560, 4200, 700}, QStringLiteral("Century Gothic"), 15.75, true);

    auto* notice = new QLabel(QStringLiteral("SIZE RANGES EXTENDED"), surface_);
    add(notice, QStringLiteral("Label13"), 0, {5500, 1364, 3500, 300}, sans, 12, true);

    // Credit labels for the background picture; they size themselves to their
    // text. Just below the frames, beside NEXT and BACK, so that they stay
    // inside the client area that the title and menu bars leave.
    const char* credits[] = {"Background image:", "", ""};
    for (int i = 0; i < 3; ++i) {
        auto* label = new CreditLabel(QString::fromLatin1(credits[i]), surface_);
        platform::QtControl* c = add(label, QStringLiteral("Label14"), i, {0, 12700, 0, 0},
                                     QStringLiteral("Georgia"), 12);
        if (i == 1) {
            QFont f = label->font();
            f.setItalic(true);
            label->setFont(f);
        }
        c->set_auto_size(true);
    }

    // The five image buttons: PRINT, NEXT, BACK, CLEAR, EXTEND.
    const char* words[] = {"PRINT", "NEXT", "BACK", "CLEAR", "EXTEND"};
    for (int i = 0; i < 5; ++i) {
        auto* button = new platform::ImageButton(surface_);
        button->setAccessibleName(QString::fromLatin1(words[i]));
        button->setToolTip(QString::fromLatin1(words[i]));
        buttons_[static_cast<std::size_t>(i)] = button;
        add(button, QStringLiteral("Image1"), i, {0, 0, 0, 0}, QString(), 0);
        connect(button, &platform::ImageButton::activated, this, [this, i] { press(i); });
    }
    // A button that hides itself with the focus (BACK at the first step,
    // EXTEND once pressed, NEXT at the last step) must not hand it on along
    // the chain to CLEAR, where one more Space would empty every entry: it
    // goes to NEXT, and from NEXT to the result list, or to the first entry
    // while nothing is listed.
    QWidget* first_entry = young;
    for (platform::ImageButton* button : buttons_)
        button->set_focus_on_hide([this, button, results, first_entry]() -> QWidget* {
            if (button != buttons_[1] && buttons_[1]->isVisible())
                return buttons_[1];
            return results->focusPolicy() & Qt::TabFocus ? static_cast<QWidget*>(results) : first_entry;
        });
}

void QID_main::set_tab_order()
{
    // The reading order of the window: the tree box, each group left to
    // right (the leaflet Width stands before its Length), the commands under
    // the groups, the result list and PRINT under it. BACK follows NEXT
    // beside it; EXTEND, when offered, comes just before CLEAR.
    const std::pair<const char*, int> order[] = {
        {"Check1", 0}, {"List2", 0}, {"List2", 1}, {"Option1", 0}, {"Option1", 1}, {"Text1", 0},
        {"List3", 0},  {"List3", 1}, {"Text2", 1}, {"Text2", 3},   {"Text2", 2},   {"Text2", 0},
        {"List4", 0},  {"List4", 1}, {"List4", 2}, {"Text3", 0},   {"Image1", 1},  {"Image1", 2},
        {"Image1", 4}, {"Image1", 3}, {"List1", 0}, {"Image1", 0},
    };
    QWidget* previous = nullptr;
    for (const auto& [name, index] : order) {
        QWidget* next = control(QString::fromLatin1(name), index)->widget();
        if (previous)
            setTabOrder(previous, next);
        previous = next;
    }
}

QWidget* QID_main::background() const
{
    return background_;
}

void QID_main::set_background(const QString& path)
{
    background_->set_file(path);
}

platform::QtControl* QID_main::control(const QString& name, int index) const
{
    for (const auto& c : controls_)
        if (c->name() == name && c->index() == index)
            return c.get();
    return nullptr;
}

void QID_main::connect_edits()
{
    // Any edit of an observation returns the cascade to its start; the values
    // are read only when a search step runs.
    for (const auto& c : controls_) {
        QWidget* w = c->widget();
        const QString name = c->name();
        if (name == QLatin1String("List2") || name == QLatin1String("List3") || name == QLatin1String("List4")) {
            auto* list = static_cast<QListWidget*>(w);
            connect(list, &QListWidget::itemSelectionChanged, this, [] { reset_selection(); });
            connect(list, &QListWidget::itemClicked, this, [] { reset_selection(); });
        } else if (name == QLatin1String("Text1") || name == QLatin1String("Text2") || name == QLatin1String("Text3")) {
            connect(static_cast<QLineEdit*>(w), &QLineEdit::textChanged, this, [] { reset_selection(); });
        } else if (name == QLatin1String("Check1")) {
            connect(static_cast<QCheckBox*>(w), &QCheckBox::clicked, this, [] { reset_selection(); });
        } else if (name == QLatin1String("Option1")) {
            auto* option = static_cast<QRadioButton*>(w);
            connect(option, &QRadioButton::clicked, this, [] { reset_selection(); });
            connect(option, &QRadioButton::toggled, this, [](bool on) {
                if (on)
                    reset_selection();
            });
        }
    }
}

bool QID_main::fill_image_list()
{
    const char* files[] = {"printU", "printD", "nextU", "nextD", "backU", "backD",
                           "clearU", "clearD", "extendU", "extendD"};
    const QString folder = platform::host().program_folder() + QStringLiteral("/graphics/");
    for (std::size_t k = 0; k < image_list_.size(); ++k) {
        const QString path = folder + QString::fromLatin1(files[k]) + QStringLiteral(".gif");
        if (!image_list_[k].load(path)) {
            report_missing_file(path);
            return false;
        }
    }
    return true;
}

bool QID_main::load()
{
    if (!fill_image_list())
        return false;
    for (int i = 0; i < 5; ++i) {
        platform::ImageButton* b = buttons_[static_cast<std::size_t>(i)];
        b->set_pictures(image_list(2 * i + 1), image_list(2 * i + 2));
        platform::QtControl* c = control(QStringLiteral("Image1"), i);
        c->set_geometry({c->geometry().left, c->geometry().top,
                         static_cast<int>(std::lround(platform::pixels_to_twips(b->width()))),
                         static_cast<int>(std::lround(platform::pixels_to_twips(b->height())))});
    }
    if (!start_up(*this))
        return false;
    connect_explain_windows();
    const FittedWindow fitted{*this, *surface_, background(), controls_};
    save_layout(fitted);
    fit_form(fitted);
    form_ready = true;
    return true;
}

void QID_main::connect_menu()
{
    const std::pair<const char*, void (*)()> entries[] = {
        {"hlp_cont", hlp_cont_Click},
        {"hlp_index", hlp_index_Click},
        {"hlp_find", hlp_find_Click},
    };
    for (const auto& [name, handler] : entries)
        connect(findChild<QAction*>(QString::fromLatin1(name)), &QAction::triggered, this, handler);
    connect(findChild<QAction*>(QStringLiteral("hlp_about")), &QAction::triggered, this, [] {
        if (about)
            about->show_About();
    });
}

// The result list's menu opens the windows that explain the identification,
// and they follow every change of the cascade.
void QID_main::connect_explain_windows()
{
    explain_ = new ExplainWindows(this);
    explain_->set_help([] { show_help(app_path + QStringLiteral("Help/why_not.htm"), QString()); });
    if (auto* list = qobject_cast<QAbstractItemView*>(control(QStringLiteral("List1"))->widget()))
        attach_result_menu(list, *explain_);
    cascade_changed = [this] {
        const bool empty = empty_stage >= 0;
        explain_->follow({&window_table, window_observations, empty ? empty_factors : window_factors, stage,
                          empty_stage});
    };
    cascade_changed();
}

void QID_main::press(int button)
{
    switch (button) {
    case 1:
        ++stage;
        next_step(stage);
        break;
    case 2:
        --stage;
        show_selection(stage);
        break;
    case 3:
        clear_entries();
        break;
    case 4:
        reset_selection();
        range_ext = 0.2f;
        ctl_tbl[slot::extended_notice]->set_visible(true);
        break;
    default:
        print_report(document(), {window_table, window_observations, window_factors, stage, selected});
        break;
    }
}

void QID_main::closeEvent(QCloseEvent* event)
{
    if (form_ready)
        shut_down();
    event->accept();
}

}  // namespace qid
