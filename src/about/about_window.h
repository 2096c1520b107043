#pragma once
// The About window: three frames holding the product's name and version
// beside the maker's logo, the description and comments beside a picture of
// the plant, and the memory line above the maker's lines; a picture button
// closes it. about_64 fills and lays it out.
#include <array>

#include <QDialog>
#include <QHash>
#include <QPixmap>
#include <QStringList>

class QFrame;
class QLabel;

namespace qid {

namespace platform {
class ImageButton;
}

class About final : public QDialog {
public:
    // Loads the close button's released ("XU") and pressed ("XD") pictures
    // from folder + "graphics/"; a picture that cannot be loaded is reported
    // unless it is one of those `reported` already.
    About(const QString& folder, const QStringList& reported);

    // The close button's pictures in the folder "graphics".
    static const QString released_close;
    static const QString pressed_close;

    std::array<QFrame*, 3> Frame1{};
    // 0 product name, 1 version line, 2 description, 3 comments.
    std::array<QLabel*, 4> title_lbl{};
    QLabel* mem_lbl = nullptr;
    // The maker's name, copyright and trademarks.
    std::array<QLabel*, 3> make_lbl{};
    QLabel* Picture2 = nullptr;  // the logo
    QLabel* Image1 = nullptr;    // the plant
    platform::ImageButton* Image2 = nullptr;  // the close button
    QHash<QString, QPixmap> ImageList1;
};

// "File '<path>' doesn't exist.", for a picture of the About box that cannot be read.
void report_about_picture(const QString& path);
// Loads a picture, or reports it (unless it is one of those `reported`
// already) and returns false.
bool load_about_picture(const QString& path, QPixmap& picture, const QStringList& reported);

}  // namespace qid
