#pragma once
// The characters of a file of trees, read a part at a time so that a file of
// any size passes through a small buffer, with the line and the character of
// the line each stands on.
#include <QByteArray>
#include <QString>

class QIODevice;

namespace qid::batch {

class TextSource {
public:
    // The text of an open device. Each part read at once (up to 64 KiB,
    // ending at a line end where there is one) is UTF-8 when valid, else
    // Windows-1252; a byte-order mark is left out. A file is read through its
    // descriptor, which gives what has come so far from a pipe rather than
    // waiting for a whole part.
    explicit TextSource(QIODevice& device);
    // A text already in memory.
    explicit TextSource(QString text);

    // The next character, taken or only looked at; false at the end.
    bool get(QChar& c);
    bool peek(QChar& c);

    // Where the next character stands: its line and its place in the line, from 1.
    int line() const { return line_; }
    int column() const { return column_; }
    // Nothing but blanks stands before the next character on its line.
    bool at_line_start() const { return blank_line_; }

    // Why the device could not be read to its end; empty when it was.
    const QString& error() const { return error_; }

private:
    bool fill();
    qint64 read(char* data, qint64 size);

    QIODevice* device_ = nullptr;
    int fd_ = -1;
    QByteArray carry_;  // bytes read beyond the last part decoded
    QString text_;
    qsizetype at_ = 0;
    int line_ = 1;
    int column_ = 1;
    bool after_cr_ = false;
    bool blank_line_ = true;
    QString error_;
};

}  // namespace qid::batch
