// Writes every picture of an icon file as a PNG into an icon-theme tree,
// <folder>/<w>x<h>/apps/<name>.png, for the installed program's desktop icon.
//
// Usage: ico_to_png <icon file> <folder> <name>
#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QImageReader>
#include <QTextStream>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    if (argc != 4) {
        err << "usage: ico_to_png <icon file> <folder> <name>\n";
        return 2;
    }
    const QString file = QString::fromLocal8Bit(argv[1]);
    const QString folder = QString::fromLocal8Bit(argv[2]);
    const QString name = QString::fromLocal8Bit(argv[3]);
    QImageReader reader(file);
    const int count = reader.imageCount();
    if (count < 1) {
        err << "ico_to_png: cannot read " << file << ": " << reader.errorString() << "\n";
        return 1;
    }
    for (int i = 0; i < count; ++i) {
        const QImage picture = reader.jumpToImage(i) ? reader.read() : QImage();
        const QString apps = QStringLiteral("%1/%2x%3/apps").arg(folder).arg(picture.width()).arg(picture.height());
        if (picture.isNull() || !QDir().mkpath(apps) || !picture.save(apps + "/" + name + ".png")) {
            err << "ico_to_png: cannot write picture " << i << " of " << file << "\n";
            return 1;
        }
    }
    return 0;
}
