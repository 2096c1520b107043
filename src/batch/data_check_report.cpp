#include "batch/data_check_report.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace qid::batch {

namespace {

QString plural(std::int64_t n, const char* one, const char* many)
{
    return QStringLiteral("%1 %2").arg(n).arg(QLatin1String(n == 1 ? one : many));
}

int line_of(const SpeciesData& d, int i)
{
    return i > 0 && i < static_cast<int>(d.lines.size()) ? d.lines[static_cast<std::size_t>(i)] : 0;
}

// A CSV cell, quoted when it holds a comma, a quote or a line end.
QString csv(const QString& text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n'))
        && !text.contains(QLatin1Char('\r')))
        return text;
    return QLatin1Char('"') + QString(text).replace(QLatin1String("\""), QLatin1String("\"\"")) + QLatin1Char('"');
}

}  // namespace

QString check_summary(const DataCheck& check)
{
    return QStringLiteral("%1 checked: %2, %3%4.")
        .arg(plural(check.species, "species", "species"),
             plural(check.records, "record that cannot be right", "records that cannot be right"),
             check.pairs_capped ? QStringLiteral("at least ") : QString(),
             plural(check.pairs, "pair that cannot be told apart", "pairs that cannot be told apart"));
}

QString format_check(Format format, const DataCheck& check, const SpeciesData& d, const QString& file)
{
    QString out;
    if (format == Format::table)
        out += file + QStringLiteral(": ") + check_summary(check) + QLatin1Char('\n');
    if (format == Format::csv)
        out += QStringLiteral("kind,line,species,other_line,other_species,detail\r\n");
    const auto name = [&](int i) { return i > 0 ? d.names.at(static_cast<std::size_t>(i)) : QString(); };
    for (const DataFinding& f : check.findings) {
        switch (format) {
        case Format::table: out += describe(f, d) + QLatin1Char('\n'); break;
        case Format::csv:
            out += QStringList({kind_name(f.kind), QString::number(line_of(d, f.species)), csv(name(f.species)),
                                f.other ? QString::number(line_of(d, f.other)) : QString(), csv(name(f.other)),
                                csv(f.detail)})
                       .join(QLatin1Char(','))
                   + QStringLiteral("\r\n");
            break;
        case Format::jsonl: {
            QJsonObject o{{QStringLiteral("kind"), kind_name(f.kind)},
                          {QStringLiteral("line"), line_of(d, f.species)},
                          {QStringLiteral("species"), name(f.species)},
                          {QStringLiteral("detail"), f.detail}};
            if (f.other) {
                o.insert(QStringLiteral("other_line"), line_of(d, f.other));
                o.insert(QStringLiteral("other_species"), name(f.other));
            }
            out += QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact)) + QLatin1Char('\n');
            break;
        }
        }
    }
    const std::int64_t unlisted = check.pairs - (static_cast<std::int64_t>(check.findings.size()) - check.records);
    if (format == Format::table && unlisted > 0)
        out += QStringLiteral("... and %1%2 more.\n")
                   .arg(check.pairs_capped ? QStringLiteral("at least ") : QString(),
                        plural(unlisted, "pair", "pairs"));
    return out;
}

}  // namespace qid::batch
