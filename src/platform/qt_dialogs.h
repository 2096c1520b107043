#pragma once
// The live dialog seam: Qt's file, printer, colour, font and page-setup dialogs.
#include "platform/dialogs.h"

namespace qid::platform {

class QtDialogSeam final : public DialogSeam {
public:
    FileAnswer open_file(const FileRequest& request) override;
    FileAnswer save_file(const FileRequest& request) override;
    DialogEnd printer(QWidget* owner, std::int32_t flags, QPrinter& printer) override;
    ColourAnswer colour(QWidget* owner, std::int32_t flags, std::array<std::int32_t, 16>& custom) override;
    FontAnswer font(const FontRequest& request) override;
    PageSetupAnswer page_setup(QWidget* owner, std::int32_t flags, const QPrinter& printer) override;
    // CUPS's printers; the port is the device a printer's jobs go to.
    std::vector<InstalledPrinter> installed_printers() override;
};

}  // namespace qid::platform
