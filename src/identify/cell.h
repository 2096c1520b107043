#pragma once
// One cell of the species table: empty, a number, a text or a Boolean.
// An empty cell equals both the empty text and 0; a true Boolean counts as -1.
#include <QString>

namespace qid {

class Cell {
public:
    enum class Kind { empty, number, text, boolean };

    Cell() = default;
    static Cell of_number(double v) { Cell c; c.kind_ = Kind::number; c.number_ = v; return c; }
    static Cell of_text(const QString& t) { Cell c; c.kind_ = Kind::text; c.text_ = t; return c; }
    static Cell of_bool(bool b) { Cell c; c.kind_ = Kind::boolean; c.number_ = b ? -1.0 : 0.0; return c; }

    Kind kind() const { return kind_; }
    bool is_empty() const { return kind_ == Kind::empty; }

    // Numeric value: empty is 0, true is -1, false is 0, a text is 0.
    double number() const { return kind_ == Kind::text ? 0.0 : number_; }

    // Text form used for comparisons with an observation: empty is "",
    // a number its shortest decimal form, a Boolean "True"/"False".
    QString text() const
    {
        switch (kind_) {
        case Kind::empty: return QString();
        case Kind::text: return text_;
        case Kind::number: return QString::number(number_, 'g', 15);
        case Kind::boolean: return number_ != 0.0 ? QStringLiteral("True") : QStringLiteral("False");
        }
        return QString();
    }

    // "Not recorded" tests of the matching rules.
    bool equals_empty_text() const { return text().isEmpty(); }
    bool equals_zero() const { return kind_ != Kind::text && number_ == 0.0; }

private:
    Kind kind_ = Kind::empty;
    double number_ = 0.0;
    QString text_;
};

}  // namespace qid
