#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QPainter>
#include <QRect>

#include <memory>
#include <optional>
#include <string>
#include <vector>

class QPdfWriter;

namespace quorvane {

class RenderSession;
struct CheckFinding;
struct MainSettings;

// A PDF of one page per model: A4 in the printer orientation of the
// settings, inside their margins, a caption of the file name and the scale
// in the printer font at the top, and the model's whole picture centred
// below it, drawn as the PDF picture is.
class Booklet {
public:
    static constexpr int DotsPerInch = 600;

    Booklet(const MainSettings& settings, const std::string& title);
    ~Booklet();
    Booklet(const Booklet&) = delete;
    Booklet& operator=(const Booklet&) = delete;

    // A page of the session's model at 1 : scale, or without a scale at the
    // largest of the scale list that fits below the caption (beyond the list
    // when none does). Throws when the drawing does not fit the page; no
    // page is begun then.
    // With `markers`, the checks' markers at those findings are drawn in.
    void AddPage(RenderSession& session, const std::string& caption, std::optional<int> scale,
                 const std::vector<CheckFinding>* markers = nullptr);
    int PageCount() const { return pages_; }
    // The document; call once, after the last page.
    QByteArray Finish();

private:
    const MainSettings& settings_;
    QBuffer file_;
    std::unique_ptr<QPdfWriter> writer_;
    QPainter painter_;
    QRect area_;  // inside the margins, in page pixels
    double pixelsPerMetre_ = 0;
    int pages_ = 0;
};

}  // namespace quorvane
