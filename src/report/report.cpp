#include "report/report.h"

#include "document/pp_pages.h"
#include "identify/matching.h"
#include "pagelayout/pp_page.h"
#include "platform/messages.h"
#include "shell/state.h"

namespace qid {

PPpage* rep_page = nullptr;
std::vector<PPpage*> rep_pages;
std::int16_t rep_page_count = 0;
std::vector<ReportNames> rep_names;
float rep_x = 0;
float rep_y = 0;
float rep_line_h = 0;

namespace {

ReportNames names;      // the names of the page being composed
bool planning = false;  // laying the pages out in advance: the list stops where the page is full
int placed = 0;         // names the planned page took

float indent_x()
{
    return rep_indent + rep_left_margin;
}

// One observation item, continuing the line at rep_x.
void item(const QString& tx, bool tm = false)
{
    rep_page->add_text(tx, rep_x, tm, rep_y, -1, 0);
}

// A paragraph with format codes at rep_y.
void paragraph(const QString& tx, bool tm, int alg)
{
    float p_l = 0;
    rep_page->add_f_text(tx, rep_y, tm, alg, p_l, 0, 0);
}

void end_line()
{
    rep_page->terminate(rep_y);
}

QString number(int n)
{
    return QString::number(n);
}

// The text drawn as it is: every run of backslashes gets one more, so none
// of them opens a format code.
QString literal(const QString& s)
{
    QString out;
    int run = 0;
    for (const QChar c : s) {
        if (c == QLatin1Char('\\')) {
            ++run;
            continue;
        }
        if (run > 0)
            out += QString(run + 1, QLatin1Char('\\'));
        run = 0;
        out += c;
    }
    if (run > 0)
        out += QString(run + 1, QLatin1Char('\\'));
    return out;
}

bool valid_stage()
{
    return stage >= 0 && stage <= 2;
}

void compose(std::int16_t mode, float zoom)
{
    rep_page->set_pp(mode);
    rep_page->set_zoom(zoom);
    rep_page->font(QStringLiteral("Century Gothic"), 12);
    rep_line_h = rep_page->line_height();
    rep_page->head_foot(0, QStringLiteral("sd"), QStringLiteral("Kelbine identification"), QString(), QString(), 14,
                        true);
    rep_y = rep_page->page_data(2).toFloat();
    rep_page->set_align(0);
    if (names.first == 1)
        for (std::int16_t st = 0; st <= stage; ++st)
            report_entries(st);
    std::int16_t step = stage;
    report_trees(step);
}

// Divides the species list among pages: each page takes the names whose
// line still starts inside its text area, and at least one.
void plan_pages()
{
    std::unique_ptr<PPpage> trial = pages->trial_page();
    rep_page = trial.get();
    planning = true;
    rep_names.clear();
    const int count = selected[static_cast<std::size_t>(stage)].empty() ? 0 : selected[static_cast<std::size_t>(stage)][0];
    int next = 1;
    do {
        names = {next, 0};
        placed = 0;
        compose(0, 1.0f);
        names.count = placed;
        rep_names.push_back(names);
        next += placed;
    } while (next <= count);
    planning = false;
    rep_page = nullptr;
}

}  // namespace

void print_report()
{
    if (!pages || !valid_stage())
        return;
    page_err = false;
    pages->page_parms(rep_top_margin, rep_header_margin, rep_bottom_margin, rep_footer_margin, rep_left_margin,
                      rep_right_margin, 1, {});
    pages->mt();
    pages->set_page_content(report_page);
    plan_pages();
    rep_page_count = static_cast<std::int16_t>(rep_names.size());
    rep_pages.assign(static_cast<std::size_t>(rep_page_count) + 1, nullptr);
    for (std::int16_t p = 1; p <= rep_page_count; ++p)
        rep_pages[static_cast<std::size_t>(p)] = pages->Add(p, p);
    std::int16_t mode = 1;
    float zoom = 1;
    std::int16_t page = 1;
    report_page(mode, zoom, page);
}

void report_page(std::int16_t& mode, float& zoom, std::int16_t& page)
{
    if (!pages)
        return;
    // A composition starts clean: an earlier error does not blank this page.
    page_err = false;
    rep_page = pages->find_page(page);
    if (!rep_page) {
        platform::system_message(QStringLiteral("Page number ") + number(page) + QStringLiteral(" doesn't exist!"),
                                 QStringLiteral("MAIN PROGRAM  ERROR"), platform::icon_critical);
        page_err = true;
        return;
    }
    // Without a shown step there is nothing the report could say.
    if (!valid_stage())
        return;
    const std::size_t index = static_cast<std::size_t>(pages->find_index(page));
    names = index >= 1 && index <= rep_names.size() ? rep_names[index - 1] : ReportNames{};
    compose(mode, zoom);
    pages->print_it(page);
}

void report_entries(std::int16_t& step)
{
    if (step == 0) {
        paragraph(size_factor == 1.0f ? QStringLiteral("Tree type is normal") : QStringLiteral("Tree type is young or small"),
                  false, -1);
        rep_y += 2 * rep_line_h;
        paragraph(QStringLiteral("\\b/FRUIT\\n/"), false, 0);
        if (!fruit_colour[0].isEmpty()) {
            rep_x = indent_x();
            item(QStringLiteral("Colour: ") + fruit_colour[0]);
            rep_y += rep_line_h;
            if (fruit_colour[1] != QLatin1String("UNCHANGED"))
                item(QStringLiteral(" changing to ") + fruit_colour[1], true);
        }
        rep_x = indent_x();
        item(QStringLiteral("Shape: ") + (spherical ? QStringLiteral("spherical") : QStringLiteral("ellipsoidal")));
        if (berry_size != 0)
            item(QStringLiteral(", size = ") + number(berry_size) + QStringLiteral("mm"));
        end_line();
    } else if (step == 1 && !no_leaf_data()) {
        paragraph(QStringLiteral("\\b/LEAF\\n/"), false, 0);
        rep_x = indent_x();
        item(QStringLiteral("Colour above : ") + leaf_colour[0]);
        if (leaf_colour[1] != QLatin1String("AS ABOVE"))
            item(QStringLiteral(", below ") + leaf_colour[1]);
        end_line();
        rep_x = indent_x();
        if (leaf_size[1] != 0) {
            item(QStringLiteral("Leaf size = ") + number(leaf_size[1]) + QStringLiteral("mm"));
            rep_x += 0.1f;
        }
        if (leaf_size[0] != 0) {
            item(QStringLiteral("Leaflet pairs = ") + number(leaf_size[0]));
            rep_x += 0.1f;
        }
        if (leaf_size[2] != 0 && leaf_size[3] != 0)
            item(QStringLiteral("Leaflets; L = ") + number(leaf_size[2]) + QStringLiteral("mm, W = ") +
                 number(leaf_size[3]) + QStringLiteral("mm"));
        end_line();
    } else if (step == 2 && !no_bud_data()) {
        paragraph(QStringLiteral("\\b/BUD\\n/"), false, 0);
        rep_x = indent_x();
        const char* labels[] = {"Colour: ", " Hairs: ", " Sticky? "};
        for (std::size_t k = 0; k < 3; ++k)
            if (!bud_prop[k].isEmpty())
                item(QString::fromLatin1(labels[k]) + bud_prop[k]);
        if (bud_length != 0)
            item(QStringLiteral(" Length = ") + number(bud_length) + QStringLiteral("mm"));
        end_line();
    }
}

void report_trees(std::int16_t& step)
{
    // The page with the observations leaves an empty line before the list.
    if (names.first == 1)
        rep_y += rep_line_h;
    paragraph(QStringLiteral("\\b/SELECTED TREES\\n/"), true, -1);
    rep_page->font(QStringLiteral("Georgia"), 12, {}, true);
    const std::vector<std::int16_t>& row = selected[static_cast<std::size_t>(step)];
    const int total = row.empty() ? 0 : row[0];
    const int last = planning ? total : std::min(total, names.first + names.count - 1);
    const float bottom = rep_page->page_data(2).toFloat() + rep_page->page_data(0).toFloat();
    for (int k = names.first; k <= last && k < static_cast<int>(row.size()); ++k) {
        if (planning && k > names.first && rep_y > bottom)
            break;
        const int species = row[static_cast<std::size_t>(k)];
        const QString name = species >= 1 && species < static_cast<int>(species_name.size())
                                 ? species_name[static_cast<std::size_t>(species)]
                                 : QString();
        paragraph(QStringLiteral("Quenla ") + literal(name), true, -1);
        placed = k - names.first + 1;
    }
    rep_page->font(QStringLiteral("Century Gothic"), 12, {}, false);
}

}  // namespace qid
