#pragma once
// The printer's sheet of paper as the document reads it: the sheet and its
// printable area in twips, the orientation and the paper size. The live sheet
// reads the printer; tests give a fixed one.
#include <cstdint>

#include <QPageSize>
#include <QSizeF>
#include <QString>

class QPrinter;

namespace qid {

class PrinterSheet {
public:
    virtual ~PrinterSheet() = default;
    virtual QSizeF page_twips() const = 0;
    virtual QSizeF printable_twips() const = 0;
    // 1 portrait, 2 landscape.
    virtual std::int16_t orientation() const = 0;
    virtual QPageSize paper() const = 0;
    virtual void set_orientation(std::int16_t o) = 0;
    virtual void set_paper(const QPageSize& size) = 0;
    // The printer's name on the system ("" for a PDF file).
    virtual QString device_name() const = 0;
};

// The sheet of a real printer.
class LiveSheet final : public PrinterSheet {
public:
    explicit LiveSheet(QPrinter& printer) : printer_(printer) {}
    QSizeF page_twips() const override;
    QSizeF printable_twips() const override;
    std::int16_t orientation() const override;
    QPageSize paper() const override;
    void set_orientation(std::int16_t o) override;
    void set_paper(const QPageSize& size) override;
    QString device_name() const override;

private:
    QPrinter& printer_;
};

// A sheet that never changes except through its setters.
class FixedSheet final : public PrinterSheet {
public:
    // Sizes in inches.
    FixedSheet(QSizeF page, QSizeF printable) : page_(page), printable_(printable) {}
    QSizeF page_twips() const override { return swap(page_) * 1440; }
    QSizeF printable_twips() const override { return swap(printable_) * 1440; }
    std::int16_t orientation() const override { return orientation_; }
    QPageSize paper() const override { return QPageSize(page_, QPageSize::Inch); }
    void set_orientation(std::int16_t o) override { orientation_ = o; }
    void set_paper(const QPageSize& size) override { page_ = size.size(QPageSize::Inch); }
    QString device_name() const override { return device; }
    void set_printable(QSizeF printable) { printable_ = printable; }

    QString device;

private:
    QSizeF swap(QSizeF s) const { return orientation_ == 1 ? s : s.transposed(); }
    QSizeF page_;
    QSizeF printable_;
    std::int16_t orientation_ = 1;
};

}  // namespace qid
