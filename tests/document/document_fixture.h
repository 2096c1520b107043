// Document fixture: fixed-metric targets, an 8.5 x 11 sheet (8 x 10.5 printable), a 1920 x 1080 screen.
#pragma once
// Its page content records every request and composes a one-line page.
#include <memory>
#include <tuple>
#include <vector>

#include <QScrollBar>
#include <gtest/gtest.h>

#include "../support/recording_messages.h"
#include "../support/scripted_dialogs.h"
#include "document/pp_pages.h"
#include "document/preview.h"
#include "document/printer_sheet.h"
#include "platform/host.h"
#include "platform/test_target.h"
#include "shell/state.h"

namespace qid::testing {

class FixedScreenHost final : public platform::Host {
public:
    QString folder;  // the program folder, when not the build's
    platform::ScreenTwips size{28800, 16200};
    platform::ScreenTwips screen() const override { return size; }
    double logical_dpi() const override { return 96; }
    QString program_folder() const override { return folder.isEmpty() ? Host::program_folder() : folder; }
};

using Shown = std::tuple<QString, QString, int, bool>;  // text, title, icon, page_err

class DocumentTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::set_host(&host);
        page_err = false;
        make_document();
    }
    // The document on the host's screen as it now is.
    void make_document()
    {
        doc = std::make_unique<PPpages>(DocumentDevices{&printer, &sheet, &surface});
        doc->window().set_PPpages(doc.get());
        doc->page_parms(0.8f, 0.4f, 0.8f, 0.2f, 0.8f, 0.8f, 1);
        doc->set_page_content([this](std::int16_t& mode, float& zoom, std::int16_t& page) {
            requests.emplace_back(mode, zoom, page);
            PPpage* p = doc->find_page(page);
            if (!p)
                return;
            p->set_pp(mode);
            p->set_zoom(zoom);
            float y = 0;
            float hp = 1;
            p->add_text(QStringLiteral("page %1").arg(page), hp, true, y, 0, 0);
            doc->print_it(page);
        });
    }
    void TearDown() override
    {
        doc.reset();
        platform::set_host(nullptr);
    }
    // Pages 1..n, page 1 shown.
    void fill(int n)
    {
        doc->mt();
        for (std::int16_t p = 1; p <= n; ++p)
            doc->Add(p, p);
        doc->compose(1, 1, 1);
        requests.clear();
    }
    int bar(int n, int (QAbstractSlider::*property)() const) const
    {
        return (doc->window().FlatScrollBar(n)->*property)();
    }
    Shown last_shown() const { return {messages.last().text, messages.last().title, messages.last().icon, page_err}; }
    // The printer's new pages and document ends, in order.
    std::vector<platform::DrawCall::Kind> document_ends() const
    {
        std::vector<platform::DrawCall::Kind> ends;
        for (const auto& c : printer.calls())
            if (c.kind >= platform::DrawCall::Kind::new_page)
                ends.push_back(c.kind);
        return ends;
    }

    FixedScreenHost host;
    RecordingMessages messages;
    ScriptedDialogs dialogs;
    platform::TestTarget printer;
    platform::TestTarget surface;
    FixedSheet sheet{{8.5, 11}, {8, 10.5}};
    std::unique_ptr<PPpages> doc;
    std::vector<std::tuple<std::int16_t, float, std::int16_t>> requests;
};

}  // namespace qid::testing
