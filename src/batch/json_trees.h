#pragma once
// Trees from JSON, one object at a time: an array of objects, or objects one
// after another whatever their line breaks (JSON Lines, or as jq prints them).
#include "batch/tree_file.h"

namespace qid::batch {

class JsonTrees {
public:
    // `text` stands on the "[" of an array or the "{" of the first object.
    explicit JsonTrees(TextSource& text);

    // The next object as a tree, its keys as columns and its values as
    // cells. A key given twice is marked as repeated, a value that is an
    // array or object is a problem of its tree. A fault of syntax in a stream
    // of objects is a problem of the tree it is in, and reading goes on at
    // the next line that starts with "{"; in an array it ends the reading.
    // False at the end, or when the file cannot be read on (error() says where).
    bool next(TreeRecord& tree);
    const QString& error() const { return error_; }

private:
    struct Fault {
        int line;
        int column;
        QString what;
    };
    enum class Kind { scalar, container };

    [[noreturn]] void fail(const QString& what);
    bool look(QChar& c);
    bool accept(char c);
    void expect(char c);
    bool next_in_array(TreeRecord& tree);
    bool end_of_array();
    bool next_object(TreeRecord& tree);
    TreeRecord element(int row);
    TreeRecord object(int row);
    Kind value(TreeCell& cell, int depth);
    void container(int depth);
    QString string();
    void number(TreeCell& cell);
    void word(const char* w);
    void find_next_object();

    TextSource& text_;
    const bool array_;
    int row_ = 0;
    bool finished_ = false;
    QString error_;
};

}  // namespace qid::batch
