#include "platform/qt_dialogs.h"

#include <algorithm>
#include <cmath>

#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include <dlfcn.h>

#include <cups/cups.h>

namespace qid::platform {

namespace {

// Printer-dialog flags that the Qt dialog can honour.
constexpr std::int32_t pd_noselection = 0x4;
constexpr std::int32_t pd_nopagenums = 0x8;
constexpr std::int32_t pd_printsetup = 0x40;
constexpr std::int32_t pd_disableprinttofile = 0x80000;
constexpr std::int32_t pd_hideprinttofile = 0x100000;

// Font-dialog flags.
constexpr std::int32_t cf_effects = 0x100;
constexpr std::int32_t cf_limitsize = 0x2000;
constexpr std::int32_t cf_fixedpitchonly = 0x4000;
constexpr std::int32_t cf_scalableonly = 0x20000;

// Colours are red + 256 x green + 65536 x blue.
QColor to_qcolor(std::int32_t rgb)
{
    return QColor(rgb & 0xff, (rgb >> 8) & 0xff, (rgb >> 16) & 0xff);
}

std::int32_t from_qcolor(const QColor& c)
{
    return c.red() + 256 * c.green() + 65536 * c.blue();
}

// The three functions of CUPS the printer list needs. The library is loaded
// when the list is first asked for, not when the program starts: it brings
// some two dozen libraries with it, and most runs never print.
struct Cups {
    decltype(&cupsGetDests2) get_dests = nullptr;
    decltype(&cupsGetOption) get_option = nullptr;
    decltype(&cupsFreeDests) free_dests = nullptr;
};

// CUPS, or nullptr when it is not installed.
const Cups* cups()
{
    static const Cups loaded = [] {
        Cups c;
        if (void* library = dlopen("libcups.so.2", RTLD_LAZY | RTLD_LOCAL)) {
            c.get_dests = reinterpret_cast<decltype(c.get_dests)>(dlsym(library, "cupsGetDests2"));
            c.get_option = reinterpret_cast<decltype(c.get_option)>(dlsym(library, "cupsGetOption"));
            c.free_dests = reinterpret_cast<decltype(c.free_dests)>(dlsym(library, "cupsFreeDests"));
        }
        return c;
    }();
    return loaded.get_dests && loaded.get_option && loaded.free_dests ? &loaded : nullptr;
}

}  // namespace

FileAnswer QtDialogSeam::open_file(const FileRequest& request)
{
    QFileDialog dialog(request.owner, request.title, request.folder, request.filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(request.multiple ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    if (!request.initial.isEmpty())
        dialog.selectFile(request.initial);
    FileAnswer answer;
    answer.confirmed = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
    if (answer.confirmed)
        answer.paths = dialog.selectedFiles();
    return answer;
}

FileAnswer QtDialogSeam::save_file(const FileRequest& request)
{
    QFileDialog dialog(request.owner, request.title, request.folder, request.filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirm_overwrite);
    dialog.setDefaultSuffix(request.default_suffix);
    FileAnswer answer;
    answer.confirmed = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
    if (answer.confirmed)
        answer.paths = dialog.selectedFiles().mid(0, 1);
    return answer;
}

DialogEnd QtDialogSeam::printer(QWidget* owner, std::int32_t flags, QPrinter& printer)
{
    QPrintDialog dialog(&printer, owner);
    const bool setup_only = (flags & pd_printsetup) != 0;
    dialog.setOption(QAbstractPrintDialog::PrintSelection, !setup_only && !(flags & pd_noselection));
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, !setup_only && !(flags & pd_nopagenums));
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    // Printing to a PDF file is always offered when there is no default printer.
    const bool no_file = (flags & (pd_disableprinttofile | pd_hideprinttofile)) != 0;
    dialog.setOption(QAbstractPrintDialog::PrintToFile, !no_file || QPrinterInfo::defaultPrinter().isNull());
    DialogEnd end;
    end.confirmed = dialog.exec() == QDialog::Accepted;
    return end;
}

ColourAnswer QtDialogSeam::colour(QWidget* owner, std::int32_t, std::array<std::int32_t, 16>& custom)
{
    for (int i = 0; i < 16; ++i)
        QColorDialog::setCustomColor(i, to_qcolor(custom[static_cast<std::size_t>(i)]));
    QColorDialog dialog(owner);
    ColourAnswer answer;
    answer.confirmed = dialog.exec() == QDialog::Accepted;
    for (int i = 0; i < 16; ++i)
        custom[static_cast<std::size_t>(i)] = from_qcolor(QColorDialog::customColor(i));
    if (answer.confirmed)
        answer.rgb = from_qcolor(dialog.selectedColor());
    return answer;
}

FontAnswer QtDialogSeam::font(const FontRequest& request)
{
    QFont initial(request.initial.face);
    initial.setPointSizeF(request.initial.tenths / 10.0);
    initial.setWeight(static_cast<QFont::Weight>(std::clamp(request.initial.weight, 1, 1000)));
    initial.setItalic(request.initial.italic);
    initial.setUnderline(request.initial.underline);
    initial.setStrikeOut(request.initial.strikeout);
    QFontDialog::FontDialogOptions options;
    if (request.flags & cf_scalableonly)
        options |= QFontDialog::ScalableFonts;
    if (request.flags & cf_fixedpitchonly)
        options |= QFontDialog::MonospacedFonts;
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, initial, request.owner, QString(), options);
    FontAnswer answer;
    answer.confirmed = ok;
    if (!ok)
        return answer;
    double points = chosen.pointSizeF() > 0 ? chosen.pointSizeF() : request.initial.tenths / 10.0;
    if (request.flags & cf_limitsize)
        points = std::clamp(points, static_cast<double>(request.min_size), static_cast<double>(request.max_size));
    const bool effects = (request.flags & cf_effects) != 0;
    answer.font = {chosen.family(), static_cast<int>(std::lround(points * 10)), chosen.weight(), chosen.italic(),
                   effects && chosen.underline(), effects && chosen.strikeOut(), request.initial.colour};
    return answer;
}

PageSetupAnswer QtDialogSeam::page_setup(QWidget* owner, std::int32_t, const QPrinter& printer)
{
    // The dialog works on a scratch printer with the same paper, so the
    // printer in use keeps its settings; only the margins are handed back.
    QPrinter scratch(QPrinter::HighResolution);
    scratch.setOutputFormat(QPrinter::PdfFormat);
    scratch.setPageLayout(printer.pageLayout());
    QPageSetupDialog dialog(&scratch, owner);
    PageSetupAnswer answer;
    answer.confirmed = dialog.exec() == QDialog::Accepted;
    if (answer.confirmed)
        answer.margins = scratch.pageLayout().margins(QPageLayout::Point);
    return answer;
}

}  // namespace qid::platform

namespace qid::platform {

std::vector<InstalledPrinter> QtDialogSeam::installed_printers()
{
    std::vector<InstalledPrinter> found;
    const Cups* lib = cups();
    if (!lib)
        return found;
    cups_dest_t* dests = nullptr;
    const int count = lib->get_dests(CUPS_HTTP_DEFAULT, &dests);
    for (int i = 0; i < count; ++i) {
        const cups_dest_t& d = dests[i];
        if (d.instance)  // an instance shares its printer's queue
            continue;
        const char* uri = lib->get_option("device-uri", d.num_options, d.options);
        found.push_back({QString::fromUtf8(d.name), uri ? QString::fromUtf8(uri) : QString()});
    }
    lib->free_dests(count, dests);
    return found;
}

}  // namespace qid::platform
