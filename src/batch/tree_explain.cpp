#include "batch/tree_explain.h"

#include <QJsonArray>

#include "identify/explain.h"
#include "identify/suggest.h"

namespace qid::batch {

namespace {

constexpr std::size_t nearest_shown = 10;  // at most, of those failing the fewest items
constexpr std::size_t groups_shown = 20;   // values of one observation

QString items_text(int n)
{
    return n == 1 ? QStringLiteral("1 item") : QStringLiteral("%1 items").arg(n);
}

// One species' state: why it was rejected, or that it was kept.
struct Rejection {
    int species = 0;
    int step = -1;  // -1: kept
    std::vector<ReasonText> reasons;
};

QString reasons_text(const std::vector<ReasonText>& reasons)
{
    QStringList parts;
    for (const ReasonText& r : reasons)
        parts << r.sentence();
    return parts.join(QStringLiteral("; "));
}

QJsonArray reasons_json(const std::vector<ReasonText>& reasons, int step)
{
    QJsonArray out;
    for (const ReasonText& r : reasons)
        out.append(QJsonObject{{QStringLiteral("step"), step_name(step)},
                               {QStringLiteral("item"), r.item},
                               {QStringLiteral("observed"), r.observed},
                               {QStringLiteral("recorded"), r.recorded},
                               {QStringLiteral("accepted"), r.accepted}});
    return out;
}

QString groups_text(const Suggestion& s)
{
    QStringList parts;
    for (std::size_t g = 0; g < std::min(s.groups.size(), groups_shown); ++g)
        parts << group_values(s.item, s.groups[g]) + QStringLiteral(" keeps ") + QString::number(s.groups[g].kept);
    if (s.groups.size() > groups_shown)
        parts << QStringLiteral("%1 more").arg(s.groups.size() - groups_shown);
    return parts.join(QStringLiteral(", "));
}

QString name_of(const SpeciesTable& table, int i)
{
    return table.names.at(static_cast<std::size_t>(i));
}

QString expected_text(const Suggestion& s)
{
    return QStringLiteral("%1 of %2").arg(s.expected_left, 0, 'f', 1).arg(s.judged);
}

}  // namespace

int find_species(const SpeciesTable& table, const QString& name)
{
    QString wanted = name.simplified();
    if (wanted.startsWith(QLatin1String("Quenla "), Qt::CaseInsensitive))
        wanted = wanted.mid(7);
    for (int i = 1; i <= table.species_count; ++i)
        if (table.names.at(static_cast<std::size_t>(i)).simplified().compare(wanted, Qt::CaseInsensitive) == 0)
            return i;
    return 0;
}

struct TreeExplainer::Findings {
    std::vector<Nearest> nearest;  // those failing the fewest items, at most nearest_shown
    std::size_t more_nearest = 0;
    std::vector<Rejection> nearest_reasons;
    std::vector<Rejection> why;
    std::vector<Suggestion> next;
    int step = -1;
    bool none_kept = false;
};

TreeExplainer::TreeExplainer(const ItemIndex& index, const ExplainRequest& request)
    : index_(index), request_(request)
{
}

TreeExplainer::Findings TreeExplainer::find(const Tree& tree, const CascadeResult& result) const
{
    Findings f;
    const SpeciesTable& table = index_.table();
    const Explanation e = explain(table, tree.seen, tree.factors, result.stage);
    f.step = e.step;
    f.none_kept = e.none_kept;
    const auto rejection = [&](int i) {
        Rejection r{i, e.rejected_at[static_cast<std::size_t>(i)], {}};
        for (const Reason& reason : e.reasons_of(i))
            r.reasons.push_back(describe(reason, table, i, tree.seen, tree.factors));
        return r;
    };
    if (request_.why) {
        const std::size_t close = e.nearest_count();
        for (std::size_t k = 0; k < std::min(close, nearest_shown); ++k) {
            f.nearest.push_back(e.nearest[k]);
            f.nearest_reasons.push_back(rejection(e.nearest[k].species));
        }
        f.more_nearest = close - f.nearest.size();
        for (int i = 1; i <= table.species_count; ++i) {
            const bool rejected = e.rejected_at[static_cast<std::size_t>(i)] >= 0;
            if (request_.why_species == i || (request_.why_species == 0 && rejected))
                f.why.push_back(rejection(i));
        }
    }
    if (request_.suggest && !e.none_kept)
        f.next = suggest(index_, tree.seen, tree.factors, kept_species(e), e.step);
    return f;
}

QStringList TreeExplainer::csv_columns() const
{
    QStringList columns;
    if (request_.why)
        columns << QStringLiteral("nearest") << QStringLiteral("why");
    if (request_.suggest)
        columns << QStringLiteral("suggest");
    return columns;
}

QString TreeExplainer::table_lines(const Tree& tree, const CascadeResult& result) const
{
    if (!tree.errors.isEmpty())
        return QString();
    const Findings f = find(tree, result);
    const SpeciesTable& table = index_.table();
    QString out;
    if (!f.nearest.empty()) {
        out += QStringLiteral("  nearest at %1:\n").arg(step_name(f.step));
        for (std::size_t k = 0; k < f.nearest.size(); ++k)
            out += QStringLiteral("    %1, %2%3: %4\n")
                       .arg(name_of(table, f.nearest[k].species), items_text(f.nearest[k].failed),
                            f.nearest[k].extend_keeps ? QStringLiteral(", EXTEND keeps it") : QString(),
                            reasons_text(f.nearest_reasons[k].reasons));
        if (f.more_nearest > 0)
            out += QStringLiteral("    and %1 more as near\n").arg(f.more_nearest);
    }
    if (request_.why)
        out += QStringLiteral("  why not:%1\n")
                   .arg(f.why.empty() ? QStringLiteral(" every species was kept") : QString());
    for (const Rejection& r : f.why)
        out += r.step < 0 ? QStringLiteral("    %1: kept\n").arg(name_of(table, r.species))
                          : QStringLiteral("    %1 (%2): %3\n")
                                .arg(name_of(table, r.species), step_name(r.step), reasons_text(r.reasons));
    if (request_.suggest) {
        out += QStringLiteral("  look at next (species expected to be left):%1\n")
                   .arg(f.none_kept        ? QStringLiteral(" none, no species is listed")
                        : f.next.empty() ? QStringLiteral(" nothing would narrow the list")
                                           : QString());
        for (const Suggestion& s : f.next)
            out += QStringLiteral("    %1%2  %3\n")
                       .arg(item_name(s.item), -15)
                       .arg(expected_text(s), -10)
                       .arg(groups_text(s));
    }
    return out;
}

QStringList TreeExplainer::csv_fields(const Tree& tree, const CascadeResult& result) const
{
    QStringList fields;
    const Findings f = tree.errors.isEmpty() ? find(tree, result) : Findings{};
    const SpeciesTable& table = index_.table();
    if (request_.why) {
        QStringList nearest, why;
        for (std::size_t k = 0; k < f.nearest.size(); ++k)
            nearest << QStringLiteral("%1 (%2%3): %4")
                           .arg(name_of(table, f.nearest[k].species), items_text(f.nearest[k].failed),
                                f.nearest[k].extend_keeps ? QStringLiteral(", EXTEND keeps it") : QString(),
                                reasons_text(f.nearest_reasons[k].reasons));
        for (const Rejection& r : f.why)
            why << (r.step < 0 ? name_of(table, r.species) + QStringLiteral(" (kept)")
                               : QStringLiteral("%1 (%2): %3").arg(name_of(table, r.species), step_name(r.step),
                                                                  reasons_text(r.reasons)));
        fields << nearest.join(QStringLiteral(" | ")) << why.join(QStringLiteral(" | "));
    }
    if (request_.suggest) {
        QStringList next;
        for (const Suggestion& s : f.next)
            next << QStringLiteral("%1 %2: %3").arg(item_name(s.item), expected_text(s), groups_text(s));
        fields << next.join(QStringLiteral(" | "));
    }
    return fields;
}

void TreeExplainer::add_json(const Tree& tree, const CascadeResult& result, QJsonObject& entry) const
{
    if (!tree.errors.isEmpty())
        return;
    const Findings f = find(tree, result);
    const SpeciesTable& table = index_.table();
    if (request_.why) {
        QJsonArray nearest, why;
        for (std::size_t k = 0; k < f.nearest.size(); ++k)
            nearest.append(QJsonObject{{QStringLiteral("species"), name_of(table, f.nearest[k].species)},
                                       {QStringLiteral("failed"), f.nearest[k].failed},
                                       {QStringLiteral("extend_keeps"), f.nearest[k].extend_keeps},
                                       {QStringLiteral("reasons"),
                                        reasons_json(f.nearest_reasons[k].reasons, f.step)}});
        for (const Rejection& r : f.why)
            why.append(QJsonObject{{QStringLiteral("species"), name_of(table, r.species)},
                                   {QStringLiteral("state"),
                                    r.step < 0 ? QStringLiteral("kept") : QStringLiteral("rejected")},
                                   {QStringLiteral("step"), r.step < 0 ? QJsonValue() : QJsonValue(step_name(r.step))},
                                   {QStringLiteral("reasons"), reasons_json(r.reasons, r.step)}});
        entry.insert(QStringLiteral("nearest"), nearest);
        if (f.more_nearest > 0)
            entry.insert(QStringLiteral("more_nearest"), static_cast<qint64>(f.more_nearest));
        entry.insert(QStringLiteral("why"), why);
    }
    if (request_.suggest) {
        QJsonArray next;
        for (const Suggestion& s : f.next) {
            QJsonArray groups;
            for (std::size_t g = 0; g < std::min(s.groups.size(), groups_shown); ++g)
                groups.append(QJsonObject{{QStringLiteral("values"), group_values(s.item, s.groups[g])},
                                          {QStringLiteral("kept"), s.groups[g].kept}});
            next.append(QJsonObject{{QStringLiteral("item"), item_name(s.item)},
                                    {QStringLiteral("step"), step_name(item_step(s.item))},
                                    {QStringLiteral("expected_left"), s.expected_left},
                                    {QStringLiteral("of"), s.judged},
                                    {QStringLiteral("values"), groups},
                                    {QStringLiteral("more_values"),
                                     static_cast<qint64>(s.groups.size()) - groups.size()}});
        }
        entry.insert(QStringLiteral("suggest"), next);
    }
}

}  // namespace qid::batch
