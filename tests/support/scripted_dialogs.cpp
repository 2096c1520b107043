#include "scripted_dialogs.h"

namespace qid::testing {

ScriptedDialogs::ScriptedDialogs()
{
    platform::set_dialog_seam(this);
}

ScriptedDialogs::~ScriptedDialogs()
{
    platform::set_dialog_seam(nullptr);
}

platform::FileAnswer ScriptedDialogs::open_file(const platform::FileRequest& request)
{
    file_requests.push_back(request);
    owners.push_back(request.owner);
    return next(files);
}

platform::FileAnswer ScriptedDialogs::save_file(const platform::FileRequest& request)
{
    return open_file(request);
}

platform::DialogEnd ScriptedDialogs::printer(QWidget* owner, std::int32_t flags, QPrinter& printer)
{
    owners.push_back(owner);
    printer_flags.push_back(flags);
    const platform::DialogEnd end = next(printers);
    if (end.confirmed && choose_printer)
        choose_printer(printer);
    return end;
}

platform::ColourAnswer ScriptedDialogs::colour(QWidget* owner, std::int32_t, std::array<std::int32_t, 16>& custom)
{
    owners.push_back(owner);
    colours_offered.push_back(custom);
    if (edit_custom)
        edit_custom(custom);
    return next(colours);
}

platform::FontAnswer ScriptedDialogs::font(const platform::FontRequest& request)
{
    owners.push_back(request.owner);
    font_requests.push_back(request);
    return next(fonts);
}

platform::PageSetupAnswer ScriptedDialogs::page_setup(QWidget* owner, std::int32_t flags, const QPrinter&)
{
    owners.push_back(owner);
    page_setup_flags.push_back(flags);
    return next(page_setups);
}

}  // namespace qid::testing
