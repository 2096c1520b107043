#include "platform/test_target.h"

namespace qid::platform {

void TestTarget::record(DrawCall::Kind kind)
{
    DrawCall call;
    call.kind = kind;
    calls_.push_back(call);
}

void TestTarget::set_current(float x, float y)
{
    x_ = x;
    y_ = y;
}

void TestTarget::print_text(const QString& s)
{
    DrawCall call;
    call.kind = DrawCall::Kind::text;
    call.text = s;
    call.x = x_;
    call.y = y_;
    call.font = font_;
    call.color = fore_;
    calls_.push_back(call);
    x_ += text_width(s);
}

void TestTarget::print_line()
{
    x_ = 0;
    y_ += text_height(QString());
    record(DrawCall::Kind::line_end);
    calls_.back().y = y_;
}

float TestTarget::text_width(const QString& s) const
{
    return static_cast<float>(s.size()) * font_.size / (96.0f * scale_);
}

float TestTarget::char_width(QStringView ch) const
{
    return static_cast<float>(ch.size()) * font_.size / (96.0f * scale_);
}

float TestTarget::text_height(const QString&) const
{
    return font_.size / (48.0f * scale_);
}

void TestTarget::set_back_color(std::int32_t rgb)
{
    back_ = rgb;
    record(DrawCall::Kind::back_color);
    calls_.back().color = rgb;
}

int TestTarget::set_transparent()
{
    const int previous = transparent_ ? bk_transparent : bk_opaque;
    transparent_ = true;
    return previous;
}

void TestTarget::paint_picture(const QImage&, float x, float y, float w, float h)
{
    DrawCall call;
    call.kind = DrawCall::Kind::picture;
    call.x = x;
    call.y = y;
    call.w = w;
    call.h = h;
    calls_.push_back(call);
}

void TestTarget::draw_box(float x1, float y1, float x2, float y2, std::int32_t rgb)
{
    DrawCall call;
    call.kind = DrawCall::Kind::box;
    call.x = x1;
    call.y = y1;
    call.w = x2;
    call.h = y2;
    call.color = rgb;
    call.width = draw_width_;
    calls_.push_back(call);
    x_ = x2;
    y_ = y2;
}

void TestTarget::clear()
{
    x_ = 0;
    y_ = 0;
    record(DrawCall::Kind::clear);
}

void TestTarget::new_page()
{
    record(DrawCall::Kind::new_page);
}

void TestTarget::end_doc()
{
    record(DrawCall::Kind::end_doc);
}

void TestTarget::abandon_doc()
{
    record(DrawCall::Kind::abandon_doc);
}

std::vector<DrawCall> TestTarget::texts() const
{
    std::vector<DrawCall> out;
    for (const DrawCall& call : calls_)
        if (call.kind == DrawCall::Kind::text)
            out.push_back(call);
    return out;
}

}  // namespace qid::platform
