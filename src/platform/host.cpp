#include "platform/host.h"

#include <cmath>

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QScreen>
#include <QStandardPaths>
#include <QUrl>

namespace qid::platform {

QString program_folder_of(const QString& executable_folder)
{
    const QString installed = QDir::cleanPath(executable_folder + QStringLiteral("/" QID_INSTALLED_FOLDER));
    for (const QString& folder : {executable_folder, installed})
        if (QFileInfo(folder + QStringLiteral("/qid.dta")).isFile())
            return folder;
    return QFileInfo(installed).isDir() ? installed : executable_folder;
}

QString Host::program_folder() const
{
    return program_folder_of(QCoreApplication::applicationDirPath());
}

QString Host::program_file() const
{
    return QCoreApplication::applicationFilePath();
}

double Host::logical_dpi() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInch() : 96.0;
    return dpi > 0 ? dpi : 96.0;
}

ScreenTwips Host::screen() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return {19200, 14400};
    const QRect r = screen->geometry();
    const double dpi = logical_dpi();
    return {static_cast<int>(std::lround(r.width() * 1440.0 / dpi)),
            static_cast<int>(std::lround(r.height() * 1440.0 / dpi))};
}

bool picture_readable(const QString& path)
{
    return QImageReader(path).canRead();
}

bool Host::file_exists(const QString& path) const
{
    return QFileInfo(path).isFile();
}

bool Host::delete_file(const QString& path)
{
    return QFile::remove(path);
}

bool Host::copy_file(const QString& from, const QString& to)
{
    // The copy keeps the original's modification time, as cp -p does, so
    // that comparing the two tells whether the copy is current. It is the
    // user's own file: the user may write it, even when the original is
    // read-only.
    QFile copy(to);
    return QFile::copy(from, to) && copy.setPermissions(copy.permissions() | QFileDevice::WriteOwner) &&
           copy.open(QIODevice::Append) &&
           copy.setFileTime(QFileInfo(from).lastModified(), QFileDevice::FileModificationTime);
}

QDateTime Host::modified(const QString& path) const
{
    const QFileInfo info(path);
    return info.exists() ? info.lastModified() : QDateTime();
}

bool Host::open_in_browser(const QString& path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

QString Host::user_data_folder() const
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

MemoryStatus parse_meminfo(const QByteArray& text)
{
    MemoryStatus status;
    for (const QByteArray& line : text.split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() < 2)
            continue;
        bool ok = false;
        const double kb = fields[1].toDouble(&ok);
        if (!ok)
            continue;
        if (fields[0] == "MemTotal:")
            status.total = kb * 1024.0;
        else if (fields[0] == "MemAvailable:")
            status.available = kb * 1024.0;
    }
    return status;
}

MemoryStatus Host::memory() const
{
    QFile file(QStringLiteral("/proc/meminfo"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return parse_meminfo(file.readAll());
}

namespace {
Host default_host;
Host* current = nullptr;
}  // namespace

Host& host()
{
    return current ? *current : default_host;
}

void set_host(Host* replacement)
{
    current = replacement;
}

int twips_to_pixels(double twips)
{
    return static_cast<int>(std::lround(twips * host().logical_dpi() / 1440.0));
}

double pixels_to_twips(double pixels)
{
    return pixels * 1440.0 / host().logical_dpi();
}

}  // namespace qid::platform
