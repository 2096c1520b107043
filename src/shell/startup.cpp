#include "shell/startup.h"

#include <utility>

#include <QApplication>
#include <QIcon>
#include <QWidget>

#include "about/about_64.h"
#include "document/pp_pages.h"
#include "document/preview.h"
#include "msgbox/mbx.h"
#include "msgbox/msg_style.h"
#include "platform/host.h"
#include "platform/messages.h"
#include "report/report.h"
#include "shell/main_window.h"
#include "shell/navigation.h"
#include "shell/state.h"
#include "shell/window_entries.h"

namespace qid {

namespace {

// Control-table slot -> (control-array name, index). Slots 0 and 14 are the
// same instruction label.
struct SlotName {
    const char* name;
    int index;
};
constexpr SlotName slot_names[ctl_count] = {
    {"Label1", 0}, {"Frame1", 0}, {"Frame1", 1}, {"Frame1", 2}, {"List1", 0},   {"List2", 0},   {"List2", 1},
    {"Check1", 0}, {"List4", 0},  {"List4", 1},  {"List4", 2},  {"Text1", 0},   {"Label9", 0},  {"Frame2", 0},
    {"Label1", 0}, {"Image1", 0}, {"Image1", 1}, {"Image1", 2}, {"List3", 0},   {"List3", 1},   {"Text2", 0},
    {"Text2", 1},  {"Text2", 2},  {"Text2", 3},  {"Option1", 0}, {"Option1", 1}, {"Text3", 0},  {"Image1", 3},
    {"Image1", 4}, {"Label13", 0}, {"Label14", 0}, {"Label14", 1}, {"Label14", 2}, {"Image2", 0},
};

QID_main* main_window()
{
    return form_tbl.empty() ? nullptr : static_cast<QID_main*>(form_tbl[0]);
}

// The seven choice lists: the berry colours, the leaf colours and the three
// bud lists.
constexpr int choice_lists[] = {slot::initial_colour, slot::final_colour, slot::colour_above, slot::colour_below,
                                slot::bud_colour,     slot::bud_colour + 1, slot::bud_colour + 2};

platform::Control& ctl(int s)
{
    return *ctl_tbl[static_cast<std::size_t>(s)];
}

void move(int s, int left, int top)
{
    platform::Twips g = ctl(s).geometry();
    g.left = left;
    g.top = top;
    ctl(s).set_geometry(g);
}

// The pictures of the document and its preview window that start-up
// reported: the document, made at the first PRINT, goes without them silently.
QStringList document_pictures;

}  // namespace

void report_missing_file(const QString& path)
{
    platform::system_message(QStringLiteral("File '") + path + QStringLiteral("' doesn't exist."),
                             QStringLiteral("QUENLA ID ERROR"), platform::icon_critical);
}

QString file_date()
{
    const QDateTime when = platform::host().modified(platform::host().program_file());
    return QStringLiteral(", ") + when.toString(QStringLiteral("dd/MM/yyyy"));
}

bool start_up(QID_main& window)
{
    app_path = platform::host().program_folder() + QStringLiteral("/");
    data_file = app_path + QStringLiteral("qid.dta");
    build_date = file_date();
    set_report_margins();
    bud_len_fac = {0.8f, 1.1f};
    range_ext = 0.0f;
    screen_ratio = static_cast<float>(platform::host().screen().width) / 19200.0f;
    about = std::make_shared<about_64>(build_date, screen_ratio);
    about->create_About(QStringLiteral("Vantelo_qid.gif"), 19733, 16777215, std::nullopt, 9000,
                        QStringLiteral("s_vil3.jpg"), 0.4f);
    msg_style = std::make_shared<MsgBx>();
    msg_style->modify(QStringLiteral("Arial"), 12, 1.0f, 12635350, 11057350);
    form_tbl.assign(1, &window);
    for (int s = 0; s < ctl_count; ++s)
        ctl_tbl[static_cast<std::size_t>(s)] =
            window.control(QString::fromLatin1(slot_names[s].name), slot_names[s].index);
    if (!load_species())
        return false;
    if (!set_layout())
        return false;
    // The default selections normally leave the window as every edit does;
    // with an empty FINAL COLOUR or COLOUR BELOW list they change nothing,
    // and BACK would stay on offer from a cascade that has not started.
    reset_selection();
    stage = -1;
    // The document and its preview window wait for the first PRINT
    // (document()); what they could not show is reported now.
    document_pictures = PPpages::check_pictures();
    last_stage_done = false;
    needs_read = true;
    form_ready = true;
    return true;
}

PPpages& document()
{
    if (!pages) {
        pages = std::make_shared<PPpages>(DocumentDevices{}, document_pictures);
        preview_window()->set_PPpages(pages.get());
        pages->page_parms(0.8f, 0.4f, 0.8f, 0.2f, 0.8f, 0.8f, 1);
    }
    return *pages;
}

bool set_layout()
{
    QID_main* window = main_window();
    // 1. Arial for the frames, lists, boxes, tick box, options, heading,
    //    instruction, notice and the first credit label.
    for (const auto& [first, last] : {std::pair{1, 14}, std::pair{18, 26}, std::pair{29, 30}})
        for (int s = first; s <= last; ++s)
            ctl(s).set_font_name(QStringLiteral("Arial"));
    // The choice lists take a narrow face at 10 points: in Arial at 12 their
    // longer entries ("YELLOW-GREEN", "RUSTY BROWN") would be cut at the
    // lists' design width.
    for (int s : choice_lists) {
        ctl(s).set_font_name(QStringLiteral("Arial Narrow"));
        ctl(s).set_font_size(10);
    }

    // 2. The window itself, with every size the icon file holds, so the
    //    desktop need not scale one.
    window->move(0, 0);
    const QIcon icon(app_path + QStringLiteral("graphics/Ostrel.ico"));
    if (icon.isNull()) {
        report_missing_file(app_path + QStringLiteral("graphics/Ostrel.ico"));
        return false;
    }
    window->setWindowIcon(icon);
    const int background = platform::rgb_value(193, 198, 191);
    window->surface()->setAutoFillBackground(true);
    QPalette palette = window->surface()->palette();
    palette.setColor(QPalette::Window, QColor(193, 198, 191));
    window->surface()->setPalette(palette);

    // 3. The background picture covers the whole window. It is decoded when
    //    first drawn, at the size it is drawn.
    const QString picture = app_path + QStringLiteral("graphics/bkgnd.jpg");
    if (!platform::picture_readable(picture)) {
        report_missing_file(picture);
        return false;
    }
    window->set_background(picture);
    const int width = 19200;
    ctl(33).set_geometry({(19200 - width) / 2, 0, width, 13900});
    window->background()->lower();

    // 4. The instruction text.
    ctl(slot::instruction)
        .set_caption(QStringLiteral("Please enter as much data as possible on the TREE, FRUIT, LEAVES and BUDS.") +
                     QStringLiteral("\n\n") + QStringLiteral("When you've done this, click the 'NEXT'") +
                     QStringLiteral(" button."));
    move(slot::instruction, 500, 200);

    // 5. The tree frame and its tick box.
    move(13, 500, 1200);
    ctl(13).set_back_colour(background);
    ctl(slot::young_tree).set_back_colour(background);

    // 6. The size-range notice, hidden.
    move(slot::extended_notice, 5500, 1364);
    ctl(slot::extended_notice).set_visible(false);

    // 7. The fruit, leaf and bud frames one under another.
    for (int i = 1; i <= 3; ++i) {
        platform::Twips g = ctl(i).geometry();
        g.left = 500;
        g.top = 2700 + (i - 1) * 3400;
        g.height = 3000;
        ctl(i).set_geometry(g);
        ctl(i).set_back_colour(platform::rgb_value(199, 204, 197));
    }

    // 8. The result list.
    platform::Control& list = ctl(slot::result_list);
    list.set_geometry({19200 - 4200 - 1000, 1360, 4200, 10200});
    list.set_font_name(QStringLiteral("Georgia"));
    if (auto* qt_list = dynamic_cast<platform::QtControl*>(&list)) {
        QFont f = qt_list->widget()->font();
        f.setItalic(true);
        qt_list->widget()->setFont(f);
    }
    list.set_back_colour(platform::rgb_value(236, 237, 232));

    // 9. Its heading above it.
    const platform::Twips l = list.geometry();
    platform::Twips h = ctl(slot::heading).geometry();
    ctl(slot::heading).set_geometry({l.left, l.top - 800, l.width, h.height});

    // 10. The credit labels read as one line to the right of the bud frame.
    const platform::Twips bud = ctl(3).geometry();
    move(30, bud.left + bud.width + 1000, ctl(30).geometry().top);
    move(31, ctl(30).geometry().left + ctl(30).geometry().width, ctl(31).geometry().top);
    ctl(31).set_caption(QStringLiteral(" Quenla frutescens"));
    move(32, ctl(31).geometry().left + ctl(31).geometry().width, ctl(32).geometry().top);
    ctl(32).set_caption(QStringLiteral(", Halvik 14987"));

    // 11. PRINT centred under the result list, hidden.
    const platform::Twips p = ctl(slot::print_button).geometry();
    move(slot::print_button, l.left + (l.width - p.width) / 2, l.top + l.height + 200);
    ctl(slot::print_button).set_visible(false);

    // 12. The berry shape options; Spherical chosen.
    ctl(slot::spherical).set_back_colour(platform::rgb_value(199, 204, 197));
    ctl(slot::ellipsoidal).set_back_colour(platform::rgb_value(199, 204, 197));
    ctl(slot::spherical).set_value(1);

    // 13. NEXT and BACK side by side under the frames, 200 apart.
    const platform::Twips fruit = ctl(1).geometry();
    const int w = ctl(slot::next_button).geometry().width;
    for (int s : {slot::next_button, slot::back_button}) {
        const int sign = s == slot::next_button ? -1 : 1;
        ctl(s).set_visible(true);
        move(s, fruit.left + (fruit.width - w) / 2 + sign * (w / 2 + 100), bud.top + bud.height + 100);
    }

    // 14. CLEAR shown, EXTEND hidden, both above the frames.
    move(slot::clear_button, 9300, 1360);
    ctl(slot::clear_button).set_visible(true);
    move(slot::extend_button, 6350, 1360);
    ctl(slot::extend_button).set_visible(false);

    // 15. The first final colour and colour below chosen.
    ctl(slot::final_colour).set_list_index(0);
    ctl(slot::colour_below).set_list_index(0);
    return true;
}

void shut_down()
{
    cdc.reset();
    msg_style.reset();
    msg.reset();
    about.reset();
    pages.reset();
    // Close the windows from the most recently opened to the first; a window
    // already closing ignores the second request.
    static bool closing = false;
    if (closing)
        return;
    closing = true;
    QWidgetList open;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && (form_tbl.empty() || w != form_tbl[0]))
            open.append(w);
    for (auto it = open.rbegin(); it != open.rend(); ++it)
        (*it)->close();
    if (!form_tbl.empty() && form_tbl[0]->isVisible())
        form_tbl[0]->close();
    closing = false;
}

}  // namespace qid
