// A dialog seam for tests: scripted answers (cancelled when none is left), what each dialog was asked.
#pragma once
#include <deque>
#include <functional>
#include <vector>

#include "platform/dialogs.h"

namespace qid::testing {

// Installed while it lives; each dialog ends with the next answer of its kind.
class ScriptedDialogs final : public platform::DialogSeam {
public:
    ScriptedDialogs() { platform::set_dialog_seam(this); }
    ~ScriptedDialogs() override { platform::set_dialog_seam(nullptr); }
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

    platform::FileAnswer open_file(const platform::FileRequest& request) override
    {
        file_requests.push_back(request);
        owners.push_back(request.owner);
        return next(files);
    }
    platform::FileAnswer save_file(const platform::FileRequest& request) override { return open_file(request); }
    platform::DialogEnd printer(QWidget* owner, std::int32_t flags, QPrinter& printer) override
    {
        owners.push_back(owner);
        printer_flags.push_back(flags);
        const platform::DialogEnd end = next(printers);
        if (end.confirmed && choose_printer)
            choose_printer(printer);
        return end;
    }
    platform::ColourAnswer colour(QWidget* owner, std::int32_t, std::array<std::int32_t, 16>& custom) override
    {
        owners.push_back(owner);
        colours_offered.push_back(custom);
        if (edit_custom)
            edit_custom(custom);
        return next(colours);
    }
    platform::FontAnswer font(const platform::FontRequest& request) override
    {
        owners.push_back(request.owner);
        font_requests.push_back(request);
        return next(fonts);
    }
    platform::PageSetupAnswer page_setup(QWidget* owner, std::int32_t flags, const QPrinter&) override
    {
        owners.push_back(owner);
        page_setup_flags.push_back(flags);
        return next(page_setups);
    }
    std::vector<platform::InstalledPrinter> installed_printers() override { return installed; }

    // Answers, taken in order.
    std::deque<platform::FileAnswer> files;
    std::deque<platform::DialogEnd> printers;
    std::deque<platform::ColourAnswer> colours;
    std::deque<platform::FontAnswer> fonts;
    std::deque<platform::PageSetupAnswer> page_setups;
    std::vector<platform::InstalledPrinter> installed;
    // What a confirmed printer dialog does to the printer; what the user does to the custom colours.
    std::function<void(QPrinter&)> choose_printer;
    std::function<void(std::array<std::int32_t, 16>&)> edit_custom;

    // What the dialogs were asked.
    std::vector<platform::FileRequest> file_requests;
    std::vector<std::int32_t> printer_flags;
    std::vector<QWidget*> owners;
    std::vector<std::array<std::int32_t, 16>> colours_offered;
    std::vector<platform::FontRequest> font_requests;
    std::vector<std::int32_t> page_setup_flags;

private:
    template <typename T>
    static T next(std::deque<T>& queue)
    {
        if (queue.empty())
            return T{};
        T answer = queue.front();
        queue.pop_front();
        return answer;
    }
};

}  // namespace qid::testing
