#include "dialogs/cdc_class.h"

#include <utility>

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include "platform/dialogs.h"
#include "platform/messages.h"
#include "platform/printer_target.h"
#include "core/numbers.h"
#include "core/shared.h"

namespace qid {

namespace {

constexpr int max_open_names = 200;
const QChar cr = QLatin1Char('\r');

// The extended error codes of the common dialogs and what they mean.
const std::pair<std::int32_t, const char*> error_texts[] = {
    {0xFFFF, "The function could not open the dialog box."},
    {0, "The error involved a general common dialog box property."},
    {1, "The function was provided with an invalid structure size."},
    {2, "The function failed during initialization (probably insufficient memory)."},
    {3, "The function was not provided with a valid template (if one was required)."},
    {4, "The function was not provided with a valid instance handle (if one was required)."},
    {5, "The function failed to load the desired string."},
    {6, "The function failed to find the desired resource."},
    {7, "The function failed to load the desired resource."},
    {8, "The function failed to lock the desired resource."},
    {9, "The function failed to allocate sufficient memory."},
    {10, "The function failed to lock the desired memory."},
    {11, "The function was not provided with a valid hook function handle (if one was required)."},
    {12, "The function failed to successfully register a window message."},
    {4096, "The error involved the Print common dialog box."},
    {4097, "The function failed to load the desired resources."},
    {4098, "The function failed to parse the printer-related strings in WIN.INI."},
    {4099, "The handles to the data structures provided were nonzero even though the function "
           " was asked to return information about the default printer."},
    {4100, "The function failed to load the desired device driver."},
    {4101, "The printer driver failed to initialize the DEVMODE structure."},
    {4102, "The function failed during initialization."},
    {4103, "The function could not find any printers."},
    {4104, "The function could not find a default printer."},
    {4105, "The data in the two data structures describe different printers (i.e., they hold conflicting "
           "information)."},
    {4106, "The function failed to create an information context."},
    {4107, "The function could not find information in WIN.INI about the requested printer."},
    {4108, "The function was told that the information provided described the default printer,"
           " but the default printer's actual settings were different."},
    {8192, "The error involved the Choose Font common dialog box."},
    {8193, "The function could not find any existing fonts."},
    {8194, "The function was provided with a maximum font size value smaller than the provided minimum font "
           "size."},
    {12288, "The error involved the Open File or Save File common dialog box."},
    {12289, "The function had insufficient memory to subclass the list box."},
    {12290, "The function was provided with or received an invalid filename."},
    {12291, "The function was provided with a filename buffer which was too small."},
    {16384, "The error involved the Find or Replace common dialog box."},
    {16385, "The function was provided with an invalid buffer."},
};

// Margins in points turned into thousandths of an inch or hundredths of a millimetre.
QMarginsF in_dialog_units(const QMarginsF& points, std::int32_t flags)
{
    const double per_point =
        (flags & CDC_class::psd_inhundredthsofmillimeters) ? 2540.0 / 72.0 : 1000.0 / 72.0;
    return points * per_point;
}

platform::FileRequest file_request(QWidget* huke, const QString& filters, const QString& title, const QString& idir)
{
    platform::FileRequest request;
    request.owner = huke;
    request.filter = qt_file_filter(filters);
    request.title = title;
    request.folder = idir;
    return request;
}

}  // namespace

QString qt_file_filter(const QString& filters)
{
    QString normal = filters;
    normal.replace(QChar(0), QLatin1Char('|'));
    const QStringList parts = normal.split(QLatin1Char('|'), Qt::SkipEmptyParts);
    QStringList out;
    static const QRegularExpression separators(QStringLiteral("[;,\\s]+"));
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QStringList given = parts[i + 1].split(separators, Qt::SkipEmptyParts);
        QString description = parts[i].trimmed();
        // A description that already lists its patterns ("Text (*.txt)") lists them once.
        const qsizetype open = description.lastIndexOf(QLatin1Char('('));
        if (open >= 0 && description.endsWith(QLatin1Char(')')) &&
            description.mid(open + 1, description.size() - open - 2).split(separators, Qt::SkipEmptyParts) == given)
            description = description.left(open).trimmed();
        QStringList patterns;
        for (const QString& p : given)
            patterns << (p == QLatin1String("*.*") ? QStringLiteral("*") : p);  // every file, dotted or not
        out << description + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return out.join(QStringLiteral(";;"));
}

CDC_class::CDC_class() = default;

void CDC_class::not_chosen(const QString& fnct, std::int32_t error)
{
    if (error != 0)
        error_message(fnct, error);
    page_err = true;
}

QString CDC_class::ShowOpen(QWidget* huke, const QString& filters, std::int32_t flgs, const QString& title,
                            const QString& idir)
{
    page_err = false;
    platform::FileRequest request = file_request(huke, filters, title, idir);
    request.initial = file_;
    request.multiple = (flgs & ofn_allowmultiselect) != 0;
    const platform::FileAnswer answer = platform::dialog_seam().open_file(request);
    if (!answer.confirmed || answer.paths.isEmpty()) {
        not_chosen(QStringLiteral("ShowOpen"), answer.error);
        return {};
    }
    if (answer.paths.size() == 1) {
        file_ = answer.paths.front();
        return file_;
    }
    QString result = QDir::toNativeSeparators(QFileInfo(answer.paths.front()).absolutePath()) + cr;
    for (const QString& path : answer.paths.mid(0, max_open_names))
        result += QFileInfo(path).fileName() + cr;
    return result;
}

QString CDC_class::ShowSave(QWidget* huke, const QString& filter, const QString& ext_txt, std::int32_t flgs,
                            const QString& title, const QString& idir)
{
    page_err = false;
    platform::FileRequest request = file_request(huke, filter, title, idir);
    request.default_suffix = ext_txt;
    request.confirm_overwrite = (flgs & ofn_overwriteprompt) != 0;
    const platform::FileAnswer answer = platform::dialog_seam().save_file(request);
    if (!answer.confirmed || answer.paths.isEmpty()) {
        not_chosen(QStringLiteral("ShowSave"), answer.error);
        return {};
    }
    return answer.paths.front();
}

void CDC_class::ShowPrinter(QWidget* huke, std::int32_t flgs)
{
    page_err = false;
    const platform::DialogEnd end = platform::dialog_seam().printer(huke, flgs, platform::current_printer().printer());
    if (!end.confirmed)
        not_chosen(QStringLiteral("ShowPrinter"), end.error);
}

std::int32_t CDC_class::ShowColor(QWidget* huke, std::int32_t flgs)
{
    page_err = false;
    std::array<std::int32_t, 16> custom = custom_;
    const platform::ColourAnswer answer = platform::dialog_seam().colour(huke, flgs, custom);
    if (!answer.confirmed) {
        not_chosen(QStringLiteral("ShowColor"), answer.error);
        return -1;
    }
    custom_ = custom;
    return answer.rgb;
}

QString CDC_class::ShowFont(QWidget* huke, std::int32_t flgs)
{
    page_err = false;
    platform::FontRequest request;
    request.owner = huke;
    request.flags = flgs;
    request.initial.face = QStringLiteral("Century Gothic");
    const platform::FontAnswer answer = platform::dialog_seam().font(request);
    if (!answer.confirmed) {
        not_chosen(QStringLiteral("ShowFont"), answer.error);
        return {};
    }
    const platform::FontChoice& f = answer.font;
    font_.size = clamp_int16(round_half_even(f.tenths / 10.0));
    font_.weight = font_wt(f.weight);
    font_.italic = f.italic;
    font_.underline = f.underline;
    font_.strikethrough = f.strikeout;
    font_.colour = f.colour;
    font_.name = f.face;
    return font_.name;
}

QString CDC_class::font_wt(int wt_code)
{
    static const std::pair<int, const char*> names[] = {
        {0, "Don't care"}, {100, "Thin"},      {200, "Extra Light"}, {300, "Light"}, {400, "Normal"},
        {600, "Demi-bold"}, {700, "Bold"},     {800, "Extra-bold"},  {900, "Black"},
    };
    for (const auto& [code, name] : names)
        if (code == wt_code) {
            font_.bold = code >= 600;
            return QString::fromLatin1(name);
        }
    return {};
}

QVariant CDC_class::FontData(std::int16_t op)
{
    switch (op) {
    case 0: return font_.name;
    case 1: return QVariant::fromValue(font_.size);
    case 2: return font_.bold;
    case 3: return font_.italic;
    case 4: return font_.underline;
    case 5: return font_.strikethrough;
    case 6: return QVariant::fromValue(font_.colour);
    case 7: return font_.weight;
    default:
        platform::system_message(QStringLiteral("The parameter must be in the range 0 to 7 "),
                                 QStringLiteral("FONT DATA ERROR"), platform::icon_none);
        return {};
    }
}

std::int16_t CDC_class::ShowPageSetupDlg(QWidget* huke, std::int32_t flgs)
{
    page_err = false;
    const platform::PageSetupAnswer answer =
        platform::dialog_seam().page_setup(huke, flgs, platform::current_printer().printer());
    if (!answer.confirmed) {
        not_chosen(QStringLiteral("ShowPageSetupDlg"), answer.error);
        return -1;
    }
    margins_ = in_dialog_units(answer.margins, flgs);
    return 0;
}

void CDC_class::error_message(const QString& fnct, std::int32_t er_cd)
{
    QString text = QStringLiteral("Undocumented error.");
    for (const auto& [code, message] : error_texts)
        if (code == er_cd)
            text = QString::fromLatin1(message);
    platform::system_message(fnct + QStringLiteral("\n\n") + text, QStringLiteral("FUNCTION ERROR"),
                             platform::icon_none);
}

}  // namespace qid
