#include "batch/text_source.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

#include <QFileDevice>

#include "identify/data_file.h"

namespace qid::batch {

namespace {

constexpr qint64 part_size = 64 * 1024;

// Where the bytes may be cut: after the last line end, else before a UTF-8
// sequence the bytes end inside of.
qsizetype cut_at(const QByteArray& bytes)
{
    const qsizetype end = bytes.size();
    for (qsizetype k = end; k > 0; --k)
        if (bytes[k - 1] == '\n' || bytes[k - 1] == '\r')
            return k;
    qsizetype lead = end - 1;
    while (lead > 0 && end - lead < 4 && (static_cast<uchar>(bytes[lead]) & 0xC0) == 0x80)
        --lead;
    const auto first = static_cast<uchar>(bytes[lead]);
    const qsizetype length = first >= 0xF0 ? 4 : first >= 0xE0 ? 3 : first >= 0xC0 ? 2 : 1;
    return lead > 0 && lead + length > end ? lead : end;
}

}  // namespace

TextSource::TextSource(QIODevice& device) : device_(&device)
{
    if (const auto* file = qobject_cast<QFileDevice*>(&device))
        fd_ = file->handle();
}

qint64 TextSource::read(char* data, qint64 size)
{
    if (fd_ < 0) {
        const qint64 n = device_->read(data, size);
        if (n < 0)
            error_ = device_->errorString();
        return n;
    }
    qint64 n = 0;
    do
        n = ::read(fd_, data, static_cast<std::size_t>(size));
    while (n < 0 && errno == EINTR);
    if (n < 0)
        error_ = QString::fromLocal8Bit(std::strerror(errno));
    return n;
}

TextSource::TextSource(QString text) : text_(std::move(text)) {}

bool TextSource::fill()
{
    while (device_ && at_ >= text_.size()) {
        QByteArray bytes = std::exchange(carry_, QByteArray());
        QByteArray more(part_size, Qt::Uninitialized);
        more.resize(std::max<qint64>(read(more.data(), part_size), 0));
        if (more.isEmpty() && bytes.isEmpty()) {
            device_ = nullptr;
            return false;
        }
        bytes += more;
        const qsizetype k = more.isEmpty() ? bytes.size() : cut_at(bytes);
        carry_ = bytes.mid(k);
        bytes.truncate(k);
        text_ = decode_data_text(bytes);
        at_ = 0;
    }
    return at_ < text_.size();
}

bool TextSource::peek(QChar& c)
{
    if (at_ >= text_.size() && !fill())
        return false;
    c = text_[at_];
    return true;
}

bool TextSource::get(QChar& c)
{
    if (!peek(c))
        return false;
    ++at_;
    // CR LF, LF and CR alone each end one line.
    if (c == QLatin1Char('\n') || c == QLatin1Char('\r')) {
        if (!(c == QLatin1Char('\n') && after_cr_))
            ++line_;
        column_ = 1;
        blank_line_ = true;
    } else {
        ++column_;
        blank_line_ = blank_line_ && (c == QLatin1Char(' ') || c == QLatin1Char('\t'));
    }
    after_cr_ = c == QLatin1Char('\r');
    return true;
}

}  // namespace qid::batch
