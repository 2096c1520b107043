#pragma once
// CDC_class: the common dialogs as the rest of the program uses them. Each
// Show operation clears page_err, runs its dialog through the dialog seam and
// takes the answer back; a cancelled or failed dialog sets page_err, and a
// failure with an extended error code is named in a message box.
#include <array>
#include <cstdint>

#include <QMarginsF>
#include <QString>
#include <QVariant>

class QWidget;

namespace qid {

class CDC_class {
public:
    CDC_class();

    // One path, or for a multiple choice the folder, CR, then every name
    // followed by CR; "" when nothing was chosen.
    QString ShowOpen(QWidget* huke, const QString& filters, std::int32_t flgs, const QString& title,
                     const QString& idir);
    QString ShowSave(QWidget* huke, const QString& filter, const QString& ext_txt, std::int32_t flgs,
                     const QString& title, const QString& idir);
    // Confirmed: the current printer is the chosen one, with its settings.
    void ShowPrinter(QWidget* huke, std::int32_t flgs);
    // The chosen colour, -1 when none.
    std::int32_t ShowColor(QWidget* huke, std::int32_t flgs);
    // The chosen font's name ("" when none); FontData reads the rest.
    QString ShowFont(QWidget* huke, std::int32_t flgs);
    // The name of a font weight; sets or clears the bold flag of the last font.
    QString font_wt(int wt_code);
    // 0 name, 1 size, 2 bold, 3 italic, 4 underline, 5 strikethrough, 6 colour, 7 weight name.
    QVariant FontData(std::int16_t op);
    // 0 confirmed, -1 cancelled or failed.
    std::int16_t ShowPageSetupDlg(QWidget* huke, std::int32_t flgs);
    // The margins of the last confirmed page setup, in the unit its flags chose:
    // thousandths of an inch, or hundredths of a millimetre.
    QMarginsF page_margins() const { return margins_; }
    void error_message(const QString& fnct, std::int32_t er_cd);

    const std::array<std::int32_t, 16>& custom_colours() const { return custom_; }

    // Flags the class reads itself.
    static constexpr std::int32_t ofn_overwriteprompt = 0x2;
    static constexpr std::int32_t ofn_allowmultiselect = 0x200;
    static constexpr std::int32_t psd_inthousandthsofinches = 0x4;
    static constexpr std::int32_t psd_inhundredthsofmillimeters = 0x8;

private:
    // page_err and, for a failure with a code, its message.
    void not_chosen(const QString& fnct, std::int32_t error);

    QString file_;  // the last file chosen in ShowOpen, offered again next time
    std::array<std::int32_t, 16> custom_{};
    struct LastFont {
        QString name;
        std::int16_t size = 0;
        bool bold = false;
        bool italic = false;
        bool underline = false;
        bool strikethrough = false;
        std::int32_t colour = 0;
        QString weight;
    } font_;
    QMarginsF margins_;
};

// A filter list of "description|patterns" pairs (separated by "|" or NUL,
// patterns by ";") in the form Qt's file dialogs take.
QString qt_file_filter(const QString& filters);

}  // namespace qid
