#pragma once
// PPpages: the document. An ordered collection of pages with everything they
// share (paper geometry from the printer, margins, the settings and font every
// new page receives, the page colour), the state of the preview window (zoom
// and scroll bars) and the common dialogs. Pages are never kept drawn: when a
// page is to be shown or printed, the document asks its page content (the
// report) to compose it afresh, and print_it sends the result to the screen
// or the printer.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include <QPageSize>
#include <QString>
#include <QStringList>
#include <QVariant>

#include "pagelayout/pp_page.h"
#include "platform/measure_target.h"

namespace qid {

class CDC_class;
class PrinterSheet;
class Workbook;
class preview;

// "<device> on <port>": the port of the first installed printer called
// `name`, empty when none is.
QString printer_on_port(const QString& name);

// What the document draws on; those left empty are the program's own: the
// current printer and its sheet, the preview window's page surface.
struct DocumentDevices {
    platform::DrawTarget* printer = nullptr;
    PrinterSheet* sheet = nullptr;
    platform::DrawTarget* surface = nullptr;
};

// The preview window's layout and its zoom and scroll state. Lengths in twips.
struct PreviewView {
    std::int16_t zoom_level = 0;  // 0 .. 10
    std::int16_t zoom_step = 1;   // +1 zooms in, -1 out
    bool zoomed = false;
    float zoom_factor = 1.0f;     // 1 + 0.2 x level
    int steps_per_page = 10;      // vertical-bar steps per page
    int overhang = 0;             // surface height beyond the frame
    int last_v = 0;               // last vertical-bar value
    bool bar_busy = false;        // the vertical bar is being set, not moved
    bool v_hidden = false;
    int screen_h = 0;
    int screen_w = 0;
    int bar_size = 340;
    double frame_h = 0;
    double frame_w = 0;
    double win_left = 0;
    double win_top = 0;
    double win_w = 0;
    double win_h = 0;
    double surface_left = 0;
    double surface_top = 0;
    double surface_w = 0;
    double surface_h = 0;
};

class PPpages {
public:
    // The page-content callback: compose page `page` in `mode` (0 printer, 1 screen) at `zoom`.
    using PageContent = std::function<void(std::int16_t& mode, float& zoom, std::int16_t& page)>;

    // A picture it or its preview window cannot load is reported, unless it
    // is one of those `reported` already (by check_pictures).
    explicit PPpages(DocumentDevices devices = {}, QStringList reported = {});
    // Reports each picture of the document and its preview window that
    // cannot be read, as making them would, and returns them: a document
    // made later goes without them silently.
    static QStringList check_pictures();
    ~PPpages();
    PPpages(const PPpages&) = delete;
    PPpages& operator=(const PPpages&) = delete;

    // ---- Pages ----------------------------------------------------------------
    // The new page, or nullptr when the local number is already in the document.
    PPpage* Add(std::int16_t l_pge, std::int16_t a_pge);
    void Delete(std::int16_t pge);
    // The pages in order (their enumeration).
    const std::vector<std::unique_ptr<PPpage>>& page_col() const { return list_; }
    auto begin() const { return list_.begin(); }
    auto end() const { return list_.end(); }
    void mt();
    PPpage* find_page(std::int16_t pn);
    std::int16_t find_index(std::int16_t pn);
    void num_pge(std::int16_t& np, std::int16_t& pp1, std::int16_t& pp2) const;
    std::int16_t get_local_page() const { return current_page; }
    void local_page_number(std::int16_t l_p_n) { current_page = l_p_n; }

    // ---- Settings ---------------------------------------------------------------
    void page_parms(std::optional<float> t_m = {}, std::optional<float> h_m = {}, std::optional<float> b_m = {},
                    std::optional<float> f_m = {}, std::optional<float> l_m = {}, std::optional<float> r_m = {},
                    std::optional<std::int16_t> p_i = {}, std::optional<std::int32_t> p_cl = {});
    QVariant page_data(std::int16_t opt);
    void set_pinc(std::int16_t pnc);

    // ---- Output -------------------------------------------------------------------
    // Sends the composed page pn to the printer or the preview.
    void print_it(std::int16_t pn);
    void final_page(std::int16_t fpn) { final_pg = fpn; }
    // Printer dialog; confirmed, the paper keeps its orientation and size.
    void select_printer();
    // Printer dialog; confirmed, the workbook's application prints on the chosen printer.
    void select_Excel_printer(Workbook& wbk);
    // Page-setup dialog; confirmed, its margins are the document's margins.
    void page_setup();
    // Font dialog; confirmed, its font is the font every new page starts with.
    void font_setup();
    // One entry of that font (0 name, 1 size, 2 bold, 3 italic, 4 underline,
    // 5 strikethrough, 6 colour, 7 weight), given to the printer as well.
    void set_font(const QVariant& itm, std::int16_t opt);
    QVariant font_dta(std::int16_t opt);
    // Ends the document on the printer.
    void end_printer_doc();
    void set_page_content(PageContent content) { content_ = std::move(content); }
    // A page set up like the document's pages that measures on the printer
    // and draws nowhere, to lay pages out in advance.
    std::unique_ptr<PPpage> trial_page();
    // Asks the page content for a page (nothing happens without one).
    void compose(std::int16_t mode, float zoom, std::int16_t page);

    // ---- Preview ------------------------------------------------------------------
    void change_v_bar(int vpp, std::int16_t& npn);
    void change_h_bar(int hpp);
    void switch_zoom();
    void zoom();
    // One step in (1) or out (-1) within 100 to 300 %, the clicks' direction kept.
    void step_zoom(int direction);
    void close_preview();
    // The user closed the preview: the next one starts at 100 %.
    void preview_closed();

    // ---- Inspection ---------------------------------------------------------------
    const PreviewView& view() const { return view_; }
    preview& window() const { return *window_; }
    CDC_class& dialogs() const { return *cdc_; }
    platform::DrawTarget& printer_target() const { return *printer_; }
    std::int16_t final_page_number() const { return final_pg; }
    const std::array<float, 14>& page_settings() const { return settings; }
    const std::array<float, 7>& margin_presets() const { return margin_preset; }

private:
    void set_up();
    void printer_setup();
    void recompute_printable();
    void write_margin_settings();
    // The printer dialog; true when it was confirmed.
    bool choose_printer();
    void read_offsets();
    void take_printer_geometry();

    // Preview layout and bars.
    void size_preview();
    void layout_preview();
    void zoomed_layout(bool was_zoomed);
    void normal_layout(bool was_zoomed);
    void unzoom(bool was_zoomed);
    void set_surface(double factor);
    void set_v_bar(int value);
    void hide_v_bar();
    void show_v_bar();
    void set_h_bar();
    void show_preview();
    void arrange();
    int page_steps() const;

    DocumentDevices devices_;
    std::unique_ptr<PrinterSheet> own_sheet_;
    platform::DrawTarget* printer_ = nullptr;
    PrinterSheet* sheet_ = nullptr;
    std::shared_ptr<preview> window_;
    std::unique_ptr<CDC_class> cdc_;
    std::unique_ptr<platform::MeasureTarget> trial_printer_;
    platform::MeasureTarget trial_surface_;
    PageContent content_;

    std::vector<std::unique_ptr<PPpage>> list_;
    std::int16_t page_count = 0;
    std::int16_t first_page = 0;
    std::int16_t last_page = 0;
    std::int16_t current_page = 0;
    std::int16_t final_pg = 0;
    std::int16_t page_inc = 0;
    std::int16_t units = 0;
    // Rows: twips per unit, drawing scale mode, page-setup unit flag; columns: inches, millimetres.
    const std::array<std::array<float, 2>, 3> unit_table{{{1440.0f, 56.69f}, {5, 6}, {4, 8}}};
    float twips_per_unit = 1440.0f;
    float paper_h = 0;
    float paper_w = 0;
    float x_off = 0;
    float y_off = 0;
    float top = 0;
    float header = 0;
    float bottom = 0;
    float footer = 0;
    float left = 0;
    float right = 0;
    float printable_h = 0;
    float printable_w = 0;
    float preview_scale = 1.0f;
    float aspect = 1.0f;
    std::int16_t orientation = 1;
    QPageSize paper_size;
    std::array<float, 7> margin_preset{};
    std::int32_t paper_colour = 0xffffff;
    std::array<float, 14> settings{};
    std::array<QVariant, 8> font_set;
    QStringList reported_;
    PreviewView view_;
};

}  // namespace qid
