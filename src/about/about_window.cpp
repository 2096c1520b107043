#include "about/about_window.h"

#include <QFrame>
#include <QLabel>

#include "platform/image_button.h"
#include "platform/messages.h"

namespace qid {

const QString About::released_close = QStringLiteral("f_ul_U.gif");
const QString About::pressed_close = QStringLiteral("f_ul_D.gif");

void report_about_picture(const QString& path)
{
    platform::system_message(QStringLiteral("File '") + path + QStringLiteral("' doesn't exist."),
                             QStringLiteral("QUENLA ID ERROR"), platform::icon_critical);
}

bool load_about_picture(const QString& path, QPixmap& picture, const QStringList& reported)
{
    if (picture.load(path))
        return true;
    if (!reported.contains(path))
        report_about_picture(path);
    return false;
}

About::About(const QString& folder, const QStringList& reported)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("About"));
    setWindowTitle(QStringLiteral("About Quenla ID"));
    setModal(true);
    for (std::size_t i = 0; i < Frame1.size(); ++i) {
        Frame1[i] = new QFrame(this);
        Frame1[i]->setObjectName(QStringLiteral("Frame1_%1").arg(i));
        Frame1[i]->setFrameShape(QFrame::Box);
    }
    auto label = [](QWidget* parent, const QString& name) {
        auto* l = new QLabel(parent);
        l->setObjectName(name);
        l->setTextFormat(Qt::PlainText);
        l->setWordWrap(true);
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return l;
    };
    Picture2 = label(Frame1[0], QStringLiteral("Picture2"));
    title_lbl[0] = label(Frame1[0], QStringLiteral("title_lbl_0"));
    title_lbl[1] = label(Frame1[0], QStringLiteral("title_lbl_1"));
    title_lbl[2] = label(Frame1[1], QStringLiteral("title_lbl_2"));
    title_lbl[3] = label(Frame1[1], QStringLiteral("title_lbl_3"));
    Image1 = label(Frame1[1], QStringLiteral("Image1"));
    Image1->setScaledContents(true);
    mem_lbl = label(Frame1[2], QStringLiteral("mem_lbl"));
    for (std::size_t i = 0; i < make_lbl.size(); ++i)
        make_lbl[i] = label(Frame1[2], QStringLiteral("make_lbl_%1").arg(i));

    // Window load: the close button's two pictures; it shows the released one.
    const QString graphics = folder + QStringLiteral("graphics/");
    load_about_picture(graphics + released_close, ImageList1[QStringLiteral("XU")], reported);
    load_about_picture(graphics + pressed_close, ImageList1[QStringLiteral("XD")], reported);
    Image2 = new platform::ImageButton(this);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->set_pictures(ImageList1[QStringLiteral("XU")], ImageList1[QStringLiteral("XD")]);
    connect(Image2, &platform::ImageButton::activated, this, &QDialog::hide);
}

}  // namespace qid
