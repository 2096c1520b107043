#pragma once
// One cell of the species table: empty, a number, a text or a Boolean.
// An empty cell equals both the empty text and 0; a true Boolean counts as -1.
// A cell takes 16 bytes: a kind and either a number or a shared text, so a
// table of tens of thousands of species stays compact and the many cells
// naming the same colour share one text.
#include <cstdint>
#include <utility>

#include <QSharedData>
#include <QString>

namespace qid {

class Cell {
public:
    enum class Kind : std::uint8_t { empty, number, text, boolean };

    Cell() = default;
    Cell(const Cell& other) : kind_(other.kind_), value_(other.value_)
    {
        if (kind_ == Kind::text)
            value_.text->ref.ref();
    }
    Cell(Cell&& other) noexcept : kind_(std::exchange(other.kind_, Kind::empty)), value_(other.value_) {}
    Cell& operator=(Cell other) noexcept
    {
        std::swap(kind_, other.kind_);
        std::swap(value_, other.value_);
        return *this;
    }
    ~Cell()
    {
        if (kind_ == Kind::text && !value_.text->ref.deref())
            delete value_.text;
    }

    static Cell of_number(double v) { return Cell(Kind::number, v); }
    static Cell of_bool(bool b) { return Cell(Kind::boolean, b ? -1.0 : 0.0); }
    static Cell of_text(const QString& t)
    {
        Cell c;
        c.value_.text = new Text;
        c.value_.text->ref.ref();
        c.value_.text->text = t;
        c.kind_ = Kind::text;
        return c;
    }

    Kind kind() const { return kind_; }
    bool is_empty() const { return kind_ == Kind::empty; }

    // Numeric value: empty is 0, true is -1, false is 0, a text is 0.
    double number() const { return kind_ == Kind::number || kind_ == Kind::boolean ? value_.number : 0.0; }

    // Text form used for comparisons with an observation: empty is "",
    // a number its shortest decimal form, a Boolean "True"/"False".
    QString text() const
    {
        switch (kind_) {
        case Kind::empty: return QString();
        case Kind::text: return value_.text->text;
        case Kind::number: return QString::number(value_.number, 'g', 15);
        case Kind::boolean: return value_.number != 0.0 ? QStringLiteral("True") : QStringLiteral("False");
        }
        return QString();
    }
    // Whether the text form is s, without making a copy of it.
    bool text_is(const QString& s) const
    {
        switch (kind_) {
        case Kind::empty: return s.isEmpty();
        case Kind::text: return value_.text->text == s;
        default: return text() == s;
        }
    }

    // The text of a text cell, or nullptr. Cells read from one file share
    // each distinct text, so its address tells equal texts apart cheaply.
    const QString* shared_text() const { return kind_ == Kind::text ? &value_.text->text : nullptr; }

    // "Not recorded" tests of the matching rules.
    bool equals_empty_text() const
    {
        return kind_ == Kind::empty || (kind_ == Kind::text && value_.text->text.isEmpty());
    }
    bool equals_zero() const { return kind_ != Kind::text && number() == 0.0; }

private:
    struct Text : QSharedData {
        QString text;
    };
    union Value {
        double number;
        Text* text;  // counted: every text cell holds one reference
    };

    Cell(Kind kind, double v) : kind_(kind) { value_.number = v; }

    Kind kind_ = Kind::empty;
    Value value_{0.0};
};

}  // namespace qid
