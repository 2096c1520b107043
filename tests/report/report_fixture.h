#pragma once
// The report on fixed-metric targets: a sheet 8.5 x 12.25 inches, all of it
// printable, on which page 1 holds 39 names under the observations of the
// fruit step; 12-point characters 0.125 inch wide and lines 0.25 inch high.
#include <cmath>

#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

#include "document/document_fixture.h"
#include "support/qt_print.h"
#include "identify/cell.h"
#include "report/report.h"

namespace qid::testing {

class ReportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::set_host(&host);
        page_err = false;
        set_report_margins();
        pages = std::make_shared<PPpages>(DocumentDevices{&printer, &sheet, &surface});
        pages->window().set_PPpages(pages.get());
        pages->page_parms(0.8f, 0.4f, 0.8f, 0.2f, 0.8f, 0.8f, 1);
        window_observations = {
            {QString(), QStringLiteral("UNCHANGED")}, true, 0, {QString(), QStringLiteral("AS ABOVE")}, {}, {}, 0};
        window_factors = {};
        name_species(40);
        for (int s = 0; s < 3; ++s)
            select(s, 3);
        stage = 0;
    }
    void TearDown() override
    {
        pages.reset();
        platform::set_host(nullptr);
    }

    // Species "sp01" .. in the table.
    static void name_species(int n)
    {
        species_count = static_cast<std::int16_t>(n);
        species_name.assign(static_cast<std::size_t>(n) + 1, QString());
        for (int i = 1; i <= n; ++i)
            species_name[static_cast<std::size_t>(i)] = QStringLiteral("sp%1").arg(i, 2, 10, QLatin1Char('0'));
    }
    // Step s keeps the first n species.
    static void select(int s, int n)
    {
        auto& row = selected[static_cast<std::size_t>(s)];
        row.assign(static_cast<std::size_t>(n) + 1, 0);
        row[0] = static_cast<std::int16_t>(n);
        for (int k = 1; k <= n; ++k)
            row[static_cast<std::size_t>(k)] = static_cast<std::int16_t>(k);
    }
    // The window's identification, as PRINT reports it.
    static ReportSubject window_report()
    {
        return {window_table, window_observations, window_factors, stage, selected};
    }
    // PRINT, with the header dated 3 May 2004.
    void print()
    {
        print_report(*pages, window_report());
        for (PPpage* p : rep_pages)
            if (p)
                p->set_clock([] { return QDate(2004, 5, 3); });
    }
    // Page n composed for the printer (mode 0) or the preview (mode 1).
    static void compose(std::int16_t mode, std::int16_t n)
    {
        float zoom = 1;
        report_page(mode, zoom, n);
    }
    // Page n composed for the printer, as runs of text: "*" bold, "/" italic,
    // then the text and where it stands.
    QStringList page(std::int16_t n)
    {
        printer.forget();
        compose(0, n);
        return runs(printer);
    }
    static QStringList runs(const platform::TestTarget& t)
    {
        struct Run {
            QString text;
            float x, y, end;
        };
        std::vector<Run> found;
        for (const platform::DrawCall& c : t.texts()) {
            const float w = static_cast<float>(c.text.size()) * c.font.size / 96;
            if (!found.empty() && found.back().y == c.y && std::fabs(found.back().end - c.x) < 1e-4f) {
                found.back().text += c.text;
                found.back().end = c.x + w;
                continue;
            }
            const QString style = QString::fromLatin1(c.font.bold ? "*" : "") + (c.font.italic ? "/" : "");
            found.push_back({style + c.text, c.x, c.y, c.x + w});
        }
        QStringList out;
        for (const Run& r : found)
            out << QStringLiteral("%1 @%2,%3").arg(r.text).arg(r.x, 0, 'f', 3).arg(r.y, 0, 'f', 3);
        return out;
    }

    FixedScreenHost host;
    RecordingMessages messages;
    platform::TestTarget printer;
    platform::TestTarget surface;
    FixedSheet sheet{{8.5, 12.25}, {8.5, 12.25}};
};

}  // namespace qid::testing
