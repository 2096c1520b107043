#include "platform/dialogs.h"

namespace qid::platform {

namespace {

// No dialog can be shown: each one ends as if the user had cancelled it, and
// no printer is known.
class CancellingSeam final : public DialogSeam {
public:
    FileAnswer open_file(const FileRequest&) override { return {}; }
    FileAnswer save_file(const FileRequest&) override { return {}; }
    DialogEnd printer(QWidget*, std::int32_t, QPrinter&) override { return {}; }
    ColourAnswer colour(QWidget*, std::int32_t, std::array<std::int32_t, 16>&) override { return {}; }
    FontAnswer font(const FontRequest&) override { return {}; }
    PageSetupAnswer page_setup(QWidget*, std::int32_t, const QPrinter&) override { return {}; }
    std::vector<InstalledPrinter> installed_printers() override { return {}; }
};

CancellingSeam cancelling;
DialogSeam* current = nullptr;

}  // namespace

DialogSeam& dialog_seam()
{
    return current ? *current : cancelling;
}

void set_dialog_seam(DialogSeam* seam)
{
    current = seam;
}

}  // namespace qid::platform
