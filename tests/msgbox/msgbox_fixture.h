#pragma once
// Common set-up: a fixed 1280 x 960 pixel screen at 96 DPI (15 twips a
// pixel), a program folder with small generated icons, recorded messages and
// the window's appearance reset before every test.
#include <QDir>
#include <QPixmap>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "msgbox/mbx.h"
#include "msgbox/mesage_box.h"
#include "msgbox/msg_style.h"
#include "platform/host.h"
#include "recording_messages.h"
#include "shell/state.h"

namespace qid::testing {

class FixedScreen final : public platform::Host {
public:
    int width_px = 1280;
    platform::ScreenTwips screen() const override { return {width_px * 15, 960 * 15}; }
    double logical_dpi() const override { return 96.0; }
};

class MsgBoxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::set_host(&screen);
        QDir(folder.path()).mkpath("graphics");
        const std::pair<const char*, QColor> pictures[] = {{"Ostrel.ico", Qt::darkGreen}, {"ms_crit.gif", Qt::red},
            {"ms_ques.gif", Qt::blue}, {"ms_exclam.gif", Qt::yellow}, {"ms_info.gif", Qt::cyan}};
        for (const auto& [name, colour] : pictures) {
            QPixmap p(32, 32);  // PNG data under the icon's name: read by content
            p.fill(colour);
            p.save(folder.path() + "/graphics/" + name, "PNG");
        }
        app_path = folder.path() + "/";
        MsgBx().defaults(1, 1, 1.0f, 1, 1);
        messages.clear();
        page_err = false;
    }
    void TearDown() override { platform::set_host(nullptr); }

    static mesage_box& window() { return mesage_box::instance(); }
    static TwipRect twips(const QWidget* w) { return window().twips(w); }

    FixedScreen screen;
    QTemporaryDir folder;
    RecordingMessages messages;
};

}  // namespace qid::testing
