#pragma once
// The printer as a drawing target: a high-resolution QPrinter in page units
// of inches, measured on the printer device itself. The document on the
// printer starts with the first drawing, and a requested new page is started
// only when something is drawn on it, so no blank sheet comes out.
#include <QPrinter>

#include "platform/painter_target.h"

namespace qid::platform {

class PrinterTarget final : public PainterTarget {
public:
    // The system's default printer; with none, a PDF file in the user's
    // documents folder.
    PrinterTarget();
    // A PDF file, whatever printers there are.
    explicit PrinterTarget(const QString& pdf_file);
    ~PrinterTarget() override;

    QPrinter& printer()
    {
        device_touched();
        return printer_;
    }
    // The PDF file written when the output is PDF (takes effect for the next document).
    void set_pdf_file(const QString& path);
    // A document has been started and not yet ended.
    bool printing() const { return painter_.isActive(); }

    void new_page() override;
    void end_doc() override;
    void abandon_doc() override;

protected:
    const QPaintDevice* metric_device() const override { return &printer_; }
    double pixels_per_unit_x() const override;
    double pixels_per_unit_y() const override;
    QPainter* begin_paint() override;

private:
    // Device pixels from the printable area's corner to where drawing starts.
    QPointF origin_shift() const;

    QPrinter printer_;
    QPainter painter_;
    bool page_pending_ = false;
};

// The printer everything in the program prints on, created at first use.
PrinterTarget& current_printer();

}  // namespace qid::platform
