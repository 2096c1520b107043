#pragma once
// A spreadsheet workbook, as far as printing goes: its application prints on
// the printer named to it. The document points one at the printer the user
// chooses; the spreadsheet program behind it is not ours.
#include <QString>

namespace qid {

class Workbook {
public:
    virtual ~Workbook() = default;
    // The workbook's application prints on this printer from now on
    // ("<device> on <port>").
    virtual void set_active_printer(const QString& name) = 0;
};

}  // namespace qid
