// The document: its pages, settings and output.
#include "document/pp_pages.h"

#include <algorithm>
#include <cmath>

#include <QLabel>
#include <QPixmap>

#include "dialogs/cdc_class.h"
#include "document/preview.h"
#include "document/printer_sheet.h"
#include "document/workbook.h"
#include "platform/dialogs.h"
#include "platform/host.h"
#include "platform/messages.h"
#include "platform/printer_target.h"
#include "core/numbers.h"
#include "core/shared.h"

namespace qid {

using platform::icon_critical;

namespace {

// The flags of the printer dialog: set-up only, no printing to a file.
constexpr std::int32_t printer_dialog_flags = 1572928;
// The page-setup dialog leaves the printer alone; its unit flag is added.
constexpr std::int32_t page_setup_flags = 32;
// The font dialog: screen and printer fonts, effects, sizes limited, the
// initial font offered, only existing fonts.
constexpr std::int32_t font_dialog_flags = 74051;

const QString font_range = QStringLiteral("Options must be in the range 0 to 7");

// A colour value held to the colours there are.
std::int32_t colour_of(const QVariant& v)
{
    const double c = round_half_even(v.toDouble());
    return std::isfinite(c) ? static_cast<std::int32_t>(std::clamp(c, 0.0, 16777215.0)) : 0;
}

QString number(int n)
{
    return QString::number(n);
}

// The zoom cursors of the preview, in, then out.
QString cursor_path(int i)
{
    const char* cursors[] = {"graphics/mag-plus.ico", "graphics/mag-minus.ico"};
    return platform::host().program_folder() + QStringLiteral("/") + QString::fromLatin1(cursors[i]);
}

void report_missing(const QString& path)
{
    platform::system_message(QStringLiteral("File '") + path + QStringLiteral("' doesn't exist."),
                             QStringLiteral("'set_up'") + QStringLiteral(" ERROR"), icon_critical);
    page_err = true;
}

}  // namespace

QStringList PPpages::check_pictures()
{
    QStringList unreadable = preview::check_pictures();
    for (int i = 0; i < 2; ++i)
        if (!platform::picture_readable(cursor_path(i))) {
            report_missing(cursor_path(i));
            unreadable << cursor_path(i);
        }
    return unreadable;
}

PPpages::PPpages(DocumentDevices devices, QStringList reported) : devices_(devices), reported_(std::move(reported))
{
    printer_ = devices.printer ? devices.printer : &platform::current_printer();
    if (devices.sheet) {
        sheet_ = devices.sheet;
    } else {
        own_sheet_ = std::make_unique<LiveSheet>(platform::current_printer().printer());
        sheet_ = own_sheet_.get();
    }
    set_up();
}

PPpages::~PPpages()
{
    list_.clear();
    if (window_->bound_pages() == this)
        window_->set_PPpages(nullptr);
    window_.reset();
}

void PPpages::set_up()
{
    window_ = preview_window(reported_);
    cdc_ = std::make_unique<CDC_class>();
    units = 0;
    const platform::ScreenTwips screen = platform::host().screen();
    view_.screen_h = screen.height;
    view_.screen_w = screen.width;
    view_.bar_size = 340;
    // A missing cursor picture is reported; the document stays usable.
    for (int i = 0; i < 2; ++i) {
        QPixmap picture;
        if (picture.load(cursor_path(i)))
            window_->cursor_holder(4 + i)->setPixmap(picture);
        else if (!reported_.contains(cursor_path(i)))
            report_missing(cursor_path(i));
    }
    font_set = {QStringLiteral("Arial"), 12, false, false, false, false, 0, 400};
    twips_per_unit = unit_table[0][static_cast<std::size_t>(units)];
    const float preset = 1080.0f / twips_per_unit;
    margin_preset = {preset, preset, preset, preset, 0, 0, static_cast<float>(units)};
    paper_colour = platform::rgb_value(255, 255, 255);
    settings[9] = static_cast<float>(paper_colour);
    printer_setup();
    view_.zoom_level = 0;
    view_.zoom_step = 1;
    settings[10] = 1.0f;
    view_.zoomed = false;
    view_.v_hidden = false;
}

void PPpages::printer_setup()
{
    platform::TargetFont f;
    f.name = QStringLiteral("Arial");
    f.size = 12;
    printer_->set_font(f);
    orientation = sheet_->orientation();
    paper_size = sheet_->paper();
    size_preview();
    read_offsets();
    // Printer sizes times preview_scale are surface sizes: the surface is a
    // proportional picture of the paper.
    const double surface_h = view_.frame_h / twips_per_unit;
    const double surface_w = view_.frame_w / twips_per_unit;
    preview_scale = static_cast<float>(std::min(surface_h / paper_h, surface_w / paper_w));
    set_surface(1.0);
    platform::DrawTarget& surface = devices_.surface ? *devices_.surface : window_->surface();
    f.size = 12 * preview_scale;
    surface.set_font(f);
    surface.clear();
    left = margin_preset[0];
    right = margin_preset[1];
    top = margin_preset[2];
    header = top * 0.5f;
    bottom = margin_preset[3];
    footer = bottom * 0.3f;
    recompute_printable();
    write_margin_settings();
    settings[11] = x_off;
    settings[12] = y_off;
    settings[13] = preview_scale;
}

// The margins and the page increment, as every new page receives them.
void PPpages::write_margin_settings()
{
    settings[2] = top;
    settings[3] = header;
    settings[4] = bottom;
    settings[5] = footer;
    settings[6] = left;
    settings[7] = right;
    settings[8] = page_inc;
}

void PPpages::recompute_printable()
{
    printable_h = paper_h - top - bottom;
    printable_w = paper_w - left - right;
    settings[0] = printable_h;
    settings[1] = printable_w;
}

void PPpages::page_parms(std::optional<float> t_m, std::optional<float> h_m, std::optional<float> b_m,
                         std::optional<float> f_m, std::optional<float> l_m, std::optional<float> r_m,
                         std::optional<std::int16_t> p_i, std::optional<std::int32_t> p_cl)
{
    top = t_m.value_or(top);
    header = h_m.value_or(header);
    bottom = b_m.value_or(bottom);
    footer = f_m.value_or(footer);
    left = l_m.value_or(left);
    right = r_m.value_or(right);
    page_inc = p_i.value_or(page_inc);
    paper_colour = p_cl.value_or(paper_colour);
    write_margin_settings();
    settings[9] = static_cast<float>(paper_colour);
    recompute_printable();
    window_->surface().set_back_color(paper_colour);
    if (devices_.surface)
        devices_.surface->set_back_color(paper_colour);
}

QVariant PPpages::page_data(std::int16_t opt)
{
    switch (opt) {
    case 8: return QVariant::fromValue(page_inc);
    case 9: return QVariant::fromValue(paper_colour);
    case 10: return view_.zoom_factor;
    default:
        if (opt >= 0 && opt <= 13)
            return settings[static_cast<std::size_t>(opt)];
        platform::system_message(QStringLiteral("Options must be in the range 0 to 12"),
                                 QStringLiteral("'PPpages:page_data' ERROR"), icon_critical);
        page_err = true;
        return {};
    }
}

void PPpages::set_pinc(std::int16_t pnc)
{
    if (pnc != 1 && pnc != 2) {
        platform::system_message(QStringLiteral("The value must be 1 or 2."), QStringLiteral("'set_pinc' ERROR"),
                                 icon_critical);
        return;
    }
    page_inc = pnc;
    settings[8] = pnc;
}

PPpage* PPpages::Add(std::int16_t l_pge, std::int16_t a_pge)
{
    for (const auto& p : list_)
        if (p->page_number(0).value<std::int16_t>() == l_pge) {
            platform::system_message(QStringLiteral("Page ") + number(l_pge) +
                                         QStringLiteral(" is already in the document."),
                                     QStringLiteral("'Add' ERROR"), icon_critical);
            page_err = true;
            return nullptr;
        }
    platform::DrawTarget& surface = devices_.surface ? *devices_.surface : window_->surface();
    auto page = std::make_unique<PPpage>(*printer_, surface, window_->graphic_box());
    page->page_numbers(l_pge, a_pge);
    for (std::int16_t opt = 0; opt <= 13; ++opt)
        page->set_sizes(opt, settings[static_cast<std::size_t>(opt)]);
    page->font_defaults(font_set);
    list_.push_back(std::move(page));
    page_count = static_cast<std::int16_t>(list_.size());
    first_page = list_.front()->page_number(0).value<std::int16_t>();
    last_page = list_.back()->page_number(0).value<std::int16_t>();
    set_v_bar(0);
    return list_.back().get();
}

std::unique_ptr<PPpage> PPpages::trial_page()
{
    if (!trial_printer_)
        trial_printer_ = std::make_unique<platform::MeasureTarget>(printer_);
    auto page = std::make_unique<PPpage>(*trial_printer_, trial_surface_, window_->graphic_box());
    for (std::int16_t opt = 0; opt <= 13; ++opt)
        page->set_sizes(opt, settings[static_cast<std::size_t>(opt)]);
    page->font_defaults(font_set);
    return page;
}

void PPpages::Delete(std::int16_t pge)
{
    const auto found = std::find_if(list_.begin(), list_.end(), [pge](const std::unique_ptr<PPpage>& p) {
        return p->page_number(0).value<std::int16_t>() == pge;
    });
    if (found != list_.end())
        list_.erase(found);
    page_count = static_cast<std::int16_t>(list_.size());
}

void PPpages::mt()
{
    while (!list_.empty())
        list_.pop_back();
}

std::int16_t PPpages::find_index(std::int16_t pn)
{
    for (std::size_t i = 0; i < list_.size(); ++i)
        if (list_[i]->page_number(0).value<std::int16_t>() == pn)
            return static_cast<std::int16_t>(i + 1);
    platform::system_message(QStringLiteral("Page ") + number(pn) + QStringLiteral(" isn't indexed!"),
                             QStringLiteral("'find_index' ERROR"), icon_critical);
    page_err = true;
    return 0;
}

PPpage* PPpages::find_page(std::int16_t pn)
{
    for (const auto& p : list_)
        if (p->page_number(0).value<std::int16_t>() == pn)
            return p.get();
    platform::system_message(QStringLiteral("Page ") + number(pn) + QStringLiteral(" isn't indexed!"),
                             QStringLiteral("'find_page' ERROR"), icon_critical);
    page_err = true;
    return nullptr;
}

void PPpages::num_pge(std::int16_t& np, std::int16_t& pp1, std::int16_t& pp2) const
{
    np = page_count;
    pp1 = first_page;
    pp2 = last_page;
}

void PPpages::print_it(std::int16_t pn)
{
    current_page = pn;
    PPpage* page = find_page(pn);
    if (page_err || !page)
        return;
    page->set_sizes(11, settings[11]);
    page->set_sizes(12, settings[12]);
    if (page->page_flag() != 0) {
        show_preview();
        return;
    }
    if (pn == final_pg)
        printer_->end_doc();
    else
        printer_->new_page();
}

// The paper and the unprintable offsets of the printer as it now stands.
void PPpages::read_offsets()
{
    const QSizeF page = sheet_->page_twips() / twips_per_unit;
    const QSizeF printable = sheet_->printable_twips() / twips_per_unit;
    paper_w = static_cast<float>(page.width());
    paper_h = static_cast<float>(page.height());
    x_off = (paper_w - static_cast<float>(printable.width())) / 2;
    y_off = (paper_h - static_cast<float>(printable.height())) / 2;
    settings[11] = x_off;
    settings[12] = y_off;
}

bool PPpages::choose_printer()
{
    page_err = false;
    cdc_->ShowPrinter(window_.get(), printer_dialog_flags);
    if (page_err)
        return false;
    // Whatever the chosen printer prefers, the pages keep their paper.
    sheet_->set_orientation(orientation);
    sheet_->set_paper(paper_size);
    return true;
}

// The chosen printer's paper: its offsets and the printable sizes go to every
// page at once, so the next sheet is composed for that printer, not the last.
void PPpages::take_printer_geometry()
{
    read_offsets();
    recompute_printable();
    for (const auto& page : list_)
        for (const std::int16_t opt : {0, 1, 11, 12})
            page->set_sizes(opt, settings[static_cast<std::size_t>(opt)]);
}

void PPpages::select_printer()
{
    if (choose_printer())
        take_printer_geometry();
}

void PPpages::select_Excel_printer(Workbook& wbk)
{
    if (!choose_printer())
        return;
    // The pages print on the chosen printer too, from its own corner.
    take_printer_geometry();
    wbk.set_active_printer(printer_on_port(sheet_->device_name()));
}

QString printer_on_port(const QString& name)
{
    QString port;
    for (const platform::InstalledPrinter& p : platform::dialog_seam().installed_printers())
        if (p.device == name) {
            port = p.port;
            break;
        }
    return name + QStringLiteral(" on ") + port;
}

void PPpages::page_setup()
{
    page_err = false;
    const auto unit = static_cast<std::size_t>(units);
    cdc_->ShowPageSetupDlg(window_.get(), static_cast<std::int32_t>(unit_table[2][unit]) | page_setup_flags);
    if (page_err)
        return;
    // The dialog counts in thousandths of an inch or hundredths of a millimetre.
    const double per_unit = units == 0 ? 1000.0 : 100.0;
    const QMarginsF m = cdc_->page_margins() / per_unit;
    margin_preset[0] = static_cast<float>(m.left());
    margin_preset[1] = static_cast<float>(m.right());
    margin_preset[2] = static_cast<float>(m.top());
    margin_preset[3] = static_cast<float>(m.bottom());
    twips_per_unit = unit_table[0][unit];
    printer_setup();
}

void PPpages::font_setup()
{
    const QString name = cdc_->ShowFont(window_.get(), font_dialog_flags);
    if (page_err)
        return;
    font_set[0] = name;
    for (std::int16_t opt = 1; opt <= 7; ++opt)
        font_set[static_cast<std::size_t>(opt)] = cdc_->FontData(opt);
}

void PPpages::set_font(const QVariant& itm, std::int16_t opt)
{
    if (opt < 0 || opt > 7) {
        platform::system_message(font_range, QStringLiteral("'font_data' ERROR"), icon_critical);
        page_err = true;
        return;
    }
    font_set[static_cast<std::size_t>(opt)] = itm;
    platform::TargetFont f = printer_->font();
    switch (opt) {
    case 0: f.name = itm.toString(); break;
    case 1: f.size = itm.toFloat(); break;
    case 2:
        // Bold is weight 700, not bold 400.
        f.bold = itm.toBool();
        f.weight = f.bold ? 700 : 400;
        font_set[7] = f.weight;
        break;
    case 3: f.italic = itm.toBool(); break;
    case 4: f.underline = itm.toBool(); break;
    case 5: f.strikethrough = itm.toBool(); break;
    case 6:
        printer_->set_fore_color(colour_of(itm));
        return;
    default:
        // A weight above normal is bold.
        f.weight = clamp_int16(round_half_even(itm.toDouble()));
        f.bold = f.weight >= 401;
        font_set[2] = f.bold;
        break;
    }
    printer_->set_font(f);
}

QVariant PPpages::font_dta(std::int16_t opt)
{
    if (opt < 0 || opt > 7) {
        platform::system_message(font_range, QStringLiteral("'font_dta' ERROR"), icon_critical);
        page_err = true;
        return {};
    }
    return font_set[static_cast<std::size_t>(opt)];
}

void PPpages::end_printer_doc()
{
    printer_->end_doc();
}

void PPpages::compose(std::int16_t mode, float zoom, std::int16_t page)
{
    if (content_)
        content_(mode, zoom, page);
}

}  // namespace qid
