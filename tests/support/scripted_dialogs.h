#pragma once
// A dialog seam for tests: every dialog ends with the next scripted answer of
// its kind (cancelled when none is left) and keeps what it was asked.
// Installed for its lifetime.
#include <deque>
#include <functional>
#include <vector>

#include "platform/dialogs.h"

namespace qid::testing {

class ScriptedDialogs final : public platform::DialogSeam {
public:
    ScriptedDialogs();
    ~ScriptedDialogs() override;
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

    platform::FileAnswer open_file(const platform::FileRequest& request) override;
    platform::FileAnswer save_file(const platform::FileRequest& request) override;
    platform::DialogEnd printer(QWidget* owner, std::int32_t flags, QPrinter& printer) override;
    platform::ColourAnswer colour(QWidget* owner, std::int32_t flags, std::array<std::int32_t, 16>& custom) override;
    platform::FontAnswer font(const platform::FontRequest& request) override;
    platform::PageSetupAnswer page_setup(QWidget* owner, std::int32_t flags, const QPrinter& printer) override;
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
