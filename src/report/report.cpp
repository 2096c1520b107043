#include "report/report.h"

#include <optional>

#include "core/shared.h"
#include "document/pp_pages.h"
#include "identify/matching.h"
#include "pagelayout/pp_page.h"
#include "platform/messages.h"

namespace qid {

float rep_top_margin = 0;
float rep_header_margin = 0;
float rep_bottom_margin = 0;
float rep_footer_margin = 0;
float rep_left_margin = 0;
float rep_right_margin = 0;
float rep_indent = 0;

PPpage* rep_page = nullptr;
std::vector<PPpage*> rep_pages;
std::int16_t rep_page_count = 0;
std::vector<ReportNames> rep_names;
float rep_x = 0;
float rep_y = 0;
float rep_line_h = 0;

namespace {

PPpages* rep_doc = nullptr;                // the document the report's pages are in
std::optional<ReportSubject> rep_subject;  // what they tell
ReportNames names;                         // the names of the page being composed
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

const ReportSubject& subject()
{
    return *rep_subject;
}

bool valid_stage()
{
    return rep_subject && subject().stage >= 0 && subject().stage <= 2;
}

// The number of species the shown step selected.
int selected_count()
{
    const std::vector<std::int16_t>& row = subject().selected[static_cast<std::size_t>(subject().stage)];
    return row.empty() ? 0 : row[0];
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
        for (std::int16_t st = 0; st <= subject().stage; ++st)
            report_entries(st);
    std::int16_t step = subject().stage;
    report_trees(step);
}

// Divides the species list among pages: each page takes the names whose
// line still starts inside its text area, and at least one.
void plan_pages()
{
    std::unique_ptr<PPpage> trial = rep_doc->trial_page();
    rep_page = trial.get();
    planning = true;
    rep_names.clear();
    const int count = selected_count();
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

void set_report_margins()
{
    rep_top_margin = 0.8f;
    rep_header_margin = 0.4f;
    rep_bottom_margin = 0.6f;
    rep_footer_margin = 0.4f;
    rep_left_margin = 0.8f;
    rep_right_margin = 0.8f;
    rep_indent = 1.0f;
}

bool add_report_pages(PPpages& doc, const ReportSubject& subject)
{
    if (subject.stage < 0 || subject.stage > 2)
        return false;
    rep_doc = &doc;
    rep_subject.emplace(subject);
    page_err = false;
    doc.page_parms(rep_top_margin, rep_header_margin, rep_bottom_margin, rep_footer_margin, rep_left_margin,
                   rep_right_margin, 1, {});
    doc.mt();
    doc.set_page_content(report_page);
    plan_pages();
    rep_page_count = static_cast<std::int16_t>(rep_names.size());
    rep_pages.assign(static_cast<std::size_t>(rep_page_count) + 1, nullptr);
    for (std::int16_t p = 1; p <= rep_page_count; ++p)
        rep_pages[static_cast<std::size_t>(p)] = doc.Add(p, p);
    return true;
}

void print_report(PPpages& doc, const ReportSubject& subject)
{
    if (!add_report_pages(doc, subject))
        return;
    std::int16_t mode = 1;
    float zoom = 1;
    std::int16_t page = 1;
    report_page(mode, zoom, page);
}

void report_page(std::int16_t& mode, float& zoom, std::int16_t& page)
{
    if (!rep_doc)
        return;
    // A composition starts clean: an earlier error does not blank this page.
    page_err = false;
    rep_page = rep_doc->find_page(page);
    if (!rep_page) {
        platform::system_message(QStringLiteral("Page number ") + number(page) + QStringLiteral(" doesn't exist!"),
                                 QStringLiteral("MAIN PROGRAM  ERROR"), platform::icon_critical);
        page_err = true;
        return;
    }
    // Without a shown step there is nothing the report could say.
    if (!valid_stage())
        return;
    const std::size_t index = static_cast<std::size_t>(rep_doc->find_index(page));
    names = index >= 1 && index <= rep_names.size() ? rep_names[index - 1] : ReportNames{};
    compose(mode, zoom);
    rep_doc->print_it(page);
}

void report_entries(std::int16_t& step)
{
    if (!rep_subject)
        return;
    const ObservationSet& o = subject().observations;
    if (step == 0) {
        const bool normal = subject().factors.size_factor == 1.0f;
        paragraph(normal ? QStringLiteral("Tree type is normal") : QStringLiteral("Tree type is young or small"), false,
                  -1);
        rep_y += 2 * rep_line_h;
        paragraph(QStringLiteral("\\b/FRUIT\\n/"), false, 0);
        if (!o.fruit_colour[0].isEmpty()) {
            rep_x = indent_x();
            item(QStringLiteral("Colour: ") + o.fruit_colour[0]);
            rep_y += rep_line_h;
            if (o.fruit_colour[1] != QLatin1String("UNCHANGED"))
                item(QStringLiteral(" changing to ") + o.fruit_colour[1], true);
        }
        rep_x = indent_x();
        item(QStringLiteral("Shape: ") + (o.spherical ? QStringLiteral("spherical") : QStringLiteral("ellipsoidal")));
        if (o.berry_size != 0)
            item(QStringLiteral(", size = ") + number(o.berry_size) + QStringLiteral("mm"));
        end_line();
    } else if (step == 1 && !no_leaf_data(o)) {
        paragraph(QStringLiteral("\\b/LEAF\\n/"), false, 0);
        rep_x = indent_x();
        item(QStringLiteral("Colour above : ") + o.leaf_colour[0]);
        if (o.leaf_colour[1] != QLatin1String("AS ABOVE"))
            item(QStringLiteral(", below ") + o.leaf_colour[1]);
        end_line();
        rep_x = indent_x();
        if (o.leaf_size[1] != 0) {
            item(QStringLiteral("Leaf size = ") + number(o.leaf_size[1]) + QStringLiteral("mm"));
            rep_x += 0.1f;
        }
        if (o.leaf_size[0] != 0) {
            item(QStringLiteral("Leaflet pairs = ") + number(o.leaf_size[0]));
            rep_x += 0.1f;
        }
        if (o.leaf_size[2] != 0 && o.leaf_size[3] != 0)
            item(QStringLiteral("Leaflets; L = ") + number(o.leaf_size[2]) + QStringLiteral("mm, W = ") +
                 number(o.leaf_size[3]) + QStringLiteral("mm"));
        end_line();
    } else if (step == 2 && !no_bud_data(o)) {
        paragraph(QStringLiteral("\\b/BUD\\n/"), false, 0);
        rep_x = indent_x();
        const char* labels[] = {"Colour: ", " Hairs: ", " Sticky? "};
        for (std::size_t k = 0; k < 3; ++k)
            if (!o.bud_prop[k].isEmpty())
                item(QString::fromLatin1(labels[k]) + o.bud_prop[k]);
        if (o.bud_length != 0)
            item(QStringLiteral(" Length = ") + number(o.bud_length) + QStringLiteral("mm"));
        end_line();
    }
}

void report_trees(std::int16_t& step)
{
    if (!rep_subject || step < 0 || step > 2)
        return;
    // The page with the observations leaves an empty line before the list.
    if (names.first == 1)
        rep_y += rep_line_h;
    paragraph(QStringLiteral("\\b/SELECTED TREES\\n/"), true, -1);
    rep_page->font(QStringLiteral("Georgia"), 12, {}, true);
    const std::vector<std::int16_t>& row = subject().selected[static_cast<std::size_t>(step)];
    const int total = row.empty() ? 0 : row[0];
    const int last = planning ? total : std::min(total, names.first + names.count - 1);
    const float bottom = rep_page->page_data(2).toFloat() + rep_page->page_data(0).toFloat();
    for (int k = names.first; k <= last && k < static_cast<int>(row.size()); ++k) {
        if (planning && k > names.first && rep_y > bottom)
            break;
        const int species = row[static_cast<std::size_t>(k)];
        const std::vector<QString>& species_name = subject().table.names;
        const QString name = species >= 1 && species < static_cast<int>(species_name.size())
                                 ? species_name[static_cast<std::size_t>(species)]
                                 : QString();
        paragraph(QStringLiteral("Quenla ") + literal(name), true, -1);
        placed = k - names.first + 1;
    }
    rep_page->font(QStringLiteral("Century Gothic"), 12, {}, false);
}

}  // namespace qid
