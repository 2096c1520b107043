// What poppler's tools read from a PDF file: page counts, text, words and their places.
#pragma once
#include <vector>

#include <QProcess>
#include <QRegularExpression>
#include <QString>

namespace qid::testing {

// Standard output of a tool run to its end.
inline QString tool_output(const QString& tool, const QStringList& args)
{
    QProcess p;
    p.start(tool, args);
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

inline int pdf_pages(const QString& pdf)
{
    static const QRegularExpression pages(QStringLiteral("Pages:\\s*(\\d+)"));
    return pages.match(tool_output(QStringLiteral("pdfinfo"), {pdf})).captured(1).toInt();
}

// A word and the left and lower edges of its box, in inches from the paper's corner.
struct PdfWord {
    QString text;
    double x = 0;
    double y = 0;
};

inline std::vector<PdfWord> pdf_words(const QString& pdf)
{
    static const QRegularExpression word(QStringLiteral(
        R"re(<word xMin="([\d.]+)" yMin="[\d.]+" xMax="[\d.]+" yMax="([\d.]+)">([^<]*)</word>)re"));
    std::vector<PdfWord> words;
    const QString boxes = tool_output(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    for (const auto& m : word.globalMatch(boxes))
        words.push_back({m.captured(3), m.captured(1).toDouble() / 72, m.captured(2).toDouble() / 72});
    return words;
}

// The first word with this text; an empty word when there is none.
inline PdfWord pdf_word(const std::vector<PdfWord>& words, const QString& text)
{
    for (const PdfWord& w : words)
        if (w.text == text)
            return w;
    return {};
}

}  // namespace qid::testing
