// The real main window started on a program folder and species file, and what a user does with it.
#pragma once
#include <QAbstractItemView>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "../support/recording_messages.h"
#include "about/about_64.h"
#include "msgbox/mbx.h"
#include "msgbox/msg_style.h"
#include "platform/fonts.h"
#include "platform/host.h"
#include "shell/main_window.h"
#include "shell/state.h"

namespace qid::testing {

// Control-table slots the tests use.
enum Slot {
    result_list = 4, initial_colour = 5, final_colour = 6, young = 7, bud_colour = 8, bud_hairs = 9, sticky = 10,
    berry_size = 11, heading = 12, print = 15, next = 16, back = 17, colour_above = 18, colour_below = 19,
    pairs = 20, leaf_length = 21, leaflet_length = 22, leaflet_width = 23, spherical = 24, ellipsoidal = 25,
    bud_length = 26, clear = 27, extend = 28, notice = 29
};

// PRINT, NEXT, BACK, CLEAR, EXTEND and the notice: 1 shown, 0 hidden.
inline std::string shown()
{
    std::string s;
    for (int b : {print, next, back, clear, extend, notice})
        s += ctl_tbl[b]->visible() ? '1' : '0';
    return s;
}

// A screen of a chosen size in twips at 96 DPI; 1280 x 960 pixels unless told.
// The program folder and file are the build's unless a test names others.
class FixedScreen : public platform::Host {
public:
    platform::ScreenTwips size{19200, 14400};
    QString folder, file;
    platform::MemoryStatus memory_status{8589934592.0, 2147483648.0};
    platform::ScreenTwips screen() const override { return size; }
    platform::MemoryStatus memory() const override { return memory_status; }
    double logical_dpi() const override { return 96.0; }
    QString program_folder() const override { return folder.isEmpty() ? Host::program_folder() : folder; }
    QString program_file() const override { return file.isEmpty() ? Host::program_file() : file; }
};

// Copies the files of one folder into another, made when missing.
inline void copy_files(const QString& from, const QString& to)
{
    QDir().mkpath(to);
    for (const QString& f : QDir(from).entryList(QDir::Files))
        QFile::copy(from + "/" + f, to + "/" + f);
}

inline QByteArray read_file(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::install_font_substitutes();  // the faces the program itself shows
        platform::set_host(&screen_);
        open();
    }
    void TearDown() override
    {
        close();
        platform::set_host(nullptr);
    }
    void open()
    {
        window_ = std::make_unique<QID_main>();
        ASSERT_TRUE(window_->load()) << (messages_.shown().empty() ? "" : messages_.last().text.toStdString());
        window_->show();
    }
    void close()
    {
        form_ready = false;
        window_.reset();
        form_tbl.clear();
        msg_style.reset();
        msg.reset();
        about.reset();
        pages.reset();
    }
    // Starts the program again on a screen of this many twips.
    void reopen(platform::ScreenTwips size)
    {
        close();
        screen_.size = size;
        open();
    }

    static QWidget* widget(int s) { return static_cast<platform::QtControl*>(ctl_tbl[s])->widget(); }

    // Clicks the entry with this text in a list box, as a user would.
    static void choose(int s, const char* text)
    {
        auto* list = static_cast<QAbstractItemView*>(widget(s));
        const QModelIndexList found = list->model()->match(list->model()->index(0, 0), Qt::DisplayRole,
                                                           QString::fromLatin1(text), -1, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << text;
        list->scrollTo(found[0]);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(found[0]).center());
        ASSERT_EQ(list->currentIndex(), found[0]);
    }
    static void type(int s, const char* text) { QTest::keyClicks(widget(s), QString::fromLatin1(text)); }
    static void click(int s) { QTest::mouseClick(widget(s), Qt::LeftButton); }
    static void steps(int n)  // clicks NEXT n times
    {
        while (n-- > 0)
            click(next);
    }

    // The entries of a list box, the result list unless told.
    static QStringList results(int s = result_list)
    {
        QStringList names;
        for (int i = 0; i < ctl_tbl[s]->item_count(); ++i)
            names << ctl_tbl[s]->item(i);
        return names;
    }

    // The last message shown: title, text, icon, buttons, and whether in the program's own box.
    std::tuple<QString, QString, int, int, bool> message() const
    {
        const Recorded& m = messages_.last();
        return {m.title, m.text, m.icon, m.buttons, m.own_box};
    }

    FixedScreen screen_;
    RecordingMessages messages_;
    std::unique_ptr<QID_main> window_;
};

// Start-up on a program folder of the test's own, which the test fills and opens.
class FolderTest : public WindowTest {
protected:
    void SetUp() override
    {
        screen_.folder = dir_.path();
        platform::set_host(&screen_);
    }
    QString path(const QString& relative) const { return dir_.filePath(relative); }
    // The shipped pictures, and this species file (the shipped one unless told).
    void fill(const QByteArray& data = read_file(QID_PROGRAM_DIR "/qid.dta"))
    {
        copy_files(QID_PROGRAM_DIR "/graphics", path("graphics"));
        QFile f(path("qid.dta"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(data) == data.size());
    }
    QTemporaryDir dir_;
};

}  // namespace qid::testing
